// SPDX-License-Identifier: GPL-3.0-or-later
// Every page of the program takes the keyboard when it appears, Tab goes
// round its controls with a ring on the one Space presses, and F1 opens
// the manual at the page's topic.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <set>

#include "FlowSandbox.h"
#include "content/Event.h"
#include "content/Keybevnt.h"
#include "review/Bubble.h"
#include "review/Buildvw.h"
#include "review/ReviView.h"
#include "shell/AboutStg.h"
#include "shell/Addviews.h"
#include "shell/Addvstg.h"
#include "shell/ArtImage.h"
#include "shell/Buildstg.h"
#include "shell/ChpViews.h"
#include "shell/Eventstg.h"
#include "shell/Eviewstg.h"
#include "shell/Guidedst.h"
#include "shell/Main.h"
#include "shell/OptiStg.h"
#include "shell/OptiView.h"
#include "shell/ReviStg.h"
#include "shell/Statstg.h"
#include "shell/Statview.h"
#include "shell/Welcstrg.h"

namespace {

using qxtest::Active;

QString Named(const QWidget* w) { return w ? w->objectName() : QStringLiteral("(nothing)"); }

class FocusTest : public qxtest::ProgramTest {
 public:
  static void Key(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QTest::keyClick(Target(), key, mods);
  }
  static QWidget* Focused() { return BookForm->focusWidget(); }

  // What a page must show when it appears, and the key that leaves it.
  struct Page {
    const char* name;
    std::function<bool()> shown;
    std::function<QWidget*()> first;
    std::function<void()> leave;
  };

  // Tab visits controls on the pages only, each once, comes round to the
  // first, and the control with the focus looks different from itself
  // without it; Shift+Tab steps back.
  static void CheckTabRound(const char* page) {
    SCOPED_TRACE(page);
    QWidget* first = Focused();
    std::vector<QWidget*> visited{first};
    for (int n = 0; n < 16; ++n) {
      QWidget* at = Focused();
      const QImage focused = at->grab().toImage();
      Key(Qt::Key_Tab);
      QWidget* to = Focused();
      if (to != at) EXPECT_NE(focused, at->grab().toImage()) << Named(at).toStdString() << " shows no ring";
      if (to == first) break;
      ASSERT_TRUE(to && to->isVisible()) << Named(to).toStdString();
      EXPECT_FALSE(BookForm->MenuImages()[0]->parentWidget() == to->parentWidget()) << "menu tab reached";
      EXPECT_EQ(std::count(visited.begin(), visited.end(), to), 0) << Named(to).toStdString() << " twice";
      visited.push_back(to);
    }
    EXPECT_EQ(Focused(), first) << "Tab does not come round";
    if (visited.size() > 1) {
      Key(Qt::Key_Backtab, Qt::ShiftModifier);
      EXPECT_EQ(Focused(), visited.back()) << "Shift+Tab";
      Key(Qt::Key_Tab);
    }
  }

  void CheckHelp(const char* page) {
    SCOPED_TRACE(page);
    const size_t before = sandbox.shell.opened.size();
    Key(Qt::Key_F1);
    ASSERT_EQ(sandbox.shell.opened.size(), before + 1);
    OpenHelpTopic(ActiveView->HelpTopic());
    ASSERT_EQ(sandbox.shell.opened.size(), before + 2);
    EXPECT_EQ(sandbox.shell.opened[before], sandbox.shell.opened[before + 1]);
  }

  void Walk(const std::vector<Page>& pages) {
    for (const Page& page : pages) {
      Then(
          page.shown,
          [this, &page] {
            QApplication::processEvents();
            Save((std::string("focus-") + page.name + ".png").c_str());
            QWidget* first = page.first();
            EXPECT_EQ(Named(Focused()), Named(first)) << page.name;
            EXPECT_TRUE(first && first->hasFocus()) << page.name;
            if (first == BookForm) {
              // A drill types with the book itself: Tab takes no keys away.
              Key(Qt::Key_Tab);
              EXPECT_EQ(Focused(), BookForm);
            } else if (Focused() == first) {
              CheckTabRound(page.name);
            }
            CheckHelp(page.name);
            page.leave();
          },
          page.name);
    }
  }
};

TEST_F(FocusTest, EveryPageTakesTheKeyboardAndTabGoesRoundItsControls) {
  for (int i = 0; i < 4; ++i) sandbox.dialogs.Answer(qx::DialogAnswer::Yes);
  const std::vector<Page> pages = {
      {"cover", [] { return Active<TCoverView>() != nullptr; }, [] { return (QWidget*)BookForm->NameField; },
       [] {
         BookForm->NameField->setEditText(QStringLiteral("ida"));
         Key(Qt::Key_Return);
       }},
      {"new-user", [] { return Active<TNewUserView>() != nullptr; },
       [] { return (QWidget*)BookForm->UserYes; }, [] { Key(Qt::Key_Y, Qt::AltModifier); }},
      {"welcome", [] { return Active<TWelcomeView>() != nullptr; },
       [] { return (QWidget*)WelcomeStg->IntroMask; },
       [] {
         Key(Qt::Key_Tab);
         Key(Qt::Key_Return);  // the focused card, Begin Studying
       }},
      {"profile", [] { return Active<TStdProfileView>() != nullptr; },
       [] { return (QWidget*)AddViewsStg->ContentsList; }, [] { Key(Qt::Key_N, Qt::AltModifier); }},
      {"lesson", [] { return ActiveView && dynamic_cast<TChpContentsView*>(ActiveView->RightView); },
       [] { return (QWidget*)BookForm->BeginB; }, [] { Press('3'); }},
      {"drill", [] { return Active<TKeyboardEvent>() != nullptr; }, [] { return (QWidget*)BookForm; },
       [] { Key(Qt::Key_Tab, Qt::ControlModifier); }},
      {"review", [] { return Active<TRevisionView>() != nullptr; },
       [] { return (QWidget*)RevisionStg->WizardBox; }, [] { Key(Qt::Key_R, Qt::AltModifier); }},
      {"review-wizard", [] { return Active<TBuilderView>() != nullptr; },
       [] { return (QWidget*)BuilderStg->CurrentKeys; }, [] { Key(Qt::Key_Escape); }},
      {"review-again", [] { return Active<TRevisionView>() != nullptr; },
       [] { return (QWidget*)RevisionStg->WizardBox; }, [] { Key(Qt::Key_S, Qt::AltModifier); }},
      {"story-chooser", [] { return Active<TChooseTextView>() != nullptr; },
       [] { return (QWidget*)EventViewStg->NewStory; }, [] { Key(Qt::Key_Escape); }},
      {"review-games", [] { return Active<TRevisionView>() != nullptr; },
       [] { return (QWidget*)RevisionStg->WizardBox; }, [] { Key(Qt::Key_B, Qt::AltModifier); }},
      {"bubbles", [] { return Active<TBubbles>() != nullptr; }, [] { return (QWidget*)BookForm->Next; },
       [] { Key(Qt::Key_Tab, Qt::ControlModifier); }},
      {"statistics", [] { return Active<TStatisticsView>() != nullptr; },
       [] { return (QWidget*)StatisticsStg->PrintBtn; }, [] { Key(Qt::Key_Tab, Qt::ControlModifier); }},
      {"about", [] { return Active<TAbout>() != nullptr; }, [] { return (QWidget*)BookForm->Back; },
       [] { Key(Qt::Key_Tab, Qt::ControlModifier); }},
      {"options", [] { return Active<TOptionsView>() != nullptr; },
       [] { return (QWidget*)OptioStg->SoundButton1; }, [] { Key(Qt::Key_Q, Qt::ControlModifier); }},
  };
  Walk(pages);
  RunProgram();
  EXPECT_TRUE(Terminating);
}

}  // namespace

// SPDX-License-Identifier: GPL-3.0-or-later
// The program driven from the keyboard alone, and the book scaled to its
// window.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTest>
#include <functional>

#include "FlowSandbox.h"
#include "content/Event.h"
#include "content/TxtEvent.h"
#include "shell/Addvstg.h"
#include "shell/ArtImage.h"
#include "shell/BookWindow.h"
#include "shell/Bookfrm.h"
#include "shell/ChpViews.h"
#include "shell/Chpstgs.h"
#include "shell/Exrclist.h"
#include "shell/Guidedst.h"
#include "shell/Main.h"
#include "storage/FileObj.h"
#include "storage/PrgSetup.h"
#include "storage/User.h"

namespace {

using qxtest::Active;

TChpContentsView* ExerciseList() {
  return ActiveView ? dynamic_cast<TChpContentsView*>(ActiveView->RightView) : nullptr;
}

class KeyboardTest : public qxtest::ProgramTest {
 public:
  static void Key(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QTest::keyClick(Target(), key, mods);
  }
  // A mnemonic presses its button the way a click does, a moment later.
  static bool Soon(const std::function<bool()>& done) {
    for (int i = 0; i < 3000 && !done(); ++i) QTest::qWait(10);  // generous: the machine may be busy
    return done();
  }
  static void Type(const std::string& keys) {
    for (char c : keys) Press(c);
  }
  // The first text of lesson 1 as the student types it.
  void TypeTheText() {
    TTextFile file;
    std::string text;
    if (file.Open("Beg01a.txt", kTextRead) == kFileOpen) file.ReadAll(text);
    std::string keys;
    for (char c : text)
      if (c != '\n') keys += c;
    while (!keys.empty() && (keys.back() == '\r' || keys.back() == ' ')) keys.pop_back();
    for (char c : keys + "\r") {
      sandbox.clock.AdvanceUnits(0.5);
      Press(c);
    }
  }
};

TEST_F(KeyboardTest, AStudentWalksFromTheCoverToAFinishedTextAndOutWithKeysOnly) {
  Then([] { return Active<TCoverView>() != nullptr; },
       [this] {
         EXPECT_TRUE(book()->NameField->hasFocus());
         Type("ida");
         Key(Qt::Key_Return);
       },
       "log-on page");
  Then([] { return Active<TNewUserView>() != nullptr; }, [] { Key(Qt::Key_Return); }, "new-user page");
  Then([] { return Active<TWelcomeView>() != nullptr; }, [] { Key(Qt::Key_B, Qt::AltModifier); },
       "welcome page");
  Then([] { return Active<TStdProfileView>() != nullptr; },
       [] {
         // The page takes keys without a click first.
         EXPECT_TRUE(AddViewsStg->ContentsList->hasFocus());
         Key(Qt::Key_2, Qt::AltModifier);
         EXPECT_TRUE(Soon([] { return AddViewsStg->Time25->isChecked(); }));
         EXPECT_TRUE(AddViewsStg->Time25->hasFocus());
         Key(Qt::Key_T, Qt::AltModifier);
         EXPECT_TRUE(Soon([] { return AddViewsStg->TimeFree->isChecked(); }));
         Key(Qt::Key_N, Qt::AltModifier);
       },
       "studying profile");
  Then([] { return ExerciseList() != nullptr; },
       [] {
         EXPECT_EQ(User->LessonDuration, 0);
         EXPECT_TRUE(BookForm->BeginB->hasFocus());
         Key(Qt::Key_Down);
         Key(Qt::Key_Down);
         Key(Qt::Key_Down);
         Key(Qt::Key_Space);  // the focused Begin button
       },
       "lesson 1");
  Then([] { return Active<TMessageEvent>() != nullptr; }, [] { Key(Qt::Key_Space); }, "message before the text");
  Then([] { return Active<TTextEvent>() != nullptr; },
       [this] {
         sandbox.clock.AdvanceUnits(20);
         TypeTheText();
         EXPECT_EQ(Active<TTextEvent>()->State, kStateCompleted);
         Key(Qt::Key_Return);
       },
       "text exercise");
  Then([] { return ExerciseList() != nullptr && !Active<TTextEvent>(); },
       [] {
         EXPECT_TRUE(ExerciseList()->List->IsDone(4));
         EXPECT_TRUE(ChapterStgs->ErrorsLbl->toolTip().startsWith(QStringLiteral("Accuracy ")));
         Key(Qt::Key_Q, Qt::ControlModifier);
       },
       "lesson 1 after the text");
  RunProgram();
  EXPECT_TRUE(Terminating);
  EXPECT_FALSE(book()->Frame()->isVisible());
  EXPECT_EQ(sandbox.dialogs.Asked().size(), 0u);
}

TEST_F(KeyboardTest, CtrlQDuringATextAsksAsTheExitTabDoes) {
  Then([] { return Active<TCoverView>() != nullptr; }, [] { Key(Qt::Key_V, Qt::AltModifier); }, "log-on");
  Then([] { return Active<TWelcomeView>() != nullptr; }, [] { Key(Qt::Key_B, Qt::AltModifier); }, "welcome");
  Then([] { return Active<TStdProfileView>() != nullptr; }, [] { Key(Qt::Key_Return); }, "profile");
  Then([] { return ExerciseList() != nullptr; }, [] { Press('4'); }, "lesson 1");
  Then([] { return Active<TMessageEvent>() != nullptr; }, [] { Key(Qt::Key_Return); }, "message");
  Then([] { return Active<TTextEvent>() != nullptr; },
       [this] {
         Press('f');
         sandbox.dialogs.Answer(qx::DialogAnswer::No);
         Key(Qt::Key_Q, Qt::ControlModifier);
         EXPECT_TRUE(Asked("You haven't finished this exercise yet"));
         EXPECT_NE(Active<TTextEvent>(), nullptr);
         EXPECT_TRUE(book()->MenuExit->isVisible());
         // Alt+P pauses, as the underlined letter says.
         Key(Qt::Key_P, Qt::AltModifier);
         EXPECT_EQ(Active<TTextEvent>()->State, kStatePaused);
         sandbox.dialogs.Answer(qx::DialogAnswer::Yes);
         Key(Qt::Key_Q, Qt::ControlModifier);
       },
       "text");
  RunProgram();
  EXPECT_TRUE(Terminating);
}

TEST_F(KeyboardTest, TheNameListOpensOnTheNameInTheFieldAndF1OpensTheManual) {
  for (const char* name : {"Anna", "Bob", "Carl"}) StoreStudent(name);
  {
    TProgramSettings settings;
    Settings = &settings;
    settings.LoadSettings();
    settings.LastUser = "Carl";
    settings.SaveSettings();
    Settings = nullptr;
  }
  Then([] { return Active<TCoverView>() != nullptr; },
       [this] {
         QComboBox* field = book()->NameField;
         ASSERT_EQ(field->currentText(), QStringLiteral("Carl"));
         field->showPopup();
         EXPECT_EQ(field->view()->currentIndex().data().toString(), QStringLiteral("Carl"));
         field->hidePopup();
         field->setEditText(QStringLiteral("bob"));
         field->showPopup();
         EXPECT_EQ(field->view()->currentIndex().data().toString(), QStringLiteral("Bob"));
         field->hidePopup();
         field->setEditText(QStringLiteral("Dora"));
         field->showPopup();
         EXPECT_FALSE(field->view()->currentIndex().isValid());
         field->hidePopup();

         Key(Qt::Key_F1);
         ASSERT_EQ(sandbox.shell.opened.size(), 1u);
         EXPECT_NE(sandbox.shell.opened[0].find("help/index.html#topic100"), std::string::npos);
         Key(Qt::Key_Q, Qt::ControlModifier);
       },
       "log-on page");
  RunProgram();
}

TEST_F(KeyboardTest, TheBookScalesWithItsWindowAndClicksLandInBookPixels) {
  TBookWindow* window = forms.Window.get();
  struct Case {
    QSize area;
    QSize fitted;
  };
  const Case cases[] = {{{1554, 1200}, {1554, 1058}},
                        {{1920, 1048}, {1539, 1048}},
                        {{800, 600}, {800, 544}},
                        {{400, 300}, TBookWindow::MinimumBookSize()}};
  for (const Case& c : cases) EXPECT_EQ(TBookWindow::FittingSize(c.area), c.fitted) << c.area.width();

  book()->SetLayout(2);
  book()->SetButtons(TBookForm::kBeginB);
  int clicks = 0;
  book()->BeginB->OnClick = [&](QWidget*) { ++clicks; };
  window->show();
  QApplication::processEvents();  // it first fits the screen
  window->resize(700, 477);  // within the offscreen test screen
  QApplication::processEvents();
  EXPECT_NEAR(window->Scale(), 0.9, 0.002);
  EXPECT_EQ(book()->size(), QSize(777, 529));
  // The button keeps its book rectangle; the window shows it smaller.
  const QPoint inBook = book()->BeginB->mapTo(book(), book()->BeginB->rect().center());
  const QPoint onScreen = window->mapFromScene(QPointF(inBook));
  EXPECT_NEAR(onScreen.x(), 0.9 * inBook.x(), 2);
  QTest::mouseClick(window->viewport(), Qt::LeftButton, {}, onScreen);
  EXPECT_EQ(clicks, 1);
  book()->BeginB->OnClick = nullptr;
}

}  // namespace

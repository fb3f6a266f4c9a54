// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLabel>
#include <QTimer>
#include <QWidget>
#include <memory>

#include "platform/Dialogs.h"
#include "platform/QtPlatform.h"
#include "shell/Formview.h"
#include "support/Timing.h"

namespace {

// A view that records what happened to it and can refuse to close.
class ProbeView : public TFormView {
 public:
  bool abort = false;
  int abortCode = 0;
  bool veto = false;
  int shows = 0;
  int asked = 0;
  std::vector<int> pressed;
  QObject timers;  // timers aimed at this view die with it

  ProbeView() {
    OnCloseQuery = [this](TFormView*, bool& v) {
      ++asked;
      if (veto) v = true;
    };
  }
  bool Prepare() override {
    if (abort) ResultCode = abortCode;
    return abort;
  }
  void Show() override {
    TFormView::Show();
    ++shows;
  }
  void KeyPress(QObject* sender, unsigned char& key) override {
    TFormView::KeyPress(sender, key);
    if (key) pressed.push_back(key);
    if (key == 'x') key = 0;
  }
};

class FormViewTest : public ::testing::Test {
 protected:
  void SetUp() override { qx::InstallDialogs(&dialogs); }
  void TearDown() override { qx::InstallDialogs(nullptr); }
  qx::ScriptedDialogs dialogs;
};

// Ends a running view's loop from inside it, with a safety net so a broken
// loop cannot hang the test run.
void CloseLater(ProbeView& view, int code) {
  QTimer::singleShot(0, &view.timers, [&view, code] { view.SetResult(code); });
  QTimer::singleShot(3000, &view.timers, [&view] {
    if (view.InLoop) {
      view.OnCloseQuery = nullptr;
      bool v = false;
      view.Close(v);
    }
  });
}

}  // namespace

TEST_F(FormViewTest, AbortedPrepareReturnsAtOnceWithoutShowingOrLooping) {
  ProbeView view;
  view.abort = true;
  view.abortCode = 2;
  bool loopRan = false;
  QTimer::singleShot(0, [&] { loopRan = true; });
  CloseLater(view, 9);  // would end a loop that should not exist
  EXPECT_EQ(view.Execute(), 2);
  EXPECT_FALSE(loopRan);
  EXPECT_EQ(view.shows, 0);
  EXPECT_FALSE(view.Active);
  EXPECT_EQ(ActiveView, nullptr);
  QCoreApplication::processEvents();
}

TEST_F(FormViewTest, ExecuteRunsUntilAResultClosesTheView) {
  QWidget storage, page;
  auto* label = new QLabel(&storage);
  ProbeView view;
  TFormView* activeInside = nullptr;
  QTimer::singleShot(0, [&] {
    activeInside = ActiveView;
    EXPECT_TRUE(view.Active && view.Shown && view.InLoop);
    view.AddControl(label, &page);
    view.SetResult(3);
  });
  EXPECT_EQ(view.Execute(), 3);
  EXPECT_EQ(activeInside, &view);
  EXPECT_EQ(ActiveView, nullptr);
  EXPECT_FALSE(view.Active || view.Shown || view.InLoop);
  EXPECT_EQ(label->parentWidget(), &storage);
}

TEST_F(FormViewTest, AVetoFromAnyOfTheThreeKeepsAllThreeOpen) {
  struct Case {
    int vetoer;  // 0 the view, 1 its left page, 2 its right page
    int askedLeft, askedRight;
  };
  const Case cases[] = {{0, 0, 0}, {1, 1, 0}, {2, 1, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.vetoer);
    ProbeView view, left, right;
    view.LeftView = &left;
    view.RightView = &right;
    (c.vetoer == 0 ? view : c.vetoer == 1 ? left : right).veto = true;
    ASSERT_FALSE(view.Open());
    ASSERT_TRUE(left.Active && right.Active && left.NonModal && right.NonModal);
    view.SetResult(3);
    EXPECT_EQ(view.ResultCode, 0);
    EXPECT_TRUE(view.Active && left.Active && right.Active);
    EXPECT_TRUE(view.Shown && left.Shown && right.Shown);
    // Once somebody said no, nobody else is asked.
    EXPECT_EQ(left.asked, c.askedLeft);
    EXPECT_EQ(right.asked, c.askedRight);
    EXPECT_EQ(ActiveView, &view);

    left.veto = right.veto = view.veto = false;
    view.SetResult(4);
    EXPECT_EQ(view.ResultCode, 4);
    EXPECT_FALSE(view.Active || left.Active || right.Active);
    EXPECT_EQ(ActiveView, nullptr);
  }
}

TEST_F(FormViewTest, RestoreControlsReturnsEveryControlToItsFormerParent) {
  QWidget storage, panel(&storage), page;
  auto* a = new QLabel(QStringLiteral("a"), &panel);
  auto* b = new QLabel(QStringLiteral("b"), &panel);
  auto* hidden = new QLabel(QStringLiteral("hidden"), &panel);
  hidden->hide();
  auto* single = new QLabel(QStringLiteral("single"), &storage);
  a->move(10, 20);
  storage.hide();
  page.show();

  TFormView view;
  view.AddControl(nullptr, &page);
  view.AddControl(single, nullptr);
  EXPECT_TRUE(view.MovedControls.empty());
  view.MoveControls(&panel, &page);
  view.AddControl(single, &page);
  EXPECT_TRUE(panel.findChildren<QWidget*>().isEmpty());
  ASSERT_EQ(view.MovedControls.size(), 4u);
  EXPECT_EQ(view.MovedControls[0], a);  // first child first, so the stacking stays
  EXPECT_EQ(a->parentWidget(), &page);
  EXPECT_EQ(a->pos(), QPoint(10, 20));
  EXPECT_TRUE(a->isVisible());
  EXPECT_FALSE(hidden->isVisible());

  view.RestoreControls();
  EXPECT_TRUE(page.findChildren<QWidget*>().isEmpty());
  EXPECT_TRUE(view.MovedControls.empty() && view.OldParents.empty());
  for (QWidget* w : {static_cast<QWidget*>(a), static_cast<QWidget*>(b), static_cast<QWidget*>(hidden)})
    EXPECT_EQ(w->parentWidget(), &panel);
  EXPECT_EQ(single->parentWidget(), &storage);
  // Shown again with its form, except the one that was hidden.
  EXPECT_TRUE(a->isVisibleTo(&storage));
  EXPECT_FALSE(hidden->isVisibleTo(&storage));
}

TEST_F(FormViewTest, AControlWhoseFormIsGoneLeavesThePageHidden) {
  QWidget page;
  auto storage = std::make_unique<QWidget>();
  auto* stray = new QLabel(storage.get());
  QPointer<QLabel> kept(stray);
  TFormView view;
  view.AddControl(stray, &page);
  storage.reset();
  view.RestoreControls();
  ASSERT_TRUE(kept);
  EXPECT_TRUE(kept->isHidden());
}

TEST_F(FormViewTest, ClosingAnInnerViewGivesTheActiveViewBackToTheOuter) {
  ProbeView outer, inner;
  TFormView* activeAfterInner = nullptr;
  QTimer::singleShot(0, [&] {
    QTimer::singleShot(0, [&] { inner.SetResult(1); });
    inner.Execute();
    activeAfterInner = ActiveView;
    outer.SetResult(2);
  });
  EXPECT_EQ(outer.Execute(), 2);
  EXPECT_EQ(activeAfterInner, &outer);
  EXPECT_FALSE(CloseActiveView());
}

TEST_F(FormViewTest, CloseActiveViewReportsTheVeto) {
  ProbeView view;
  EXPECT_FALSE(CloseActiveView());
  view.Open();
  view.veto = true;
  EXPECT_TRUE(CloseActiveView());
  EXPECT_TRUE(view.Active);
  view.veto = false;
  EXPECT_FALSE(CloseActiveView());
  EXPECT_FALSE(view.Active);
}

TEST_F(FormViewTest, KeysGoOnToThePageViewsOnlyFromTheModalView) {
  ProbeView view, left, right;
  view.LeftView = &left;
  view.RightView = &right;
  view.Open();
  unsigned char key = 'a';
  view.KeyPress(nullptr, key);
  EXPECT_EQ(left.pressed, std::vector<int>{'a'});
  EXPECT_EQ(right.pressed, std::vector<int>{'a'});
  EXPECT_EQ(view.pressed, std::vector<int>{'a'});
  // The left page consumes "x": nobody after it sees the key.
  key = 'x';
  view.KeyPress(nullptr, key);
  EXPECT_EQ(key, 0);
  EXPECT_EQ(right.pressed.size(), 1u);
  EXPECT_EQ(view.pressed.size(), 1u);
  // A page view does not forward.
  left.LeftView = &right;
  key = 'b';
  left.KeyPress(nullptr, key);
  EXPECT_EQ(right.pressed.size(), 1u);
  bool veto = false;
  view.Close(veto);
}

TEST_F(FormViewTest, DestroyingAnActiveViewWarnsAndGivesItsControlsBack) {
  QWidget storage, page;
  auto* label = new QLabel(&storage);
  auto view = std::make_unique<ProbeView>();
  view->Open();
  view->AddControl(label, &page);
  view.reset();
  ASSERT_EQ(dialogs.Asked().size(), 1u);
  EXPECT_EQ(dialogs.Asked()[0].text, "Destroying an active view!");
  EXPECT_EQ(dialogs.Asked()[0].icon, qx::DialogIcon::Warning);
  EXPECT_EQ(label->parentWidget(), &storage);
  EXPECT_EQ(ActiveView, nullptr);

  TFormView closed;
  closed.Open();
  bool veto = false;
  closed.Close(veto);
  dialogs.ClearAsked();
}

TEST_F(FormViewTest, AnOpenViewWaitsWithoutUsingTheProcessor) {
  ProbeView view;
  QTimer::singleShot(400, &view.timers, [&] { view.SetResult(1); });
  const double before = qxtest::ThreadCpuMs();
  EXPECT_EQ(view.Execute(), 1);
  // A polling loop would keep this thread busy for a good share of the
  // 400 ms even on a loaded machine.
  EXPECT_LT(qxtest::ThreadCpuMs() - before, 60.0);
}

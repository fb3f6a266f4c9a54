// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QApplication>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "shell/ArtImage.h"
#include "shell/Bookfrm.h"
#include "shell/Formview.h"
#include "shell/naviform.h"
#include "storage/PrgSetup.h"

namespace {

struct Stroke {
  int key;
  Qt::KeyboardModifiers shift;
};

// A view that logs the keys the book hands it and consumes what it is told.
class KeyView : public TFormView {
 public:
  std::vector<Stroke> downs;
  std::vector<int> presses;
  int consumeDown = -1;
  int consumePress = -1;

  void KeyDown(QObject* sender, int& key, Qt::KeyboardModifiers shift) override {
    // The test driver presses the modifier keys themselves first.
    if (key == Qt::Key_Control || key == Qt::Key_Shift || key == Qt::Key_Alt || key == Qt::Key_AltGr ||
        key == Qt::Key_Meta)
      return;
    downs.push_back({key, shift});
    if (key == consumeDown) key = 0;
  }
  void KeyPress(QObject* sender, unsigned char& key) override {
    presses.push_back(key);
    if (key == consumePress) key = 0;
  }
};

class BookTest : public ::testing::Test {
 protected:
  void SetUp() override {
    book.show();
    QApplication::setActiveWindow(&book);
    edit = new QLineEdit(book.WidePage);
    book.SetLayout(1);
    edit->show();
    edit->setFocus();
    QApplication::processEvents();
  }
  TBookForm book;
  QLineEdit* edit = nullptr;
};

std::vector<std::string> VisibleButtons(const TBookForm& book) {
  std::vector<std::string> names;
  for (TImage* b : {book.BeginB, book.Next, book.Back, book.Cancel, book.SkipF, book.SkipB})
    if (b->isVisibleTo(book.Book)) names.push_back(b->objectName().toStdString());
  return names;
}

}  // namespace

TEST_F(BookTest, ButtonMaskShowsExactlyItsButtons) {
  struct Case {
    int mask;
    std::vector<std::string> shown;
  };
  const Case cases[] = {
      {10, {"Next", "Cancel"}},
      {1, {"BeginB"}},
      {6, {"Next", "Back"}},
      {63, {"BeginB", "Next", "Back", "Cancel", "SkipF", "SkipB"}},
      {0, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mask);
    book.SetButtons(c.mask);
    EXPECT_EQ(book.ButtonMask(), c.mask);
    EXPECT_EQ(VisibleButtons(book), c.shown);
    EXPECT_EQ(book.BtnConsole->isVisibleTo(&book), c.mask != 0);
    // The shown buttons stand side by side inside the console.
    int right = 0;
    for (TImage* b : {book.SkipB, book.Back, book.Cancel, book.BeginB, book.Next, book.SkipF}) {
      if (!b->isVisibleTo(book.Book)) continue;
      EXPECT_GE(b->x(), right);
      EXPECT_LE(b->geometry().right(), book.BtnConsole->width());
      right = b->geometry().right();
    }
  }
}

TEST_F(BookTest, LayoutsShowTheirPanels) {
  struct Case {
    int layout;
    bool book, cover, wide, left, right, separator;
  };
  const Case cases[] = {{0, false, true, false, false, false, false},
                        {1, true, false, true, false, false, false},
                        {2, true, false, false, true, true, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.layout);
    book.SetLayout(c.layout);
    EXPECT_EQ(book.Book->isVisible(), c.book);
    EXPECT_EQ(book.BookCover->isVisible(), c.cover);
    if (!c.book) continue;
    EXPECT_EQ(book.WidePage->isVisible(), c.wide);
    EXPECT_EQ(book.LeftPage->isVisible(), c.left);
    EXPECT_EQ(book.RightPage->isVisible(), c.right);
    EXPECT_EQ(book.PageSeparator->isVisible(), c.separator);
  }
  EXPECT_EQ(book.WidePage->geometry(), QRect(28, 74, 718, 428));
  EXPECT_EQ(book.LeftPage->geometry(), QRect(28, 74, 338, 428));
  EXPECT_EQ(book.RightPage->geometry(), QRect(405, 74, 338, 428));
}

TEST_F(BookTest, ConsolePictureOneShowsTheExerciseConsole) {
  book.SetConsolePicture(1);
  EXPECT_TRUE(book.ConsolePic1->isVisibleTo(book.BtnConsole));
  EXPECT_FALSE(book.ConsolePic2->isVisibleTo(book.BtnConsole));
  book.SetConsolePicture(7);
  EXPECT_EQ(book.ConsolePicture(), 2);
  EXPECT_TRUE(book.ConsolePic2->isVisibleTo(book.BtnConsole));
  EXPECT_FALSE(book.ConsolePic1->isVisibleTo(book.BtnConsole));
}

TEST_F(BookTest, CreatedWithTheCaptionsAndTheBookSize) {
  TBookForm fresh;
  EXPECT_EQ(fresh.size(), QSize(777, 529));
  EXPECT_EQ(fresh.Book->pos(), QPoint(0, 0));
  EXPECT_EQ(fresh.LoadLabel->text(), QStringLiteral("Loading, please wait..."));
  EXPECT_EQ(fresh.LogLabel->text(), QStringLiteral("Enter your name:"));
  EXPECT_EQ(fresh.LogVisitor->text(), QStringLiteral("&Visitor"));
  EXPECT_EQ(fresh.UserYes->text(), QStringLiteral("&Yes"));
  EXPECT_EQ(fresh.UserCancel->text(), QStringLiteral("&Cancel"));
  EXPECT_EQ(fresh.Title->font().pixelSize(), 29);
  EXPECT_TRUE(fresh.Title->font().bold());
  for (const char* name : {"BackGround32", "Book", "MenuGuided", "MenuRevision", "MenuInfo", "MenuLogo",
                           "MenuOptions", "MenuExit", "HideSettings", "WidePage", "LeftPage", "RightPage",
                           "PageSeparator", "TitleConsole", "Title", "BtnConsole", "ConsolePic1",
                           "ConsolePic2", "Next", "Back", "Cancel", "SkipF", "SkipB", "BeginB", "BookCover",
                           "CoverPic", "LogLabel", "NameField", "LogOK", "LogVisitor", "LoadLabel",
                           "NewUserLbl", "UserYes", "UserCancel"})
    EXPECT_NE(fresh.findChild<QWidget*>(QString::fromLatin1(name)), nullptr) << name;
}

TEST_F(BookTest, PanelsStayCentredAndTheMaximisedFlagFollowsTheHeight) {
  struct Case {
    QSize client;
    QPoint book;
  };
  const Case cases[] = {{{1000, 700}, {111, 85}}, {{777, 529}, {0, 0}}, {{700, 500}, {-38, -14}}};
  int moved = 0;
  book.OnReposition = [&] { ++moved; };
  for (const Case& c : cases) {
    book.resize(c.client);
    EXPECT_EQ(book.Book->pos(), c.book);
    EXPECT_EQ(book.BookCover->pos(), c.book);
    EXPECT_EQ(book.BackGround32->geometry(), book.rect());
  }
  EXPECT_EQ(moved, 3);
  EXPECT_EQ(Settings, nullptr);  // without settings nothing is written
}

TEST_F(BookTest, KeysReachTheRoutedViewAsKeyDownsAndCharacters) {
  KeyView view;
  book.RouteKeys(&view);
  struct Case {
    Qt::Key key;
    QString text;
    Qt::KeyboardModifiers shift;
    std::vector<int> presses;
  };
  const Case cases[] = {
      {Qt::Key_A, QStringLiteral("a"), Qt::NoModifier, {'a'}},
      {Qt::Key_Return, QStringLiteral("\r"), Qt::NoModifier, {13}},
      {Qt::Key_Enter, QString(), Qt::KeypadModifier, {13}},
      {Qt::Key_Backspace, QStringLiteral("\b"), Qt::NoModifier, {8}},
      {Qt::Key_Escape, QString(), Qt::NoModifier, {27}},
      {Qt::Key_Adiaeresis, QString::fromUtf8("\u00e4"), Qt::NoModifier, {0xE4}},
      {Qt::Key_E, QString::fromUtf8("\u20ac"), Qt::GroupSwitchModifier, {0x80}},
      {Qt::Key_W, QString::fromUtf8("\u03c9"), Qt::NoModifier, {}},  // no Windows-1252 code
      {Qt::Key_N, QStringLiteral("n"), Qt::AltModifier, {}},
      {Qt::Key_Left, QString(), Qt::NoModifier, {}},
      {Qt::Key_Delete, QStringLiteral("\x7f"), Qt::NoModifier, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.key);
    view.downs.clear();
    view.presses.clear();
    QTest::sendKeyEvent(QTest::Press, edit, c.key, c.text, c.shift);
    QTest::sendKeyEvent(QTest::Release, edit, c.key, c.text, c.shift);
    ASSERT_EQ(view.downs.size(), 1u);
    EXPECT_EQ(view.downs[0].key, c.key);
    EXPECT_EQ(view.downs[0].shift, c.shift);
    EXPECT_EQ(view.presses, c.presses);
  }
  book.ReleaseKeys();
  EXPECT_FALSE(book.OnKeyDown || book.OnKeyPress || book.OnKeyUp);
}

TEST_F(BookTest, ConsumedKeysStopAndOthersGoOnToTheFocusedControl) {
  KeyView view;
  book.RouteKeys(&view);
  view.consumePress = 'x';
  view.consumeDown = Qt::Key_Z;
  QTest::keyClicks(edit, QStringLiteral("axbz"));
  EXPECT_EQ(edit->text(), QStringLiteral("ab"));
  EXPECT_EQ(view.presses, (std::vector<int>{'a', 'x', 'b'}));  // z never became a character
  book.ReleaseKeys();
  QTest::keyClicks(edit, QStringLiteral("x"));
  EXPECT_EQ(edit->text(), QStringLiteral("abx"));
}

TEST_F(BookTest, AKeyTravellingUpToTheParentsIsPreviewedOnce) {
  auto* plain = new QWidget(book.WidePage);  // ignores keys, so they go to its parents
  plain->setFocusPolicy(Qt::StrongFocus);
  plain->show();
  plain->setFocus();
  KeyView view;
  book.RouteKeys(&view);
  QTest::keyClick(plain, Qt::Key_Q);
  QTest::keyClick(plain, Qt::Key_Q);
  EXPECT_EQ(view.downs.size(), 2u);
  EXPECT_EQ(view.presses, (std::vector<int>{'q', 'q'}));
}

TEST_F(BookTest, CtrlTabTurnsTheSectionsAndIsConsumed) {
  int next = 0, previous = 0;
  book.OnNextSection = [&] { ++next; };
  book.OnPrevSection = [&] { ++previous; };
  KeyView view;
  book.RouteKeys(&view);
  QTest::keyClick(edit, Qt::Key_Tab, Qt::ControlModifier);
  QTest::keyClick(edit, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
  QTest::keyClick(edit, Qt::Key_Tab, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(next, 1);
  EXPECT_EQ(previous, 2);
  EXPECT_TRUE(view.downs.empty());
  book.OnNextSection = nullptr;
  QTest::keyClick(edit, Qt::Key_Tab, Qt::ControlModifier);  // no hook: still swallowed
  EXPECT_TRUE(view.downs.empty());
}

TEST_F(BookTest, ReleasesAndComposedTextReachTheirHooks) {
  std::vector<int> ups;
  book.OnKeyUp = [&](int key, Qt::KeyboardModifiers) { ups.push_back(key); };
  std::vector<int> presses;
  book.OnKeyPress = [&](unsigned char& key) {
    presses.push_back(key);
    key = 0;
  };
  QTest::keyClick(edit, Qt::Key_S);
  EXPECT_EQ(ups, std::vector<int>{Qt::Key_S});
  // A dead key followed by a letter commits the composed character.
  QInputMethodEvent composed;
  composed.setCommitString(QString::fromUtf8("\u00e9"));
  QApplication::sendEvent(edit, &composed);
  EXPECT_EQ(presses, (std::vector<int>{'s', 0xE9}));
  EXPECT_TRUE(edit->text().isEmpty());
}

TEST_F(BookTest, HooksThatClearThemselvesWhileRunningAreSafe) {
  int calls = 0;
  book.OnKeyDown = [&, guard = std::make_shared<int>(7)](int& key, Qt::KeyboardModifiers) {
    book.ReleaseKeys();  // a view closing on this very key
    calls += *guard;
    key = 0;
  };
  QTest::keyClick(edit, Qt::Key_Escape);
  EXPECT_EQ(calls, 7);
  EXPECT_FALSE(book.OnKeyDown);
}

TEST_F(BookTest, CloseQueryCanKeepTheWindowOpen) {
  bool allow = false;
  int asked = 0;
  book.OnCloseQuery = [&] {
    ++asked;
    return allow;
  };
  EXPECT_FALSE(book.close());
  EXPECT_TRUE(book.isVisible());
  allow = true;
  EXPECT_TRUE(book.close());
  EXPECT_EQ(asked, 2);
}

TEST_F(BookTest, GoHomeCallsItsHook) {
  int home = 0;
  book.GoHome();
  book.OnGoHome = [&] { ++home; };
  book.GoHome();
  EXPECT_EQ(home, 1);
}

TEST_F(BookTest, TitlePlateFitsItsTitle) {
  book.SetTitle("Course");
  EXPECT_EQ(book.TitleConsole->width(), 360);
  book.SetTitle("Lesson 12: Numbers, symbols and the keys around them \xE4");
  EXPECT_EQ(book.TitleConsole->width(), 718);
  EXPECT_TRUE(book.Title->text().endsWith(QChar(0x2026)));
  EXPECT_NEAR(book.TitleConsole->geometry().center().x(), book.Book->width() / 2, 1);
}

TEST_F(BookTest, NavigationSlidesTheBook) {
  TNavigate navigate(&book);
  EXPECT_EQ(navigate.size(), QSize(145, 25));
  EXPECT_EQ(navigate.windowTitle(), QStringLiteral("Navigation"));
  book.resize(1000, 700);
  int moved = 0;
  book.OnReposition = [&] { ++moved; };
  navigate.Left->click();
  EXPECT_EQ(book.Book->x(), 0);
  navigate.Right->click();
  EXPECT_EQ(book.Book->x(), 223);
  navigate.Center->click();
  EXPECT_EQ(book.Book->x(), 111);
  EXPECT_EQ(book.Book->y(), 85);
  EXPECT_EQ(moved, 3);
  EXPECT_EQ(navigate.Left->text(), QStringLiteral("Left"));
}

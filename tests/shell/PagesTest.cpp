// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "FlowSandbox.h"
#include "shell/AboutStg.h"
#include "shell/Addvstg.h"
#include "shell/ArtImage.h"
#include "shell/Bookfrm.h"
#include "shell/Guidedst.h"
#include "shell/Main.h"
#include "shell/MainPlaceholder.h"
#include "shell/Welcstrg.h"
#include "storage/PrgSetup.h"
#include "storage/User.h"

namespace {

// Saves what the student would see when QX_RENDER_DIR names a folder.
void Save(QWidget* widget, const char* name) {
  const QByteArray dir = qgetenv("QX_RENDER_DIR");
  if (dir.isEmpty()) return;
  QDir().mkpath(QString::fromLocal8Bit(dir));
  widget->grab().save(QString::fromLocal8Bit(dir) + QLatin1Char('/') + QLatin1String(name));
}

class PagesTest : public ::testing::Test {
 public:
  void SetUp() override {
    settings = std::make_unique<TProgramSettings>();
    Settings = settings.get();
    Settings->ProductVersion = "5.02";
    Settings->BuildNumber = "311";
    Settings->CompileDate = "26-11-30";
    Settings->PlatformWord = "64Bit";
    Settings->LoadSettings();
    book.show();
    QApplication::setActiveWindow(&book);
    sandbox.dialogs.ClearAsked();
  }
  void TearDown() override { Settings = nullptr; }

  // Runs the view with the action done once it waits; its result.
  int RunWith(TFormView& view, const std::function<void()>& action) {
    qxtest::Script script;
    script.When([&] { return view.Active; }, action, "view opens");
    script.Start();
    const int result = view.Execute();
    EXPECT_EQ(script.Failed(), "");
    return result;
  }

  void Click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton); }
  void Alt(Qt::Key key) { QTest::keyClick(&book, key, Qt::AltModifier); }
  void Key(Qt::Key key) { QTest::keyClick(&book, key); }

  qxtest::FlowSandbox sandbox;
  std::unique_ptr<TProgramSettings> settings;
  TBookForm book;
  TWelcomeStg welcome;
  TAboutStorage about;
  TAddViewsStg addViews;
};

TEST_F(PagesTest, WelcomePageOffersBothWaysAndGivesItsControlsBack) {
  struct Case {
    const char* what;
    std::function<void(PagesTest&)> act;
    int result;
  };
  const Case cases[] = {
      {"click Begin Studying", [](PagesTest& t) { t.Click(t.welcome.StudyingMask); }, 1},
      {"click Introduction", [](PagesTest& t) { t.Click(t.welcome.IntroMask); }, 2},
      {"Alt+B", [](PagesTest& t) { t.Alt(Qt::Key_B); }, 1},
      {"Alt+I", [](PagesTest& t) { t.Alt(Qt::Key_I); }, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TWelcomeView view("build 311 64Bit");
    const int result = RunWith(view, [&] {
      EXPECT_EQ(book.Layout(), 1);
      EXPECT_FALSE(book.TitleConsole->isVisible());
      EXPECT_EQ(welcome.WelcomePanel->parentWidget(), book.WidePage);
      EXPECT_FALSE(welcome.WelcomePic->Empty());
      EXPECT_EQ(welcome.BuildLabel->text(), QStringLiteral("build 311 64Bit"));
      Save(&book, "welcome.png");
      c.act(*this);
    });
    EXPECT_EQ(result, c.result);
    EXPECT_EQ(welcome.WelcomePanel->parentWidget(), &welcome);
    EXPECT_TRUE(welcome.WelcomePic->Empty());
    EXPECT_TRUE(book.TitleConsole->isVisible());
    EXPECT_EQ(book.Layout(), 2);
    EXPECT_FALSE(book.OnKeyDown);
  }
  EXPECT_EQ(welcome.IntroMask->Caption(), QStringLiteral("&Introduction"));
  EXPECT_EQ(welcome.StudyingMask->Caption(), QStringLiteral("&Begin Studying"));
  EXPECT_EQ(welcome.WelcomeLabel->text(), QStringLiteral("Welcome to"));
}

TEST_F(PagesTest, GoodbyePageRestartsOrGoesBackToTheLastLesson) {
  struct Case {
    const char* what;
    std::function<void(PagesTest&)> act;
    int result;
  };
  const Case cases[] = {
      {"click Restart", [](PagesTest& t) { t.Click(t.welcome.Restart); }, 1},
      {"click back", [](PagesTest& t) { t.Click(t.book.SkipB); }, 2},
      {"Alt+R", [](PagesTest& t) { t.Alt(Qt::Key_R); }, 1},
      {"Alt+K", [](PagesTest& t) { t.Alt(Qt::Key_K); }, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TGoodbyeView view;
    const int result = RunWith(view, [&] {
      EXPECT_EQ(book.Title->text(), QStringLiteral("Course Completed"));
      EXPECT_EQ(book.Layout(), 1);
      EXPECT_TRUE(book.SkipB->isVisible());
      EXPECT_EQ(book.ButtonMask(), TBookForm::kSkipB);
      EXPECT_FALSE(welcome.GoodbyePic->Empty());
      Save(&book, "goodbye.png");
      c.act(*this);
    });
    EXPECT_EQ(result, c.result);
    EXPECT_EQ(welcome.GoodbyePanel->parentWidget(), &welcome);
    EXPECT_FALSE(book.BtnConsole->isVisible());
    EXPECT_FALSE(book.SkipB->OnClick);
  }
  EXPECT_EQ(welcome.Restart->Caption(), QStringLiteral("&Restart Studying"));
}

TEST_F(PagesTest, CoverPageTakesTheNameAsTyped) {
  ASSERT_NE(CreateUser("Maria"), nullptr);
  ASSERT_NE(CreateUser("anna"), nullptr);
  sandbox.dialogs.ClearAsked();
  Settings->LastUser = "Maria";
  struct Case {
    const char* typed;
    std::function<void(PagesTest&)> act;
    int result;
    const char* name;
  };
  const Case cases[] = {
      {"  john SMITH  ", [](PagesTest& t) { t.Click(t.book.LogOK); }, 1, "John Smith"},
      {"mary ann lee", [](PagesTest& t) { t.Key(Qt::Key_Return); }, 1, "Mary Ann lee"},
      {"   ", [](PagesTest& t) { t.Click(t.book.LogOK); }, 1, "Visitor"},
      {"Maria", [](PagesTest& t) { t.Click(t.book.LogVisitor); }, 2, "Visitor"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    TCoverView view;
    const int result = RunWith(view, [&] {
      EXPECT_EQ(book.Layout(), 0);
      EXPECT_FALSE(book.LoadLabel->isVisible());
      EXPECT_TRUE(book.NameField->isVisible());
      ASSERT_EQ(book.NameField->count(), 2);
      EXPECT_EQ(book.NameField->itemText(0), QStringLiteral("anna"));
      EXPECT_EQ(book.NameField->itemText(1), QStringLiteral("Maria"));
      EXPECT_EQ(book.NameField->currentText(), QStringLiteral("Maria"));
      Save(&book, "cover.png");
      book.NameField->setEditText(QString::fromLatin1(c.typed));
      c.act(*this);
    });
    EXPECT_EQ(result, c.result);
    EXPECT_EQ(view.UserName, c.name);
    EXPECT_FALSE(book.NameField->isVisible());
  }
  EXPECT_TRUE(sandbox.dialogs.Asked().empty());
}

TEST_F(PagesTest, CoverPageOffersNoNamesWhenTheListIsDisabled) {
  ASSERT_NE(CreateUser("Maria"), nullptr);
  Settings->LastUser = "Maria";
  Settings->DisableUserList = true;
  TCoverView view;
  const int result = RunWith(view, [&] {
    EXPECT_EQ(book.NameField->count(), 0);
    EXPECT_EQ(book.NameField->currentText(), QString());
    view.SetResult(1);
  });
  EXPECT_EQ(result, 1);
  EXPECT_EQ(view.UserName, "Visitor");
}

TEST_F(PagesTest, NewUserPageAsksWithTheName) {
  struct Case {
    const char* what;
    std::function<void(PagesTest&)> act;
    int result;
  };
  const Case cases[] = {
      {"Yes", [](PagesTest& t) { t.Click(t.book.UserYes); }, 1},
      {"Cancel", [](PagesTest& t) { t.Click(t.book.UserCancel); }, 2},
      {"Enter", [](PagesTest& t) { t.Key(Qt::Key_Return); }, 1},
      {"Esc", [](PagesTest& t) { t.Key(Qt::Key_Escape); }, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TNewUserView view("Anna Lindqvist");
    const int result = RunWith(view, [&] {
      EXPECT_EQ(book.Layout(), 0);
      EXPECT_EQ(book.NewUserLbl->text(), QStringLiteral("Anna Lindqvist, are you a new user?"));
      EXPECT_TRUE(book.UserYes->isVisible());
      Save(&book, "newuser.png");
      c.act(*this);
    });
    EXPECT_EQ(result, c.result);
    EXPECT_FALSE(book.UserYes->isVisible());
    EXPECT_FALSE(book.NewUserLbl->isVisible());
  }
}

// A page that puts every kind of hook on the book.
class HookingView : public TFormView {
 public:
  explicit HookingView(int& calls) : calls_(calls) {}
  void Show() override {
    TFormView::Show();
    BookForm->RouteKeys(this);
    BookForm->HookKeyUp(this, [this](int, Qt::KeyboardModifiers) { ++calls_; });
    BookForm->HookReposition(this, [this] { ++calls_; });
    HookClick(BookForm->Next, [this](QWidget*) { ++calls_; });
    QObject::connect(BookForm->LogOK, &QPushButton::clicked, Context(), [this] { ++calls_; });
  }
  void KeyDown(QObject*, int& key, Qt::KeyboardModifiers) override { ++calls_; }

 private:
  int& calls_;
};

// A page destroyed while open (an error path, a section change) takes
// every hook and connection with it: keys and clicks afterwards reach
// nothing.
TEST_F(PagesTest, AViewDestroyedWhileOpenLeavesNoHooksBehind) {
  int calls = 0;
  struct Case {
    const char* what;
    std::function<std::unique_ptr<TFormView>()> make;
  };
  const Case cases[] = {
      {"cover", [] { return std::make_unique<TCoverView>(); }},
      {"new user", [] { return std::make_unique<TNewUserView>("Anna"); }},
      {"goodbye", [] { return std::make_unique<TGoodbyeView>(); }},
      {"every hook", [&] { return std::make_unique<HookingView>(calls); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto view = c.make();
    view->Open();
    ASSERT_TRUE(book.OnKeyDown);
    sandbox.dialogs.ClearAsked();
    view.reset();
    ASSERT_EQ(sandbox.dialogs.Asked().size(), 1u);
    EXPECT_EQ(sandbox.dialogs.Asked()[0].text, "Destroying an active view!");
    EXPECT_EQ(ActiveView, nullptr);
    EXPECT_FALSE(book.OnKeyDown);
    EXPECT_FALSE(book.OnKeyPress);
    EXPECT_FALSE(book.OnKeyUp);
    EXPECT_FALSE(book.OnReposition);
    for (TImage* image : {book.Next, book.SkipB, static_cast<TImage*>(welcome.Restart)}) EXPECT_FALSE(image->OnClick);
    for (QPushButton* button : {book.LogOK, book.LogVisitor, book.UserYes, book.UserCancel})
      EXPECT_FALSE(QObject::disconnect(button, &QPushButton::clicked, nullptr, nullptr));
    // And the student goes on pressing and clicking.
    Key(Qt::Key_Return);
    Alt(Qt::Key_R);
    book.PlaceBook(3);
    Click(book.Next);
    Click(book.SkipB);
    EXPECT_EQ(sandbox.dialogs.Asked().size(), 1u);
  }
  EXPECT_EQ(calls, 0);
}

TEST_F(PagesTest, AboutPageShowsTheVersionAndOpensLinksThroughTheShell) {
  int homes = 0;
  book.OnGoHome = [&] {
    ++homes;
    CloseActiveView();
  };
  TAbout page;
  RunWith(page, [&] {
    EXPECT_EQ(book.Title->text(), QStringLiteral("About Quillbrandex"));
    EXPECT_EQ(about.VersionLbl->text(), QStringLiteral("Version 5.02"));
    EXPECT_EQ(about.BuildLbl->text(), QStringLiteral("build 311 64Bit, compiled 26-11-30"));
    EXPECT_TRUE(about.ContactPanel->isVisible());
    EXPECT_EQ(about.AboutL->parentWidget(), book.LeftPage);
    Save(&book, "about.png");
    emit about.WebLink->linkActivated(QString::fromLatin1(kWebAddress));
    sandbox.shell.result = qx::kShellNoAssociation;
    emit about.MailLink->linkActivated(QString::fromLatin1(kMailAddress));
    Click(book.Back);
  });
  EXPECT_EQ(homes, 1);
  EXPECT_EQ(sandbox.shell.opened, (std::vector<std::string>{kWebAddress, kMailAddress}));
  ASSERT_EQ(sandbox.dialogs.Asked().size(), 1u);
  EXPECT_NE(sandbox.dialogs.Asked()[0].text.find("#-5452"), std::string::npos);
  EXPECT_EQ(about.AboutL->parentWidget(), &about);

  // Links leave with the network's wishes; Esc goes home as Back does.
  Settings->RemoveInternetLinks = true;
  RunWith(page, [&] {
    EXPECT_FALSE(about.ContactPanel->isVisible());
    Key(Qt::Key_Escape);
  });
  EXPECT_EQ(homes, 2);
}

TEST_F(PagesTest, PlaceholderPageShowsItsTitleAndGoesHome) {
  int homes = 0;
  book.OnGoHome = [&] {
    ++homes;
    CloseActiveView();
  };
  TSectionPlaceholder page("Statistics");
  RunWith(page, [&] {
    EXPECT_EQ(book.Title->text(), QStringLiteral("Statistics"));
    EXPECT_EQ(book.Layout(), 1);
    EXPECT_EQ(book.ButtonMask(), TBookForm::kBack);
    Save(&book, "placeholder.png");
    Key(Qt::Key_Escape);
  });
  EXPECT_EQ(homes, 1);
  EXPECT_EQ(book.ButtonMask(), 0);
}

TEST_F(PagesTest, ProfileOffersTheCoursesAndStoresTheChoice) {
  TUser student("Anna");
  User = &student;
  Settings->LessonDuration = 0;
  TStdProfileView view;
  const int result = RunWith(view, [&] {
    EXPECT_EQ(book.Title->text(), QStringLiteral("Studying Profile"));
    EXPECT_EQ(book.ButtonMask(), TBookForm::kNext | TBookForm::kBack);
    EXPECT_EQ(addViews.WizardL->parentWidget(), book.LeftPage);
    // Both shipped courses, the default one chosen.
    ASSERT_EQ(addViews.ContentsList->count(), 2);
    const auto beginner =
        addViews.ContentsList->findItems(QStringLiteral("Beginner's Course (US keyboard)"), Qt::MatchExactly);
    ASSERT_EQ(beginner.size(), 1);
    EXPECT_EQ(addViews.ContentsList->currentRow(), addViews.ContentsList->row(beginner[0]));
    EXPECT_EQ(addViews.ContentsList->findItems(QStringLiteral("Advanced Course (US keyboard)"), Qt::MatchExactly).size(),
              1);
    EXPECT_TRUE(addViews.DescriptionLbl->text().startsWith(QStringLiteral("Eighteen lessons")));
    // The course suggests 35 minutes when the settings leave it open.
    EXPECT_TRUE(addViews.Time35->isChecked());
    EXPECT_EQ(addViews.LessonGraph->Progress(), 35);
    ASSERT_NE(view.Canvas, nullptr);
    EXPECT_EQ(view.Canvas->Text().rfind("Lesson 1: Home Keys F, J, D and K\r", 0), 0u);
    EXPECT_FALSE(addViews.ProgramLocked->isVisible());
    Save(&book, "profile.png");
    addViews.TimeFree->setChecked(true);
    EXPECT_EQ(addViews.LessonGraph->Progress(), 0);
    QTest::mouseClick(book.Next, Qt::LeftButton);
  });
  EXPECT_EQ(result, 1);
  EXPECT_EQ(student.ContentsFile, "Beginner.cnt");
  EXPECT_EQ(student.LessonDuration, 0);
  EXPECT_EQ(addViews.WizardL->parentWidget(), &addViews);
  EXPECT_EQ(book.ButtonMask(), 0);

  // Back leaves the record as it was.
  student.ContentsFile.clear();
  EXPECT_EQ(RunWith(view, [&] { Key(Qt::Key_Escape); }), 2);
  EXPECT_EQ(student.ContentsFile, "");
  User = nullptr;
}

TEST_F(PagesTest, ProfileFollowsTheSharedSettings) {
  TUser student("Anna");
  User = &student;
  Settings->LessonDuration = 25;
  Settings->ContentsFromCommon = true;
  Settings->DurationFromCommon = true;
  TStdProfileView view;
  const int result = RunWith(view, [&] {
    // A fixed lesson length is never changed by the course's own suggestion.
    EXPECT_TRUE(addViews.Time25->isChecked());
    EXPECT_FALSE(addViews.ContentsList->isEnabled());
    EXPECT_TRUE(addViews.ProgramLocked->isVisible());
    EXPECT_TRUE(addViews.TimeLocked->isVisible());
    for (QRadioButton* b : {addViews.Time25, addViews.Time35, addViews.Time45, addViews.TimeFree})
      EXPECT_FALSE(b->isEnabled());
    Save(&book, "profile-locked.png");
    Key(Qt::Key_Return);
  });
  EXPECT_EQ(result, 1);
  EXPECT_EQ(student.LessonDuration, 25);
  User = nullptr;
}

TEST_F(PagesTest, NoTimeLimitFromTheSharedSettings) {
  sandbox.SetShared("General Settings", "LessonDuration", "-1");
  settings = std::make_unique<TProgramSettings>();
  Settings = settings.get();
  Settings->LoadSettings();
  EXPECT_EQ(Settings->LessonDuration, -1);
  EXPECT_TRUE(Settings->DurationFromCommon);

  TUser student("Anna");
  EXPECT_EQ(student.LessonDuration, 45);  // a new student's lesson under that rule
  User = &student;
  TStdProfileView view;
  const int result = RunWith(view, [&] {
    // The course suggests 35 minutes, but the shared setting stands.
    ASSERT_GE(addViews.ContentsList->currentRow(), 0);
    EXPECT_TRUE(addViews.TimeFree->isChecked());
    EXPECT_EQ(addViews.LessonGraph->Progress(), 0);
    EXPECT_TRUE(addViews.TimeLocked->isVisible());
    Key(Qt::Key_Return);
  });
  EXPECT_EQ(result, 1);
  EXPECT_EQ(student.LessonDuration, 0);
  User = nullptr;
}

TEST_F(PagesTest, ProfileWithoutCoursesEndsTheProgram) {
  for (const std::string& name : qx::FindFiles(sandbox.Prog() + "*.cnt")) qx::RemoveFile(sandbox.Prog() + name);
  Terminating = false;
  TStdProfileView view;
  EXPECT_EQ(view.Execute(), 0);
  EXPECT_FALSE(view.Active);
  ASSERT_EQ(sandbox.dialogs.Asked().size(), 1u);
  EXPECT_NE(sandbox.dialogs.Asked()[0].text.find("#-6123"), std::string::npos);
  EXPECT_TRUE(Terminating);
  Terminating = false;
}

}  // namespace

// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <cstdio>
#include <ctime>
#include <regex>

#include "FlowSandbox.h"
#include "engine/Diffkeys.h"
#include "platform/Ini.h"
#include "platform/Sound.h"
#include "review/ReviView.h"
#include "shell/AboutStg.h"
#include "shell/ArtImage.h"
#include "shell/Bookfrm.h"
#include "shell/Chpstgs.h"
#include "shell/Eventstg.h"
#include "shell/Guidedst.h"
#include "shell/Main.h"
#include "shell/MainPlaceholder.h"
#include "shell/Statstg.h"
#include "shell/Statview.h"
#include "shell/Welcstrg.h"
#include "shell/naviform.h"
#include "storage/PrgSetup.h"
#include "storage/User.h"

namespace {

using qxtest::Active;

// A compile date "yy-mm-dd" is a real day within the last year: the build
// wrote it, not a constant from long ago.
bool RecentBuildDay(const std::string& text) {
  int y = 0, m = 0, d = 0;
  if (text.size() != 8 || std::sscanf(text.c_str(), "%2d-%2d-%2d", &y, &m, &d) != 3) return false;
  if (m < 1 || m > 12 || d < 1 || d > 31) return false;
  const std::time_t now = std::time(nullptr);
  std::tm today{};
  localtime_r(&now, &today);
  const int built = y * 10000 + m * 100 + d;
  const int day = (today.tm_year % 100) * 10000 + (today.tm_mon + 1) * 100 + today.tm_mday;
  return built <= day && built > day - 10000;
}

class MainTest : public qxtest::ProgramTest {
 public:
  void LogOn(const char* name) {
    Then([] { return Active<TCoverView>() != nullptr; },
         [this, name] {
           book()->NameField->setEditText(QString::fromLatin1(name));
           Click(book()->LogOK);
         },
         "log-on page");
  }
  void AnswerNewUser(QPushButton* TBookForm::*button) {
    Then([] { return Active<TNewUserView>() != nullptr; }, [this, button] { Click(book()->*button); },
         "new-user page");
  }
  void ClickTab(TImage* TBookForm::*tab) { Click(book()->*tab); }
  std::string Local(const char* key) {
    return qx::IniFile(sandbox.Config() + "QXLocal.ini").Read("General Settings", key);
  }
};

TEST_F(MainTest, SmallScreenIsAskedAboutAndNoEndsTheProgram) {
  controller.ScreenWidth = [] { return 640; };
  sandbox.dialogs.Answer(qx::DialogAnswer::No);
  bool logonShown = false;
  controller.OnLogonPage = [&] { logonShown = true; };
  RunProgram();
  ASSERT_EQ(sandbox.dialogs.Asked().size(), 1u);
  const qx::DialogRequest& asked = sandbox.dialogs.Asked()[0];
  EXPECT_EQ(asked.buttons, qx::DialogButtons::YesNoHelp);
  EXPECT_EQ(asked.icon, qx::DialogIcon::Warning);
  EXPECT_EQ(asked.helpTopic, 1010);
  EXPECT_EQ(asked.text,
            "Quillbrandex cannot fit the screen, since your display\rarea is only 640x480 or smaller. Press "
            "Help to\rview the instructions.\r\rDo you want to continue?");
  EXPECT_FALSE(logonShown);
}

TEST_F(MainTest, SmallScreenAcceptedDropsTheBorderAndShowsTheNavigationBar) {
  controller.ScreenWidth = [] { return 640; };
  sandbox.dialogs.Answer(qx::DialogAnswer::Yes);
  LogOn("Visitor");
  Then([] { return Active<TWelcomeView>() != nullptr; },
       [this] {
         EXPECT_TRUE(controller.SmallScreen());
         EXPECT_TRUE(book()->Frame()->windowFlags() & Qt::FramelessWindowHint);
         EXPECT_TRUE(forms.Navigate->isVisible());
         book()->close();
       },
       "welcome page");
  RunProgram();
}

TEST_F(MainTest, NewStudentIsAskedCreatedAndRemembered) {
  controller.ScreenWidth = [] { return 800; };
  bool logonShown = false;
  controller.OnLogonPage = [&] {
    logonShown = true;
    // The log-on page is the book alone: the pages behind it are made later.
    EXPECT_EQ(EventsStg.Existing(), nullptr);
    EXPECT_EQ(ChapterStgs.Existing(), nullptr);
    EXPECT_EQ(WelcomeStg.Existing(), nullptr);
    EXPECT_EQ(StatisticsStg.Existing(), nullptr);
  };
  LogOn("  anna LEE ");
  AnswerNewUser(&TBookForm::UserYes);
  Then([] { return Active<TWelcomeView>() != nullptr; },
       [this] {
         EXPECT_EQ(User->Name, "Anna Lee");
         EXPECT_EQ(KeyStats, User->DifficultKeys);
         EXPECT_EQ(User->ContentsFile, "Beginner.cnt");
         EXPECT_EQ(book()->Frame()->windowTitle(), QStringLiteral("Quillbrandex for Networks"));
         EXPECT_FALSE(book()->MenuGuided->isVisible());
         EXPECT_EQ(PendingSection, "MenuGuided");
         EXPECT_NE(WelcomeStg.Existing(), nullptr);
         ClickTab(&TBookForm::MenuExit);
       },
       "welcome page");
  RunProgram();
  EXPECT_TRUE(logonShown);
  EXPECT_FALSE(Asked("cannot fit the screen"));
  EXPECT_TRUE(qxtest::Exists(sandbox.Data() + "Userbase.qx4"));
  EXPECT_FALSE(qxtest::Exists(sandbox.Prog() + "UserBase.org"));
  EXPECT_NE(FindUser("anna lee"), nullptr);
  EXPECT_EQ(Local("LastUser"), "Anna Lee");
}

TEST_F(MainTest, DecliningTheNewUserQuestionAsksForANameEvenAfterAnAutomaticLogon) {
  sandbox.SetShared("Common Settings", "AutoLogon", "Zed");
  AnswerNewUser(&TBookForm::UserCancel);
  LogOn("Visitor");
  Then([] { return Active<TWelcomeView>() != nullptr; },
       [this] {
         EXPECT_EQ(User->Name, "Visitor");
         book()->close();
       },
       "welcome page");
  RunProgram();
  EXPECT_EQ(FindUser("Zed"), nullptr);
}

TEST_F(MainTest, AutomaticLogonTakesTheLoginNameWithoutAsking) {
  setenv("USERNAME", "kim", 1);
  sandbox.SetShared("Common Settings", "AutoLogon", "%USERNAME%");
  StoreStudent("Kim");
  bool logonShown = false;
  controller.OnLogonPage = [&] { logonShown = true; };
  Then([] { return Active<TWelcomeView>() != nullptr; },
       [this] {
         EXPECT_EQ(User->Name, "Kim");
         book()->close();
       },
       "welcome page");
  RunProgram();
  unsetenv("USERNAME");
  EXPECT_FALSE(logonShown);
  EXPECT_FALSE(Asked("are you a new user"));
}

TEST_F(MainTest, VisitorInSmallLettersIsWelcomedAndNeverStored) {
  sandbox.SetLocal("LastUser", "Maria");
  LogOn("visitor");
  Then([] { return Active<TWelcomeView>() != nullptr; }, [this] { ClickTab(&TBookForm::MenuExit); }, "welcome");
  RunProgram();
  EXPECT_TRUE(Asked("Welcome to explore Quillbrandex as a Visitor.\r\rYour personal studying information will "
                    "not be saved.\rFor serious studing use your own name instead."));
  EXPECT_EQ(qxtest::ReadBytes(sandbox.Data() + "Userbase.qx4").size(), 0u);
  EXPECT_EQ(Local("LastUser"), "Maria");
}

TEST_F(MainTest, TabsSwitchSectionsAndCtrlTabCyclesPastTheHiddenSettings) {
  sandbox.SetShared("Common Settings", "DisableSettingsPage", "1");
  LogOn("Visitor");
  Then([] { return Active<TWelcomeView>() != nullptr; }, [this] { ClickTab(&TBookForm::MenuLogo); }, "welcome");
  Then([] { return Active<TAbout>() != nullptr; },
       [this] {
         EXPECT_FALSE(book()->MenuLogo->isVisible());
         EXPECT_TRUE(book()->MenuGuided->isVisible());
         EXPECT_TRUE(book()->HideSettings->isVisible());
         EXPECT_EQ(CurrentSection, "MenuLogo");
         EXPECT_EQ(AboutStorage->VersionLbl->text(), QStringLiteral("Version " QX_TEST_VERSION));
         const QString build = AboutStorage->BuildLbl->text();
         const QString expected = QStringLiteral("build " QX_TEST_BUILD " %1Bit, compiled ").arg(sizeof(void*) * 8);
         EXPECT_TRUE(build.startsWith(expected)) << build.toStdString();
         EXPECT_TRUE(RecentBuildDay(build.mid(expected.size()).toStdString())) << build.toStdString();
         QTest::keyClick(book(), Qt::Key_Tab, Qt::ControlModifier);
       },
       "about page");
  Then([] { return Active<TWelcomeView>() != nullptr; },
       [this] { QTest::keyClick(book(), Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier); },
       "studying after the about page");
  Then([this] { return Active<TAbout>() != nullptr && CurrentSection == "MenuLogo"; },
       [this] { QTest::keyClick(book(), Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier); },
       "about page before studying");
  Then([this] { return Active<TStatisticsView>() != nullptr && CurrentSection == "MenuInfo"; },
       [this] {
         EXPECT_EQ(book()->Title->text(), QStringLiteral("Statistics"));
         QTest::keyClick(book(), Qt::Key_Escape);
       },
       "statistics");
  Then([this] { return Active<TWelcomeView>() != nullptr && CurrentSection == "MenuGuided"; },
       [this] { ClickTab(&TBookForm::MenuRevision); }, "home again");
  Then([this] { return Active<TRevisionView>() != nullptr && CurrentSection == "MenuRevision"; },
       [this] {
         EXPECT_EQ(book()->Title->text(), QStringLiteral("Review"));
         book()->close();
       },
       "review");
  RunProgram();
}

TEST_F(MainTest, ExitRefusedByThePageKeepsTheProgramAndTheExitTab) {
  LogOn("Visitor");
  bool refuse = true;
  Then([] { return Active<TWelcomeView>() != nullptr; },
       [&, this] {
         ActiveView->OnCloseQuery = [&](TFormView*, bool& veto) { veto = refuse; };
         ClickTab(&TBookForm::MenuExit);
         EXPECT_TRUE(book()->MenuExit->isVisible());
         EXPECT_TRUE(book()->Frame()->isVisible());
         EXPECT_FALSE(Terminating);
         ClickTab(&TBookForm::MenuLogo);
         EXPECT_TRUE(book()->MenuLogo->isVisible());
         EXPECT_EQ(PendingSection, "MenuGuided");
         refuse = false;
         ClickTab(&TBookForm::MenuExit);
       },
       "welcome page");
  RunProgram();
  EXPECT_TRUE(Terminating);
  EXPECT_FALSE(book()->Frame()->isVisible());
}

TEST_F(MainTest, MissingKeyboardLayoutEndsTheProgram) {
  sandbox.SetLocal("KeyboardAutoDetect", "0");
  sandbox.SetShared("Keyboard Layouts", "English", "nothere.kbd");
  bool logonShown = false;
  controller.OnLogonPage = [&, this] {
    logonShown = true;
    book()->close();
  };
  RunProgram();
  EXPECT_TRUE(Asked("#-500 Error in Main-procedure\n\rnothere.kbd not found!"));
  EXPECT_FALSE(logonShown);
  // The record names this very build.
  const std::string log = qxtest::ReadBytes(sandbox.Data() + "Errors.log");
  EXPECT_EQ(log.rfind("Quillbrandex " QX_TEST_VERSION " error file.", 0), 0u) << log;
  const std::regex build(" Build " QX_TEST_BUILD " \\((\\d+)Bit\\) compiled (\\d\\d-\\d\\d-\\d\\d)\r\n");
  std::smatch found;
  ASSERT_TRUE(std::regex_search(log, found, build)) << log;
  EXPECT_EQ(found[1], std::to_string(sizeof(void*) * 8));
  EXPECT_TRUE(RecentBuildDay(found[2])) << found[2];
}

TEST_F(MainTest, MissingDefaultUserBaseIsReported) {
  qx::RemoveFile(sandbox.Prog() + "UserBase.org");
  LogOn("Visitor");
  Then([] { return Active<TWelcomeView>() != nullptr; }, [this] { book()->close(); }, "welcome page");
  RunProgram();
  EXPECT_TRUE(Asked("#-6633"));
}

TEST(HelpTest, HelpOpensTheManualAtItsTopic) {
  qxtest::FlowSandbox sandbox;
  OpenHelpTopic(1010);
  ASSERT_EQ(sandbox.shell.opened.size(), 1u);
  const std::string& address = sandbox.shell.opened[0];
  EXPECT_EQ(address.rfind("file://", 0), 0u);
  EXPECT_NE(address.find("/prog/help/index.html#topic1010"), std::string::npos);
  EXPECT_TRUE(sandbox.dialogs.Asked().empty());

  sandbox.shell.result = qx::kShellFileNotFound;
  OpenHelpTopic(1010);
  ASSERT_EQ(sandbox.dialogs.Asked().size(), 1u);
  EXPECT_NE(sandbox.dialogs.Asked()[0].text.find("#-5452"), std::string::npos);
}

}  // namespace

// Waves that count their plays without an audio device.
class CountingSounds final : public qx::ISoundSystem {
 public:
  std::unique_ptr<qx::IWavePlayer> CreatePlayer() override { return std::make_unique<Player>(plays); }
  std::vector<std::string> plays;

 private:
  class Player final : public qx::IWavePlayer {
   public:
    explicit Player(std::vector<std::string>& plays) : plays_(plays) {}
    bool Open(const std::string& path) override {
      path_ = path;
      return true;
    }
    bool CanPlay() override { return true; }
    bool Play() override {
      plays_.push_back(path_);
      return true;
    }
    std::string LastError() const override { return {}; }

   private:
    std::vector<std::string>& plays_;
    std::string path_;
  };
};

TEST_F(MainTest, TheThemeTuneStartsWithTheLogOnPageOnTheScreen) {
  sandbox.SetLocal("PlayTheme", "1");
  CountingSounds sounds;
  qx::InstallSoundSystem(&sounds);
  Then([&] { return Active<TCoverView>() != nullptr && !sounds.plays.empty(); },
       [&] {
         EXPECT_EQ(sounds.plays, std::vector<std::string>{"Intro.wav"});
         book()->close();
       },
       "theme tune");
  RunProgram();
  qx::InstallSoundSystem(nullptr);
  EXPECT_EQ(sounds.plays.size(), 1u);
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QApplication>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <chrono>
#include <thread>

#include "launch/launchwin.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/QtPlatform.h"
#include "platform/Shell.h"
#include "support/TestFiles.h"

namespace {

// Opens what exists where the launcher looks, as the desktop would,
// without starting a browser.
class FindingShell final : public qx::IShell {
 public:
  int Open(const std::string& file, const std::string&, const std::string&) override {
    opened.push_back(qx::CurrentDirectory() + file);
    return qx::FileExists(file) ? qx::kShellOk : qx::kShellFileNotFound;
  }
  std::vector<std::string> opened;
};

class LaunchTest : public ::testing::Test {
 protected:
  LaunchTest() : oldCwd_(qx::CurrentDirectory()) {
    qx::InstallDialogs(&dialogs);
    qx::InstallShell(&shell);
    form.GuideDir = medium.Path();
    form.SetupDir = medium.Path();
    qx::ChangeDirectory(elsewhere.Path());
    form.show();
  }
  ~LaunchTest() override {
    qx::ChangeDirectory(oldCwd_);
    qx::InstallShell(nullptr);
    qx::InstallDialogs(nullptr);
  }
  void Click(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
  std::vector<std::string> Told() const {
    std::vector<std::string> texts;
    for (const auto& r : dialogs.Asked()) texts.push_back(r.text);
    return texts;
  }

  qxtest::TempDir medium, elsewhere;
  qx::ScriptedDialogs dialogs;
  FindingShell shell;
  TCDSetupForm form;
  std::string oldCwd_;
};

TEST_F(LaunchTest, BackFollowsThePageWhetherTurnedByButtonsOrTabs) {
  EXPECT_EQ(form.size(), QSize(473, 311));
  EXPECT_EQ(form.windowTitle(), QStringLiteral("Quillbrandex for Networks"));
  EXPECT_EQ(form.PageControl->currentIndex(), 0);
  EXPECT_FALSE(form.Back->isEnabled());
  QTabBar* tabs = form.PageControl->tabBar();
  QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(2).center());
  EXPECT_EQ(form.PageControl->currentIndex(), 2);
  EXPECT_TRUE(form.Back->isEnabled());
  Click(form.Back);
  Click(form.Back);
  EXPECT_EQ(form.PageControl->currentIndex(), 0);
  EXPECT_FALSE(form.Back->isEnabled());
  Click(form.Next);
  EXPECT_EQ(form.PageControl->currentIndex(), 1);
  EXPECT_TRUE(form.Back->isEnabled());
}

TEST_F(LaunchTest, MissingGuideAndSetupAreToldAndTheWizardStays) {
  form.PageControl->setCurrentIndex(1);
  Click(form.View);
  form.PageControl->setCurrentIndex(2);
  Click(form.Next);
  EXPECT_EQ(Told(), (std::vector<std::string>{"Error: " + medium.Path() + "INSTALL.HTM not found!",
                                              "Error: " + medium.Path() + "setup not found!"}));
  EXPECT_EQ(dialogs.Asked()[0].icon, qx::DialogIcon::None);
  EXPECT_TRUE(form.isVisible());
  EXPECT_EQ(form.PageControl->currentIndex(), 2);
}

TEST_F(LaunchTest, GuideIsFoundInItsOwnFolderFromAnyCurrentFolder) {
  qxtest::WriteBytes(medium / "INSTALL.HTM", "<html></html>");
  form.PageControl->setCurrentIndex(1);
  Click(form.View);
  EXPECT_TRUE(Told().empty());
  EXPECT_EQ(shell.opened, std::vector<std::string>{medium / "INSTALL.HTM"});
  EXPECT_TRUE(form.isVisible());
}

// The real shell: the setup program beside the launcher runs, in its own
// folder, and the wizard ends.
TEST_F(LaunchTest, SetupBesideTheLauncherIsStartedAndTheWizardEnds) {
  qx::InstallQtPlatform();
  qx::InstallDialogs(&dialogs);
  qxtest::WriteBytes(medium / "setup", "#!/bin/sh\npwd > started.tmp && mv started.tmp started\n");
  ::chmod((medium / "setup").c_str(), 0755);
  for (int i = 0; i < 3; ++i) Click(form.Next);
  EXPECT_TRUE(Told().empty());
  EXPECT_FALSE(form.isVisible());
  // The child runs on its own; wait for it however busy the machine is.
  for (int i = 0; i < 6000 && !qxtest::Exists(medium / "started"); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  ASSERT_TRUE(qxtest::Exists(medium / "started"));
  EXPECT_EQ(qx::WithTrailingSlash(qxtest::ReadBytes(medium / "started").substr(0, medium.Path().size() - 1)),
            medium.Path());
}

}  // namespace

// SPDX-License-Identifier: GPL-3.0-or-later
// The tutor as a system-wide install leaves it: material under
// share/quillbrandex/, no data folder configured, a user with a fresh home.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QComboBox>
#include <QPushButton>
#include <chrono>
#include <cstdlib>
#include <thread>

#include "FlowSandbox.h"
#include "shell/Bookfrm.h"
#include "shell/Guidedst.h"
#include "shell/Main.h"

namespace {

using qxtest::Active;

class InstallTest : public qxtest::ProgramTest {
 public:
  static void SetUpTestSuite() {
    stage_ = new qxtest::TempDir;
    const std::string command = "DESTDIR=" + stage_->Path() + " '" QX_TEST_CMAKE "' --install '" QX_TEST_BUILD_DIR
                                "' --prefix /usr >/dev/null";
    installed_ = std::system(command.c_str()) == 0;
  }
  static void TearDownTestSuite() { delete stage_; }

 protected:
  static std::string Prefix() { return stage_->Path() + "usr/"; }
  static std::string Material() { return Prefix() + "share/quillbrandex/"; }

  static qxtest::TempDir* stage_;
  static bool installed_;
  qxtest::TempDir home;
};

qxtest::TempDir* InstallTest::stage_ = nullptr;
bool InstallTest::installed_ = false;

// The installed program itself, started elsewhere with a fresh home: it
// reaches the log-on page without a message and seeds the user's folder.
TEST_F(InstallTest, InstalledProgramStartsWithAFreshHome) {
  ASSERT_TRUE(installed_);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    for (const char* name : {"QX_CONFIG_DIR", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CONFIG_DIRS"}) unsetenv(name);
    setenv("HOME", home.Path().c_str(), 1);
    setenv("QX_STARTUP_PROBE", "1", 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    if (chdir("/") != 0) _exit(126);
    const std::string program = Prefix() + "bin/qxtutor";
    execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  // A message box would keep it waiting; give a busy machine plenty of time.
  int status = 0;
  pid_t done = 0;
  for (int i = 0; i < 12000 && (done = waitpid(child, &status, WNOHANG)) == 0; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  if (done == 0) {
    kill(child, SIGKILL);
    waitpid(child, &status, 0);
    FAIL() << "the installed tutor did not reach its log-on page";
  }
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_EQ(qxtest::ReadBytes(home / ".local/share/quillbrandex/Userbase.qx4"),
            qxtest::ReadBytes(Material() + "UserBase.org"));
  EXPECT_TRUE(qxtest::Exists(home / ".config/quillbrandex/QXLocal.ini"));
  EXPECT_FALSE(qxtest::Exists(Material() + "Userbase.qx4"));
}

// The same layout in process, to log a new student on: the record goes to
// the per-user folder, and the installed material stays as shipped.
TEST_F(InstallTest, NewStudentIsStoredInThePerUserFolder) {
  ASSERT_TRUE(installed_);
  qx::SetProgramDir(Material(), true);
  sandbox.SetLocal("DataPath", "");
  setenv("XDG_DATA_HOME", (home / "data").c_str(), 1);
  Then([] { return Active<TCoverView>() != nullptr; },
       [this] {
         book()->NameField->setEditText(QStringLiteral("Nora"));
         Click(book()->LogOK);
       },
       "log-on page");
  Then([] { return Active<TNewUserView>() != nullptr; }, [this] { Click(book()->UserYes); }, "new-user page");
  Then([] { return Active<TWelcomeView>() != nullptr; }, [this] { book()->close(); }, "welcome page");
  RunProgram();
  unsetenv("XDG_DATA_HOME");
  for (const qx::DialogRequest& asked : sandbox.dialogs.Asked()) ADD_FAILURE() << "asked: " << asked.text;
  const std::string stored = qxtest::ReadBytes(home / "data/quillbrandex/Userbase.qx4");
  EXPECT_NE(stored.find("Nora"), std::string::npos);
  EXPECT_TRUE(qxtest::Exists(Material() + "UserBase.org"));
  EXPECT_FALSE(qxtest::Exists(Material() + "Userbase.qx4"));
}

}  // namespace

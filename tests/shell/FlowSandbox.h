// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/Ini.h"
#include "platform/Shell.h"
#include "shell/Bookfrm.h"
#include "shell/Formview.h"
#include "shell/Main.h"
#include "storage/PrgSetup.h"
#include "storage/User.h"
#include "storage/FileObj.h"
#include "storage/StorageSandbox.h"
#include "support/TestFiles.h"

namespace qxtest {

// Remembers what the program asked the shell to open and answers with a
// chosen result.
class RecordingShell final : public qx::IShell {
 public:
  int Open(const std::string& file, const std::string&, const std::string&) override {
    opened.push_back(file);
    return result;
  }
  std::vector<std::string> opened;
  int result = qx::kShellOk;
};

// A program folder holding the shipped material (linked from the build; the
// default user database copied, since the program moves it), a data
// directory and a configuration directory, with scripted message boxes, a
// manual clock and a recording shell; everything put back afterwards.
class FlowSandbox : public StorageSandbox {
 public:
  FlowSandbox() {
    namespace fs = std::filesystem;
    qx::EnsureDirectory(Data());
    const fs::path built = qx::OsPath(OriginalProgramDir());
    for (const auto& entry : fs::directory_iterator(built)) {
      const std::string name = entry.path().filename().string();
      const auto perms = entry.status().permissions();
      const bool program = entry.is_regular_file() && (perms & fs::perms::owner_exec) != fs::perms::none;
      if (program) continue;
      if (name == "UserBase.org")
        fs::copy_file(entry.path(), Prog() + name);
      else
        fs::create_symlink(entry.path(), Prog() + name);
    }
    // The review material may not be built; its index only has to exist.
    qx::CreateEmptyFileIfMissing(Prog() + "builder.hdr");
    CopyDataFile(OriginalProgramDir() + "QXCommon.ini", Data() + "QXCommon.ini");
    CopyDataFile(OriginalProgramDir() + "QXDef.ini", Config() + "QXLocal.ini");
    SetLocal("DataPath", Data());
    SetLocal("PlayTheme", "0");
    qx::InstallClock(&clock);
    qx::InstallShell(&shell);
  }
  ~FlowSandbox() {
    // A failed test may leave views open; none may outlive the sandbox.
    while (ActiveView && !CloseActiveView()) {
    }
    qx::InstallShell(nullptr);
    qx::InstallClock(nullptr);
  }

  std::string Prog() const { return ProgramDir(); }
  std::string Data() const { return Root("data/"); }
  std::string Config() const { return ConfigDir(); }

  void SetLocal(const std::string& key, const std::string& value) {
    qx::IniFile(Config() + "QXLocal.ini").Write("General Settings", key, value);
  }
  void SetShared(const std::string& section, const std::string& key, const std::string& value) {
    qx::IniFile(Data() + "QXCommon.ini").Write(section, key, value);
  }

  qx::ManualClock clock;
  RecordingShell shell;
};

// Drives a program whose pages block in nested loops: each step waits
// until its condition holds, then acts; an action may itself block in a
// view, and the following steps run from inside it. A step that never
// becomes ready fails the test and closes every open view.
class Script {
 public:
  Script() {
    timer_.setInterval(5);
    QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
  }
  void When(std::function<bool()> ready, std::function<void()> action, std::string what = {}) {
    steps_.push_back({std::move(ready), std::move(action), std::move(what)});
  }
  void Start() {
    waited_.start();
    timer_.start();
  }
  bool Done() const { return next_ >= steps_.size(); }
  const std::string& Failed() const { return failed_; }
  // Called after a timeout closed the views, to end whatever runs them.
  std::function<void()> onFailure;

 private:
  struct Step {
    std::function<bool()> ready;
    std::function<void()> action;
    std::string what;
  };
  void Poll() {
    if (Done()) {
      timer_.stop();
      return;
    }
    Step& step = steps_[next_];
    if (!step.ready()) {
      if (waited_.elapsed() > 30000) {  // generous: the machine may be busy
        failed_ = step.what.empty() ? "step " + std::to_string(next_ + 1) : step.what;
        next_ = steps_.size();
        timer_.stop();
        while (ActiveView && !CloseActiveView()) {
        }
        if (onFailure) onFailure();
      }
      return;
    }
    ++next_;
    waited_.restart();
    auto action = step.action;
    action();
  }
  QTimer timer_;
  QElapsedTimer waited_;
  std::vector<Step> steps_;
  size_t next_ = 0;
  std::string failed_;
};

template <class View>
View* Active() {
  return dynamic_cast<View*>(ActiveView);
}

// The whole program over a sandbox, run to its end while a script of
// steps plays the student.
class ProgramTest : public ::testing::Test {
 public:
  ProgramTest() : controller(forms.Book.get()) {
    controller.ScreenWidth = [] { return 1024; };
    script.onFailure = [this] { book()->close(); };
  }

  TBookForm* book() { return forms.Book.get(); }

  void RunProgram() {
    script.Start();
    controller.Run();
    EXPECT_EQ(script.Failed(), "");
    EXPECT_TRUE(script.Done());
  }
  void Then(std::function<bool()> ready, std::function<void()> action, std::string what) {
    script.When(std::move(ready), std::move(action), std::move(what));
  }
  static void Click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton); }
  void Alt(Qt::Key key) { QTest::keyClick(book(), key, Qt::AltModifier); }
  // Keys as the student types them, to whatever has the focus in the book.
  static QWidget* Target() { return BookForm->Frame(); }
  static void Press(char c) {
    switch (c) {
      case ' ': QTest::keyClick(Target(), Qt::Key_Space); break;
      case '\r': QTest::keyClick(Target(), Qt::Key_Return); break;
      case '\x1b': QTest::keyClick(Target(), Qt::Key_Escape); break;
      default: QTest::keyClick(Target(), c); break;
    }
  }
  // A student in the user database before the program starts.
  void StoreStudent(const std::string& name, const std::function<void(TUser&)>& edit = {}) {
    TProgramSettings settings;
    Settings = &settings;
    if (!qx::FileExists(sandbox.Data() + "Userbase.qx4"))
      qx::RenameFile(sandbox.Prog() + "UserBase.org", sandbox.Data() + "Userbase.qx4");
    auto student = CreateUser(name);
    ASSERT_NE(student, nullptr);
    if (edit) edit(*student);
    SaveUser(*student);
    Settings = nullptr;
  }
  // Saves what the student sees when QX_RENDER_DIR names a folder.
  void Save(const char* name) {
    const QByteArray dir = qgetenv("QX_RENDER_DIR");
    if (!dir.isEmpty()) book()->grab().save(QString::fromLocal8Bit(dir) + QLatin1Char('/') + QLatin1String(name));
  }
  bool Asked(const std::string& text) const {
    for (const auto& r : sandbox.dialogs.Asked())
      if (r.text.find(text) != std::string::npos) return true;
    return false;
  }

  FlowSandbox sandbox;
  TProgramForms forms;
  TMain controller;
  Script script;
};

}  // namespace qxtest

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <unistd.h>

#include <cstdlib>
#include <functional>
#include <string>

#include "platform/Dialogs.h"
#include "platform/EventPump.h"
#include "platform/Files.h"
#include "support/TestFiles.h"

namespace qxtest {

// A program folder (made current), a configuration directory and scripted
// message boxes, all put back afterwards; the error log lands in the
// program folder.
class StorageSandbox {
 public:
  StorageSandbox() : oldCwd_(qx::CurrentDirectory()), oldProgramDir_(qx::ProgramDir()) {
    if (const char* c = std::getenv("QX_CONFIG_DIR")) oldConfig_ = c;
    qx::EnsureDirectory(ProgramDir());
    qx::EnsureDirectory(ConfigDir());
    setenv("QX_CONFIG_DIR", ConfigDir().c_str(), 1);
    qx::SetProgramDir(ProgramDir());
    qx::ChangeDirectory(ProgramDir());
    qx::InstallDialogs(&dialogs);
  }
  ~StorageSandbox() {
    qx::InstallDialogs(nullptr);
    qx::InstallEventPump(nullptr);
    qx::ChangeDirectory(oldCwd_);
    qx::SetProgramDir(oldProgramDir_);
    if (oldConfig_.empty())
      unsetenv("QX_CONFIG_DIR");
    else
      setenv("QX_CONFIG_DIR", oldConfig_.c_str(), 1);
  }
  StorageSandbox(const StorageSandbox&) = delete;
  StorageSandbox& operator=(const StorageSandbox&) = delete;

  std::string ProgramDir() const { return root_ / "prog/"; }
  std::string ConfigDir() const { return root_ / "config/"; }
  std::string operator/(const std::string& name) const { return ProgramDir() + name; }
  std::string Root(const std::string& name) const { return root_ / name; }
  // The program folder before the sandbox took over (the build's bin).
  const std::string& OriginalProgramDir() const { return oldProgramDir_; }

  qx::ScriptedDialogs dialogs;

 private:
  TempDir root_;
  std::string oldCwd_, oldProgramDir_, oldConfig_;
};

// Waits that return at once and count themselves; a hook may act on a wait.
class CountingPump final : public qx::IEventPump {
 public:
  void ProcessPending() override {}
  void Wait(int ms) override {
    ++waits;
    waitedMs += ms;
    if (onWait) onWait(waits);
  }
  int waits = 0;
  int waitedMs = 0;
  std::function<void(int)> onWait;
};

}  // namespace qxtest

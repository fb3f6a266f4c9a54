// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <initializer_list>
#include <memory>
#include <string>

#include "platform/Dialogs.h"
#include "storage/User.h"
#include "support/TestFiles.h"

namespace qxtest {

// A logged-on student, scripted message boxes and a folder for contents
// files, all put back afterwards.
class ContentsSandbox {
 public:
  ContentsSandbox() : user_(std::make_unique<TUser>("Tester")) {
    user_->LessonDuration = 20;
    oldUser_ = User;
    User = user_.get();
    qx::InstallDialogs(&dialogs);
  }
  ~ContentsSandbox() {
    qx::InstallDialogs(nullptr);
    User = oldUser_;
  }
  ContentsSandbox(const ContentsSandbox&) = delete;
  ContentsSandbox& operator=(const ContentsSandbox&) = delete;

  // Writes the lines with CR LF ends; returns the file's path.
  std::string Write(const std::string& name, std::initializer_list<std::string> lines) {
    std::string text;
    for (const auto& l : lines) text += l + "\r\n";
    WriteBytes(dir / name, text);
    return dir / name;
  }
  std::string Path(const std::string& name) const { return dir / name; }

  // The texts of the message boxes shown so far.
  std::vector<std::string> Messages() const {
    std::vector<std::string> texts;
    for (const auto& r : dialogs.Asked()) texts.push_back(r.text);
    return texts;
  }

  TUser& Student() { return *user_; }

  TempDir dir;
  qx::ScriptedDialogs dialogs;

 private:
  std::unique_ptr<TUser> user_;
  TUser* oldUser_ = nullptr;
};

}  // namespace qxtest

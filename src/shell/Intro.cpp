// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/Intro.h"

#include "content/Contents.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "storage/Errors.h"
#include "storage/User.h"

namespace {

constexpr const char* kIntroFile = "introd.qxs";

// Loading and running the introduction rewrites the student's lesson count
// and key groups; the course's come back when it ends.
class KeepCourseKeys {
 public:
  KeepCourseKeys() {
    if (!User) return;
    lessons_ = User->LessonCount;
    keys_ = User->NewKeys;
  }
  ~KeepCourseKeys() {
    if (!User) return;
    User->LessonCount = lessons_;
    User->NewKeys = keys_;
  }

 private:
  int lessons_ = 0;
  std::vector<std::string> keys_;
};

}  // namespace

TIntroduction::TIntroduction() = default;

TIntroduction::~TIntroduction() = default;

int TIntroduction::Run() {
  if (!qx::FileExists(kIntroFile)) {
    qx::ShowInformation(
        "This installation of Quillbrandex holds no introduction.\r\rChoose Begin Studying to start "
        "the lessons.");
    return 0;
  }
  KeepCourseKeys keep;
  if (!contents_) {
    int error = 0;
    auto contents = TContents::Create(kIntroFile, error);
    if (error != 0) {
      ReportError2(-5733, error);
      return 0;
    }
    contents_ = std::move(contents);
    if (User) introKeys_ = User->NewKeys;
  } else if (User) {
    User->NewKeys = introKeys_;
  }
  bookmark_.Clear();
  bookmark_.Mode = kModeIntroduction;
  contents_->BookMark = &bookmark_;
  bool finished = false;
  return contents_->RunContents(finished);
}

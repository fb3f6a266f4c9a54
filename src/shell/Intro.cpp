// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/Intro.h"

#include <utility>

#include "content/Contents.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "storage/Errors.h"
#include "storage/User.h"

namespace {

constexpr const char* kIntroFile = "introd.qxs";

// While the introduction runs, its key groups stand in for the course's,
// which come back when it ends.
class IntroductionKeys {
 public:
  explicit IntroductionKeys(const std::vector<std::string>& keys) {
    if (!User) return;
    keys_ = std::exchange(User->NewKeys, keys);
  }
  ~IntroductionKeys() {
    if (User) User->NewKeys = std::move(keys_);
  }
  IntroductionKeys(const IntroductionKeys&) = delete;
  IntroductionKeys& operator=(const IntroductionKeys&) = delete;

 private:
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
  if (!contents_) {
    int error = 0;
    // No student: the introduction is no course of the student's.
    auto contents = TContents::Create(kIntroFile, error, nullptr);
    if (error != 0) {
      ReportError2(-5733, error);
      return 0;
    }
    contents_ = std::move(contents);
  }
  IntroductionKeys keys(contents_->KeyGroups);
  bookmark_.Clear();
  bookmark_.Mode = kModeIntroduction;
  contents_->BookMark = &bookmark_;
  bool finished = false;
  return contents_->RunContents(finished);
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/Guidedst.h"

#include "content/Contents.h"
#include "shell/Intro.h"
#include "shell/Main.h"
#include "storage/BookMark.h"
#include "storage/Errors.h"
#include "storage/User.h"

TGuidedStudying* GuidedStudying = nullptr;

TGuidedStudying::TGuidedStudying() = default;

TGuidedStudying::~TGuidedStudying() {
  if (Contents == contents_.get()) Contents = nullptr;
}

int TGuidedStudying::Welcome() {
  while (!Terminating) {
    TWelcomeView welcome(BuildLabel);
    const int choice = welcome.Execute();
    if (choice == 1) {
      TStdProfileView profile;
      const int answer = profile.Execute();
      if (answer == 1) {
        User->Bookmark->Chapter = 1;
        return 1;
      }
      if (answer == 0) return 0;
    } else if (choice == 2) {
      if (!introduction_) introduction_ = std::make_unique<TIntroduction>();
      if (introduction_->Run() == 1000) return 1000;
    } else {
      return 0;
    }
  }
  return 0;
}

int TGuidedStudying::Run() {
  if (!User) return 0;
  TBookMark& bookmark = *User->Bookmark;
  for (;;) {
    if (bookmark.Chapter == 0) {
      const int welcome = Welcome();
      if (welcome != 1) return welcome;
    }
    for (;;) {
      if (Contents == contents_.get()) Contents = nullptr;
      contents_.reset();
      int error = 0;
      contents_ = TContents::Create(User->ContentsFile, error, User);
      Contents = contents_.get();
      if (error != 0) {
        ReportError2(-5633, error);
        HaltProgram();
        return 0;
      }
      bookmark.Mode = kModeGuided;
      Contents->BookMark = &bookmark;
      bool finished = false;
      const int result = Contents->RunContents(finished);
      // When the program closes, its shutdown saves the record: one save,
      // so that a failure is told once.
      if (!Terminating) SaveUserOrReport(*User);
      if (result != 0 || !finished || Terminating) return result;

      TGoodbyeView goodbye;
      const int choice = goodbye.Execute();
      if (choice == 2) {
        // Back into the last lesson.
        bookmark.Chapter -= 1;
        bookmark.Exercise = 1;
        continue;
      }
      if (choice != 1) return 0;
      User->Reset();
      bookmark.Exercise = 1;
      bookmark.Event = 1;
      bookmark.Extra = 0;
      SaveUserOrReport(*User);
      User->ChaptersStudied = 1;
      break;  // the welcome page again: the bookmark's chapter is 0
    }
  }
}

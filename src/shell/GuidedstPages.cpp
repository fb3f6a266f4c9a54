// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/Guidedst.h"

#include <QLabel>

#include "platform/QtText.h"
#include "shell/Bookfrm.h"
#include "shell/Welcstrg.h"
#include "storage/ToolBox.h"

namespace {

bool AltKey(int key, Qt::KeyboardModifiers shift, int letter) {
  return key == letter && (shift & Qt::AltModifier);
}

}  // namespace

TWelcomeView::TWelcomeView(std::string buildLabel) : buildLabel_(std::move(buildLabel)) {}

void TWelcomeView::Show() {
  TFormView::Show();
  TBookForm* book = BookForm;
  TWelcomeStg* form = WelcomeStg;
  if (!book || !form) return;
  book->SetLayout(1);
  book->TitleConsole->hide();
  book->SetButtons(0);
  form->WelcomePic->LoadFromFile("Welcome.pic");
  form->BuildLabel->setText(qx::ToQt(buildLabel_));
  AddControl(form->WelcomePanel, book->WidePage);
  HookClick(form->StudyingMask, [this](QWidget*) {
    PlaySound(kSoundClick);
    SetResult(1);
  });
  HookClick(form->IntroMask, [this](QWidget*) {
    PlaySound(kSoundClick);
    SetResult(2);
  });
  book->RouteKeys(this);
  form->IntroMask->setFocus(Qt::OtherFocusReason);
}

void TWelcomeView::Hide() {
  if (TWelcomeStg* form = WelcomeStg) {
    form->StudyingMask->OnClick = nullptr;
    form->IntroMask->OnClick = nullptr;
    form->WelcomePic->Clear();
  }
  TFormView::Hide();
  if (TBookForm* book = BookForm) {
    book->ReleaseKeys();
    book->TitleConsole->show();
    book->SetLayout(2);
  }
}

void TWelcomeView::KeyDown(QObject* sender, int& key, Qt::KeyboardModifiers shift) {
  int result = 0;
  if (AltKey(key, shift, Qt::Key_B)) result = 1;
  if (AltKey(key, shift, Qt::Key_I)) result = 2;
  if (!result) return;
  key = 0;
  PlaySound(kSoundClick);
  SetResult(result);
}

void TGoodbyeView::Show() {
  TFormView::Show();
  TBookForm* book = BookForm;
  TWelcomeStg* form = WelcomeStg;
  if (!book || !form) return;
  book->SetTitle("Course Completed");
  book->TitleConsole->show();
  book->SetLayout(1);
  form->GoodbyePic->LoadFromFile("Goodbye.pic");
  AddControl(form->GoodbyePanel, book->WidePage);
  book->SetConsolePicture(2);
  book->SetButtons(TBookForm::kSkipB);
  HookClick(form->Restart, [this](QWidget*) {
    PlaySound(kSoundClick);
    SetResult(1);
  });
  HookClick(book->SkipB, [this](QWidget*) {
    PlaySound(kSoundClick);
    SetResult(2);
  });
  book->RouteKeys(this);
  form->Restart->setFocus(Qt::OtherFocusReason);
}

void TGoodbyeView::Hide() {
  if (TWelcomeStg* form = WelcomeStg) {
    form->Restart->OnClick = nullptr;
    form->GoodbyePic->Clear();
  }
  TFormView::Hide();
  if (TBookForm* book = BookForm) {
    book->ReleaseKeys();
    book->SkipB->OnClick = nullptr;
    book->SetButtons(0);
    book->SetLayout(2);
  }
}

void TGoodbyeView::KeyDown(QObject* sender, int& key, Qt::KeyboardModifiers shift) {
  int result = 0;
  if (AltKey(key, shift, Qt::Key_R)) result = 1;
  if (AltKey(key, shift, Qt::Key_K) || AltKey(key, shift, Qt::Key_P)) result = 2;
  if (!result) return;
  key = 0;
  PlaySound(kSoundClick);
  SetResult(result);
}

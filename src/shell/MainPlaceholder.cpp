// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/MainPlaceholder.h"

#include "shell/ArtImage.h"
#include "shell/Bookfrm.h"
#include "storage/ToolBox.h"

void TSectionPage::Show() {
  TFormView::Show();
  TBookForm* book = BookForm;
  if (!book) return;
  book->SetLayout(layout_);
  book->TitleConsole->show();
  book->SetTitle(title_);
  book->SetConsolePicture(2);
  book->SetButtons(TBookForm::kBack);
  HookClick(book->Back, [](QWidget*) {
    PlaySound(kSoundClick);
    if (BookForm) BookForm->GoHome();
  });
  book->RouteKeys(this);
  // Until the section's own controls are placed, Back is all there is.
  book->Back->setFocus(Qt::OtherFocusReason);
}

void TSectionPage::Hide() {
  if (TBookForm* book = BookForm) {
    book->ReleaseKeys();
    book->Back->OnClick = nullptr;
    book->SetButtons(0);
  }
  TFormView::Hide();
}

void TSectionPage::KeyDown(QObject* sender, int& key, Qt::KeyboardModifiers shift) {
  if (key != Qt::Key_Escape) return;
  key = 0;
  if (BookForm) BookForm->GoHome();
}

// SPDX-License-Identifier: GPL-3.0-or-later
// The log-on pages on the book's cover.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "platform/QtText.h"
#include "shell/Bookfrm.h"
#include "shell/Guidedst.h"
#include "storage/PrgSetup.h"
#include "storage/ToolBox.h"
#include "storage/User.h"

namespace {

bool IsEnter(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }

void Disconnect(std::vector<QMetaObject::Connection>& connections) {
  for (const auto& c : connections) QObject::disconnect(c);
  connections.clear();
}

}  // namespace

void TCoverView::Show() {
  TFormView::Show();
  TBookForm* book = BookForm;
  if (!book) return;
  book->SetLayout(0);
  book->LoadLabel->hide();
  QComboBox* field = book->NameField;
  field->clear();
  if (!Settings || !Settings->DisableUserList) {
    if (auto names = GetUserList())
      for (const std::string& name : *names) field->addItem(qx::ToQt(name));
    field->setEditText(Settings ? qx::ToQt(Settings->LastUser) : QString());
  } else {
    field->setEditText(QString());
  }
  for (QWidget* w : {static_cast<QWidget*>(book->LogLabel), static_cast<QWidget*>(field),
                     static_cast<QWidget*>(book->LogOK), static_cast<QWidget*>(book->LogVisitor)})
    w->show();
  connections_.push_back(QObject::connect(book->LogOK, &QPushButton::clicked, Context(), [this] { SetResult(1); }));
  connections_.push_back(
      QObject::connect(book->LogVisitor, &QPushButton::clicked, Context(), [this] { SetResult(2); }));
  book->RouteKeys(this);
  field->setFocus();
  field->lineEdit()->selectAll();
}

void TCoverView::Hide() {
  Disconnect(connections_);
  if (TBookForm* book = BookForm) {
    book->ReleaseKeys();
    for (QWidget* w : {static_cast<QWidget*>(book->LogLabel), static_cast<QWidget*>(book->NameField),
                       static_cast<QWidget*>(book->LogOK), static_cast<QWidget*>(book->LogVisitor)})
      w->hide();
  }
  TFormView::Hide();
}

void TCoverView::Close(bool& veto) {
  const bool wasActive = Active;
  const std::string typed = BookForm ? qx::FromQt(BookForm->NameField->currentText()) : std::string();
  TFormView::Close(veto);
  if (veto || !wasActive) return;
  const std::string name = TrimBlanks(typed);
  UserName = ResultCode == 2 || name.empty() ? "Visitor" : Capitalize(name);
}

void TCoverView::KeyDown(QObject* sender, int& key, Qt::KeyboardModifiers shift) {
  if (IsEnter(key) && !(shift & Qt::AltModifier)) {
    key = 0;
    SetResult(1);
  } else if (key == Qt::Key_V && (shift & Qt::AltModifier)) {
    key = 0;
    SetResult(2);
  }
}

void TNewUserView::Show() {
  TFormView::Show();
  TBookForm* book = BookForm;
  if (!book) return;
  book->SetLayout(0);
  book->LoadLabel->hide();
  book->NewUserLbl->setText(qx::ToQt(UserName + ", are you a new user?"));
  for (QWidget* w : {static_cast<QWidget*>(book->NewUserLbl), static_cast<QWidget*>(book->UserYes),
                     static_cast<QWidget*>(book->UserCancel)})
    w->show();
  connections_.push_back(
      QObject::connect(book->UserYes, &QPushButton::clicked, Context(), [this] { SetResult(1); }));
  connections_.push_back(
      QObject::connect(book->UserCancel, &QPushButton::clicked, Context(), [this] { SetResult(2); }));
  book->RouteKeys(this);
  book->UserYes->setFocus();
}

void TNewUserView::Hide() {
  Disconnect(connections_);
  if (TBookForm* book = BookForm) {
    book->ReleaseKeys();
    for (QWidget* w : {static_cast<QWidget*>(book->NewUserLbl), static_cast<QWidget*>(book->UserYes),
                       static_cast<QWidget*>(book->UserCancel)})
      w->hide();
  }
  TFormView::Hide();
}

void TNewUserView::KeyDown(QObject* sender, int& key, Qt::KeyboardModifiers shift) {
  const bool alt = shift & Qt::AltModifier;
  int result = 0;
  if (IsEnter(key) && !alt)
    result = BookForm && BookForm->UserCancel->hasFocus() ? 2 : 1;
  else if (key == Qt::Key_Escape || (alt && key == Qt::Key_C))
    result = 2;
  else if (alt && key == Qt::Key_Y)
    result = 1;
  if (result == 0) return;
  key = 0;
  SetResult(result);
}

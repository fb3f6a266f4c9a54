// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/naviform.h"

#include <QHBoxLayout>
#include <QToolButton>

#include "shell/ArtImage.h"
#include "shell/Bookfrm.h"

TNavigate* Navigate = nullptr;

TNavigate::TNavigate(TBookForm* book, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), book_(book) {
  setObjectName(QStringLiteral("Navigate"));
  setWindowTitle(QStringLiteral("Navigation"));
  setFixedSize(145, 25);
  setStyleSheet(QStringLiteral(
      "QWidget#Navigate { background: #4f1814; }"
      "QToolButton { color: #f6e7c4; background: #7a2b24; border: 1px solid #a47e3e;"
      " border-radius: 4px; font-family: 'Liberation Sans'; font-size: 11px; font-weight: bold; }"
      "QToolButton:hover { background: #9a3d31; }"
      "QToolButton:pressed { background: #561b16; }"));
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(2, 2, 2, 2);
  row->setSpacing(2);
  auto make = [&](const char* name, int where) {
    auto* button = new QToolButton(this);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(QString::fromLatin1(name));
    button->setAutoRaise(false);
    button->setFocusPolicy(Qt::NoFocus);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    connect(button, &QToolButton::clicked, this, [this, where] { Slide(where); });
    row->addWidget(button);
    return button;
  };
  Left = make("Left", 0);
  Center = make("Center", 1);
  Right = make("Right", 2);
  if (!Navigate) Navigate = this;
}

TNavigate::~TNavigate() {
  if (Navigate == this) Navigate = nullptr;
}

void TNavigate::Slide(int where) {
  if (!book_) return;
  const int room = book_->width() - book_->Book->width();
  const int left = where == 0 ? 0 : where == 1 ? room / 2 : room;
  book_->PlaceBook(left);
  book_->Frame()->activateWindow();
  book_->setFocus();
}

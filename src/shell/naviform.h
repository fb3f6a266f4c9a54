// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QWidget>

class QToolButton;
class TBookForm;

// A small floating bar for screens narrower than the book: slides the book
// to the left, the middle or the right of the window.
class TNavigate : public QWidget {
  Q_OBJECT

 public:
  explicit TNavigate(TBookForm* book, QWidget* parent = nullptr);
  ~TNavigate() override;

  QToolButton* Left = nullptr;
  QToolButton* Center = nullptr;
  QToolButton* Right = nullptr;

 private:
  void Slide(int where);

  TBookForm* book_;
};

extern TNavigate* Navigate;

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QWidget>
#include <array>

#include "shell/FormRef.h"

class QLabel;
class TImage;

// The storage form of the ZaroZira game: the column of ten rows with its
// walls and base, the row backgrounds and the score. Its controls stand
// where they go on the wide page.
class TZaroZiraStg : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kRowLeft = 140, kRowTop = 4, kRowWidth = 220, kRowHeight = 30;

  explicit TZaroZiraStg(QWidget* parent = nullptr);
  ~TZaroZiraStg() override;

  // Row n of the column, 1 (top) to 10.
  TImage* Row(int n) const { return n >= 1 && n <= 10 ? rows_[size_t(n - 1)] : nullptr; }

  QWidget* Zaro = nullptr;
  TImage* Image7 = nullptr;   // left wall
  TImage* Image13 = nullptr;  // right wall
  TImage* Image3 = nullptr;   // base
  TImage* Active = nullptr;   // background of the falling word's row
  TImage* Inactive = nullptr; // background of a landed word's row
  QLabel* Level = nullptr;
  QLabel* ScoreLabel = nullptr;

 private:
  std::array<TImage*, 10> rows_{};
};

extern TFormRef<TZaroZiraStg> ZaroZiraStg;

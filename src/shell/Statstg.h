// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QWidget>

#include "shell/FormRef.h"

class QLabel;
class QPushButton;
class TGauge;

// The storage form of the statistics pages: progress and the difficult
// keys for the left page, efficiency and speed for the right page, and
// the print button that goes on the book's title plate.
class TStatisticsStg : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kPageW = 338, kPageH = 428;

  explicit TStatisticsStg(QWidget* parent = nullptr);
  ~TStatisticsStg() override;

  QWidget* Panel1 = nullptr;
  QLabel* ProgressTitle = nullptr;
  QLabel* Completed = nullptr;
  TGauge* Completedgraph = nullptr;
  QLabel* TimeStudied = nullptr;
  QLabel* ApproxLbl = nullptr;
  QLabel* TimeLeft = nullptr;
  QLabel* DiffKeysTitle = nullptr;
  QLabel* Perc2Lbl = nullptr;

  QWidget* Panel2 = nullptr;
  QLabel* EfficiencyTitle = nullptr;
  QLabel* Perc1Lbl = nullptr;
  QLabel* Lesson1Lbl = nullptr;
  QLabel* SpeedTitle = nullptr;
  QLabel* CharLbl = nullptr;
  QLabel* Lesson2Lbl = nullptr;

  QPushButton* PrintBtn = nullptr;
};

extern TFormRef<TStatisticsStg> StatisticsStg;

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QFont>
#include <QTimer>
#include <QWidget>
#include <array>
#include <vector>

// A live graph of the typing speed, from the mean of the last four
// keystroke intervals. It moves smoothly: each tick closes a fifth of the
// gap to the target, and the change may differ from the previous one by at
// most 3.
class TNervoGraph : public QWidget {
  Q_OBJECT
 public:
  explicit TNervoGraph(QWidget* parent = nullptr);

  // For each keystroke after the first.
  void KeyPressed();
  void StartGraph();
  void StopGraph();
  void Tick();
  QRect PlotRect() const;
  int ValueY(double value) const;

  QTimer Timer;
  double LastKeyTime = 0;
  std::array<double, 4> Intervals{};  // in clock units, ring positions 1..4
  int IntervalCount = 0;
  int IntervalIndex = 0;  // 0 before the first interval
  double IntervalSum = 0;
  double LastStep = 0;
  double Value = 0;
  int Minimum = 0;
  int Maximum = 300;
  int ScaleStep = 100;
  int LastX = -1;
  int LastY = -1;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  // A scale value in the student's unit: characters or words a minute.
  QString Label(int value) const;

  std::vector<QPoint> points_;  // plotted since the last wrap
};

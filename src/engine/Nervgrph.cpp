// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/Nervgrph.h"

#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "platform/Clock.h"
#include "platform/QtDraw.h"
#include "storage/PrgSetup.h"

namespace {
constexpr uint32_t kGreen = 0x008000;
constexpr uint32_t kLime = 0x00FF00;
constexpr uint32_t kGrid = 0x003800;
constexpr double kUnitsPerDay = 100000.0;
}  // namespace

TNervoGraph::TNervoGraph(QWidget* parent) : QWidget(parent) {
  resize(250, 200);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFont(qx::PointFont("Arial", 8));
  Timer.setInterval(100);
  connect(&Timer, &QTimer::timeout, this, &TNervoGraph::Tick);
}

void TNervoGraph::KeyPressed() {
  const double now = qx::Steady();
  // Without a first key there is no interval to measure yet.
  if (LastKeyTime == 0) {
    LastKeyTime = now;
    return;
  }
  IntervalIndex = IntervalIndex % 4 + 1;
  double& slot = Intervals[size_t(IntervalIndex - 1)];
  if (IntervalCount < 4)
    ++IntervalCount;
  else
    IntervalSum -= slot;
  slot = (now - LastKeyTime) * kUnitsPerDay;
  IntervalSum += slot;
  LastKeyTime = now;
}

void TNervoGraph::StartGraph() {
  Timer.start();
  if (LastKeyTime == 0) LastKeyTime = qx::Steady();
}

void TNervoGraph::StopGraph() { Timer.stop(); }

QString TNervoGraph::Label(int value) const {
  return QString::number(Settings && Settings->MeasuringWPM ? value / 5 : value);
}

QRect TNervoGraph::PlotRect() const {
  const QFontMetrics metrics(font());
  const int fontHeight = font().pixelSize();
  return QRect(QPoint(metrics.horizontalAdvance(Label(Maximum)) + 7, fontHeight + 4),
               QPoint(width() - 4, height() - fontHeight - 4));
}

int TNervoGraph::ValueY(double value) const {
  const QRect plot = PlotRect();
  const double shown = std::min(value, double(Maximum)) - Minimum;
  const int span = std::max(1, Maximum - Minimum);
  return plot.bottom() - int(std::lrint((plot.bottom() - plot.top()) * shown / span));
}

void TNervoGraph::Tick() {
  if (!isVisible()) return;
  const double now = qx::Steady();
  double mean = IntervalCount > 0 ? IntervalSum / IntervalCount : Minimum;
  if ((now - LastKeyTime) * kUnitsPerDay > 2 * mean) mean = 0;
  const double target = mean > 0 ? 60.0 / mean : 0.0;
  const double step = std::clamp(0.2 * (target - Value), LastStep - 3, LastStep + 3);
  Value = std::clamp(Value + step, double(Minimum), double(Maximum));
  LastStep = step;

  const QRect plot = PlotRect();
  const int y = ValueY(Value);
  int x = LastX + 1;
  if (LastX < 0) {
    x = plot.left();
    LastY = y;
  } else if (x > plot.right()) {
    // Start again at the left, without a line across the cleared area.
    points_.clear();
    update(plot);
    x = plot.left();
  }
  if (points_.empty()) points_.push_back(QPoint(x, LastY));
  const QPoint from = points_.back();
  points_.push_back(QPoint(x, y));
  // Only the new segment is painted.
  update(QRect(from, QPoint(x, y)).normalized().adjusted(-1, -1, 1, 1));
  LastX = x;
  LastY = y;
}

void TNervoGraph::resizeEvent(QResizeEvent* event) {
  points_.clear();
  LastX = -1;
  LastY = -1;
  QWidget::resizeEvent(event);
}

void TNervoGraph::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.fillRect(event->rect(), Qt::black);
  const QRect plot = PlotRect();
  const QFontMetrics metrics(font());
  const QColor green = qx::ToQColor(kGreen);

  painter.setPen(green);
  painter.drawRect(plot.adjusted(-2, -2, 2, 2));
  painter.setFont(font());
  for (int value = Minimum; value <= Maximum && ScaleStep > 0; value += ScaleStep) {
    const int y = ValueY(value);
    if (value > Minimum && value < Maximum) {
      painter.setPen(qx::ToQColor(kGrid));
      painter.drawLine(plot.left(), y, plot.right(), y);
    }
    painter.setPen(green);
    painter.drawLine(plot.left() - 6, y, plot.left() - 3, y);
    const QString label = Label(value);
    const int labelRight = plot.left() - 7;
    painter.drawText(labelRight - metrics.horizontalAdvance(label),
                     y + (metrics.ascent() - metrics.descent()) / 2, label);
  }

  if (points_.size() > 1) {
    painter.setPen(qx::ToQColor(kLime));
    painter.drawPolyline(points_.data(), int(points_.size()));
  }
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/Graph.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "platform/QtDraw.h"
#include "platform/QtText.h"

namespace {

constexpr uint32_t kBandGreen = 0x008000;
constexpr uint32_t kYellow = 0x00FFFF;

int RoundHalfEven(double x) { return int(std::nearbyint(x)); }

// The font's size in points, as the plot's top margin counts it.
int FontPoints(const QFont& font) {
  if (font.pointSize() > 0) return font.pointSize();
  return RoundHalfEven(font.pixelSize() * 72.0 / 96.0);
}

}  // namespace

float GraphNumber(const std::string& text) { return std::strtof(text.c_str(), nullptr); }

std::string GraphText(float value) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%g", double(value));
  return buffer;
}

TGraph::TGraph(QWidget* parent) : QWidget(parent) {
  resize(400, 250);
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, Qt::white);
  setPalette(pal);
  setFont(qx::PointFont(QStringLiteral("Arial"), 10));
  TitleFont = qx::PointFont(QStringLiteral("Arial"), 11, true);
  BandFont = qx::PointFont(QStringLiteral("Arial"), 10, false, true);
  BandFontColor = qx::ToQColor(kBandGreen);
  BandPen = QPen(qx::ToQColor(kBandGreen), 1, Qt::DashLine);
  ScalePen = QPen(Qt::black, 2);
  GraphPen = QPen(qx::ToQColor(kYellow), 2);
}

void TGraph::AddPoint(const std::string& label, float value) {
  Labels.push_back(label);
  Values.push_back(GraphText(value));
  update();
}

void TGraph::AddBand(const std::string& name, uint32_t color, float value) {
  size_t at = 0;
  while (at < BandValues.size() && GraphNumber(BandValues[at]) < value) ++at;
  BandValues.insert(BandValues.begin() + long(at), GraphText(value));
  BandColors.insert(BandColors.begin() + long(at), std::to_string(color));
  BandNames.insert(BandNames.begin() + long(at), name);
  update();
}

void TGraph::SetStyle(int style) {
  GraphStyle = style;
  update();
}

void TGraph::Clear() {
  Values.clear();
  Labels.clear();
  BandValues.clear();
  BandColors.clear();
  BandNames.clear();
  update();
}

int TGraph::ColumnX(int i) const {
  if (i < 0 || i > ColumnCount) return -1;
  return i * ColumnWidth + PlotLeft;
}

int TGraph::ValueY(float v) const {
  if (v < MinValue) return -1;
  v = std::min(v, MaxValue);
  // A graph without a range draws everything on its base line.
  if (MaxValue <= MinValue) return PlotBottom;
  return PlotBottom - RoundHalfEven(double(PlotBottom - PlotTop) * (v - MinValue) / (MaxValue - MinValue));
}

QColor TGraph::BandColorFor(float value) const {
  value = std::min(value, MaxValue);
  for (size_t i = 0; i < BandValues.size(); ++i)
    if (GraphNumber(BandValues[i]) >= value)
      return qx::ToQColor(uint32_t(std::strtoul(BandColors[i].c_str(), nullptr, 10)));
  return QColor();
}

void TGraph::LayOut() {
  ScaleTexts.clear();
  // A step that cannot climb would never reach the top: the scale is then
  // its two ends.
  if (ScaleStep > 0) {
    for (int n = 0;; ++n) {
      const float v = MinValue + float(n) * ScaleStep;
      ScaleTexts.push_back(GraphText(v));
      if (v >= MaxValue || n > 1000) break;
    }
  } else {
    ScaleTexts = {GraphText(MinValue), GraphText(MaxValue)};
  }

  const QFontMetrics metrics(font());
  int widest = 0;
  for (const std::string& t : ScaleTexts) widest = std::max(widest, metrics.horizontalAdvance(qx::ToQt(t)));
  PlotLeft = widest + 15;
  PlotTop = FontPoints(font()) / 2 + 5;
  PlotRight = width() - 5;
  if (!Labels.empty()) PlotRight -= metrics.horizontalAdvance(qx::ToQt(Labels.back())) / 2;
  ColumnCount = int(Labels.size());
  ColumnWidth = ColumnCount > 0 ? (PlotRight - PlotLeft) / ColumnCount : 0;
  if (ColumnCount > 1) PlotRight = ColumnX(ColumnCount) + 1;
  PlotBottom = height() - 5 - (ShowLabels ? metrics.height() : 0) - 10;
}

void TGraph::paintEvent(QPaintEvent*) {
  LayOut();
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setFont(font());
  p.fillRect(QRect(QPoint(PlotLeft, PlotTop), QPoint(PlotRight, PlotBottom)), PlotBrush);
  p.setBackgroundMode(Qt::TransparentMode);
  PaintScale(p);
  PaintColumns(p);
  PaintBands(p);
  if (GraphStyle == kBar)
    PaintBars(p);
  else
    PaintLine(p);
  PaintBandNames(p);
  PaintAxes(p);
}

void TGraph::PaintScale(QPainter& p) {
  p.setPen(QPen(ScalePen.color(), 1));
  const int h = p.fontMetrics().height();
  for (size_t i = ShowLowestMark ? 0 : 1; i < ScaleTexts.size(); ++i) {
    const int y = ValueY(GraphNumber(ScaleTexts[i]));
    if (y < 0) continue;
    p.drawLine(PlotLeft - 5, y, PlotLeft, y);
    p.drawText(QRect(0, y - h / 2, PlotLeft - 7, h), Qt::AlignRight | Qt::AlignVCenter, qx::ToQt(ScaleTexts[i]));
  }
}

void TGraph::PaintColumns(QPainter& p) {
  p.setPen(QPen(ScalePen.color(), 1));
  const int h = p.fontMetrics().height();
  // Labels that would run into each other (18 lessons on a half page) are
  // thinned to every second or third one; every column keeps its tick.
  int widest = 0;
  for (const std::string& label : Labels) widest = std::max(widest, p.fontMetrics().horizontalAdvance(qx::ToQt(label)));
  const int every = ColumnWidth > 0 ? std::max(1, (widest + 4 + ColumnWidth - 1) / ColumnWidth) : 1;
  for (int i = 0; i < ColumnCount; ++i) {
    const int x = ColumnX(i) + ColumnWidth / 2;
    p.drawLine(x, PlotBottom, x, PlotBottom + 5);
    if (ShowLabels && i % every == 0)
      p.drawText(QRect(x - ColumnWidth, height() - 5 - h, 2 * ColumnWidth, h), Qt::AlignCenter,
                 qx::ToQt(Labels[size_t(i)]));
  }
}

void TGraph::PaintBands(QPainter& p) {
  p.setPen(BandPen);
  for (const std::string& value : BandValues) {
    const int y = ValueY(GraphNumber(value));
    if (y >= 0) p.drawLine(PlotLeft + 1, y, PlotRight, y);
  }
}

void TGraph::PaintBars(QPainter& p) {
  const int barWidth = RoundHalfEven(0.8 * ColumnWidth);
  p.setPen(GraphPen);
  for (int i = 0; i < ColumnCount && size_t(i) < Values.size(); ++i) {
    const float value = GraphNumber(Values[size_t(i)]);
    const int top = ValueY(value);
    if (top < 0) continue;
    const QColor band = BandColoredBars ? BandColorFor(value) : QColor();
    p.setBrush(band.isValid() ? QBrush(band) : BarBrush);
    const int left = ColumnX(i) + (ColumnWidth - barWidth) / 2;
    p.drawRect(QRect(QPoint(left, top), QPoint(left + barWidth - 1, PlotBottom)));
  }
  p.setBrush(Qt::NoBrush);
}

void TGraph::PaintLine(QPainter& p) {
  std::vector<QPoint> points;
  for (int i = 0; i < ColumnCount && size_t(i) < Values.size(); ++i) {
    const int y = ValueY(GraphNumber(Values[size_t(i)]));
    // A point without a value leaves a gap the line steps over.
    if (y >= 0) points.emplace_back(ColumnX(i) + ColumnWidth / 2, y);
  }
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setPen(GraphPen);
  if (points.size() > 1) p.drawPolyline(points.data(), int(points.size()));
  p.setPen(QPen(qx::ToQColor(MarkColor), 2));
  for (const QPoint& c : points) {
    p.drawLine(c.x() - 3, c.y() - 3, c.x() + 3, c.y() + 3);
    p.drawLine(c.x() - 4, c.y() + 4, c.x() + 3, c.y() - 3);
  }
  p.setRenderHint(QPainter::Antialiasing, false);
}

void TGraph::PaintBandNames(QPainter& p) {
  p.setFont(BandFont);
  p.setPen(BandFontColor);
  int below = PlotBottom;
  for (size_t i = 0; i < BandNames.size(); ++i) {
    const int y = ValueY(GraphNumber(BandValues[i]));
    if (y < 0) continue;
    p.drawText(QRect(PlotLeft, y, PlotRight - PlotLeft, below - y), Qt::AlignRight | Qt::AlignVCenter,
               qx::ToQt(BandNames[i] + " "));
    below = y;
  }
  p.setFont(font());
}

void TGraph::PaintAxes(QPainter& p) {
  p.setPen(ScalePen);
  p.drawLine(PlotLeft, PlotTop, PlotLeft, PlotBottom + 5);
  p.drawLine(PlotLeft - 5, PlotBottom, PlotRight, PlotBottom);
}

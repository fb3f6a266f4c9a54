// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QBrush>
#include <QFont>
#include <QPen>
#include <QWidget>
#include <cstdint>
#include <string>
#include <vector>

// A small chart: one value per labelled column, drawn as bars or as a line
// with crosses, over dashed bands that name ranges of the value axis.
class TGraph : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kLine = 0, kBar = 1;

  explicit TGraph(QWidget* parent = nullptr);

  void AddPoint(const std::string& label, float value);
  // Keeps the bands sorted by ascending value; colour 0x00BBGGRR.
  void AddBand(const std::string& name, uint32_t color, float value);
  void SetStyle(int style);
  // Drops points and bands, to fill the graph again.
  void Clear();

  // Valid once the graph has been laid out (painted or LayOut called).
  int ColumnX(int i) const;
  // -1 for a value below MinValue; values above MaxValue are drawn at the top.
  int ValueY(float v) const;
  // Computes the scale texts and the plot rectangle as painting does.
  void LayOut();

  int GraphStyle = kLine;
  QBrush BarBrush{Qt::NoBrush};
  QBrush PlotBrush{Qt::white};
  QFont TitleFont;
  QFont BandFont;
  QColor BandFontColor;  // the band names' ink
  QPen BandPen;
  QPen ScalePen;
  QPen GraphPen;
  float MinValue = 0;
  float MaxValue = 100;
  float ScaleStep = 20;
  int PlotLeft = 0, PlotTop = 0, PlotRight = 0, PlotBottom = 0;
  int ColumnCount = 0;
  int ColumnWidth = 0;
  std::vector<std::string> Values;
  std::vector<std::string> Labels;
  std::vector<std::string> ScaleTexts;
  std::vector<std::string> BandValues;
  std::vector<std::string> BandColors;  // "0x00BBGGRR" in decimal text
  std::vector<std::string> BandNames;
  bool ShowLabels = true;
  uint32_t MarkColor = 0x000080;
  bool ShowLowestMark = true;
  bool BandColoredBars = true;

  // The colour a bar of this value is filled with when BandColoredBars is
  // on: that of the first band reaching the value; invalid above them all.
  QColor BandColorFor(float value) const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void PaintScale(class QPainter& p);
  void PaintColumns(QPainter& p);
  void PaintBands(QPainter& p);
  void PaintBars(QPainter& p);
  void PaintLine(QPainter& p);
  void PaintBandNames(QPainter& p);
  void PaintAxes(QPainter& p);
};

// A value of a graph's text lists as a number; 0 for text that is none.
float GraphNumber(const std::string& text);
// A number as the graph keeps it: "20", "17.5".
std::string GraphText(float value);

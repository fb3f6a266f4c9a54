// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QColor>
#include <QFont>
#include <QString>
#include <cstdint>

// Colours and fonts as the program's data gives them.
namespace qx {

// A colour stored as 0x00BBGGRR.
inline QColor ToQColor(uint32_t bgr) {
  return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

inline uint32_t FromQColor(const QColor& c) {
  return uint32_t(c.red()) | (uint32_t(c.green()) << 8) | (uint32_t(c.blue()) << 16);
}

// Pixel height of a font of the given point size on a 96-dpi screen, as the
// pixel rules of the pages are drawn for ("Arial" 13 points is 17 pixels).
inline int PointsToPixels(int points) {
  return (points * 96 + 36) / 72;  // rounded as the system's MulDiv does
}

// A font whose em height is fixed in pixels, so layouts do not move with the
// screen's resolution. "Arial" and "Times New Roman" resolve to the
// metric-compatible Liberation faces.
inline QFont PixelFont(const QString& family, int pixels, bool bold = false,
                       bool italic = false) {
  QFont font(family);
  font.setPixelSize(pixels > 0 ? pixels : 1);
  font.setBold(bold);
  font.setItalic(italic);
  font.setStyleStrategy(QFont::PreferAntialias);
  return font;
}

inline QFont PointFont(const QString& family, int points, bool bold = false,
                       bool italic = false) {
  return PixelFont(family, PointsToPixels(points), bold, italic);
}

}  // namespace qx

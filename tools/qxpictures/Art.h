// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <vector>

// Shared drawing for the program's pictures: one warm palette and a few
// building blocks (paper, key caps, book, quill, hands).
namespace qxart {

namespace Colors {
inline const QColor Paper{0xFF, 0xF8, 0xEC};
inline const QColor PaperDeep{0xFB, 0xE8, 0xCC};
inline const QColor Frame{0xE2, 0xCF, 0xB2};
inline const QColor Ink{0x4A, 0x3A, 0x30};
inline const QColor InkSoft{0x9C, 0x87, 0x72};
inline const QColor Amber{0xF4, 0xA2, 0x3C};
inline const QColor AmberDark{0xC9, 0x79, 0x1C};
inline const QColor Coral{0xE4, 0x6F, 0x57};
inline const QColor Teal{0x3C, 0x8D, 0x93};
inline const QColor Leaf{0x7F, 0xAE, 0x6E};
inline const QColor KeyIdle{0xEE, 0xE9, 0xE1};
inline const QColor Skin{0xF6, 0xCF, 0xB0};
inline const QColor SkinLine{0xC8, 0x93, 0x72};
}  // namespace Colors

QImage NewCanvas(int width, int height);
// Prepares a painter with antialiasing on.
void Begin(QPainter& p, QImage& image);

// A framed card: warm paper with a soft glow and a thin border.
void PaperCard(QPainter& p, const QRectF& area);
// A page-sized background whose right part stays quiet for text.
void PageBackground(QPainter& p, const QRectF& area);

// A raised key cap; `label` may be empty.
void KeyCap(QPainter& p, const QRectF& r, const QString& label, const QColor& face,
            const QColor& labelColor, double labelPixels, double depth);

// An open book seen from slightly above, centred at `centre`.
void OpenBook(QPainter& p, const QPointF& centre, double width, double height);
// A feather quill from `nib` towards `top`.
void Quill(QPainter& p, const QPointF& nib, const QPointF& top, double vaneWidth);

// A stylised hand seen from above. `tips` are the fingertips from the
// little finger to the index finger, `thumb` the thumb tip, `wrist` the
// middle of the wrist at the picture's edge.
void Hand(QPainter& p, const std::vector<QPointF>& tips, const QPointF& thumb,
          const QPointF& wrist, double fingerWidth);

// A star with five points.
void Star(QPainter& p, const QPointF& centre, double outer, double inner, const QColor& fill);

QFont SansFont(double pixels, bool bold);
QFont SerifFont(double pixels, bool bold);

}  // namespace qxart

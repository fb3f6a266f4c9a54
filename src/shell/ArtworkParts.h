// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QColor>
#include <QPainterPath>
#include <QRectF>
#include <cstdint>

#include "shell/Artwork.h"

class QPainter;

// Shared colours and drawing steps of the artwork units.
namespace qx::art {

namespace colour {
inline const QColor kDeskDark{0x3f, 0x26, 0x18};
inline const QColor kDeskLight{0x86, 0x55, 0x34};
inline const QColor kLeather{0x7a, 0x2b, 0x24};
inline const QColor kLeatherDark{0x4f, 0x18, 0x14};
inline const QColor kLeatherLight{0x9a, 0x3d, 0x31};
inline const QColor kGold{0xdc, 0xb7, 0x6e};
inline const QColor kGoldDark{0xa4, 0x7e, 0x3e};
inline const QColor kPaper{0xff, 0xfb, 0xf2};
inline const QColor kPaperShade{0xee, 0xe3, 0xcd};
inline const QColor kPaperEdge{0xd8, 0xca, 0xae};
inline const QColor kInk{0x3d, 0x2b, 0x1f};
inline const QColor kWalnut{0x5a, 0x3b, 0x28};
inline const QColor kWalnutDark{0x33, 0x21, 0x16};
inline const QColor kBrass{0xe0, 0xbf, 0x7a};
inline const QColor kScreen{0x0b, 0x10, 0x0c};
inline const QColor kLime{0x7c, 0xff, 0x4f};
}  // namespace colour

// Menu tabs down the book's left edge, relative to the tab row (book y 74).
constexpr int kMenuFirst = 2, kMenuStep = 71, kMenuH = 68;

// Book section colours, one per menu tab, in menu order.
QColor SectionColour(Picture menu);

QPainterPath RoundedRect(const QRectF& r, qreal radius);
// Rounded on the left only (tabs) or on the top only (consoles rising
// from the book's edge).
QPainterPath LeftRoundedRect(const QRectF& r, qreal radius);
QPainterPath TopRoundedRect(const QRectF& r, qreal radius);

// Scales the nominal coordinates of a design of size w x h onto r.
void MapDesign(QPainter& p, const QRectF& r, qreal w, qreal h);
// Leather with its grain, for the book and its cover.
void LeatherTexture(QPainter& p, const QRectF& r, uint32_t seed, int count,
                    const QPainterPath* inside = nullptr);
void LeatherBoard(QPainter& p, const QRectF& r, qreal radius, uint32_t seed);
void GoldLine(QPainter& p, const QPainterPath& path, qreal width, int alpha);

// A soft shadow under a shape, drawn as a few widening translucent strokes.
void SoftShadow(QPainter& p, const QPainterPath& shape, qreal spread, int alpha);

// A black glass screen with a bevelled rim.
void PaintScreen(QPainter& p, const QRectF& r);
// Walnut panel with a brass screw in each corner.
void PaintWalnutPanel(QPainter& p, const QRectF& r, qreal radius, bool screws);

// Painters per family; each draws into rect at its actual size.
void PaintDeskBackground(QPainter& p, const QRectF& r);
void PaintBook(QPainter& p, const QRectF& r);
void PaintTabRow(QPainter& p, const QRectF& r);
void PaintMenuTab(QPainter& p, Picture menu, const QRectF& r, const PaintState& s);
void PaintHideSettings(QPainter& p, const QRectF& r);
void PaintPageSeparator(QPainter& p, const QRectF& r);
void PaintTitleConsole(QPainter& p, const QRectF& r);
void PaintCover(QPainter& p, const QRectF& r);
void PaintButtonConsole(QPainter& p, const QRectF& r, bool eventPage);
void PaintButton(QPainter& p, Picture button, const QRectF& r, const PaintState& s);
void PaintRightConsole(QPainter& p, const QRectF& r);
void PaintLeftConsole(QPainter& p, const QRectF& r);
void PaintMessageCard(QPainter& p, const QRectF& r);
void PaintHands(QPainter& p, const QRectF& r);
void PaintFinger(QPainter& p, int finger, const QRectF& r);
void PaintMark(QPainter& p, bool right, const QRectF& r);
void PaintLamp(QPainter& p, bool on, const QRectF& r);
void PaintArrow(QPainter& p, Picture arrow, const QRectF& r);

// The small line icons of the menu tabs and buttons, stroked in colour
// inside r.
void PaintMenuIcon(QPainter& p, Picture menu, const QRectF& r, const QColor& colour);

// Sizes of the hands picture and of each finger overlay.
QSize HandsSize();
QSize FingerSize(int finger);

}  // namespace qx::art

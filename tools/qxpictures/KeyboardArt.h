// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QColor>
#include <QPainter>
#include <QRectF>
#include <QString>

// A small picture of the US keyboard in the tutor's own geometry (a grid 15
// units wide and 5 rows high), with keys coloured by finger.
namespace qxart {

struct KeyboardLook {
  QString known;        // keys whose labels are shown, in their finger's tint
  QString fresh;        // keys highlighted as new
  bool shiftsFresh = false;
  bool allKnown = false;  // every key revealed (no greyed keys)
  int rows = 5;         // draw only the first rows (the number row first)
  bool byHand = false;  // colour keys by hand, each Shift in the other hand's colour
};

// Finger 1..8 of the key that types `c`, from the left little finger to the
// right little finger; 0 when the keyboard has no such key.
int FingerOf(QChar c);
// A light tint per finger, the same for both hands.
QColor FingerTint(int finger);

void MiniKeyboard(QPainter& p, const QRectF& area, const KeyboardLook& look);

}  // namespace qxart

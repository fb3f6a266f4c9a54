// SPDX-License-Identifier: GPL-3.0-or-later
#include "KeyboardArt.h"

#include "Art.h"

namespace qxart {

namespace {

// Rows of character keys, each key as its plain and shifted character. The
// fourth row starts with the extra key of the wide-Enter keyboard.
const char* const kRows[4][13] = {
    {"`~", "1!", "2@", "3#", "4$", "5%", "6^", "7&", "8*", "9(", "0)", "-_", "=+"},
    {"qQ", "wW", "eE", "rR", "tT", "yY", "uU", "iI", "oO", "pP", "[{", "]}", nullptr},
    {"aA", "sS", "dD", "fF", "gG", "hH", "jJ", "kK", "lL", ";:", "'\"", "\\|", nullptr},
    {"\\|", "zZ", "xX", "cC", "vV", "bB", "nN", "mM", ",<", ".>", "/?", nullptr, nullptr}};

// Fingers by key number 1..48, as the tutor's keyboard assigns them.
int FingerOfKey(int key) {
  static const int kFinger[49] = {0,
      1, 1, 1, 2, 3, 4, 4, 5, 5, 6, 7, 8, 8,   // number row
      1, 2, 3, 4, 4, 5, 5, 6, 7, 8, 8, 8,      // top row
      1, 2, 3, 4, 4, 5, 5, 6, 7, 8, 8, 8,      // home row
      1, 1, 2, 3, 4, 4, 5, 5, 6, 7, 8};        // bottom row
  return key >= 1 && key <= 48 ? kFinger[key] : 0;
}

int KeyNumber(int row, int column) {
  static const int kFirst[4] = {1, 14, 26, 38};
  return kFirst[row] + column;
}

const QColor kLeftHand(0xBF, 0xE0, 0xDC);
const QColor kRightHand(0xF6, 0xCF, 0xC6);

bool Contains(const QString& set, const char* key) {
  return set.contains(QChar(key[0])) || set.contains(QChar(key[1]));
}

}  // namespace

int FingerOf(QChar c) {
  for (int row = 0; row < 4; ++row)
    for (int col = 0; col < 13 && kRows[row][col]; ++col)
      if (c == QChar(kRows[row][col][0]) || c == QChar(kRows[row][col][1]))
        return FingerOfKey(KeyNumber(row, col));
  return 0;
}

QColor FingerTint(int finger) {
  switch (finger) {
    case 1: case 8: return QColor(0xF2, 0xC4, 0xCF);  // little: rose
    case 2: case 7: return QColor(0xF7, 0xDC, 0xA2);  // ring: honey
    case 3: case 6: return QColor(0xCC, 0xE4, 0xAA);  // middle: sage
    case 4: case 5: return QColor(0xB3, 0xDA, 0xE6);  // index: sky
    default: return QColor(0xE8, 0xDF, 0xD2);
  }
}

void MiniKeyboard(QPainter& p, const QRectF& area, const KeyboardLook& look) {
  const double unit = area.width() / 15.0;
  const double rowH = area.height() / look.rows;
  const double gap = qMax(1.5, unit * 0.1);
  const double labelPx = qMin(rowH * 0.46, unit * 0.62);

  auto drawKey = [&](QRectF r, const QString& label, const QColor& face, bool fresh) {
    r.adjust(gap / 2, gap / 2, -gap / 2, -gap / 2);
    const QColor labelColour = fresh ? QColor(0x5A, 0x2E, 0x08) : Colors::Ink;
    const double px = label.size() > 1 ? labelPx * 0.75 : labelPx;
    KeyCap(p, r, label, face, labelColour, px, qMax(2.0, rowH * 0.12));
  };
  auto charKey = [&](QRectF r, const char* key, int keyNumber) {
    const bool fresh = Contains(look.fresh, key);
    const bool known = look.allKnown || fresh || Contains(look.known, key);
    const QChar plain(key[0]);
    const QChar shifted(key[1]);
    // One character fits a small key: the plain one, unless only the
    // shifted one is being taught.
    QChar shown = plain.isLetter() ? plain.toUpper() : plain;
    if (look.fresh.contains(shifted) && !look.fresh.contains(plain) && !plain.isLetter()) shown = shifted;
    const QString label = known ? QString(shown) : QString();
    QColor face = Colors::KeyIdle;
    if (known) face = FingerTint(FingerOfKey(keyNumber));
    if (look.byHand) face = FingerOfKey(keyNumber) <= 4 ? kLeftHand : kRightHand;
    if (fresh) face = Colors::Amber;
    drawKey(r, label, face, fresh);
  };
  auto namedKey = [&](QRectF r, bool fresh) {
    drawKey(r, QString(), fresh ? Colors::Amber : QColor(0xE4, 0xDC, 0xCF), fresh);
  };
  // A Shift key serves the letters of the other hand.
  auto shiftKey = [&](QRectF r, bool left) {
    if (look.byHand)
      drawKey(r, "Shift", left ? kRightHand.darker(118) : kLeftHand.darker(118), false);
    else
      namedKey(r, look.shiftsFresh);
  };

  const double x0 = area.left();
  double y = area.top();
  // Number row and BackSpace.
  for (int c = 0; c < 13; ++c) charKey(QRectF(x0 + c * unit, y, unit, rowH), kRows[0][c], KeyNumber(0, c));
  namedKey(QRectF(x0 + 13 * unit, y, 2 * unit, rowH), false);
  if (look.rows < 2) return;
  y += rowH;
  namedKey(QRectF(x0, y, 1.5 * unit, rowH), false);
  for (int c = 0; c < 12; ++c)
    charKey(QRectF(x0 + (1.5 + c) * unit, y, unit, rowH), kRows[1][c], KeyNumber(1, c));
  if (look.rows < 3) {
    namedKey(QRectF(x0 + 13.5 * unit, y, 1.5 * unit, rowH), false);
    return;
  }
  // Enter spans the top and home rows.
  {
    QRectF top(x0 + 13.5 * unit + gap / 2, y + gap / 2, 1.5 * unit - gap, rowH);
    QRectF low(x0 + 13.8 * unit + gap / 2, y + rowH - gap, 1.2 * unit - gap, rowH - gap / 2);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xE4, 0xDC, 0xCF).darker(128));
    p.drawRoundedRect(top.united(low), 3, 3);
    p.setBrush(QColor(0xE4, 0xDC, 0xCF));
    p.drawRoundedRect(top.adjusted(0, 0, 0, -2), 3, 3);
    p.drawRoundedRect(low.adjusted(0, 0, 0, -qMax(2.0, rowH * 0.12)), 3, 3);
  }
  y += rowH;
  namedKey(QRectF(x0, y, 1.8 * unit, rowH), false);
  for (int c = 0; c < 12; ++c)
    charKey(QRectF(x0 + (1.8 + c) * unit, y, unit, rowH), kRows[2][c], KeyNumber(2, c));
  // The ridges of F and J.
  p.setPen(QPen(Colors::InkSoft, 1.2));
  for (int c : {3, 6}) {
    const double cx = x0 + (1.8 + c + 0.5) * unit;
    p.drawLine(QPointF(cx - unit * 0.15, y + rowH * 0.78), QPointF(cx + unit * 0.15, y + rowH * 0.78));
  }
  if (look.rows < 4) return;
  y += rowH;
  shiftKey(QRectF(x0, y, 1.3 * unit, rowH), true);
  for (int c = 0; c < 11; ++c)
    charKey(QRectF(x0 + (1.3 + c) * unit, y, unit, rowH), kRows[3][c], KeyNumber(3, c));
  shiftKey(QRectF(x0 + 12.3 * unit, y, 2.7 * unit, rowH), false);
  if (look.rows < 5) return;
  y += rowH;
  const double space = 7 * unit;
  const double spaceLeft = x0 + (15 * unit - space) / 2;
  namedKey(QRectF(x0, y, 1.5 * unit, rowH), false);
  namedKey(QRectF(spaceLeft - 1.5 * unit, y, 1.5 * unit, rowH), false);
  drawKey(QRectF(spaceLeft, y, space, rowH), QString(), FingerTint(0), false);
  namedKey(QRectF(spaceLeft + space, y, 1.5 * unit, rowH), false);
  namedKey(QRectF(x0 + 13.5 * unit, y, 1.5 * unit, rowH), false);
}

}  // namespace qxart

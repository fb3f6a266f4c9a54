// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/Keyboard.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

#include "engine/KeyData.h"
#include "platform/CodePage.h"
#include "platform/QtDraw.h"
#include "platform/QtText.h"

namespace {

constexpr unsigned char kEnterChar = 13, kBackSpaceChar = 8;

// Key faces: case, named keys, keys not learned yet, the two highlights.
const QColor kCase(0x26, 0x20, 0x1c);
const QColor kOutline(0x80, 0x80, 0x80);
const QColor kNamedFace(0xc9, 0xbf, 0xb1);
const QColor kHiddenFace(0xdc, 0xd7, 0xd0);
const QColor kToPressFace(0xff, 0xc8, 0x3a);
const QColor kWrongFace(0xf2, 0x86, 0x74);
const QColor kWrongMark(0xa0, 0x1c, 0x10);
const QColor kLabel(0, 0, 0);
const QColor kHiddenLabel(0xc0, 0xc0, 0xc0);
const QColor kAltGrLabel(0x1c, 0x4e, 0x9a);

int Trunc(double x) { return int(x); }

// The face of a key without its lip, and the lip under it.
constexpr int kLip = 3;

QPainterPath EnterShape(const QRect& upper, const QRect& lower) {
  QPainterPath path;
  path.addRoundedRect(QRectF(upper).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
  QPainterPath low;
  low.addRoundedRect(QRectF(lower).adjusted(0.5, -3.5, -0.5, -0.5), 3, 3);
  return path.united(low);
}

}  // namespace

TKeyboard::TKeyboard(QWidget* parent, const TKeyData* keyData) : QWidget(parent), KeyData(keyData) {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

const TKeyboard::Geometry& TKeyboard::Geo() const {
  if (laidOut_ != size()) {
    geometry_ = Layout(size());
    laidOut_ = size();
  }
  return geometry_;
}

TKeyboard::Geometry TKeyboard::Layout(QSize size) {
  Geometry g;
  const int kw = std::max(0, size.width() / 15 - 1);
  const int kh = std::max(0, size.height() / 5 - 1);
  g.KeyWidth = kw;
  g.KeyHeight = kh;
  const int pitch = kw + 1;
  const int full = 15 * pitch;
  auto row = [&](int r) { return (r - 1) * (kh + 1); };
  auto& k = g.Rects;
  // Row 1: the number keys, BackSpace to the end of the row.
  for (int i = 1; i <= 13; ++i) k[i] = QRect((i - 1) * pitch, row(1), kw, kh);
  k[kKeyBackSpace] = QRect(13 * pitch, row(1), full - 1 - 13 * pitch, kh);
  // Rows 2 to 4 start with a wider key each.
  const int tab = Trunc(1.5 * kw) - 1;
  k[kKeyTab] = QRect(0, row(2), tab, kh);
  for (int i = 0; i < 12; ++i) k[14 + i] = QRect(tab + 1 + i * pitch, row(2), kw, kh);
  const int caps = Trunc(1.8 * kw) - 1;
  k[kKeyCapsLock] = QRect(0, row(3), caps, kh);
  for (int i = 0; i < 12; ++i) k[26 + i] = QRect(caps + 1 + i * pitch, row(3), kw, kh);
  // Enter spans rows 2 and 3; its lower half starts right of key 37.
  const int enterLeft = k[25].right() + 2;
  k[kKeyEnter] = QRect(enterLeft, row(2), full - 1 - enterLeft, 2 * kh + 1);
  const int shift = Trunc(1.3 * kw) - 1;
  k[kKeyLeftShift] = QRect(0, row(4), shift, kh);
  for (int i = 0; i < 11; ++i) k[38 + i] = QRect(shift + 1 + i * pitch, row(4), kw, kh);
  const int rightShift = k[48].right() + 2;
  k[kKeyRightShift] = QRect(rightShift, row(4), full - 1 - rightShift, kh);
  // Row 5 around the centred space bar.
  const int u = Trunc(1.5 * kw);
  const int space = Trunc(7 * kw);
  const int spaceLeft = (full - space) / 2;
  k[kKeyBottomLeft] = QRect(0, row(5), u, kh);
  k[kKeyBottomRight] = QRect(full - u, row(5), u, kh);
  k[kKeySpace] = QRect(spaceLeft, row(5), space, kh);
  k[kKeyAltGr] = QRect(spaceLeft + space + 1, row(5), u, kh);
  k[kKeyLeftOfSpace] = QRect(spaceLeft - 1 - u, row(5), u, kh);
  return g;
}

void TKeyboard::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  update();
}

int TKeyboard::KeyNumber(unsigned char c, int shiftState) const {
  int key = -1;
  if (c == 0)
    key = shiftState == 0 ? -1 : 48 + shiftState;
  else if (c == ' ')
    key = kKeySpace;
  else if (c == kEnterChar)
    key = kKeyEnter;
  else if (c == kBackSpaceChar)
    key = kKeyBackSpace;
  else if (KeyData)
    key = KeyData->KeyOf(c);
  return Valid(key) ? key : -1;
}

void TKeyboard::ShowKeys(std::string_view currentKeys, std::string_view otherKeys) {
  std::array<int, kKeyboardKeys + 1> wanted{};
  for (char c : otherKeys)
    if (const int key = KeyNumber(static_cast<unsigned char>(c), 0); key > 0) wanted[size_t(key)] = kKeyWrong;
  for (char ch : currentKeys) {
    const auto c = static_cast<unsigned char>(ch);
    if (const int key = KeyNumber(c, 0); key > 0) wanted[size_t(key)] = kKeyToPress;
    if (KeyData)
      if (const int shift = KeyNumber(0, KeyData->ShiftFor(c)); shift > 0)
        wanted[size_t(shift)] = kKeyToPress;
  }
  for (int key = 1; key <= kKeyboardKeys; ++key) SetKeyState(key, wanted[size_t(key)]);
}

void TKeyboard::SetKeys(std::string_view chars, unsigned specialKeys, int state) {
  for (char ch : chars) {
    const auto c = static_cast<unsigned char>(ch);
    SetKeyState(KeyNumber(c, 0), state);
    if (state == kKeyToPress && KeyData) SetKeyState(KeyNumber(0, KeyData->ShiftFor(c)), state);
  }
  for (int s = 1; s <= 11; ++s)
    if (specialKeys & (1u << s)) SetKeyState(48 + s, state);
}

void TKeyboard::SetKeyState(int key, int state) {
  if (!Valid(key) || states_[size_t(key)] == state) return;
  states_[size_t(key)] = state;
  RedrawKey(key);
}

void TKeyboard::ShowPressed(unsigned char c) {
  if (c == pressedChar_) return;
  const int before = KeyNumber(pressedChar_, 0);
  pressedChar_ = c;
  RedrawKey(before);
  RedrawKey(KeyNumber(c, 0));
}

void TKeyboard::RevealKeys(std::string_view chars) {
  for (char ch : chars) {
    const int key = KeyNumber(static_cast<unsigned char>(ch), 0);
    if (!Valid(key) || revealed_[size_t(key)]) continue;
    revealed_[size_t(key)] = true;
    RedrawKey(key);
  }
}

void TKeyboard::RevealAll() {
  revealed_.fill(true);
  update();
}

void TKeyboard::RedrawKey(int key) {
  if (!Valid(key)) return;
  update(KeyRect(key).adjusted(-1, -1, 1, 1));
  // Enter's lower half borders key 37.
  if (key == kKeyEnter) update(KeyRect(37).adjusted(-1, -1, 1, 1));
}

int TKeyboard::KeyAt(QPoint point) const {
  for (int key = 1; key <= kKeyboardKeys; ++key) {
    if (!KeyRect(key).contains(point)) continue;
    // The cut-out corner of Enter belongs to key 37.
    if (key == kKeyEnter && KeyRect(37).contains(point)) return 37;
    return key;
  }
  return 0;
}

unsigned char TKeyboard::CharOfKey(int key) const {
  switch (key) {
    case kKeySpace: return ' ';
    case kKeyEnter: return kEnterChar;
    case kKeyBackSpace: return kBackSpaceChar;
    default: return key >= 1 && key <= kCharacterKeys && KeyData ? KeyData->KeyChars[size_t(key)].Normal : 0;
  }
}

void TKeyboard::mousePressEvent(QMouseEvent* event) {
  const int key = KeyAt(event->position().toPoint());
  if (key == 0 || event->button() != Qt::LeftButton) {
    QWidget::mousePressEvent(event);
    return;
  }
  const unsigned char c = CharOfKey(key);
  ShowPressed(c);
  if (OnKeyClick) OnKeyClick(key, c);
}

void TKeyboard::mouseReleaseEvent(QMouseEvent* event) {
  ShowPressed(0);
  QWidget::mouseReleaseEvent(event);
}

void TKeyboard::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.fillRect(event->rect(), kCase);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  for (int key = 1; key <= kKeyboardKeys; ++key)
    if (KeyRect(key).adjusted(-1, -1, 1, 1).intersects(event->rect())) PaintKey(painter, key);
}

void TKeyboard::PaintKey(QPainter& p, int key) const {
  const QRect r = KeyRect(key);
  if (r.width() <= 2 || r.height() <= kLip + 2) return;
  const bool character = key <= kCharacterKeys;
  const bool pressed = pressedChar_ != 0 && KeyNumber(pressedChar_, 0) == key;
  const int state = states_[size_t(key)];
  QColor face = !character ? kNamedFace : revealed_[size_t(key)] ? qx::ToQColor(FaceColor) : kHiddenFace;
  if (state == kKeyToPress) face = kToPressFace;
  if (state == kKeyWrong) face = kWrongFace;
  if (pressed) face = face.darker(118);

  // A pressed key sinks onto its lip.
  const int drop = pressed ? kLip - 1 : 0;
  QPainterPath body, top;
  if (key == kKeyEnter) {
    const int half = (r.height() - 1) / 2;
    const int lowerLeft = KeyRect(37).right() + 2;
    const QRect upper(r.left(), r.top(), r.width(), half);
    const QRect lower(lowerLeft, r.bottom() - half + 1, r.right() - lowerLeft + 1, half);
    body = EnterShape(upper, lower);
    top = EnterShape(upper.adjusted(0, drop, 0, drop), lower.adjusted(0, drop, 0, drop - kLip));
  } else {
    body.addRoundedRect(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
    top.addRoundedRect(QRectF(r).adjusted(0.5, 0.5 + drop, -0.5, drop - kLip - 0.5), 3, 3);
  }
  p.setPen(QPen(kOutline, 1));
  p.setBrush(face.darker(150));
  p.drawPath(body);
  p.setPen(Qt::NoPen);
  p.setBrush(face);
  p.drawPath(top);
  if (state == kKeyWrong) {
    // The wrong key also carries a mark, for students who cannot tell the
    // colours apart.
    p.setPen(QPen(kWrongMark, 2, Qt::SolidLine, Qt::RoundCap));
    const int y = r.bottom() - kLip - 3 + drop;
    // Stopping short of the Alt Gr character in the corner keeps it legible.
    const bool altGr = character && KeyData && KeyData->KeyChars[size_t(key)].AltGr != ' ';
    p.drawLine(QPointF(r.left() + 4, y), QPointF(r.right() - 4 - (altGr ? r.width() / 3 : 0), y));
  }

  const QRect face2 = r.adjusted(0, drop, 0, drop - kLip);
  const int h = std::max(6, r.height() - kLip);
  if (key == 29 || key == 32) {
    // Home keys: a short double line the index fingers find.
    p.setPen(QPen(QColor(0x55, 0x4a, 0x40), 1));
    const qreal cx = face2.center().x() + 0.5;
    const qreal w = std::max(3, face2.width() / 6);
    const qreal y = face2.bottom() - std::max(3, h / 8);
    p.drawLine(QPointF(cx - w, y), QPointF(cx + w, y));
    p.drawLine(QPointF(cx - w, y - 2), QPointF(cx + w, y - 2));
  }

  const QColor ink = !character || revealed_[size_t(key)] ? kLabel : kHiddenLabel;
  p.setPen(ink);
  if (!character) {
    const char* label = "";
    switch (key) {
      case kKeyLeftShift:
      case kKeyRightShift: label = "Shift"; break;
      case kKeyAltGr: label = "Alt Gr"; break;
      case kKeyEnter: label = "Enter"; break;
      case kKeyTab: label = "Tab"; break;
      case kKeyCapsLock: label = "Caps"; break;
      case kKeyBackSpace: label = "\xAB Back"; break;
      case kKeyBottomLeft:
      case kKeyBottomRight: label = "Ctrl"; break;
      case kKeyLeftOfSpace: label = "Alt"; break;
      default: break;
    }
    const int rowHeight = key == kKeyEnter ? (r.height() - 1) / 2 - kLip : h;
    p.setFont(qx::PixelFont(QStringLiteral("Arial"), std::max(6, rowHeight * 30 / 100), true));
    QRect area = face2.adjusted(4, 2, -4, -2);
    if (key == kKeyEnter) area.setHeight(rowHeight - 2);
    p.drawText(area, Qt::AlignLeft | Qt::AlignVCenter, qx::ToQt(label));
    return;
  }
  if (!KeyData) return;
  const TKeyChars& chars = KeyData->KeyChars[size_t(key)];
  const QRect inner = face2.adjusted(3, 1, -3, -1);
  const bool letter = chars.Normal != ' ' && qx::UpperCp1252(chars.Normal) != chars.Normal &&
                      (chars.Shifted == ' ' || chars.Shifted == qx::UpperCp1252(chars.Normal));
  if (letter) {
    p.setFont(qx::PixelFont(QStringLiteral("Arial"), std::max(6, h * 46 / 100), true));
    p.drawText(inner.adjusted(0, 0, 0, -h / 8), Qt::AlignLeft | Qt::AlignTop,
               qx::ToQt(std::string(1, char(qx::UpperCp1252(chars.Normal)))));
  } else {
    p.setFont(qx::PixelFont(QStringLiteral("Arial"), std::max(6, h * 34 / 100), true));
    if (chars.Shifted != ' ')
      p.drawText(inner, Qt::AlignLeft | Qt::AlignTop, qx::ToQt(std::string(1, char(chars.Shifted))));
    if (chars.Normal != ' ')
      p.drawText(inner, Qt::AlignLeft | Qt::AlignBottom, qx::ToQt(std::string(1, char(chars.Normal))));
  }
  if (chars.AltGr != ' ') {
    p.setPen(character && revealed_[size_t(key)] ? kAltGrLabel : kHiddenLabel);
    p.setFont(qx::PixelFont(QStringLiteral("Arial"), std::max(6, h * 28 / 100), true));
    p.drawText(inner, Qt::AlignRight | Qt::AlignBottom, qx::ToQt(std::string(1, char(chars.AltGr))));
  }
}

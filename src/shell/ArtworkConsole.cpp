// SPDX-License-Identifier: GPL-3.0-or-later
// Consoles, buttons and indicators of the pages and the exercise page.
#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <cmath>

#include "shell/ArtworkParts.h"

namespace qx::art {
namespace {

QFont CaptionFont(int pixels, bool bold = true) {
  QFont font(QStringLiteral("Liberation Sans"));
  font.setPixelSize(pixels);
  font.setBold(bold);
  return font;
}

// The little glyph before or after a button's caption.
enum class Glyph { None, Play, Back, Cross, SkipF, SkipB, Pause };

void PaintGlyph(QPainter& p, Glyph glyph, const QRectF& r, const QColor& c) {
  p.save();
  p.setPen(Qt::NoPen);
  p.setBrush(c);
  const qreal l = r.left(), t = r.top(), w = r.width(), h = r.height();
  auto triangle = [&](qreal x0, bool right) {
    QPolygonF tri;
    if (right)
      tri << QPointF(x0, t) << QPointF(x0 + w * 0.5, t + h / 2) << QPointF(x0, t + h);
    else
      tri << QPointF(x0 + w * 0.5, t) << QPointF(x0, t + h / 2) << QPointF(x0 + w * 0.5, t + h);
    p.drawPolygon(tri);
  };
  switch (glyph) {
    case Glyph::Play: triangle(l + w * 0.25, true); break;
    case Glyph::Back: triangle(l + w * 0.25, false); break;
    case Glyph::SkipF:
      triangle(l, true);
      triangle(l + w * 0.42, true);
      p.drawRect(QRectF(l + w * 0.9, t, w * 0.12, h));
      break;
    case Glyph::SkipB:
      p.drawRect(QRectF(l - w * 0.02, t, w * 0.12, h));
      triangle(l + w * 0.1, false);
      triangle(l + w * 0.52, false);
      break;
    case Glyph::Cross: {
      QPen pen(c, qMax<qreal>(1.6, w * 0.2), Qt::SolidLine, Qt::RoundCap);
      p.setPen(pen);
      p.drawLine(QPointF(l + w * 0.15, t + h * 0.15), QPointF(l + w * 0.85, t + h * 0.85));
      p.drawLine(QPointF(l + w * 0.85, t + h * 0.15), QPointF(l + w * 0.15, t + h * 0.85));
      break;
    }
    case Glyph::Pause:
      p.drawRoundedRect(QRectF(l + w * 0.15, t, w * 0.25, h), 1, 1);
      p.drawRoundedRect(QRectF(l + w * 0.6, t, w * 0.25, h), 1, 1);
      break;
    case Glyph::None: break;
  }
  p.restore();
}

}  // namespace

void PaintButtonConsole(QPainter& p, const QRectF& r, bool eventPage) {
  // A strap rising from the book's lower edge onto the page.
  const QRectF strap = r.adjusted(2, 2, -2, 0);
  const QPainterPath shape = TopRoundedRect(strap, 10);
  SoftShadow(p, shape.translated(0, -0.5), 2.5, 55);
  QLinearGradient g(strap.topLeft(), strap.bottomLeft());
  if (eventPage) {
    g.setColorAt(0, colour::kWalnut.lighter(112));
    g.setColorAt(1, colour::kWalnutDark);
  } else {
    g.setColorAt(0, colour::kLeatherLight);
    g.setColorAt(1, colour::kLeatherDark);
  }
  p.setPen(QPen((eventPage ? colour::kWalnutDark : colour::kLeatherDark).darker(130), 1));
  p.setBrush(g);
  p.drawPath(shape);
  // Stitching along the top.
  QColor stitch = eventPage ? colour::kBrass : colour::kGold;
  stitch.setAlpha(170);
  QPen dash(stitch, 1, Qt::CustomDashLine);
  dash.setDashPattern({3, 3});
  p.setPen(dash);
  p.setBrush(Qt::NoBrush);
  p.drawPath(TopRoundedRect(strap.adjusted(4, 4, -4, 2), 7));
}

// The caption with its Alt key marked, as the book's pages take it.
static QString MnemonicCaption(Picture button) {
  switch (button) {
    case Picture::ButtonBegin: return QStringLiteral("&Begin");
    case Picture::ButtonNext: return QStringLiteral("&Next");
    case Picture::ButtonBack: return QStringLiteral("&Back");
    case Picture::ButtonCancel: return QStringLiteral("&Cancel");
    case Picture::ButtonSkipF: return QStringLiteral("&Next lesson");
    case Picture::ButtonSkipB: return QStringLiteral("&Prev. lesson");
    case Picture::ButtonPause: return QStringLiteral("&Pause");
    default: return PictureCaption(button);
  }
}

void PaintButton(QPainter& p, Picture button, const QRectF& r, const PaintState& s) {
  const bool primary = button == Picture::ButtonNext || button == Picture::ButtonBegin;
  QRectF face = r.adjusted(1, 1, -1, -2);
  if (s.pressed) face.translate(0, 1);
  const QPainterPath shape = RoundedRect(face, face.height() / 2);
  if (!s.pressed) SoftShadow(p, shape.translated(0, 1), 1.2, 70);
  QColor top, bottom, border, text;
  if (primary) {
    top = QColor(0x5c, 0x9a, 0x63);
    bottom = QColor(0x33, 0x6b, 0x3e);
    border = QColor(0x24, 0x4f, 0x2c);
    text = Qt::white;
  } else {
    top = QColor(0xfc, 0xf5, 0xe3);
    bottom = QColor(0xe6, 0xd1, 0xa5);
    border = colour::kGoldDark.darker(115);
    text = colour::kInk;
  }
  if (s.hovered) {
    top = top.lighter(110);
    bottom = bottom.lighter(110);
  }
  if (s.pressed) {
    top = top.darker(110);
    bottom = bottom.darker(105);
  }
  QLinearGradient g(face.topLeft(), face.bottomLeft());
  g.setColorAt(0, top);
  g.setColorAt(1, bottom);
  p.setPen(QPen(border, 1));
  p.setBrush(g);
  p.drawPath(shape);
  p.setPen(QPen(QColor(255, 255, 255, primary ? 60 : 150), 1));
  p.setBrush(Qt::NoBrush);
  p.drawPath(RoundedRect(face.adjusted(1.5, 1.5, -1.5, -1.5), face.height() / 2 - 1.5));
  if (!s.enabled) text.setAlpha(110);

  Glyph glyph = Glyph::None;
  bool glyphAfter = false;
  switch (button) {
    case Picture::ButtonNext:
    case Picture::ButtonBegin: glyph = Glyph::Play; glyphAfter = true; break;
    case Picture::ButtonBack: glyph = Glyph::Back; break;
    case Picture::ButtonCancel: glyph = Glyph::Cross; break;
    case Picture::ButtonSkipF: glyph = Glyph::SkipF; glyphAfter = true; break;
    case Picture::ButtonSkipB: glyph = Glyph::SkipB; break;
    case Picture::ButtonPause: glyph = Glyph::Pause; break;
    default: break;
  }
  const QString caption = PictureCaption(button);
  const QString marked = MnemonicCaption(button);
  const QFont font = CaptionFont(qMax(9, int(face.height() * 0.42)));
  p.setFont(font);
  const qreal textW = p.fontMetrics().horizontalAdvance(caption);
  const qreal gh = face.height() * 0.34;
  const qreal gw = (glyph == Glyph::SkipF || glyph == Glyph::SkipB) ? gh * 1.3 : gh;
  const qreal gap = 6;
  const qreal total = textW + (glyph == Glyph::None ? 0 : gw + gap);
  qreal x = face.center().x() - total / 2;
  const qreal gy = face.center().y() - gh / 2;
  QColor glyphColour = primary ? QColor(255, 255, 255, s.enabled ? 230 : 110)
                               : (button == Picture::ButtonCancel ? QColor(0xa6, 0x40, 0x38)
                                                                  : colour::kLeather);
  if (glyph != Glyph::None && !glyphAfter) {
    PaintGlyph(p, glyph, QRectF(x, gy, gw, gh), glyphColour);
    x += gw + gap;
  }
  p.setPen(text);
  p.drawText(QRectF(x, face.top(), textW + 1, face.height()),
             Qt::AlignVCenter | Qt::AlignLeft | Qt::TextShowMnemonic, marked);
  x += textW + gap;
  if (glyph != Glyph::None && glyphAfter) PaintGlyph(p, glyph, QRectF(x, gy, gw, gh), glyphColour);
}

void PaintRightConsole(QPainter& p, const QRectF& r) {
  SoftShadow(p, RoundedRect(r.adjusted(2, 3, -2, -1), 10), 3, 70);
  PaintWalnutPanel(p, r.adjusted(1, 1, -2, -3), 10, true);
  // Engraved separators between the instruments.
  const qreal sy = r.height() / 416.0;
  p.setPen(QPen(QColor(0, 0, 0, 70), 1));
  for (qreal y : {136.0, 316.0}) {
    const qreal yy = r.top() + y * sy;
    p.drawLine(QPointF(r.left() + 14, yy), QPointF(r.right() - 16, yy));
    p.setPen(QPen(QColor(255, 220, 180, 35), 1));
    p.drawLine(QPointF(r.left() + 14, yy + 1), QPointF(r.right() - 16, yy + 1));
    p.setPen(QPen(QColor(0, 0, 0, 70), 1));
  }
}

void PaintLeftConsole(QPainter& p, const QRectF& r) {
  PaintWalnutPanel(p, r.adjusted(0.5, 0.5, -0.5, -0.5), qMin<qreal>(8, r.height() / 3), false);
  QFont font = CaptionFont(11);
  font.setLetterSpacing(QFont::AbsoluteSpacing, 3);
  p.setFont(font);
  p.setPen(QColor(0, 0, 0, 120));
  const QRectF text = r.adjusted(16, 1, -16, 0);
  const QString caption = QStringLiteral("TYPE HERE");
  p.drawText(text.translated(0, 1), Qt::AlignVCenter | Qt::AlignLeft, caption);
  p.setPen(colour::kBrass);
  p.drawText(text, Qt::AlignVCenter | Qt::AlignLeft, caption);
  // Small chevrons pointing down at the typing screen.
  const qreal cw = 7, ch = 4;
  const qreal cy = r.center().y() - ch / 2;
  p.setPen(Qt::NoPen);
  QColor chevron = colour::kBrass;
  chevron.setAlpha(150);
  p.setBrush(chevron);
  for (int i = 0; i < 3; ++i) {
    const qreal cx = r.right() - 24 - i * 14;
    QPolygonF tri;
    tri << QPointF(cx - cw / 2, cy) << QPointF(cx + cw / 2, cy) << QPointF(cx, cy + ch + 1);
    p.drawPolygon(tri);
  }
}

void PaintMessageCard(QPainter& p, const QRectF& r) {
  const QRectF card = r.adjusted(3, 2, -4, -5);
  const QPainterPath shape = RoundedRect(card, 12);
  SoftShadow(p, shape.translated(1, 2.5), 3, 90);
  QLinearGradient g(card.topLeft(), card.bottomLeft());
  g.setColorAt(0, QColor(0xff, 0xf9, 0xe6));
  g.setColorAt(1, QColor(0xfb, 0xea, 0xc0));
  p.setPen(QPen(QColor(0xd4, 0x9b, 0x36), 2));
  p.setBrush(g);
  p.drawPath(shape);
  p.setPen(QPen(QColor(255, 255, 255, 160), 1));
  p.setBrush(Qt::NoBrush);
  p.drawPath(RoundedRect(card.adjusted(3, 3, -3, -3), 9));
}

void PaintMark(QPainter& p, bool right, const QRectF& r) {
  const qreal d = qMin(r.width(), r.height()) - 2;
  const QRectF disc(r.center().x() - d / 2, r.center().y() - d / 2, d, d);
  QRadialGradient g(disc.center() - QPointF(d * 0.15, d * 0.2), d * 0.7);
  const QColor base = right ? QColor(0x3f, 0x9a, 0x4e) : QColor(0xc2, 0x3b, 0x30);
  g.setColorAt(0, base.lighter(135));
  g.setColorAt(1, base.darker(115));
  p.setPen(QPen(base.darker(150), 1));
  p.setBrush(g);
  p.drawEllipse(disc);
  QPen pen(Qt::white, d * 0.12, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  p.setPen(pen);
  p.setBrush(Qt::NoBrush);
  const qreal l = disc.left(), t = disc.top();
  if (right) {
    QPolygonF tick;
    tick << QPointF(l + d * 0.27, t + d * 0.52) << QPointF(l + d * 0.44, t + d * 0.69)
         << QPointF(l + d * 0.74, t + d * 0.33);
    p.drawPolyline(tick);
  } else {
    p.drawLine(QPointF(l + d * 0.32, t + d * 0.32), QPointF(l + d * 0.68, t + d * 0.68));
    p.drawLine(QPointF(l + d * 0.68, t + d * 0.32), QPointF(l + d * 0.32, t + d * 0.68));
  }
}

void PaintLamp(QPainter& p, bool on, const QRectF& r) {
  const qreal d = qMin(r.width(), r.height()) - 2;
  const QPointF c = r.center();
  if (on) {
    QRadialGradient glow(c, d * 0.75);
    glow.setColorAt(0, QColor(0x9c, 0xff, 0x6a, 120));
    glow.setColorAt(1, QColor(0x9c, 0xff, 0x6a, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(c, d * 0.75, d * 0.75);
  }
  QRadialGradient g(c - QPointF(d * 0.15, d * 0.18), d * 0.6);
  if (on) {
    g.setColorAt(0, QColor(0xe4, 0xff, 0xc8));
    g.setColorAt(0.5, QColor(0x6c, 0xe8, 0x3a));
    g.setColorAt(1, QColor(0x2a, 0x8a, 0x1c));
  } else {
    g.setColorAt(0, QColor(0x4a, 0x52, 0x48));
    g.setColorAt(1, QColor(0x18, 0x1c, 0x18));
  }
  p.setPen(QPen(QColor(0x0a, 0x0a, 0x08), 1));
  p.setBrush(g);
  p.drawEllipse(c, d / 2, d / 2);
}

void PaintArrow(QPainter& p, Picture arrow, const QRectF& r) {
  const bool second = arrow >= Picture::ArrowHorizontalB;
  const Picture kind =
      second ? Picture(int(arrow) - int(Picture::ArrowHorizontalB) + int(Picture::ArrowHorizontal)) : arrow;
  qreal angle = 0;  // degrees, counter-clockwise from pointing right
  switch (kind) {
    case Picture::ArrowUp2: angle = 90; break;
    case Picture::ArrowUp1: angle = 40; break;
    case Picture::ArrowDown1: angle = -40; break;
    case Picture::ArrowDown2: angle = -90; break;
    default: angle = 0; break;
  }
  const QColor colour = second ? QColor(0xc2, 0x7c, 0x24) : QColor(0x2d, 0x68, 0x98);
  const qreal s = qMin(r.width(), r.height());
  p.translate(r.center());
  p.rotate(-angle);
  p.scale(s / 24.0, s / 24.0);
  QPainterPath shape;
  shape.moveTo(-9, -2.6);
  shape.lineTo(2, -2.6);
  shape.lineTo(2, -7.5);
  shape.lineTo(10.5, 0);
  shape.lineTo(2, 7.5);
  shape.lineTo(2, 2.6);
  shape.lineTo(-9, 2.6);
  shape.closeSubpath();
  p.setPen(QPen(colour.darker(140), 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  QLinearGradient g(QPointF(0, -8), QPointF(0, 8));
  g.setColorAt(0, colour.lighter(135));
  g.setColorAt(1, colour);
  p.setBrush(g);
  p.drawPath(shape);
}

}  // namespace qx::art

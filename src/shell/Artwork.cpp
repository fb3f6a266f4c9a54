// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/Artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <cmath>

#include "shell/ArtworkParts.h"

namespace qx {

QSize NaturalSize(Picture picture) {
  switch (picture) {
    case Picture::None: return {0, 0};
    case Picture::Background: return {804, 580};
    case Picture::Book: return {777, 529};
    case Picture::TabRow: return {26, 428};
    case Picture::PageSeparator: return {39, 509};
    case Picture::TitleConsole: return {560, 56};
    case Picture::MenuGuided:
    case Picture::MenuRevision:
    case Picture::MenuInfo:
    case Picture::MenuLogo:
    case Picture::MenuOptions:
    case Picture::MenuExit:
    case Picture::HideSettings: return {24, art::kMenuH};
    case Picture::ConsoleEvent:
    case Picture::ConsoleBook: return {220, 44};
    case Picture::ButtonBegin: return {90, 30};
    case Picture::ButtonNext: return {86, 30};
    case Picture::ButtonBack: return {86, 30};
    case Picture::ButtonCancel: return {92, 30};
    case Picture::ButtonSkipF: return {118, 30};
    case Picture::ButtonSkipB: return {118, 30};
    case Picture::Cover: return {777, 529};
    case Picture::RightConsole: return {146, 416};
    case Picture::LeftConsole: return {500, 34};
    case Picture::Screen: return {120, 40};
    case Picture::MessageCard: return {330, 86};
    case Picture::ButtonPause: return {90, 28};
    case Picture::Hands: return art::HandsSize();
    case Picture::Finger1:
    case Picture::Finger2:
    case Picture::Finger3:
    case Picture::Finger4:
    case Picture::Finger5:
    case Picture::Finger6:
    case Picture::Finger7:
    case Picture::Finger8:
    case Picture::Finger9:
      return art::FingerSize(int(picture) - int(Picture::Finger1) + 1);
    case Picture::RightMark:
    case Picture::WrongMark: return {48, 48};
    case Picture::LampOn:
    case Picture::LampOff: return {18, 18};
    case Picture::ArrowClear:
    case Picture::ArrowHorizontal:
    case Picture::ArrowUp2:
    case Picture::ArrowUp1:
    case Picture::ArrowDown2:
    case Picture::ArrowDown1:
    case Picture::ArrowHorizontalB:
    case Picture::ArrowUp2B:
    case Picture::ArrowUp1B:
    case Picture::ArrowDown2B:
    case Picture::ArrowDown1B: return {24, 24};
  }
  return {0, 0};
}

void PaintPicture(QPainter& p, Picture picture, const QRectF& r, const PaintState& s) {
  if (r.width() < 1 || r.height() < 1) return;
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  using namespace art;
  switch (picture) {
    case Picture::None:
    case Picture::ArrowClear: break;
    case Picture::Background: PaintDeskBackground(p, r); break;
    case Picture::Book: PaintBook(p, r); break;
    case Picture::TabRow: PaintTabRow(p, r); break;
    case Picture::PageSeparator: PaintPageSeparator(p, r); break;
    case Picture::TitleConsole: PaintTitleConsole(p, r); break;
    case Picture::MenuGuided:
    case Picture::MenuRevision:
    case Picture::MenuInfo:
    case Picture::MenuLogo:
    case Picture::MenuOptions:
    case Picture::MenuExit: PaintMenuTab(p, picture, r, s); break;
    case Picture::HideSettings: PaintHideSettings(p, r); break;
    case Picture::ConsoleEvent: PaintButtonConsole(p, r, true); break;
    case Picture::ConsoleBook: PaintButtonConsole(p, r, false); break;
    case Picture::ButtonBegin:
    case Picture::ButtonNext:
    case Picture::ButtonBack:
    case Picture::ButtonCancel:
    case Picture::ButtonSkipF:
    case Picture::ButtonSkipB:
    case Picture::ButtonPause: PaintButton(p, picture, r, s); break;
    case Picture::Cover: PaintCover(p, r); break;
    case Picture::RightConsole: PaintRightConsole(p, r); break;
    case Picture::LeftConsole: PaintLeftConsole(p, r); break;
    case Picture::Screen: PaintScreen(p, r); break;
    case Picture::MessageCard: PaintMessageCard(p, r); break;
    case Picture::Hands: PaintHands(p, r); break;
    case Picture::Finger1:
    case Picture::Finger2:
    case Picture::Finger3:
    case Picture::Finger4:
    case Picture::Finger5:
    case Picture::Finger6:
    case Picture::Finger7:
    case Picture::Finger8:
    case Picture::Finger9:
      PaintFinger(p, int(picture) - int(Picture::Finger1) + 1, r);
      break;
    case Picture::RightMark: PaintMark(p, true, r); break;
    case Picture::WrongMark: PaintMark(p, false, r); break;
    case Picture::LampOn: PaintLamp(p, true, r); break;
    case Picture::LampOff: PaintLamp(p, false, r); break;
    case Picture::ArrowHorizontal:
    case Picture::ArrowUp2:
    case Picture::ArrowUp1:
    case Picture::ArrowDown2:
    case Picture::ArrowDown1:
    case Picture::ArrowHorizontalB:
    case Picture::ArrowUp2B:
    case Picture::ArrowUp1B:
    case Picture::ArrowDown2B:
    case Picture::ArrowDown1B: PaintArrow(p, picture, r); break;
  }
  p.restore();
}

QString PictureCaption(Picture picture) {
  switch (picture) {
    case Picture::MenuGuided: return QStringLiteral("Study");
    case Picture::MenuRevision: return QStringLiteral("Review");
    case Picture::MenuInfo: return QStringLiteral("Progress");
    case Picture::MenuLogo: return QStringLiteral("About");
    case Picture::MenuOptions: return QStringLiteral("Options");
    case Picture::MenuExit: return QStringLiteral("Exit");
    case Picture::ButtonBegin: return QStringLiteral("Begin");
    case Picture::ButtonNext: return QStringLiteral("Next");
    case Picture::ButtonBack: return QStringLiteral("Back");
    case Picture::ButtonCancel: return QStringLiteral("Cancel");
    case Picture::ButtonSkipF: return QStringLiteral("Next lesson");
    case Picture::ButtonSkipB: return QStringLiteral("Prev. lesson");
    case Picture::ButtonPause: return QStringLiteral("Pause");
    default: return {};
  }
}

namespace art {

QColor SectionColour(Picture menu) {
  switch (menu) {
    case Picture::MenuGuided: return {0x3b, 0x7a, 0x52};
    case Picture::MenuRevision: return {0x2d, 0x68, 0x98};
    case Picture::MenuInfo: return {0xc2, 0x7c, 0x24};
    case Picture::MenuLogo: return {0x78, 0x4c, 0x8c};
    case Picture::MenuOptions: return {0x50, 0x66, 0x78};
    case Picture::MenuExit: return {0xa6, 0x40, 0x38};
    default: return colour::kInk;
  }
}

QPainterPath RoundedRect(const QRectF& r, qreal radius) {
  QPainterPath path;
  path.addRoundedRect(r, radius, radius);
  return path;
}

QPainterPath LeftRoundedRect(const QRectF& r, qreal radius) {
  const qreal d = 2 * radius;
  QPainterPath path;
  path.moveTo(r.right(), r.top());
  path.lineTo(r.left() + radius, r.top());
  path.arcTo(QRectF(r.left(), r.top(), d, d), 90, 90);
  path.lineTo(r.left(), r.bottom() - radius);
  path.arcTo(QRectF(r.left(), r.bottom() - d, d, d), 180, 90);
  path.lineTo(r.right(), r.bottom());
  path.closeSubpath();
  return path;
}

QPainterPath TopRoundedRect(const QRectF& r, qreal radius) {
  const qreal d = 2 * radius;
  QPainterPath path;
  path.moveTo(r.left(), r.bottom());
  path.lineTo(r.left(), r.top() + radius);
  path.arcTo(QRectF(r.left(), r.top(), d, d), 180, -90);
  path.lineTo(r.right() - radius, r.top());
  path.arcTo(QRectF(r.right() - d, r.top(), d, d), 90, -90);
  path.lineTo(r.right(), r.bottom());
  path.closeSubpath();
  return path;
}

void SoftShadow(QPainter& p, const QPainterPath& shape, qreal spread, int alpha) {
  p.save();
  p.setBrush(Qt::NoBrush);
  const int steps = 5;
  for (int i = steps; i >= 1; --i) {
    QColor c(0, 0, 0, alpha / steps);
    p.setPen(QPen(c, spread * i / steps * 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(shape);
  }
  p.restore();
}

void PaintScreen(QPainter& p, const QRectF& r) {
  const qreal radius = qMin<qreal>(6, qMin(r.width(), r.height()) / 4);
  // Rim: lighter below, darker above, as if set into the panel.
  QLinearGradient rim(r.topLeft(), r.bottomLeft());
  rim.setColorAt(0, QColor(0x1a, 0x10, 0x0a));
  rim.setColorAt(1, QColor(0x9c, 0x78, 0x52));
  p.setPen(Qt::NoPen);
  p.setBrush(rim);
  p.drawPath(RoundedRect(r, radius));
  const QRectF glass = r.adjusted(2, 2, -2, -2);
  QLinearGradient g(glass.topLeft(), glass.bottomLeft());
  g.setColorAt(0, QColor(0x16, 0x1d, 0x17));
  g.setColorAt(1, colour::kScreen);
  p.setBrush(g);
  p.drawPath(RoundedRect(glass, qMax<qreal>(1, radius - 1.5)));
  // A faint reflection across the upper part of the glass.
  if (glass.height() > 12) {
    QLinearGradient shine(glass.topLeft(), QPointF(glass.left(), glass.top() + glass.height() * 0.45));
    shine.setColorAt(0, QColor(255, 255, 255, 22));
    shine.setColorAt(1, QColor(255, 255, 255, 0));
    p.setBrush(shine);
    p.drawPath(RoundedRect(QRectF(glass.left() + 1, glass.top() + 1, glass.width() - 2,
                                  glass.height() * 0.45),
                           qMax<qreal>(1, radius - 2)));
  }
}

void PaintWalnutPanel(QPainter& p, const QRectF& r, qreal radius, bool screws) {
  QLinearGradient g(r.topLeft(), r.topRight());
  g.setColorAt(0, colour::kWalnut.lighter(108));
  g.setColorAt(0.5, colour::kWalnut);
  g.setColorAt(1, colour::kWalnutDark);
  p.setPen(QPen(colour::kWalnutDark.darker(130), 1));
  p.setBrush(g);
  p.drawPath(RoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), radius));
  // Grain: a few gently waving lines along the panel.
  p.save();
  p.setClipPath(RoundedRect(r, radius));
  p.setBrush(Qt::NoBrush);
  const bool tall = r.height() > r.width();
  const qreal length = tall ? r.height() : r.width();
  const qreal across = tall ? r.width() : r.height();
  const int lines = qMax(3, int(across / 9));
  for (int i = 0; i < lines; ++i) {
    const qreal base = across * (i + 0.5) / lines;
    QPainterPath grain;
    for (qreal t = 0; t <= length; t += 6) {
      const qreal off = base + 1.6 * std::sin(t / 37.0 + i * 1.7) + 0.8 * std::sin(t / 11.0 + i);
      const QPointF pt = tall ? QPointF(r.left() + off, r.top() + t) : QPointF(r.left() + t, r.top() + off);
      if (t == 0)
        grain.moveTo(pt);
      else
        grain.lineTo(pt);
    }
    p.setPen(QPen(QColor(0, 0, 0, i % 2 ? 26 : 16), 1));
    p.drawPath(grain);
  }
  // Bevel: a light line inside the top edge.
  p.setPen(QPen(QColor(255, 230, 200, 40), 1));
  p.drawPath(RoundedRect(r.adjusted(1.5, 1.5, -1.5, -1.5), qMax<qreal>(1, radius - 1)));
  p.restore();
  if (screws && r.width() > 40 && r.height() > 40) {
    const qreal s = 5;
    const qreal in = radius * 0.6 + 6;
    const QPointF corners[] = {{r.left() + in, r.top() + in},
                               {r.right() - in, r.top() + in},
                               {r.left() + in, r.bottom() - in},
                               {r.right() - in, r.bottom() - in}};
    for (const QPointF& c : corners) {
      QRadialGradient head(c - QPointF(1, 1), s);
      head.setColorAt(0, colour::kBrass.lighter(125));
      head.setColorAt(1, colour::kGoldDark);
      p.setPen(QPen(colour::kWalnutDark, 0.8));
      p.setBrush(head);
      p.drawEllipse(c, s / 2 + 0.5, s / 2 + 0.5);
      p.setPen(QPen(colour::kWalnutDark, 0.9));
      p.drawLine(c + QPointF(-1.6, 1.6), c + QPointF(1.6, -1.6));
    }
  }
}


// Scales nominal coordinates of a design of size (w, h) onto r.
void MapDesign(QPainter& p, const QRectF& r, qreal w, qreal h) {
  p.translate(r.topLeft());
  p.scale(r.width() / w, r.height() / h);
}

namespace {

// A small deterministic generator, so textures look the same every run.
struct Grain {
  uint32_t s;
  explicit Grain(uint32_t seed) : s(seed) {}
  qreal Next() {
    s = s * 1664525u + 1013904223u;
    return (s >> 8) / qreal(1 << 24);
  }
};

}  // namespace

void LeatherTexture(QPainter& p, const QRectF& r, uint32_t seed, int count, const QPainterPath* inside) {
  Grain g(seed);
  p.setPen(Qt::NoPen);
  const QColor light(255, 220, 200, 10), dark(0, 0, 0, 18);
  for (int i = 0; i < count; ++i) {
    const QPointF at(r.left() + g.Next() * r.width(), r.top() + g.Next() * r.height());
    const bool isLight = g.Next() > 0.5;
    const qreal size = 0.6 + g.Next() * 1.4;
    // A speck is kept whole when its centre lies on the board: that spares
    // a clip path, which costs more than all the specks together.
    if (inside && !inside->contains(at)) continue;
    p.setBrush(isLight ? light : dark);
    p.drawEllipse(at, size, size);
  }
}

void LeatherBoard(QPainter& p, const QRectF& r, qreal radius, uint32_t seed) {
  QLinearGradient g(r.topLeft(), r.bottomRight());
  g.setColorAt(0, colour::kLeatherLight);
  g.setColorAt(0.55, colour::kLeather);
  g.setColorAt(1, colour::kLeatherDark);
  p.setPen(QPen(colour::kLeatherDark.darker(140), 1));
  p.setBrush(g);
  const QPainterPath board = RoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), radius);
  p.drawPath(board);
  LeatherTexture(p, r, seed, int(r.width() * r.height() / 140), &board);
}

void GoldLine(QPainter& p, const QPainterPath& path, qreal width, int alpha) {
  QColor c = colour::kGold;
  c.setAlpha(alpha);
  p.setPen(QPen(c, width));
  p.setBrush(Qt::NoBrush);
  p.drawPath(path);
}

}  // namespace art
}  // namespace qx

// SPDX-License-Identifier: GPL-3.0-or-later
// The book itself: desk, leather cover, paper, menu tabs, title plate and
// the closed cover of the log-on page.
#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPolygonF>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>

#include "shell/ArtworkParts.h"

namespace qx::art {
namespace {

constexpr qreal kBookW = 777, kBookH = 529;
const QRectF kPaper(22, 8, 735, 511);

void PaintLabel(QPainter& p, const QRectF& r, const QString& text, const QColor& colour,
                int pixels, bool rotate) {
  QFont font(QStringLiteral("Liberation Sans Narrow"));
  font.setPixelSize(pixels);
  font.setBold(true);
  p.setFont(font);
  p.setPen(colour);
  if (!rotate) {
    p.drawText(r, Qt::AlignCenter, text);
    return;
  }
  p.save();
  p.translate(r.center());
  p.rotate(-90);
  p.drawText(QRectF(-r.height() / 2, -r.width() / 2, r.height(), r.width()), Qt::AlignCenter,
             text);
  p.restore();
}

}  // namespace

void PaintDeskBackground(QPainter& p, const QRectF& r) {
  QLinearGradient g(r.topLeft(), r.bottomLeft());
  g.setColorAt(0, colour::kDeskLight);
  g.setColorAt(1, colour::kDeskDark.lighter(115));
  p.fillRect(r, g);
  // Planks with a waving grain. The grain is faint and thin: hairlines
  // one device pixel wide, their ink scaled to the width they stand for,
  // draw the same at a fraction of the cost of widened strokes.
  const qreal device = std::max<qreal>(1, std::hypot(p.deviceTransform().m11(), p.deviceTransform().m12()));
  const auto hairline = [device](int r, int g, int b, int alpha, qreal width) {
    QPen pen(QColor(r, g, b, std::min(255, int(alpha * width * device + 0.5))), 0);
    return pen;
  };
  const qreal plank = 58;
  QPolygonF grain;
  for (qreal y = r.top(); y < r.bottom(); y += plank) {
    const int row = int((y - r.top()) / plank);
    p.setPen(hairline(0, 0, 0, 55, 1.2));
    p.drawLine(QPointF(r.left(), y), QPointF(r.right(), y));
    p.setPen(hairline(255, 225, 190, 18, 1));
    p.drawLine(QPointF(r.left(), y + 1.5), QPointF(r.right(), y + 1.5));
    for (int k = 1; k < 6; ++k) {
      grain.clear();
      const qreal base = y + plank * k / 6.0;
      for (qreal x = r.left(); x <= r.right() + 8; x += 8)
        grain << QPointF(x, base + 2.2 * std::sin(x / (53.0 + 9 * k) + row * 2.1 + k) +
                                1.1 * std::sin(x / 17.0 + k * 0.7));
      p.setPen(hairline(0x2a, 0x16, 0x0b, 20 + 6 * (k % 3), 1));
      p.drawPolyline(grain);
    }
  }
  // Lamp light from above the book.
  QRadialGradient light(r.center() - QPointF(0, r.height() * 0.15), qMax(r.width(), r.height()) * 0.75);
  light.setColorAt(0, QColor(255, 214, 150, 46));
  light.setColorAt(0.6, QColor(255, 214, 150, 0));
  light.setColorAt(1, QColor(0, 0, 0, 90));
  p.fillRect(r, light);
}

void PaintBook(QPainter& p, const QRectF& r) {
  MapDesign(p, r, kBookW, kBookH);
  LeatherBoard(p, QRectF(0, 0, kBookW, kBookH), 16, 7);
  GoldLine(p, RoundedRect(QRectF(5.5, 5.5, kBookW - 11, kBookH - 11), 12), 1.2, 150);
  // The page block: sheets below the top one show as edges.
  for (int i = 4; i >= 1; --i) {
    const QRectF sheet = kPaper.translated(i * 0.9, i * 1.1);
    p.setPen(QPen(colour::kPaperEdge.darker(100 + i * 4), 0.8));
    p.setBrush(colour::kPaperShade);
    p.drawRoundedRect(sheet, 3, 3);
  }
  SoftShadow(p, RoundedRect(kPaper, 3), 3, 60);
  QLinearGradient paper(kPaper.topLeft(), kPaper.bottomLeft());
  paper.setColorAt(0, colour::kPaper);
  paper.setColorAt(1, colour::kPaper.darker(102));
  p.setPen(QPen(colour::kPaperEdge, 0.8));
  p.setBrush(paper);
  p.drawRoundedRect(kPaper, 3, 3);
  // Warm shading toward the edges of the sheet.
  QLinearGradient edges(kPaper.topLeft(), kPaper.topRight());
  edges.setColorAt(0, QColor(0xb0, 0x90, 0x60, 30));
  edges.setColorAt(0.03, QColor(0xb0, 0x90, 0x60, 0));
  edges.setColorAt(0.97, QColor(0xb0, 0x90, 0x60, 0));
  edges.setColorAt(1, QColor(0xb0, 0x90, 0x60, 30));
  p.setPen(Qt::NoPen);
  p.setBrush(edges);
  p.drawRoundedRect(kPaper, 3, 3);
  // A ribbon bookmark hanging over the top right of the page.
  QPainterPath ribbon;
  const qreal rx = 700, rw = 16;
  ribbon.moveTo(rx, 0);
  ribbon.lineTo(rx + rw, 0);
  ribbon.lineTo(rx + rw, 62);
  ribbon.lineTo(rx + rw / 2, 54);
  ribbon.lineTo(rx, 62);
  ribbon.closeSubpath();
  SoftShadow(p, ribbon.translated(1.5, 1.5), 1.5, 50);
  QLinearGradient rg(QPointF(rx, 0), QPointF(rx + rw, 0));
  rg.setColorAt(0, QColor(0xb2, 0x83, 0x2c));
  rg.setColorAt(0.5, QColor(0xe2, 0xb5, 0x50));
  rg.setColorAt(1, QColor(0xa8, 0x78, 0x26));
  p.setPen(QPen(QColor(0x8a, 0x60, 0x1c), 0.8));
  p.setBrush(rg);
  p.drawPath(ribbon);
}

void PaintMenuIcon(QPainter& p, Picture menu, const QRectF& r, const QColor& c) {
  p.save();
  const qreal w = r.width(), h = r.height();
  QPen pen(c, qMax<qreal>(1.2, w / 9), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  p.setPen(pen);
  p.setBrush(Qt::NoBrush);
  const qreal l = r.left(), t = r.top(), cx = r.center().x(), cy = r.center().y();
  switch (menu) {
    case Picture::MenuGuided: {  // an open book
      QPainterPath left, right;
      left.moveTo(cx, t + h * 0.25);
      left.quadTo(cx - w * 0.25, t + h * 0.08, l, t + h * 0.18);
      left.lineTo(l, t + h * 0.86);
      left.quadTo(cx - w * 0.25, t + h * 0.76, cx, t + h * 0.93);
      left.closeSubpath();
      right = QTransform().translate(2 * cx, 0).scale(-1, 1).map(left);
      p.drawPath(left);
      p.drawPath(right);
      break;
    }
    case Picture::MenuRevision: {  // going round again
      const QRectF ring = r.adjusted(w * 0.12, h * 0.12, -w * 0.12, -h * 0.12);
      p.drawArc(ring, 100 * 16, 290 * 16);
      const QPointF tip(ring.center().x() + ring.width() / 2 * std::cos(qDegreesToRadians(100.0)),
                        ring.center().y() - ring.height() / 2 * std::sin(qDegreesToRadians(100.0)));
      p.setBrush(c);
      QPolygonF head;
      head << tip + QPointF(-w * 0.05, -h * 0.22) << tip + QPointF(w * 0.28, 0)
           << tip + QPointF(-w * 0.05, h * 0.22);
      p.setPen(QPen(c, 0.8));
      p.drawPolygon(head);
      break;
    }
    case Picture::MenuInfo: {  // rising bars
      const qreal bw = w * 0.2;
      const qreal base = t + h * 0.92;
      p.setBrush(c);
      p.setPen(Qt::NoPen);
      const qreal heights[] = {0.35, 0.6, 0.85};
      for (int i = 0; i < 3; ++i)
        p.drawRoundedRect(QRectF(l + w * 0.08 + i * w * 0.3, base - h * heights[i], bw, h * heights[i]),
                          1, 1);
      break;
    }
    case Picture::MenuLogo: {  // a quill
      QPainterPath vane;
      vane.moveTo(l + w * 0.18, t + h * 0.95);
      vane.cubicTo(l + w * 0.25, t + h * 0.45, l + w * 0.55, t + h * 0.1, l + w * 0.95, t + h * 0.02);
      vane.cubicTo(l + w * 0.9, t + h * 0.4, l + w * 0.6, t + h * 0.72, l + w * 0.18, t + h * 0.95);
      p.setBrush(QColor(c.red(), c.green(), c.blue(), 90));
      p.drawPath(vane);
      p.drawLine(QPointF(l + w * 0.08, t + h * 1.0), QPointF(l + w * 0.7, t + h * 0.3));
      break;
    }
    case Picture::MenuOptions: {  // a gear
      QPolygonF gear;
      const int teeth = 8;
      const qreal ro = w * 0.48, ri = w * 0.34;
      for (int i = 0; i < teeth * 4; ++i) {
        const qreal a = 2 * M_PI * (i - 0.5) / (teeth * 4);
        const qreal rad = (i % 4 == 0 || i % 4 == 1) ? ro : ri;
        gear << QPointF(cx + rad * std::cos(a), cy + rad * std::sin(a));
      }
      p.setBrush(c);
      p.setPen(QPen(c, 0.6));
      p.drawPolygon(gear);
      p.setBrush(Qt::NoBrush);
      p.setPen(Qt::NoPen);
      p.setCompositionMode(QPainter::CompositionMode_Clear);
      p.setBrush(Qt::black);
      p.drawEllipse(QPointF(cx, cy), w * 0.14, w * 0.14);
      break;
    }
    case Picture::MenuExit: {  // power
      const QRectF ring = r.adjusted(w * 0.1, h * 0.14, -w * 0.1, -h * 0.06);
      p.drawArc(ring, 125 * 16, 290 * 16);
      p.drawLine(QPointF(cx, t + h * 0.02), QPointF(cx, cy));
      break;
    }
    default: break;
  }
  p.restore();
}

void PaintMenuTab(QPainter& p, Picture menu, const QRectF& r, const PaintState& s) {
  const QColor base = SectionColour(menu);
  QColor top = base.lighter(s.hovered ? 135 : 118);
  QColor bottom = base.darker(s.pressed ? 140 : 112);
  const QRectF tab = r.adjusted(0.5, 0.5, 0, -0.5);
  const QPainterPath shape = LeftRoundedRect(tab, 6);
  QLinearGradient g(tab.topLeft(), tab.topRight());
  g.setColorAt(0, top);
  g.setColorAt(1, bottom);
  p.setPen(QPen(base.darker(150), 1));
  p.setBrush(g);
  p.drawPath(shape);
  p.setPen(QPen(QColor(255, 255, 255, 50), 1));
  p.setBrush(Qt::NoBrush);
  p.drawPath(LeftRoundedRect(tab.adjusted(1.5, 1.5, 0, -1.5), 5));
  const qreal w = r.width();
  const qreal icon = qMin<qreal>(w * 0.6, 14);
  PaintMenuIcon(p, menu, QRectF(r.center().x() - icon / 2 - 1, r.top() + 6, icon, icon), Qt::white);
  PaintLabel(p, QRectF(r.left(), r.top() + 8 + icon, w - 2, r.height() - 12 - icon),
             PictureCaption(menu), QColor(255, 255, 255, 240), qMax(8, int(w * 0.5)), true);
}

void PaintTabRow(QPainter& p, const QRectF& r) {
  // Each slot shows the tab of the section now open: it comes forward in the
  // page's own paper, so the hidden menu image reads as "you are here".
  const Picture menus[] = {Picture::MenuGuided, Picture::MenuRevision, Picture::MenuInfo,
                           Picture::MenuLogo,   Picture::MenuOptions,  Picture::MenuExit};
  const qreal sx = r.width() / 26.0, sy = r.height() / 428.0;
  for (int i = 0; i < 6; ++i) {
    const QRectF slot(r.left() + 1 * sx, r.top() + (kMenuFirst + i * kMenuStep) * sy, 25 * sx, kMenuH * sy);
    const QPainterPath shape = LeftRoundedRect(slot, 6);
    SoftShadow(p, shape.translated(-1, 1), 1.5, 40);
    p.setPen(QPen(colour::kPaperEdge, 1));
    p.setBrush(colour::kPaper);
    p.drawPath(shape);
    const QColor c = SectionColour(menus[i]);
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawPath(LeftRoundedRect(QRectF(slot.left(), slot.top(), 4, slot.height()), 3));
    const qreal icon = qMin<qreal>(slot.width() * 0.6, 14);
    PaintMenuIcon(p, menus[i], QRectF(slot.center().x() - icon / 2 + 1, slot.top() + 6, icon, icon), c);
    PaintLabel(p, QRectF(slot.left() + 2, slot.top() + 8 + icon, slot.width() - 2, slot.height() - 12 - icon),
               PictureCaption(menus[i]), c.darker(110), qMax(8, int(slot.width() * 0.48)), true);
  }
}

void PaintHideSettings(QPainter& p, const QRectF& r) {
  // Covers the options tab with the book's edge as it looks there: leather,
  // the gold tooling line, then the paper's edge. The section is not offered.
  const qreal sx = r.width() / 24.0;
  QColor leather;
  leather.setRgbF((colour::kLeatherLight.redF() + colour::kLeather.redF()) / 2,
                  (colour::kLeatherLight.greenF() + colour::kLeather.greenF()) / 2,
                  (colour::kLeatherLight.blueF() + colour::kLeather.blueF()) / 2);
  p.fillRect(r, leather);
  LeatherTexture(p, r, 11, int(r.width() * r.height() / 140));
  QColor gold = colour::kGold;
  gold.setAlpha(150);
  p.setPen(QPen(gold, 1.2));
  p.drawLine(QPointF(r.left() + 4.5 * sx, r.top()), QPointF(r.left() + 4.5 * sx, r.bottom()));
  const QRectF paper(r.left() + 21 * sx, r.top(), r.width() - 21 * sx, r.height());
  p.fillRect(paper, colour::kPaper);
  p.setPen(QPen(colour::kPaperEdge, 0.8));
  p.drawLine(paper.topLeft(), paper.bottomLeft());
}

void PaintPageSeparator(QPainter& p, const QRectF& r) {
  QLinearGradient g(r.topLeft(), r.topRight());
  const QColor shade(0x8a, 0x6a, 0x42);
  auto at = [&](qreal pos, int alpha) {
    QColor c = shade;
    c.setAlpha(alpha);
    g.setColorAt(pos, c);
  };
  at(0, 0);
  at(0.3, 18);
  at(0.46, 62);
  at(0.5, 90);
  at(0.54, 62);
  at(0.7, 18);
  at(1, 0);
  p.fillRect(r, g);
  const qreal cx = r.center().x();
  p.setPen(QPen(QColor(0x6b, 0x4e, 0x2e, 120), 1));
  p.drawLine(QPointF(cx, r.top()), QPointF(cx, r.bottom()));
  p.setPen(QPen(QColor(255, 255, 255, 90), 1));
  p.drawLine(QPointF(cx + 1.2, r.top()), QPointF(cx + 1.2, r.bottom()));
}

void PaintTitleConsole(QPainter& p, const QRectF& r) {
  // A title plate of darker paper with a gold rule under it.
  const QRectF plate = r.adjusted(6, 3, -6, -9);
  const QPainterPath shape = RoundedRect(plate, 9);
  SoftShadow(p, shape.translated(0, 1.5), 2.5, 45);
  QLinearGradient g(plate.topLeft(), plate.bottomLeft());
  g.setColorAt(0, QColor(0xfb, 0xf3, 0xe2));
  g.setColorAt(1, QColor(0xf1, 0xe2, 0xc4));
  p.setPen(QPen(colour::kGoldDark, 1));
  p.setBrush(g);
  p.drawPath(shape);
  GoldLine(p, RoundedRect(plate.adjusted(3, 3, -3, -3), 7), 0.8, 170);
  // Diamonds at both ends.
  for (qreal x : {plate.left() + 14, plate.right() - 14}) {
    QPolygonF d;
    const qreal cy = plate.center().y();
    d << QPointF(x, cy - 5) << QPointF(x + 4, cy) << QPointF(x, cy + 5) << QPointF(x - 4, cy);
    p.setPen(Qt::NoPen);
    p.setBrush(colour::kGoldDark);
    p.drawPolygon(d);
  }
}

}  // namespace qx::art

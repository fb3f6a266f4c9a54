// SPDX-License-Identifier: GPL-3.0-or-later
// The closed book of the log-on page, lying on the desk.
#include <QFont>
#include <QLinearGradient>
#include <QPainter>

#include "shell/ArtworkParts.h"

namespace qx::art {

void PaintCover(QPainter& p, const QRectF& r) {
  PaintDeskBackground(p, r);
  MapDesign(p, r, 777, 529);
  const QRectF front(188, 14, 410, 500);
  // Pages seen at the fore-edge and the foot, then the board over them.
  QRectF block = front.adjusted(10, 6, 8, 4);
  SoftShadow(p, RoundedRect(block.translated(4, 5), 10), 7, 90);
  p.setPen(QPen(colour::kPaperEdge.darker(110), 0.8));
  p.setBrush(colour::kPaperShade);
  p.drawRoundedRect(block, 8, 8);
  for (int i = 1; i < 7; ++i) {
    p.setPen(QPen(QColor(0xb8, 0xa4, 0x80, 110), 0.7));
    p.drawLine(QPointF(front.right() + i, front.top() + 14), QPointF(front.right() + i, front.bottom() - 6));
  }
  LeatherBoard(p, front, 12, 23);
  // The spine side: a darker band with raised cords.
  QRectF spine(front.left(), front.top(), 30, front.height());
  QLinearGradient sg(spine.topLeft(), spine.topRight());
  sg.setColorAt(0, QColor(0, 0, 0, 90));
  sg.setColorAt(0.8, QColor(0, 0, 0, 25));
  sg.setColorAt(1, QColor(255, 220, 200, 30));
  p.setPen(Qt::NoPen);
  p.setBrush(sg);
  p.drawPath(LeftRoundedRect(spine, 12));
  GoldLine(p, RoundedRect(front.adjusted(44, 18, -18, -18), 6), 1.6, 190);
  GoldLine(p, RoundedRect(front.adjusted(50, 24, -24, -24), 4), 0.8, 150);
  // Corner flourishes.
  const qreal fl = front.left() + 50, fr = front.right() - 24, ft = front.top() + 24, fb = front.bottom() - 24;
  for (const QPointF& c : {QPointF(fl, ft), QPointF(fr, ft), QPointF(fl, fb), QPointF(fr, fb)}) {
    p.setPen(Qt::NoPen);
    p.setBrush(colour::kGold);
    QPolygonF leaf;
    leaf << c + QPointF(0, -7) << c + QPointF(7, 0) << c + QPointF(0, 7) << c + QPointF(-7, 0);
    p.drawPolygon(leaf);
  }
  const qreal cx = front.left() + 30 + (front.width() - 30) / 2;
  // Title in gold, pressed into the leather.
  QFont title(QStringLiteral("Liberation Serif"));
  title.setPixelSize(46);
  title.setBold(true);
  title.setLetterSpacing(QFont::AbsoluteSpacing, 1);
  p.setFont(title);
  const QRectF titleBox(front.left() + 30, 58, front.width() - 30, 60);
  p.setPen(QColor(0x2a, 0x0a, 0x08, 160));
  p.drawText(titleBox.translated(1, 1.5), Qt::AlignCenter, QStringLiteral("Quillbrandex"));
  p.setPen(colour::kGold);
  p.drawText(titleBox, Qt::AlignCenter, QStringLiteral("Quillbrandex"));
  QFont sub(QStringLiteral("Liberation Serif"));
  sub.setPixelSize(15);
  sub.setItalic(true);
  sub.setLetterSpacing(QFont::AbsoluteSpacing, 2);
  p.setFont(sub);
  p.setPen(colour::kGold.lighter(105));
  p.drawText(QRectF(titleBox.left(), 116, titleBox.width(), 22), Qt::AlignCenter,
             QStringLiteral("the touch typing tutor"));
  // The medallion: a quill over a key cap.
  const QPointF mc(cx, 210);
  p.setBrush(QColor(0x5a, 0x1c, 0x17));
  p.setPen(QPen(colour::kGold, 2.2));
  p.drawEllipse(mc, 58, 58);
  p.setPen(QPen(colour::kGold, 0.8));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(mc, 52, 52);
  const QRectF key(mc.x() - 26, mc.y() - 4, 52, 40);
  p.setPen(QPen(colour::kGoldDark, 1.2));
  QLinearGradient kg(key.topLeft(), key.bottomLeft());
  kg.setColorAt(0, QColor(0xfb, 0xf3, 0xe2));
  kg.setColorAt(1, QColor(0xe2, 0xcf, 0xaa));
  p.setBrush(kg);
  p.drawRoundedRect(key, 6, 6);
  QFont keyFont(QStringLiteral("Liberation Sans"));
  keyFont.setPixelSize(22);
  keyFont.setBold(true);
  p.setFont(keyFont);
  p.setPen(colour::kLeather);
  p.drawText(key.adjusted(0, 2, 0, 0), Qt::AlignCenter, QStringLiteral("F"));
  p.setPen(QPen(colour::kLeather, 1.4));
  p.drawLine(QPointF(key.center().x() - 6, key.bottom() - 7), QPointF(key.center().x() + 6, key.bottom() - 7));
  PaintMenuIcon(p, Picture::MenuLogo, QRectF(mc.x() - 4, mc.y() - 46, 40, 44), colour::kGold);
  QFont badge(QStringLiteral("Liberation Sans"));
  badge.setPixelSize(13);
  badge.setBold(true);
  badge.setLetterSpacing(QFont::AbsoluteSpacing, 3);
  p.setFont(badge);
  p.setPen(colour::kGold);
  p.drawText(QRectF(mc.x() - 60, 276, 120, 20), Qt::AlignCenter, QStringLiteral("98"));
  // The name plate the log-on controls sit on.
  const QRectF plate(front.left() + 56, 318, front.width() - 86, 150);
  SoftShadow(p, RoundedRect(plate.translated(0, 2), 8), 4, 90);
  QLinearGradient pg(plate.topLeft(), plate.bottomLeft());
  pg.setColorAt(0, QColor(0xfd, 0xf8, 0xec));
  pg.setColorAt(1, QColor(0xf0, 0xe3, 0xc8));
  p.setPen(QPen(colour::kGoldDark, 1.2));
  p.setBrush(pg);
  p.drawRoundedRect(plate, 8, 8);
  GoldLine(p, RoundedRect(plate.adjusted(4, 4, -4, -4), 5), 0.8, 200);
}

}  // namespace qx::art

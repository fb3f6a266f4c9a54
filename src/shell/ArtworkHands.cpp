// SPDX-License-Identifier: GPL-3.0-or-later
// The two hands of the keyboard drills and the nine finger overlays. The
// overlays lie on the hands picture at fixed offsets, so each finger is
// drawn once from a shared description.
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <cmath>

#include "shell/ArtworkParts.h"

namespace qx::art {
namespace {

struct FingerShape {
  QPoint offset;  // overlay position on the hands picture
  QSize size;     // overlay size
  QPointF tip, base;  // capsule ends, overlay coordinates
  qreal width;
};

// Fingers 1..9: left little to right little, then the thumb.
const FingerShape kFingers[9] = {
    {{4, 69}, {28, 50}, {13, 10}, {18, 50}, 17},
    {{31, 25}, {28, 82}, {13, 11}, {15, 82}, 20},
    {{53, 0}, {30, 102}, {15, 11}, {17, 102}, 21},
    {{90, 13}, {26, 90}, {13, 11}, {10, 90}, 20},
    {{275, 8}, {30, 92}, {13, 12}, {17, 92}, 20},
    {{307, -4}, {28, 102}, {14, 12}, {13, 102}, 21},
    {{335, 18}, {27, 84}, {13, 11}, {10, 84}, 20},
    {{360, 52}, {27, 64}, {13, 10}, {8, 64}, 17},
    {{221, 90}, {56, 34}, {12, 10}, {49, 29}, 20},
};

constexpr int kHandsW = 400, kHandsH = 125;

QPainterPath Capsule(QPointF tip, QPointF base, qreal width) {
  const QPointF d = base - tip;
  const qreal len = std::hypot(d.x(), d.y());
  const qreal angle = std::atan2(d.y(), d.x()) * 180 / M_PI;
  QPainterPath path;
  path.addRoundedRect(QRectF(0, -width / 2, len + width / 2, width), width / 2, width / 2);
  QTransform t;
  t.translate(tip.x(), tip.y());
  t.rotate(angle);
  t.translate(-width / 2, 0);
  return t.map(path);
}

void PaintFingerShape(QPainter& p, const FingerShape& f, QPointF origin, bool highlight) {
  const QPointF tip = origin + f.tip, base = origin + f.base;
  const QPainterPath shape = Capsule(tip, base, f.width);
  QLinearGradient g(tip, base);
  QColor edge;
  if (highlight) {
    g.setColorAt(0, QColor(0xff, 0xd0, 0x5c));
    g.setColorAt(1, QColor(0xf3, 0x8f, 0x16));
    edge = QColor(0xb0, 0x58, 0x00);
  } else {
    g.setColorAt(0, QColor(0xf8, 0xdb, 0xbd));
    g.setColorAt(1, QColor(0xea, 0xbb, 0x92));
    edge = QColor(0xb8, 0x80, 0x5a);
  }
  p.setPen(QPen(edge, 1.1));
  p.setBrush(g);
  p.drawPath(shape);
  // The nail, a paler oval just behind the tip.
  const QPointF d = base - tip;
  const qreal len = std::hypot(d.x(), d.y());
  const QPointF dir = d / len;
  const QPointF nail = tip + dir * (f.width * 0.15);
  p.save();
  p.translate(nail);
  p.rotate(std::atan2(dir.y(), dir.x()) * 180 / M_PI);
  p.setPen(QPen(highlight ? QColor(0xd0, 0x78, 0x10) : QColor(0xd2, 0xa0, 0x80), 0.7));
  p.setBrush(highlight ? QColor(0xff, 0xec, 0xb0) : QColor(0xfd, 0xec, 0xde));
  p.drawRoundedRect(QRectF(-f.width * 0.1, -f.width * 0.28, f.width * 0.5, f.width * 0.56),
                    f.width * 0.2, f.width * 0.2);
  p.restore();
}

QPainterPath Palm(bool left) {
  // Drawn for the right hand and mirrored; the ball of the thumb bulges
  // toward the middle so the thumb grows out of it.
  QPainterPath palm;
  palm.moveTo(392, 132);
  palm.lineTo(389, 117);
  palm.cubicTo(383, 106, 367, 99, 352, 96);
  palm.cubicTo(334, 91, 306, 90, 290, 94);
  palm.cubicTo(280, 97, 274, 102, 268, 108);
  palm.cubicTo(258, 109, 244, 114, 243, 132);
  palm.closeSubpath();
  if (left) return QTransform().translate(400, 0).scale(-1, 1).map(palm);
  return palm;
}

void PaintPalm(QPainter& p, bool left) {
  QLinearGradient g(QPointF(0, 92), QPointF(0, 125));
  g.setColorAt(0, QColor(0xf2, 0xcc, 0xa6));
  g.setColorAt(1, QColor(0xe2, 0xae, 0x84));
  p.setPen(QPen(QColor(0xb8, 0x80, 0x5a), 1.1));
  p.setBrush(g);
  p.drawPath(Palm(left));
}

}  // namespace

QSize HandsSize() { return {kHandsW, kHandsH}; }

QSize FingerSize(int finger) {
  if (finger < 1 || finger > 9) return {0, 0};
  return kFingers[finger - 1].size;
}

void PaintHands(QPainter& p, const QRectF& r) {
  p.translate(r.topLeft());
  p.scale(r.width() / kHandsW, r.height() / kHandsH);
  p.setClipRect(QRectF(0, 0, kHandsW, kHandsH));
  for (int i = 0; i < 8; ++i)
    PaintFingerShape(p, kFingers[i], kFingers[i].offset, false);
  // The right thumb is finger 9; the left one mirrors it.
  const FingerShape& thumb = kFingers[8];
  FingerShape leftThumb = thumb;
  leftThumb.tip = QPointF(kHandsW - (thumb.offset.x() + thumb.tip.x()), thumb.offset.y() + thumb.tip.y());
  leftThumb.base = QPointF(kHandsW - (thumb.offset.x() + thumb.base.x()), thumb.offset.y() + thumb.base.y());
  PaintFingerShape(p, leftThumb, QPointF(0, 0), false);
  PaintFingerShape(p, thumb, thumb.offset, false);
  PaintPalm(p, true);
  PaintPalm(p, false);
  // Knuckle creases.
  p.setPen(QPen(QColor(0xb8, 0x80, 0x5a, 110), 0.9));
  for (int i = 0; i < 8; ++i) {
    const QPointF b = QPointF(kFingers[i].offset) + kFingers[i].base;
    p.drawArc(QRectF(b.x() - 5, b.y() - 10, 10, 6), 200 * 16, 140 * 16);
  }
}

void PaintFinger(QPainter& p, int finger, const QRectF& r) {
  if (finger < 1 || finger > 9) return;
  const FingerShape& f = kFingers[finger - 1];
  p.translate(r.topLeft());
  p.scale(r.width() / f.size.width(), r.height() / f.size.height());
  // A soft glow around the finger, then the finger itself.
  const QPainterPath shape = Capsule(f.tip, f.base, f.width);
  p.setBrush(Qt::NoBrush);
  for (int i = 3; i >= 1; --i) {
    p.setPen(QPen(QColor(0xff, 0xb0, 0x20, 40), i * 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(shape);
  }
  PaintFingerShape(p, f, QPointF(0, 0), true);
}

}  // namespace qx::art

namespace qx {
QPoint FingerOverlayOffset(int finger) {
  if (finger < 1 || finger > 9) return {};
  return art::kFingers[finger - 1].offset;
}
}  // namespace qx

// SPDX-License-Identifier: GPL-3.0-or-later
#include "Art.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>

namespace qxart {

QImage NewCanvas(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(Colors::Paper);
  return image;
}

void Begin(QPainter& p, QImage& image) {
  p.begin(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
}

QFont SansFont(double pixels, bool bold) {
  QFont f("Liberation Sans");
  f.setPixelSize(qMax(1, qRound(pixels)));
  f.setBold(bold);
  return f;
}

QFont SerifFont(double pixels, bool bold) {
  QFont f("Liberation Serif");
  f.setPixelSize(qMax(1, qRound(pixels)));
  f.setBold(bold);
  return f;
}

void PaperCard(QPainter& p, const QRectF& area) {
  p.fillRect(area, Colors::Paper);
  QRadialGradient glow(area.center() + QPointF(0, -area.height() * 0.15), area.width() * 0.6);
  glow.setColorAt(0.0, QColor(0xFF, 0xFD, 0xF7));
  glow.setColorAt(1.0, Colors::Paper);
  p.fillRect(area, glow);
  p.setPen(QPen(Colors::Frame, 1.5));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(area.adjusted(2, 2, -2, -2), 8, 8);
}

void PageBackground(QPainter& p, const QRectF& area) {
  QLinearGradient sky(area.topLeft(), area.bottomLeft());
  sky.setColorAt(0.0, QColor(0xFF, 0xF9, 0xEF));
  sky.setColorAt(1.0, Colors::PaperDeep);
  p.fillRect(area, sky);
  QRadialGradient glow(QPointF(area.left() + area.width() * 0.26, area.top() + area.height() * 0.42),
                       area.height() * 0.55);
  glow.setColorAt(0.0, QColor(0xFF, 0xE2, 0xB4, 200));
  glow.setColorAt(1.0, QColor(0xFF, 0xE2, 0xB4, 0));
  p.fillRect(area, glow);
}

void KeyCap(QPainter& p, const QRectF& r, const QString& label, const QColor& face,
            const QColor& labelColor, double labelPixels, double depth) {
  const double radius = qMin(r.width(), r.height()) * 0.16;
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x5A, 0x40, 0x28, 40));
  p.drawRoundedRect(r.translated(0, 1.5), radius, radius);
  p.setBrush(face.darker(128));
  p.drawRoundedRect(r, radius, radius);
  const QRectF top = r.adjusted(0, 0, 0, -depth);
  QLinearGradient shade(top.topLeft(), top.bottomLeft());
  shade.setColorAt(0.0, face.lighter(112));
  shade.setColorAt(1.0, face);
  p.setBrush(shade);
  p.setPen(QPen(face.darker(150), 1.0));
  p.drawRoundedRect(top, radius, radius);
  if (label.isEmpty()) return;
  p.setPen(labelColor);
  p.setFont(SansFont(labelPixels, true));
  p.drawText(top, Qt::AlignCenter, label);
}

namespace {

QPainterPath PagePath(double gutterX, double outerX, double top, double bottom) {
  const double w = outerX - gutterX;
  QPainterPath path(QPointF(gutterX, top + 12));
  path.cubicTo(gutterX + w * 0.36, top - 6, gutterX + w * 0.7, top + 6, outerX, top + 2);
  path.lineTo(outerX, bottom - 4);
  path.cubicTo(gutterX + w * 0.7, bottom, gutterX + w * 0.36, bottom - 12, gutterX, bottom + 6);
  path.closeSubpath();
  return path;
}

void TextLines(QPainter& p, double gutterX, double outerX, double top, double bottom) {
  const double dir = outerX > gutterX ? 1.0 : -1.0;
  const double inner = gutterX + dir * 16;
  const double outer = outerX - dir * 16;
  p.setPen(QPen(QColor(0xD9, 0xC9, 0xAF), 3.0, Qt::SolidLine, Qt::RoundCap));
  int line = 0;
  for (double y = top + 30; y < bottom - 16; y += 13, ++line) {
    const bool paragraphEnd = line % 5 == 4;
    const double end = paragraphEnd ? inner + (outer - inner) * 0.55 : outer;
    const double lift = 6.0 * (1.0 - std::abs((y - top) / (bottom - top) - 0.5));
    p.drawLine(QPointF(inner, y - lift * 0.2), QPointF(end, y));
    if (paragraphEnd) y += 5;
  }
}

}  // namespace

void OpenBook(QPainter& p, const QPointF& centre, double width, double height) {
  const double top = centre.y() - height / 2;
  const double bottom = centre.y() + height / 2;
  const double left = centre.x() - width / 2;
  const double right = centre.x() + width / 2;
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x6B, 0x45, 0x2A, 45));
  p.drawEllipse(QPointF(centre.x(), bottom + 10), width * 0.55, 14);
  // Cover and the edges of the pages beneath.
  p.setBrush(QColor(0x9E, 0x4B, 0x38));
  p.drawPath(PagePath(centre.x(), left - 8, top + 8, bottom + 8));
  p.drawPath(PagePath(centre.x(), right + 8, top + 8, bottom + 8));
  for (int edge = 3; edge >= 1; --edge) {
    p.setBrush(QColor(0xF0, 0xE4, 0xD0).darker(100 + edge * 4));
    p.drawPath(PagePath(centre.x(), left - edge, top + edge * 1.5, bottom + edge * 1.5));
    p.drawPath(PagePath(centre.x(), right + edge, top + edge * 1.5, bottom + edge * 1.5));
  }
  for (double outer : {left, right}) {
    QLinearGradient shade(QPointF(outer, 0), QPointF(centre.x(), 0));
    shade.setColorAt(0.0, QColor(0xFF, 0xFC, 0xF4));
    shade.setColorAt(0.8, QColor(0xF8, 0xEF, 0xDF));
    shade.setColorAt(1.0, QColor(0xE2, 0xD0, 0xB4));
    p.setBrush(shade);
    p.setPen(QPen(QColor(0xC9, 0xB2, 0x92), 1.0));
    p.drawPath(PagePath(centre.x(), outer, top, bottom));
    TextLines(p, centre.x(), outer, top, bottom);
  }
  p.setPen(QPen(QColor(0xB8, 0x9C, 0x7A), 1.2));
  p.drawLine(QPointF(centre.x(), top + 12), QPointF(centre.x(), bottom + 6));
}

void Quill(QPainter& p, const QPointF& nib, const QPointF& top, double vaneWidth) {
  const QPointF axis = top - nib;
  const double length = std::hypot(axis.x(), axis.y());
  const QPointF unit = axis / length;
  const QPointF normal(-unit.y(), unit.x());
  auto at = [&](double along, double side) { return nib + unit * (length * along) + normal * side; };

  QPainterPath vane(at(0.22, 0));
  vane.cubicTo(at(0.35, vaneWidth * 0.9), at(0.75, vaneWidth * 1.05), at(1.0, vaneWidth * 0.1));
  vane.cubicTo(at(0.85, -vaneWidth * 0.45), at(0.45, -vaneWidth * 0.55), at(0.22, 0));
  QLinearGradient fill(at(0.2, 0), at(1.0, 0));
  fill.setColorAt(0.0, Colors::Coral);
  fill.setColorAt(0.6, Colors::Amber);
  fill.setColorAt(1.0, QColor(0xFB, 0xD3, 0x8A));
  p.setPen(QPen(Colors::AmberDark, 1.2));
  p.setBrush(fill);
  p.drawPath(vane);
  // Barbs: fine lines that give the vane its feathery grain.
  p.setPen(QPen(QColor(0xFF, 0xEE, 0xD0, 150), 1.0));
  for (double along = 0.3; along < 0.95; along += 0.05) {
    p.drawLine(at(along, 0), at(along + 0.06, vaneWidth * 0.75));
    p.drawLine(at(along, 0), at(along + 0.05, -vaneWidth * 0.38));
  }
  p.setPen(QPen(QColor(0x7A, 0x4E, 0x2C), 2.0, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(at(0.04, 0), at(0.98, 0));
  p.setPen(QPen(Colors::Ink, 2.4, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(nib, at(0.05, 0));
}

void Hand(QPainter& p, const std::vector<QPointF>& tips, const QPointF& thumb,
          const QPointF& wrist, double fingerWidth) {
  static const double kLength[] = {2.2, 2.8, 3.1, 2.8};  // little .. index, in finger widths
  QPointF knuckles;
  for (const QPointF& t : tips) knuckles += t;
  knuckles /= double(tips.size());
  const QPointF downward = wrist - knuckles;
  const QPointF down = downward / std::hypot(downward.x(), downward.y());
  std::vector<QPointF> bases;
  for (size_t i = 0; i < tips.size(); ++i) bases.push_back(tips[i] + down * (kLength[i] * fingerWidth));

  // "side" points from the index finger towards the little finger.
  const QPointF across = bases.front() - bases.back();
  const double palmWidth = std::hypot(across.x(), across.y()) + fingerWidth;
  const QPointF side = across / std::hypot(across.x(), across.y());
  const QPointF outerTop = bases.front() + side * (fingerWidth * 0.45);
  const QPointF innerTop = bases.back() - side * (fingerWidth * 0.45);
  const double palmHeight = palmWidth * 0.78;
  const QPointF outerLow = outerTop + down * (palmHeight * 0.85) - side * (fingerWidth * 0.2);
  const QPointF innerLow = innerTop + down * (palmHeight * 0.95) + side * (fingerWidth * 0.35);
  const QPointF thumbRoot = innerTop + down * (palmHeight * 0.42) + side * (fingerWidth * 0.25);

  QPainterPath palm(wrist + side * (palmWidth * 0.27));
  palm.quadTo(outerLow + down * (palmHeight * 0.3), outerLow);
  palm.quadTo(outerTop + down * (palmHeight * 0.3), outerTop);
  for (const QPointF& b : bases) palm.lineTo(b);
  palm.lineTo(innerTop);
  palm.lineTo(thumbRoot);
  palm.quadTo(innerLow + side * (fingerWidth * 0.1), innerLow);
  palm.quadTo(innerLow + down * (palmHeight * 0.3), wrist - side * (palmWidth * 0.25));
  palm.closeSubpath();

  for (int pass = 0; pass < 2; ++pass) {
    const QColor colour = pass == 0 ? Colors::SkinLine : Colors::Skin;
    const double extra = pass == 0 ? 2.5 : 0.0;
    p.setBrush(colour);
    p.setPen(QPen(colour, fingerWidth * 0.5 + extra, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(palm);
    p.setPen(QPen(colour, fingerWidth * 1.1 + extra, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(thumbRoot, thumb);
    p.setPen(QPen(colour, fingerWidth + extra, Qt::SolidLine, Qt::RoundCap));
    for (size_t i = 0; i < tips.size(); ++i) p.drawLine(bases[i] + down * (fingerWidth * 0.3), tips[i]);
  }
  // A sleeve over the forearm: friendlier than an arm, and it ends the hand.
  const QPointF cuff = (outerLow + innerLow) / 2 + down * (palmHeight * 0.02);
  QPolygonF sleeve;
  sleeve << cuff + side * (palmWidth * 0.47) << wrist + side * (palmWidth * 0.6)
         << wrist - side * (palmWidth * 0.6) << cuff - side * (palmWidth * 0.47);
  p.setPen(QPen(Colors::Teal.darker(125), 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Colors::Teal);
  p.drawPolygon(sleeve);
  p.setPen(QPen(Colors::Teal.lighter(125), fingerWidth * 0.7, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(cuff + side * (palmWidth * 0.44) + down * (fingerWidth * 0.35),
             cuff - side * (palmWidth * 0.44) + down * (fingerWidth * 0.35));
  // Knuckle creases, barely there, so the fingers read as fingers.
  p.setPen(QPen(QColor(0xE8, 0xB8, 0x98), 1.0, Qt::SolidLine, Qt::RoundCap));
  for (size_t i = 0; i < tips.size(); ++i) {
    const QPointF c = tips[i] + down * (kLength[i] * fingerWidth * 0.45);
    p.drawLine(c - side * (fingerWidth * 0.22), c + side * (fingerWidth * 0.22));
  }
  // Nails, a shade lighter, set back a little from each tip.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0xFC, 0xE6, 0xD6));
  auto nail = [&](const QPointF& tip, const QPointF& base, double w) {
    const QPointF d = base - tip;
    const double len = std::hypot(d.x(), d.y());
    const QPointF centre = tip + d / len * (w * 0.3);
    p.save();
    p.translate(centre);
    p.rotate(qRadiansToDegrees(std::atan2(d.y(), d.x())) + 90);
    p.drawRoundedRect(QRectF(-w * 0.27, -w * 0.32, w * 0.54, w * 0.58), w * 0.2, w * 0.2);
    p.restore();
  };
  for (size_t i = 0; i < tips.size(); ++i) nail(tips[i], bases[i], fingerWidth);
  nail(thumb, thumbRoot, fingerWidth * 1.1);
}

void Star(QPainter& p, const QPointF& centre, double outer, double inner, const QColor& fill) {
  QPolygonF star;
  for (int i = 0; i < 10; ++i) {
    const double angle = -M_PI / 2 + i * M_PI / 5;
    const double radius = i % 2 == 0 ? outer : inner;
    star << centre + QPointF(std::cos(angle) * radius, std::sin(angle) * radius);
  }
  p.setPen(QPen(fill.darker(130), 1.0));
  p.setBrush(fill);
  p.drawPolygon(star);
}

}  // namespace qxart

// SPDX-License-Identifier: GPL-3.0-or-later
// The review pages' pictures, drawn in code so that they stay sharp at
// any scale of the book.
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>

#include "platform/QtDraw.h"
#include "shell/ArtworkParts.h"
#include "shell/ReviStg.h"

namespace {

namespace colour = qx::art::colour;

void Card(QPainter& p, const QRectF& r, const QColor& top, const QColor& bottom) {
  QLinearGradient g(r.topLeft(), r.bottomLeft());
  g.setColorAt(0, top);
  g.setColorAt(1, bottom);
  p.setPen(QPen(colour::kGoldDark, 1.5));
  p.setBrush(g);
  p.drawRoundedRect(r.adjusted(1, 1, -1, -1), 12, 12);
}

void Key(QPainter& p, const QRectF& r, const QString& text, const QColor& face, qreal font) {
  p.setPen(QPen(QColor(0x8a, 0x73, 0x58), 1.2));
  p.setBrush(QColor(0xd9, 0xcc, 0xb4));
  p.drawRoundedRect(r, 5, 5);
  p.setBrush(face);
  p.drawRoundedRect(r.adjusted(2, 1.5, -2, -4), 4, 4);
  p.setPen(colour::kInk);
  p.setFont(qx::PixelFont(QStringLiteral("Arial"), int(font), true));
  p.drawText(r.adjusted(2, 1, -2, -4), Qt::AlignCenter, text);
}

void Star(QPainter& p, QPointF c, qreal r, const QColor& fill) {
  QPainterPath star;
  for (int i = 0; i < 10; ++i) {
    const qreal a = -M_PI / 2 + i * M_PI / 5;
    const qreal radius = i % 2 ? r * 0.42 : r;
    const QPointF pt(c.x() + radius * std::cos(a), c.y() + radius * std::sin(a));
    i ? star.lineTo(pt) : star.moveTo(pt);
  }
  star.closeSubpath();
  p.setPen(QPen(fill.darker(140), 1));
  p.setBrush(fill);
  p.drawPath(star);
}

void Bubble(QPainter& p, QPointF c, qreal r, const QString& letter) {
  QRadialGradient g(c - QPointF(r / 3, r / 3), r * 1.3);
  g.setColorAt(0, QColor(255, 255, 255, 235));
  g.setColorAt(0.6, QColor(0x9f, 0xd8, 0xf0, 200));
  g.setColorAt(1, QColor(0x3f, 0x8f, 0xc0, 220));
  p.setPen(QPen(QColor(0x2f, 0x6f, 0x9a), 1.2));
  p.setBrush(g);
  p.drawEllipse(c, r, r);
  p.setPen(QColor(0x1d, 0x3f, 0x5a));
  p.setFont(qx::PixelFont(QStringLiteral("Arial"), int(r), true));
  p.drawText(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), Qt::AlignCenter, letter);
}

void Wizard(QPainter& p, const QRectF& r) {
  Card(p, r, QColor(0xf3, 0xe6, 0xff), QColor(0xd7, 0xc2, 0xef));
  // A wand over three keys, its sparks rising.
  Key(p, QRectF(r.left() + 10, r.bottom() - 34, 22, 24), QStringLiteral("a"), colour::kPaper, 13);
  Key(p, QRectF(r.left() + 33, r.bottom() - 34, 22, 24), QStringLiteral("b"), colour::kPaper, 13);
  Key(p, QRectF(r.left() + 56, r.bottom() - 34, 22, 24), QStringLiteral("c"), colour::kPaper, 13);
  p.setPen(QPen(QColor(0x33, 0x22, 0x44), 5, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(r.left() + 22, r.top() + 46), QPointF(r.left() + 54, r.top() + 20));
  p.setPen(QPen(Qt::white, 5, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(r.left() + 50, r.top() + 23), QPointF(r.left() + 54, r.top() + 20));
  Star(p, QPointF(r.left() + 62, r.top() + 15), 9, QColor(0xff, 0xd4, 0x3b));
  Star(p, QPointF(r.left() + 72, r.top() + 34), 5, QColor(0xff, 0xe9, 0x8a));
  Star(p, QPointF(r.left() + 44, r.top() + 10), 4, QColor(0xff, 0xe9, 0x8a));
}

void Story(QPainter& p, const QRectF& r) {
  Card(p, r, QColor(0xfd, 0xf1, 0xdc), QColor(0xf0, 0xd9, 0xb0));
  const QPointF spine(r.center().x(), r.top() + 20);
  for (int side : {-1, 1}) {
    QPainterPath page;
    page.moveTo(spine);
    page.quadTo(spine + QPointF(side * 18, -8), spine + QPointF(side * 34, -4));
    page.lineTo(spine + QPointF(side * 34, 44));
    page.quadTo(spine + QPointF(side * 18, 38), spine + QPointF(0, 48));
    page.closeSubpath();
    p.setPen(QPen(colour::kGoldDark, 1.2));
    p.setBrush(colour::kPaper);
    p.drawPath(page);
    p.setPen(QPen(QColor(0xb9, 0xa6, 0x88), 1.3));
    for (int line = 0; line < 5; ++line) {
      const qreal y = spine.y() + 6 + line * 7;
      p.drawLine(spine + QPointF(side * 6, y - spine.y()), spine + QPointF(side * 29, y - spine.y()));
    }
  }
  p.setPen(QPen(colour::kLeather, 2));
  p.drawLine(spine, spine + QPointF(0, 48));
  // A clock: the story lasts as long as the student chose.
  const QPointF clock(r.right() - 16, r.bottom() - 14);
  p.setPen(QPen(colour::kLeather, 1.5));
  p.setBrush(Qt::white);
  p.drawEllipse(clock, 10, 10);
  p.drawLine(clock, clock + QPointF(0, -7));
  p.drawLine(clock, clock + QPointF(5, 2));
}

void BubblesIcon(QPainter& p, const QRectF& r) {
  Card(p, r, QColor(0xe3, 0xf5, 0xff), QColor(0xb8, 0xdf, 0xf3));
  Bubble(p, r.topLeft() + QPointF(26, 56), 15, QStringLiteral("f"));
  Bubble(p, r.topLeft() + QPointF(56, 40), 13, QStringLiteral("j"));
  Bubble(p, r.topLeft() + QPointF(36, 22), 10, QStringLiteral("k"));
  Bubble(p, r.topLeft() + QPointF(66, 15), 7, QString());
}

void ZaroIcon(QPainter& p, const QRectF& r) {
  Card(p, r, QColor(0x1d, 0x26, 0x4a), QColor(0x3a, 0x2a, 0x5e));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 255, 255, 200));
  for (QPointF s : {QPointF(14, 14), QPointF(70, 20), QPointF(24, 60), QPointF(62, 70), QPointF(45, 10)})
    p.drawEllipse(r.topLeft() + s, 1.3, 1.3);
  // Words falling towards a little ship that types them away.
  p.setFont(qx::PixelFont(QStringLiteral("Arial"), 12, true));
  p.setPen(QColor(0xff, 0xd4, 0x3b));
  p.drawText(r.topLeft() + QPointF(12, 28), QStringLiteral("zap"));
  p.setPen(QColor(0x9f, 0xe8, 0xff));
  p.drawText(r.topLeft() + QPointF(44, 42), QStringLiteral("zoo"));
  QPainterPath ship;
  const QPointF b = r.topLeft() + QPointF(40, 74);
  ship.moveTo(b + QPointF(0, -16));
  ship.lineTo(b + QPointF(10, 4));
  ship.lineTo(b + QPointF(0, 0));
  ship.lineTo(b + QPointF(-10, 4));
  ship.closeSubpath();
  p.setPen(QPen(QColor(0xe0, 0xe6, 0xff), 1));
  p.setBrush(QColor(0xd0, 0x4a, 0x3a));
  p.drawPath(ship);
  p.setPen(QPen(QColor(0x7c, 0xff, 0x4f), 1.5, Qt::DashLine));
  p.drawLine(b + QPointF(0, -18), r.topLeft() + QPointF(54, 46));
}

void Words(QPainter& p, const QRectF& r) {
  Card(p, r, colour::kPaper, colour::kPaperShade);
  const char* rows[] = {"fjdk", "asdf", "jkl;"};
  const qreal w = 20;
  for (int row = 0; row < 3; ++row)
    for (int i = 0; i < 4; ++i)
      Key(p, QRectF(r.left() + 24 + row * 8 + i * (w + 3), r.top() + 48 + row * 26, w, 22),
          QString(QChar(rows[row][i])), i == row ? QColor(0xfd, 0xe6, 0x9a) : colour::kPaper, 12);
  p.setPen(colour::kInk);
  p.setFont(qx::PixelFont(QStringLiteral("Liberation Mono"), 15, true));
  p.drawText(QRectF(r.left() + 10, r.top() + 10, r.width() - 20, 30), Qt::AlignCenter, QStringLiteral("fed sad lake"));
}

void Sentences(QPainter& p, const QRectF& r) {
  Card(p, r, colour::kPaper, colour::kPaperShade);
  p.setPen(colour::kLeather);
  p.setFont(qx::PixelFont(QStringLiteral("Times New Roman"), 17, false, true));
  p.drawText(QRectF(r.left() + 12, r.top() + 12, r.width() - 24, r.height() - 24), Qt::AlignCenter | Qt::TextWordWrap,
             QStringLiteral("A lazy zebra zips a frozen pizza.\n\nThe jolly judge juggles a jar."));
}

void Section(QPainter& p, const QRectF& r) {
  QLinearGradient g(r.topLeft(), r.bottomLeft());
  g.setColorAt(0, QColor(0xfd, 0xf6, 0xe8));
  g.setColorAt(1, QColor(0xf1, 0xe2, 0xc4));
  p.fillRect(r, g);
  p.setPen(QColor(0x86, 0x67, 0x2f));
  p.setFont(qx::PixelFont(QStringLiteral("Arial"), 15, true));
  p.drawText(QRectF(r.left(), r.top() + 22, r.width(), 24), Qt::AlignCenter,
             QStringLiteral("R E V I E W"));
  p.setPen(colour::kInk);
  p.setFont(qx::PixelFont(QStringLiteral("Times New Roman"), 19, false, true));
  p.drawText(QRectF(r.left() + 24, r.top() + 52, r.width() - 48, 56), Qt::AlignCenter | Qt::TextWordWrap,
             QStringLiteral("Practice makes perfect: go over the keys that slow you down."));
  // A few keys the way a student meets them again, the difficult one lit.
  const QString keys = QStringLiteral("QWERTYASDFGZXCVB");
  for (int i = 0; i < keys.size(); ++i) {
    const int row = i / 6, col = i % 6;
    const QRectF k(r.left() + 38 + row * 14 + col * 42, r.top() + 140 + row * 46, 38, 40);
    const bool lit = keys[i] == QLatin1Char('F') || keys[i] == QLatin1Char('Z');
    Key(p, k, QString(keys[i]), lit ? QColor(0xfd, 0xd2, 0x7a) : colour::kPaper, 18);
  }
  Bubble(p, r.topLeft() + QPointF(70, 330), 24, QStringLiteral("a"));
  Bubble(p, r.topLeft() + QPointF(118, 364), 17, QStringLiteral("s"));
  Bubble(p, r.topLeft() + QPointF(108, 300), 11, QString());
  Star(p, r.topLeft() + QPointF(250, 318), 22, QColor(0xff, 0xd4, 0x3b));
  Star(p, r.topLeft() + QPointF(292, 360), 12, QColor(0xff, 0xe9, 0x8a));
  Star(p, r.topLeft() + QPointF(212, 374), 9, QColor(0xff, 0xe9, 0x8a));
}

}  // namespace

QImage PaintReviewArt(TReviewArt art, QSize size) {
  QImage image(size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  // Each picture has its design size and is scaled to the size asked.
  QSizeF design(84, 84);
  if (art == TReviewArt::Words || art == TReviewArt::Sentences) design = QSizeF(150, 130);
  if (art == TReviewArt::Section) design = QSizeF(338, 428);
  p.scale(size.width() / design.width(), size.height() / design.height());
  const QRectF r(QPointF(0, 0), design);
  switch (art) {
    case TReviewArt::Section: Section(p, r); break;
    case TReviewArt::Wizard: Wizard(p, r); break;
    case TReviewArt::Story: Story(p, r); break;
    case TReviewArt::Bubbles:
    case TReviewArt::BubblesPreview: BubblesIcon(p, r); break;
    case TReviewArt::ZaroZira:
    case TReviewArt::ZaroPreview: ZaroIcon(p, r); break;
    case TReviewArt::Words: Words(p, r); break;
    case TReviewArt::Sentences: Sentences(p, r); break;
  }
  return image;
}

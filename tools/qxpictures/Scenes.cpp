// SPDX-License-Identifier: GPL-3.0-or-later
#include "Scenes.h"

#include <QPainterPath>
#include <QStringList>

#include "Art.h"
#include "KeyboardArt.h"

namespace qxart {

namespace {

// Key caps shown large on a lesson's picture: capitals are taught as Shift
// plus a letter, everything else key by key.
QStringList CapLabels(const QString& fresh) {
  QStringList labels;
  bool capitals = false;
  for (QChar c : fresh) capitals = capitals || c.isUpper();
  if (capitals) labels << "Shift" << "A";
  for (QChar c : fresh) {
    if (capitals && c.isLetter()) continue;
    labels << (c.isLetter() ? QString(c.toUpper()) : QString(c));
  }
  while (labels.size() > 6) labels.removeLast();
  return labels;
}

void ProgressDots(QPainter& p, double centreX, double y, int number, int count) {
  const double step = qMin(12.0, 240.0 / qMax(1, count));
  const double left = centreX - step * (count - 1) / 2;
  for (int i = 1; i <= count; ++i) {
    const QPointF c(left + (i - 1) * step, y);
    if (i == number) {
      p.setPen(QPen(Colors::AmberDark, 1.0));
      p.setBrush(Colors::Amber);
      p.drawEllipse(c, 4.5, 4.5);
    } else {
      p.setPen(QPen(i < number ? QColor(0xC9, 0xA2, 0x78) : Colors::Frame, 1.0));
      p.setBrush(i < number ? QColor(0xE2, 0xC0, 0x96) : Colors::Paper);
      p.drawEllipse(c, 3.0, 3.0);
    }
  }
}

// Deterministic scatter for confetti and sparkles.
struct Scatter {
  quint32 state;
  double Next() {
    state = state * 1664525u + 1013904223u;
    return double(state >> 8) / double(1 << 24);
  }
};

void Confetti(QPainter& p, const QRectF& area, int pieces, quint32 seed) {
  static const QColor kColours[] = {Colors::Amber, Colors::Coral, Colors::Teal, Colors::Leaf,
                                    QColor(0xB8, 0x8A, 0xD8)};
  Scatter random{seed};
  p.setPen(Qt::NoPen);
  for (int i = 0; i < pieces; ++i) {
    const QPointF at(area.left() + random.Next() * area.width(),
                     area.top() + random.Next() * area.height());
    p.save();
    p.translate(at);
    p.rotate(random.Next() * 180);
    QColor c = kColours[i % 5];
    c.setAlpha(200);
    p.setBrush(c);
    if (i % 3 == 0)
      p.drawEllipse(QPointF(0, 0), 2.5, 2.5);
    else
      p.drawRoundedRect(QRectF(-4, -1.5, 8, 3), 1, 1);
    p.restore();
  }
}

// Fingertip positions for both hands on the home row of a key row.
void HandsOnHomeRow(QPainter& p, const std::vector<double>& keyCentres, double tipY, double thumbY,
                    double bottom, double fingerWidth) {
  const std::vector<QPointF> left = {{keyCentres[0], tipY}, {keyCentres[1], tipY - 3},
                                     {keyCentres[2], tipY - 5}, {keyCentres[3], tipY - 2}};
  const std::vector<QPointF> right = {{keyCentres[7], tipY}, {keyCentres[6], tipY - 3},
                                      {keyCentres[5], tipY - 5}, {keyCentres[4], tipY - 2}};
  const double span = keyCentres[3] - keyCentres[0];
  Hand(p, left, QPointF(keyCentres[3] + span * 0.28, thumbY),
       QPointF(keyCentres[1] + span * 0.45, bottom), fingerWidth);
  Hand(p, right, QPointF(keyCentres[4] - span * 0.28, thumbY),
       QPointF(keyCentres[6] - span * 0.45, bottom), fingerWidth);
}

}  // namespace

QImage ChapterPicture(const LessonKeys& lesson) {
  QImage image = NewCanvas(300, 200);
  QPainter p;
  Begin(p, image);
  PaperCard(p, QRectF(0, 0, 300, 200));

  const QStringList labels = CapLabels(lesson.fresh);
  const int n = int(labels.size());
  const double gap = 10;
  const double cap = qMin(54.0, (262.0 - gap * (n - 1)) / (n + (labels.contains("Shift") ? 0.9 : 0)));
  double total = gap * (n - 1);
  for (const QString& l : labels) total += l == "Shift" ? cap * 1.9 : cap;
  double x = 150 - total / 2;
  for (const QString& l : labels) {
    const double w = l == "Shift" ? cap * 1.9 : cap;
    KeyCap(p, QRectF(x, 16, w, cap), l, Colors::Amber, QColor(0x5A, 0x2E, 0x08),
           l == "Shift" ? cap * 0.34 : cap * 0.5, cap * 0.13);
    x += w + gap;
  }

  KeyboardLook look;
  look.known = lesson.known;
  for (QChar c : lesson.fresh) {
    if (c.isUpper()) {
      look.shiftsFresh = true;
      look.known += c.toLower();
    } else {
      look.fresh += c;
    }
  }
  MiniKeyboard(p, QRectF(16, 84, 268, 92), look);
  ProgressDots(p, 150, 189, lesson.number, lesson.count);
  return image;
}

QImage WelcomePicture() {
  QImage image = NewCanvas(718, 428);
  QPainter p;
  Begin(p, image);
  PageBackground(p, QRectF(0, 0, 718, 428));
  OpenBook(p, QPointF(190, 122), 290, 160);
  Quill(p, QPointF(268, 172), QPointF(350, 26), 18);
  Star(p, QPointF(48, 40), 9, 4, Colors::Amber);
  Star(p, QPointF(340, 214), 6, 2.6, Colors::Coral);
  Star(p, QPointF(30, 200), 5, 2.2, Colors::Teal);

  KeyboardLook look;
  look.allKnown = true;
  look.fresh = "fj";
  const QRectF board(40, 252, 300, 105);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x6B, 0x45, 0x2A, 40));
  p.drawRoundedRect(board.adjusted(-10, -8, 10, 12), 12, 12);
  p.setBrush(QColor(0xF3, 0xE6, 0xD3));
  p.setPen(QPen(QColor(0xD6, 0xC0, 0xA0), 1.2));
  p.drawRoundedRect(board.adjusted(-10, -10, 10, 8), 12, 12);
  MiniKeyboard(p, board, look);
  const double unit = board.width() / 15;
  std::vector<double> centres;
  for (int c : {0, 1, 2, 3, 6, 7, 8, 9}) centres.push_back(board.left() + (1.8 + c + 0.5) * unit);
  HandsOnHomeRow(p, centres, board.top() + 2.75 * board.height() / 5, board.bottom() - 8, 470,
                 unit * 0.66);
  return image;
}

QImage GoodbyePicture() {
  QImage image = NewCanvas(718, 428);
  QPainter p;
  Begin(p, image);
  PageBackground(p, QRectF(0, 0, 718, 428));
  Confetti(p, QRectF(20, 20, 340, 390), 70, 7u);

  // A certificate, slightly turned, with a seal and ribbons.
  p.save();
  p.translate(190, 170);
  p.rotate(-4);
  const QRectF sheet(-140, -95, 280, 190);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x6B, 0x45, 0x2A, 45));
  p.drawRoundedRect(sheet.translated(4, 6), 6, 6);
  p.setBrush(QColor(0xFF, 0xF6, 0xDE));
  p.setPen(QPen(Colors::AmberDark, 2.0));
  p.drawRoundedRect(sheet, 6, 6);
  p.setPen(QPen(QColor(0xE2, 0xB9, 0x7A), 1.0));
  p.drawRoundedRect(sheet.adjusted(8, 8, -8, -8), 4, 4);
  p.setPen(QPen(Colors::Ink, 1));
  p.setFont(SerifFont(22, true));
  p.drawText(QRectF(sheet.left(), sheet.top() + 16, sheet.width(), 30), Qt::AlignCenter, "Certificate");
  p.setPen(QPen(QColor(0xD8, 0xC3, 0xA2), 3.0, Qt::SolidLine, Qt::RoundCap));
  for (int i = 0; i < 4; ++i) {
    const double half = i == 0 ? 90 : 110 - i * 14;
    p.drawLine(QPointF(-half, -26 + i * 18), QPointF(half, -26 + i * 18));
  }
  p.setPen(QPen(Colors::InkSoft, 1.2));
  p.drawLine(QPointF(-110, 70), QPointF(-30, 70));
  // Seal with two ribbon tails.
  const QPointF seal(82, 58);
  p.setPen(Qt::NoPen);
  for (int side : {-1, 1}) {
    QPolygonF tail;
    tail << seal + QPointF(side * 6, 0) << seal + QPointF(side * 22, 48)
         << seal + QPointF(side * 12, 40) << seal + QPointF(side * 4, 50) << seal;
    p.setBrush(side < 0 ? Colors::Coral : Colors::Coral.darker(115));
    p.drawPolygon(tail);
  }
  p.setBrush(Colors::Coral);
  p.setPen(QPen(Colors::Coral.darker(130), 1.5));
  p.drawEllipse(seal, 26, 26);
  Star(p, seal, 16, 7, Colors::Amber);
  p.restore();

  // A stack of closed books: the course behind the student.
  const QColor spines[] = {Colors::Teal, Colors::Coral, Colors::Amber};
  for (int i = 0; i < 3; ++i) {
    const QRectF book(70 + i * 10, 378 - i * 26, 220 - i * 22, 24);
    p.setPen(QPen(spines[i].darker(130), 1.2));
    p.setBrush(spines[i]);
    p.drawRoundedRect(book, 4, 4);
    p.setBrush(QColor(0xFF, 0xF8, 0xEC));
    p.setPen(Qt::NoPen);
    p.drawRect(QRectF(book.right() - 12, book.top() + 4, 8, book.height() - 8));
    p.setPen(QPen(spines[i].lighter(135), 2.0));
    p.drawLine(QPointF(book.left() + 20, book.top() + 6), QPointF(book.left() + 20, book.bottom() - 6));
    p.drawLine(QPointF(book.left() + 28, book.top() + 6), QPointF(book.left() + 28, book.bottom() - 6));
  }
  Star(p, QPointF(320, 330), 14, 6, Colors::Amber);
  Star(p, QPointF(345, 295), 8, 3.5, Colors::Amber);
  Star(p, QPointF(48, 300), 7, 3, Colors::Teal);
  return image;
}

QImage TourPicture() {
  QImage image = NewCanvas(300, 200);
  QPainter p;
  Begin(p, image);
  PaperCard(p, QRectF(0, 0, 300, 200));
  OpenBook(p, QPointF(145, 100), 210, 118);
  Quill(p, QPointF(196, 142), QPointF(262, 28), 13);
  Star(p, QPointF(40, 40), 8, 3.5, Colors::Amber);
  Star(p, QPointF(262, 168), 6, 2.6, Colors::Coral);
  Star(p, QPointF(62, 172), 5, 2.2, Colors::Teal);
  return image;
}

QImage HomeRowPicture() {
  QImage image = NewCanvas(300, 270);
  QPainter p;
  Begin(p, image);
  PaperCard(p, QRectF(0, 0, 300, 270));
  const QString keys = "asdfghjkl;";
  const double w = 25, gap = 3, x0 = (300 - (10 * w + 9 * gap)) / 2, top = 34;
  std::vector<double> centres;
  for (int i = 0; i < 10; ++i) {
    const QChar c = keys[i];
    const bool home = c != 'g' && c != 'h';
    const QColor face = home ? FingerTint(FingerOf(c)) : Colors::KeyIdle;
    KeyCap(p, QRectF(x0 + i * (w + gap), top, w, 40), QString(c.toUpper()), face,
           home ? Colors::Ink : Colors::InkSoft, 14, 4);
    if (home) centres.push_back(x0 + i * (w + gap) + w / 2);
  }
  KeyCap(p, QRectF(70, top + 50, 160, 26), QString(), FingerTint(0), Colors::Ink, 12, 4);
  p.setPen(QPen(Colors::InkSoft, 1.2));
  for (int i : {3, 6}) {
    const double cx = x0 + i * (w + gap) + w / 2;
    p.drawLine(QPointF(cx - 4, top + 30), QPointF(cx + 4, top + 30));
  }
  HandsOnHomeRow(p, centres, top + 33, top + 64, 300, 15);
  return image;
}

QImage ShiftPicture() {
  QImage image = NewCanvas(300, 220);
  QPainter p;
  Begin(p, image);
  PaperCard(p, QRectF(0, 0, 300, 220));
  const QColor labelColour(0x5A, 0x2E, 0x08);
  KeyCap(p, QRectF(30, 22, 84, 46), "Shift", QColor(0xF6, 0xCF, 0xC6).darker(112), Colors::Ink, 16, 6);
  p.setPen(Colors::InkSoft);
  p.setFont(SansFont(26, true));
  p.drawText(QRectF(114, 22, 36, 40), Qt::AlignCenter, "+");
  KeyCap(p, QRectF(150, 22, 46, 46), "K", QColor(0xF6, 0xCF, 0xC6), Colors::Ink, 22, 6);
  p.drawText(QRectF(196, 22, 36, 40), Qt::AlignCenter, "=");
  p.setPen(labelColour);
  p.setFont(SerifFont(46, true));
  p.drawText(QRectF(232, 14, 50, 56), Qt::AlignCenter, "K");

  KeyboardLook look;
  look.allKnown = true;
  look.byHand = true;
  MiniKeyboard(p, QRectF(15, 92, 270, 110), look);
  return image;
}

QImage DigitsPicture() {
  QImage image = NewCanvas(310, 170);
  QPainter p;
  Begin(p, image);
  PaperCard(p, QRectF(0, 0, 310, 170));
  KeyboardLook look;
  look.allKnown = true;
  look.rows = 3;
  MiniKeyboard(p, QRectF(10, 18, 290, 78), look);

  static const char* const kNames[] = {"little", "ring", "middle", "index"};
  p.setFont(SansFont(12, false));
  for (int i = 0; i < 4; ++i) {
    const double x = 22 + i * 70;
    p.setPen(QPen(FingerTint(i + 1).darker(130), 1.0));
    p.setBrush(FingerTint(i + 1));
    p.drawRoundedRect(QRectF(x, 120, 18, 18), 4, 4);
    p.setPen(Colors::Ink);
    p.drawText(QRectF(x + 24, 118, 50, 22), Qt::AlignLeft | Qt::AlignVCenter, kNames[i]);
  }
  return image;
}

}  // namespace qxart

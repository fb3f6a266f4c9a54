// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/Welcstrg.h"

#include <QLabel>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>

#include "platform/QtDraw.h"
#include "shell/ArtworkParts.h"
#include "shell/FormControls.h"

TFormRef<TWelcomeStg> WelcomeStg;

namespace {

namespace colour = qx::art::colour;

const QColor kGreen(0x3b, 0x7a, 0x52);
const QColor kTeal(0x2f, 0x7f, 0x86);
const QColor kCoral(0xd9, 0x6a, 0x4f);

constexpr QRect kPage(0, 0, 718, 428);
// The pictures leave the right half of the page for the words.
constexpr int kTextLeft = 384, kTextWidth = 314;

QWidget* MakePanel(QWidget* parent, const char* name) {
  auto* panel = new QWidget(parent);
  panel->setObjectName(QString::fromLatin1(name));
  panel->setGeometry(kPage);
  return panel;
}

TImage* MakePicture(QWidget* parent, const char* name) {
  auto* picture = new TImage(parent);
  picture->setObjectName(QString::fromLatin1(name));
  picture->setGeometry(kPage);
  return picture;
}

TChoiceMask* MakeMask(QWidget* parent, const char* name, TChoiceMask::Emblem emblem, const QRect& geometry,
                      const char* caption, const char* description) {
  auto* mask = new TChoiceMask(parent, emblem);
  mask->setObjectName(QString::fromLatin1(name));
  mask->setGeometry(geometry);
  mask->SetTexts(QString::fromLatin1(caption), QString::fromLatin1(description));
  return mask;
}

QColor EmblemColour(TChoiceMask::Emblem emblem) {
  switch (emblem) {
    case TChoiceMask::Emblem::Introduction: return kTeal;
    case TChoiceMask::Emblem::Studying: return kGreen;
    case TChoiceMask::Emblem::Restart: return kCoral;
  }
  return kGreen;
}

}  // namespace

TChoiceMask::TChoiceMask(QWidget* parent, Emblem emblem) : TImage(parent), emblem_(emblem) {
  SetClickable(true);
}

void TChoiceMask::SetTexts(const QString& caption, const QString& description) {
  caption_ = caption;
  description_ = description;
  QString tip = caption;
  setToolTip(tip.remove(QLatin1Char('&')));
  update();
}

void TChoiceMask::keyPressEvent(QKeyEvent* event) {
  // A card is a page's choice: Enter takes it as Space does.
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  if (enter && !(event->modifiers() & ~Qt::KeypadModifier) && Clickable()) {
    event->accept();
    if (!event->isAutoRepeat()) Click();
    return;
  }
  TImage::keyPressEvent(event);
}

void TChoiceMask::PaintEmblem(QPainter& p, const QRectF& r) const {
  const QColor base = EmblemColour(emblem_);
  QRadialGradient g(r.center() - QPointF(r.width() * 0.2, r.height() * 0.25), r.width() * 0.75);
  g.setColorAt(0, base.lighter(135));
  g.setColorAt(1, base.darker(112));
  p.setPen(QPen(base.darker(140), 1.2));
  p.setBrush(g);
  p.drawEllipse(r);

  const QPointF c = r.center();
  const qreal u = r.width() / 10;
  p.setPen(Qt::NoPen);
  p.setBrush(colour::kPaper);
  switch (emblem_) {
    case Emblem::Studying: {
      QPolygonF play;
      play << c + QPointF(-1.6 * u, -2.6 * u) << c + QPointF(2.8 * u, 0) << c + QPointF(-1.6 * u, 2.6 * u);
      p.drawPolygon(play);
      break;
    }
    case Emblem::Introduction: {
      // An open book.
      for (int side : {-1, 1}) {
        QPainterPath leaf;
        leaf.moveTo(c + QPointF(0, -1.6 * u));
        leaf.quadTo(c + QPointF(side * 1.6 * u, -2.6 * u), c + QPointF(side * 3.3 * u, -2.0 * u));
        leaf.lineTo(c + QPointF(side * 3.3 * u, 2.2 * u));
        leaf.quadTo(c + QPointF(side * 1.6 * u, 1.6 * u), c + QPointF(0, 2.6 * u));
        leaf.closeSubpath();
        p.drawPath(leaf);
      }
      p.setPen(QPen(base.darker(125), 0.9));
      p.drawLine(c + QPointF(0, -1.6 * u), c + QPointF(0, 2.6 * u));
      break;
    }
    case Emblem::Restart: {
      p.setBrush(Qt::NoBrush);
      p.setPen(QPen(colour::kPaper, 1.1 * u, Qt::SolidLine, Qt::RoundCap));
      const QRectF arc(c.x() - 2.6 * u, c.y() - 2.6 * u, 5.2 * u, 5.2 * u);
      p.drawArc(arc, 100 * 16, 290 * 16);
      p.setPen(Qt::NoPen);
      p.setBrush(colour::kPaper);
      const QPointF tip = c + QPointF(-0.45 * u, -2.6 * u);
      QPolygonF head;
      head << tip + QPointF(1.9 * u, 0) << tip + QPointF(-0.4 * u, -1.6 * u) << tip + QPointF(-0.4 * u, 1.6 * u);
      p.drawPolygon(head);
      break;
    }
  }
}

void TChoiceMask::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  const bool hot = underMouse() && isEnabled();
  const bool pressed = Pressed();
  const QColor accent = EmblemColour(emblem_);

  const QRectF card = QRectF(rect()).adjusted(3.5, 2.5, -3.5, -5.5);
  const QPainterPath shape = qx::art::RoundedRect(card, 14);
  if (!pressed) qx::art::SoftShadow(p, shape.translated(0, 2), hot ? 5 : 3, hot ? 40 : 26);
  QLinearGradient fill(card.topLeft(), card.bottomLeft());
  fill.setColorAt(0, pressed ? colour::kPaperShade : QColor(0xff, 0xfe, 0xfa));
  fill.setColorAt(1, pressed ? colour::kPaperShade.darker(104) : (hot ? QColor(0xfb, 0xf3, 0xe2) : colour::kPaper));
  p.setPen(QPen(hot ? accent : colour::kPaperEdge, hot ? 2.0 : 1.2));
  p.setBrush(fill);
  p.drawPath(shape);
  // A coloured spine on the left edge ties the card to its emblem.
  p.save();
  p.setClipPath(shape);
  p.fillRect(QRectF(card.left(), card.top(), 6, card.height()), accent);
  p.restore();
  if (hasFocus()) PaintFocusRing(p, card.adjusted(-2, -1.5, 2, 2), 16);

  const qreal emblem = qMin<qreal>(54, card.height() - 28);
  const QRectF emblemRect(card.left() + 20, card.center().y() - emblem / 2, emblem, emblem);
  PaintEmblem(p, emblemRect);

  const qreal textLeft = emblemRect.right() + 16;
  const QRectF textRect(textLeft, card.top() + 12, card.right() - textLeft - 14, card.height() - 22);
  const QFont captionFont = qx::PixelFont(QStringLiteral("Arial"), 21, true);
  const QFont bodyFont = qx::PixelFont(QStringLiteral("Arial"), 14);
  const int captionH = QFontMetrics(captionFont).height();
  const QRectF bodyArea(textRect.left(), textRect.top() + captionH + 4, textRect.width(),
                        textRect.height() - captionH - 4);
  const QRectF body = QFontMetricsF(bodyFont).boundingRect(bodyArea, Qt::TextWordWrap, description_);
  // Caption and body stand together in the middle of the card.
  const qreal block = captionH + 4 + body.height();
  const qreal top = card.top() + qMax<qreal>(8, (card.height() - block) / 2);

  p.setFont(captionFont);
  p.setPen(hot ? accent.darker(125) : colour::kInk);
  p.drawText(QRectF(textRect.left(), top, textRect.width(), captionH), Qt::AlignLeft | Qt::AlignVCenter |
             Qt::TextShowMnemonic, caption_);
  p.setFont(bodyFont);
  p.setPen(QColor(0x6b, 0x55, 0x44));
  p.drawText(QRectF(textRect.left(), top + captionH + 4, textRect.width(), body.height() + 2),
             Qt::TextWordWrap, description_);
}

TWelcomeStg::TWelcomeStg(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("WelcomeStg"));
  resize(kPage.size());
  WelcomeStg.Enter(this);
  const QFont serifTitle = qx::PixelFont(QStringLiteral("Times New Roman"), 50, true);
  const QFont serifLead = qx::PixelFont(QStringLiteral("Times New Roman"), 26, false, true);

  WelcomePanel = MakePanel(this, "WelcomePanel");
  WelcomePic = MakePicture(WelcomePanel, "WelcomePic");
  WelcomeLabel = MakeLabel(WelcomePanel, "WelcomeLabel", QRect(kTextLeft + 4, 22, kTextWidth, 32), serifLead,
                           QColor(0x8a, 0x5a, 0x2b), QStringLiteral("Welcome to"));
  ProductLabel = MakeLabel(WelcomePanel, "ProductLabel", QRect(kTextLeft, 50, kTextWidth, 60), serifTitle,
                           colour::kLeather, QStringLiteral("Quillbrandex"));
  BuildLabel = MakeLabel(WelcomePanel, "BuildLabel", QRect(kTextLeft + 6, 108, kTextWidth, 18),
                         qx::PixelFont(QStringLiteral("Arial"), 12), QColor(0x9a, 0x85, 0x6c), QString());
  IntroMask = MakeMask(WelcomePanel, "IntroMask", TChoiceMask::Emblem::Introduction,
                       QRect(kTextLeft - 8, 144, kTextWidth + 14, 124), "&Introduction",
                       "Click here to learn the key features of Quillbrandex in minutes with this "
                       "interactive overview.");
  StudyingMask = MakeMask(WelcomePanel, "StudyingMask", TChoiceMask::Emblem::Studying,
                          QRect(kTextLeft - 8, 280, kTextWidth + 14, 124), "&Begin Studying",
                          "Click here to start personalized guided studying with multi-form exercises.");

  GoodbyePanel = MakePanel(this, "GoodbyePanel");
  GoodbyePic = MakePicture(GoodbyePanel, "GoodbyePic");
  GoodbyeLabel = MakeLabel(GoodbyePanel, "GoodbyeLabel", QRect(kTextLeft, 40, kTextWidth, 56),
                           qx::PixelFont(QStringLiteral("Times New Roman"), 40, true), colour::kLeather,
                           QStringLiteral("Well done!"));
  GoodbyeText = MakeLabel(GoodbyePanel, "GoodbyeText", QRect(kTextLeft + 2, 100, kTextWidth - 6, 84),
                          qx::PixelFont(QStringLiteral("Arial"), 16), colour::kInk,
                          QStringLiteral("You have worked through every lesson of this course. Your "
                                         "fingers now know the way around the keyboard."),
                          Qt::AlignLeft | Qt::AlignTop, true);
  Restart = MakeMask(GoodbyePanel, "Restart", TChoiceMask::Emblem::Restart,
                     QRect(kTextLeft - 8, 196, kTextWidth + 14, 124), "&Restart Studying",
                     "Click here to restart studying with different studying material.");
  BackHint = MakeLabel(GoodbyePanel, "BackHint", QRect(kTextLeft + 2, 334, kTextWidth - 6, 44),
                       qx::PixelFont(QStringLiteral("Arial"), 13, false, true), QColor(0x8a, 0x70, 0x58),
                       QStringLiteral("To go back to the last lesson, use the button below (Alt+K)."),
                       Qt::AlignLeft | Qt::AlignTop, true);
}

TWelcomeStg::~TWelcomeStg() { WelcomeStg.Leave(this); }

// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/Eventstg.h"

#include <QLabel>

#include "platform/QtDraw.h"
#include "shell/ArtImage.h"
#include "shell/FormControls.h"

TFormRef<TEventsStg> EventsStg;

namespace {

using qx::Picture;

const QColor kBrass(0xe0, 0xbf, 0x7a);
const QColor kLime(0x7c, 0xff, 0x4f);
const QColor kInk(0x3d, 0x2b, 0x1f);

QFont Caption() {
  QFont font = qx::PixelFont(QStringLiteral("Arial"), 11, true);
  font.setLetterSpacing(QFont::AbsoluteSpacing, 2.5);
  return font;
}

}  // namespace

TEventsStg::TEventsStg(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("EventsStg"));
  resize(718, 428);
  EventsStg.Enter(this);

  // The right console: clock, pause, speed graph. x 578..701 inside it.
  RightConsole = MakeImage(this, Picture::RightConsole, "RightConsole", QRect(566, 4, 147, 420));
  EventConsole = new QWidget(this);
  EventConsole->setObjectName(QStringLiteral("EventConsole"));
  EventConsole->setGeometry(rect());
  QWidget* c = EventConsole;
  TimeTitle = MakeLabel(c, "TimeTitle", QRect(578, 14, 123, 16), Caption(), kBrass, "TIME", Qt::AlignCenter);
  Screen2 = MakeImage(c, Picture::Screen, "Screen2", QRect(578, 32, 123, 46));
  TimeLabel =
      MakeLabel(c, "TimeLabel", QRect(578, 32, 123, 46),
                qx::PixelFont(QStringLiteral("Liberation Mono"), 30, true), kLime, "00:00", Qt::AlignCenter);
  TimeGauge = new TGauge(c);
  TimeGauge->setObjectName(QStringLiteral("TimeGauge"));
  TimeGauge->setGeometry(578, 86, 123, 12);
  TimeGauge->SetRange(0, 0);
  Pause = MakeImage(c, Picture::ButtonPause, "Pause", QRect(594, 106, 91, 28));
  Pause->SetClickable(true);

  SpeedTitle =
      MakeLabel(c, "SpeedTitle", QRect(578, 152, 123, 16), Caption(), kBrass, "SPEED", Qt::AlignCenter);
  Screen1 = MakeImage(c, Picture::Screen, "Screen1", QRect(578, 170, 123, 26));
  const QFont strip = qx::PixelFont(QStringLiteral("Arial"), 11, true);
  SpeedTitle3 = MakeLabel(c, "SpeedTitle3", QRect(585, 170, 70, 26), strip, kLime, "rhythm",
                          Qt::AlignLeft | Qt::AlignVCenter);
  SpeedTitle2 = MakeLabel(c, "SpeedTitle2", QRect(650, 170, 44, 26), strip, kLime, "wpm",
                          Qt::AlignRight | Qt::AlignVCenter);
  Screen3 = MakeImage(c, Picture::Screen, "Screen3", QRect(578, 200, 123, 105));
  // The text event shows the titles; the games put their points in their
  // place.
  SpeedTitle->hide();
  SpeedTitle2->hide();
  SpeedTitle3->hide();
  PointsTitle =
      MakeLabel(c, "PointsTitle", QRect(578, 180, 123, 16), Caption(), kBrass, "POINTS", Qt::AlignCenter);
  PointsLabel =
      MakeLabel(c, "PointsLabel", QRect(578, 200, 123, 40),
                qx::PixelFont(QStringLiteral("Liberation Mono"), 26, true), kLime, "0", Qt::AlignCenter);
  PointsTitle->hide();
  PointsLabel->hide();
  CounterFrame = MakeImage(c, Picture::Screen, "CounterFrame", QRect(578, 322, 123, 34));
  CounterFrame->hide();
  GameScreen = MakeImage(c, Picture::Screen, "GameScreen", QRect(140, 380, 220, 37));
  GameScreen->hide();
  MissedTitle = MakeLabel(c, "MissedTitle", QRect(87, 368, 137, 16), Caption(), kInk, "MISSED",
                          Qt::AlignLeft | Qt::AlignVCenter);
  MissedTitle->hide();

  // The event message, shown over the model text.
  EventMsg = MakeImage(this, Picture::MessageCard, "EventMsg", QRect(90, 60, 330, 86));
  MsgLabel1 = MakeLabel(EventMsg, "MsgLabel1", QRect(12, 14, 306, 30),
                        qx::PixelFont(QStringLiteral("Arial"), 21, true), kInk, "Type the highlighted word",
                        Qt::AlignCenter);
  MsgLabel2 =
      MakeLabel(EventMsg, "MsgLabel2", QRect(12, 44, 306, 24), qx::PixelFont(QStringLiteral("Arial"), 16),
                kInk.lighter(140), "to begin", Qt::AlignCenter);
  EventMsg->hide();

  // Under the model text: the console bar, then the typing screen.
  LeftConsole = MakeImage(this, Picture::LeftConsole, "LeftConsole", QRect(50, 271, 500, 34));
  TypingScreen = MakeImage(this, Picture::Screen, "TypingScreen", QRect(50, 306, 500, 102));

  // Pictures the drills hand to their controls.
  FingersPic =
      MakeImage(this, Picture::Hands, "FingersPic", QRect(QPoint(0, 0), qx::NaturalSize(Picture::Hands)));
  TImage** fingers[] = {&Finger1, &Finger2, &Finger3, &Finger4, &Finger5,
                        &Finger6, &Finger7, &Finger8, &Finger9};
  for (int n = 1; n <= 9; ++n) {
    const Picture picture = Picture(int(Picture::Finger1) + n - 1);
    const QByteArray name = "Finger" + QByteArray::number(n);
    *fingers[n - 1] = MakeImage(this, picture, name.constData(),
                                QRect(qx::FingerOverlayOffset(n), qx::NaturalSize(picture)));
  }
  RightPic = MakeImage(this, Picture::RightMark, "RightPic",
                       QRect(QPoint(0, 0), qx::NaturalSize(Picture::RightMark)));
  WrongPic = MakeImage(this, Picture::WrongMark, "WrongPic",
                       QRect(QPoint(0, 0), qx::NaturalSize(Picture::WrongMark)));
  LampOn = MakeImage(this, Picture::LampOn, "LampOn", QRect(QPoint(0, 0), qx::NaturalSize(Picture::LampOn)));
  LampOff =
      MakeImage(this, Picture::LampOff, "LampOff", QRect(QPoint(0, 0), qx::NaturalSize(Picture::LampOff)));
  for (TImage* picture : {FingersPic, Finger1, Finger2, Finger3, Finger4, Finger5, Finger6, Finger7, Finger8,
                          Finger9, RightPic, WrongPic, LampOn, LampOff})
    picture->hide();
}

TEventsStg::~TEventsStg() { EventsStg.Leave(this); }

TImage* TEventsStg::Finger(int n) const {
  switch (n) {
    case 1: return Finger1;
    case 2: return Finger2;
    case 3: return Finger3;
    case 4: return Finger4;
    case 5: return Finger5;
    case 6: return Finger6;
    case 7: return Finger7;
    case 8: return Finger8;
    case 9: return Finger9;
    default: return nullptr;
  }
}

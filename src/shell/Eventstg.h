// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QRect>
#include <QWidget>

#include "shell/FormRef.h"

class QLabel;
class TGauge;
class TImage;

// The storage form of the exercise page. Its controls stand where they go
// on the wide page (718 x 428), so the events move them there unchanged:
// the right console with the clock, the pause button and the speed graph's
// screen; the event message; the left console and the typing screen the
// text event places under the model text; the drills' counter frame, hands
// and finger overlays; the games' screens and titles.
class TEventsStg : public QWidget {
  Q_OBJECT

 public:
  // Where the nervousness graph goes on the wide page.
  static constexpr QRect kGraphRect{582, 201, 115, 104};

  explicit TEventsStg(QWidget* parent = nullptr);
  ~TEventsStg() override;

  // Finger n's overlay, 1..9; nullptr otherwise.
  TImage* Finger(int n) const;

  TImage* RightConsole = nullptr;
  // Every child of this panel goes onto the wide page with each timed event.
  QWidget* EventConsole = nullptr;
  QLabel* TimeTitle = nullptr;
  TImage* Screen2 = nullptr;  // behind the clock
  QLabel* TimeLabel = nullptr;
  TGauge* TimeGauge = nullptr;
  TImage* Pause = nullptr;
  QLabel* SpeedTitle = nullptr;   // caption above the speed screens
  TImage* Screen1 = nullptr;      // strip naming the graph and its unit
  QLabel* SpeedTitle2 = nullptr;  // the speed unit, "wpm" or "cpm"
  QLabel* SpeedTitle3 = nullptr;
  TImage* Screen3 = nullptr;      // the speed graph's screen
  TImage* CounterFrame = nullptr;
  QLabel* PointsTitle = nullptr;
  QLabel* PointsLabel = nullptr;
  TImage* GameScreen = nullptr;
  QLabel* MissedTitle = nullptr;

  TImage* EventMsg = nullptr;
  QLabel* MsgLabel1 = nullptr;
  QLabel* MsgLabel2 = nullptr;

  TImage* LeftConsole = nullptr;
  TImage* TypingScreen = nullptr;

  TImage* FingersPic = nullptr;
  TImage* Finger1 = nullptr;
  TImage* Finger2 = nullptr;
  TImage* Finger3 = nullptr;
  TImage* Finger4 = nullptr;
  TImage* Finger5 = nullptr;
  TImage* Finger6 = nullptr;
  TImage* Finger7 = nullptr;
  TImage* Finger8 = nullptr;
  TImage* Finger9 = nullptr;

  TImage* RightPic = nullptr;
  TImage* WrongPic = nullptr;
  TImage* LampOn = nullptr;
  TImage* LampOff = nullptr;
};

extern TFormRef<TEventsStg> EventsStg;

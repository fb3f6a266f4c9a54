// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QPoint>
#include <QRectF>
#include <QSize>
#include <QString>

class QPainter;

// The built-in pictures of the book and its storage forms. Each is drawn
// from logical units scaled to the rectangle it is given, so one drawing
// serves every size.
namespace qx {

enum class Picture {
  None,
  // book window
  Background,
  Book,
  TabRow,
  PageSeparator,
  TitleConsole,
  MenuGuided,
  MenuRevision,
  MenuInfo,
  MenuLogo,
  MenuOptions,
  MenuExit,
  HideSettings,
  ConsoleEvent,  // ConsolePic1: the button console while an exercise runs
  ConsoleBook,   // ConsolePic2: the button console of the other pages
  ButtonBegin,
  ButtonNext,
  ButtonBack,
  ButtonCancel,
  ButtonSkipF,
  ButtonSkipB,
  Cover,
  // event page
  RightConsole,
  LeftConsole,
  Screen,
  MessageCard,
  ButtonPause,
  Hands,
  Finger1,
  Finger2,
  Finger3,
  Finger4,
  Finger5,
  Finger6,
  Finger7,
  Finger8,
  Finger9,
  RightMark,
  WrongMark,
  LampOn,
  LampOff,
  // trend arrows, two sets
  ArrowClear,
  ArrowHorizontal,
  ArrowUp2,
  ArrowUp1,
  ArrowDown2,
  ArrowDown1,
  ArrowHorizontalB,
  ArrowUp2B,
  ArrowUp1B,
  ArrowDown2B,
  ArrowDown1B,
};

struct PaintState {
  bool hovered = false;
  bool pressed = false;
  bool enabled = true;
};

// The size a picture is designed for; controls showing it take this size
// when they size themselves to their picture.
QSize NaturalSize(Picture picture);

void PaintPicture(QPainter& painter, Picture picture, const QRectF& rect,
                  const PaintState& state = {});

// Where finger n's overlay lies on the hands picture.
QPoint FingerOverlayOffset(int finger);

// Menu tab and button captions drawn into the pictures, for tool tips.
QString PictureCaption(Picture picture);

}  // namespace qx

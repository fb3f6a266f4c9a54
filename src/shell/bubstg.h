// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QImage>
#include <QPixmap>
#include <QWidget>

#include "shell/FormRef.h"

// The water of the Bubbles game: shows the game's off-screen picture and
// repaints only the parts it is told changed.
class TGameArea : public QWidget {
  Q_OBJECT
 public:
  explicit TGameArea(QWidget* parent = nullptr);
  // Takes the new picture; dirty is what differs from the last one.
  void ShowBuffer(const QImage& buffer, const QRegion& dirty);
  void Clear(const QColor& colour);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage shown_;
};

// The storage form of the Bubbles game: the game area and the pictures of
// the missed-bubbles display.
class TBubbleStg : public QWidget {
  Q_OBJECT

 public:
  explicit TBubbleStg(QWidget* parent = nullptr);
  ~TBubbleStg() override;

  QWidget* Panel1 = nullptr;
  TGameArea* GameArea = nullptr;
  QPixmap BubbleOn;   // a missed bubble
  QPixmap BubbleOff;  // a miss still to come
};

extern TFormRef<TBubbleStg> BubbleStg;

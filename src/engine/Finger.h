// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QPixmap>
#include <QPoint>
#include <QWidget>
#include <array>

// The two hands with the finger to use marked: the hands picture with one
// finger's overlay drawn over it at that finger's place.
class TFingers : public QWidget {
  Q_OBJECT
 public:
  explicit TFingers(QWidget* parent = nullptr);

  // The control takes the size of the hands picture.
  void SetHands(const QPixmap& hands);
  // Finger n's overlay, n = 1..9.
  void SetFingerPicture(int n, const QPixmap& overlay);
  // 0 marks none.
  void SetFinger(int n);
  int Finger() const { return finger_; }
  // Where finger n's overlay lies on the hands.
  static QPoint OverlayOffset(int n);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QPixmap hands_;
  std::array<QPixmap, 10> fingers_;
  int finger_ = 0;
};

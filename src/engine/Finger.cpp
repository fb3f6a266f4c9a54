// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/Finger.h"

#include <QPainter>

namespace {

constexpr QPoint kOffsets[10] = {{0, 0},   {4, 69},   {31, 25},  {53, 0},   {90, 13},
                                 {275, 8}, {307, -4}, {335, 18}, {360, 52}, {221, 90}};

}  // namespace

TFingers::TFingers(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_TranslucentBackground); }

QPoint TFingers::OverlayOffset(int n) { return n >= 1 && n <= 9 ? kOffsets[n] : QPoint(); }

void TFingers::SetHands(const QPixmap& hands) {
  hands_ = hands;
  if (!hands_.isNull()) resize(hands_.deviceIndependentSize().toSize());
  update();
}

void TFingers::SetFingerPicture(int n, const QPixmap& overlay) {
  if (n < 1 || n > 9) return;
  fingers_[size_t(n)] = overlay;
  if (n == finger_) update();
}

void TFingers::SetFinger(int n) {
  if (n == finger_) return;
  finger_ = n;
  update();
}

void TFingers::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (!hands_.isNull()) painter.drawPixmap(0, 0, hands_);
  if (finger_ >= 1 && finger_ <= 9 && !fingers_[size_t(finger_)].isNull())
    painter.drawPixmap(OverlayOffset(finger_), fingers_[size_t(finger_)]);
}

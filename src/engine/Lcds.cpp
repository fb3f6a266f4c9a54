// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/Lcds.h"

#include <QPainter>
#include <algorithm>

#include "platform/QtDraw.h"

TMissedLcd::TMissedLcd(QWidget* parent) : QWidget(parent), color_(palette().window().color()) {
  resize(50, 10);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void TMissedLcd::SetLamps(int lamps) {
  lamps_ = std::max(0, lamps);
  Fit();
  update();
}

void TMissedLcd::SetLit(int lit) {
  lit_ = lit;
  Fit();
  update();
}

void TMissedLcd::SetPictures(const QPixmap& off, const QPixmap& on) {
  off_ = off;
  on_ = on;
  Fit();
  update();
}

void TMissedLcd::SetColor(uint32_t bgr) {
  color_ = qx::ToQColor(bgr);
  update();
}

void TMissedLcd::Fit() {
  int width = 0;
  int height = 0;
  for (int lamp = 1; lamp <= lamps_; ++lamp) {
    const QPixmap& picture = PictureOf(lamp);
    if (picture.isNull()) continue;
    width += picture.width();
    height = std::max(height, picture.height());
  }
  if (width > 0) resize(width, height);
}

void TMissedLcd::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), color_);
  int x = 0;
  for (int lamp = 1; lamp <= lamps_; ++lamp) {
    const QPixmap& picture = PictureOf(lamp);
    if (picture.isNull()) continue;
    painter.drawPixmap(x, 0, picture);
    x += picture.width();
  }
}

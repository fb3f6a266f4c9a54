// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/bubstg.h"

#include <QPaintEvent>
#include <QPainter>
#include <QRadialGradient>

TFormRef<TBubbleStg> BubbleStg;

namespace {

QPixmap Mark(const QColor& fill, const QColor& rim) {
  QPixmap pixmap(20, 20);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  QRadialGradient shine(7, 7, 12);
  shine.setColorAt(0, fill.lighter(170));
  shine.setColorAt(1, fill);
  p.setBrush(shine);
  p.setPen(QPen(rim, 1.2));
  p.drawEllipse(QRectF(1.5, 1.5, 17, 17));
  return pixmap;
}

}  // namespace

TGameArea::TGameArea(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  shown_ = QImage(1, 1, QImage::Format_RGB32);
  shown_.fill(Qt::white);
}

void TGameArea::ShowBuffer(const QImage& buffer, const QRegion& dirty) {
  const bool resized = buffer.size() != shown_.size();
  shown_ = buffer;
  if (resized)
    update();
  else if (!dirty.isEmpty())
    update(dirty);
}

void TGameArea::Clear(const QColor& colour) {
  shown_ = QImage(size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
  shown_.fill(colour);
  update();
}

void TGameArea::paintEvent(QPaintEvent* event) {
  QPainter p(this);
  for (const QRect& r : event->region()) p.drawImage(r, shown_, r);
}

TBubbleStg::TBubbleStg(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("BubbleStg"));
  resize(718, 428);
  BubbleStg.Enter(this);
  Panel1 = new QWidget(this);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  Panel1->setGeometry(rect());
  GameArea = new TGameArea(Panel1);
  GameArea->setObjectName(QStringLiteral("GameArea"));
  GameArea->setGeometry(50, 8, 500, 322);
  BubbleOn = Mark(QColor(0xc8, 0x3a, 0x2e), QColor(0x6e, 0x12, 0x0c));
  BubbleOff = Mark(QColor(0x2a, 0x3a, 0x4a), QColor(0x50, 0x66, 0x7c));
}

TBubbleStg::~TBubbleStg() { BubbleStg.Leave(this); }

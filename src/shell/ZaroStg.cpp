// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ZaroStg.h"

#include <QLabel>
#include <QLinearGradient>
#include <QPainter>

#include "platform/QtDraw.h"
#include "shell/ArtImage.h"
#include "shell/FormControls.h"

TFormRef<TZaroZiraStg> ZaroZiraStg;

namespace {

QImage Strip(int w, int h, const QColor& top, const QColor& bottom, const QColor& edge) {
  QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient fill(0, 0, 0, h);
  fill.setColorAt(0, top);
  fill.setColorAt(1, bottom);
  p.setBrush(fill);
  p.setPen(QPen(edge, 1));
  p.drawRoundedRect(QRectF(0.5, 0.5, w - 1, h - 1), 5, 5);
  return image;
}

// Stone blocks, for the walls and the base of the column.
QImage Stones(int w, int h) {
  QImage image(w, h, QImage::Format_RGB32);
  QPainter p(&image);
  p.fillRect(image.rect(), QColor(0x8a, 0x6a, 0x4a));
  p.setPen(QColor(0x5e, 0x44, 0x2c));
  const int block = 15;
  for (int y = 0, row = 0; y < h; y += block, ++row) {
    p.drawLine(0, y, w, y);
    for (int x = (row % 2) * (block / 2 + 3); x < w; x += block + 7) p.drawLine(x, y, x, y + block);
  }
  p.setPen(QColor(0xb0, 0x8c, 0x64));
  p.drawLine(0, 0, 0, h);
  return image;
}

}  // namespace

TZaroZiraStg::TZaroZiraStg(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("ZaroZiraStg"));
  resize(718, 428);
  ZaroZiraStg.Enter(this);

  Zaro = new QWidget(this);
  Zaro->setObjectName(QStringLiteral("Zaro"));
  Zaro->setGeometry(rect());
  for (int n = 1; n <= 10; ++n) {
    const QByteArray name = "row" + QByteArray::number(n + 1);
    rows_[size_t(n - 1)] = MakeImage(Zaro, qx::Picture::None, name.constData(),
                                     QRect(kRowLeft, kRowTop + kRowHeight * (n - 1), kRowWidth, kRowHeight));
  }
  const int bottom = kRowTop + 10 * kRowHeight;
  Image7 = MakeImage(Zaro, qx::Picture::None, "Image7", QRect(kRowLeft - 12, kRowTop, 12, bottom - kRowTop));
  Image13 = MakeImage(Zaro, qx::Picture::None, "Image13",
                      QRect(kRowLeft + kRowWidth, kRowTop, 12, bottom - kRowTop));
  Image3 = MakeImage(Zaro, qx::Picture::None, "Image3", QRect(kRowLeft - 12, bottom, kRowWidth + 24, 14));
  for (TImage* stone : {Image7, Image13, Image3}) {
    stone->SetBitmap(Stones(stone->width(), stone->height()));
    stone->SetStretch(true);
  }

  Active = MakeImage(Zaro, qx::Picture::None, "Active", QRect(0, 0, kRowWidth, kRowHeight));
  Active->SetBitmap(Strip(kRowWidth, kRowHeight, QColor(0x1d, 0x4e, 0x89), QColor(0x0b, 0x25, 0x4a),
                          QColor(0x5b, 0x8f, 0xd0)));
  Inactive = MakeImage(Zaro, qx::Picture::None, "Inactive", QRect(0, 0, kRowWidth, kRowHeight));
  Inactive->SetBitmap(Strip(kRowWidth, kRowHeight, QColor(0xd9, 0xd4, 0xca), QColor(0xb8, 0xb0, 0xa2),
                            QColor(0x96, 0x8c, 0x7c)));
  Active->hide();
  Inactive->hide();
  Level = MakeLabel(Zaro, "Level", QRect(kRowLeft, bottom + 16, 100, 16),
                    qx::PixelFont(QStringLiteral("Arial"), 12), QColor(), QStringLiteral("1.0"));
  Level->hide();

  // Where the event page shows its points, so the two never differ.
  ScoreLabel = MakeLabel(this, "ScoreLabel", QRect(578, 200, 123, 40),
                         qx::PixelFont(QStringLiteral("Liberation Mono"), 26, true), QColor(0x7c, 0xff, 0x4f),
                         QStringLiteral("0"), Qt::AlignCenter);
  ScoreLabel->hide();
}

TZaroZiraStg::~TZaroZiraStg() { ZaroZiraStg.Leave(this); }

// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QTest>
#include <algorithm>
#include <cstdlib>

#include "shell/ArtImage.h"
#include "shell/Artwork.h"
#include "support/TestFiles.h"

using qx::Picture;

namespace {

int PaintedPixels(const QImage& image) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (qAlpha(image.pixel(x, y)) > 0) ++count;
  return count;
}

QImage Render(Picture picture, QSize size, qx::PaintState state = {}) {
  QImage image(size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  qx::PaintPicture(p, picture, QRectF(QPointF(0, 0), QSizeF(size)), state);
  return image;
}

std::string BmpBytes(QSize size, QColor colour) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(colour);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "BMP");
  return bytes.toStdString();
}

}  // namespace

TEST(ArtworkTest, EveryPictureDrawsAtItsOwnSizeAndAtOddOnes) {
  for (int i = int(Picture::Background); i <= int(Picture::ArrowDown1B); ++i) {
    const Picture picture = Picture(i);
    SCOPED_TRACE(i);
    const QSize natural = qx::NaturalSize(picture);
    ASSERT_FALSE(natural.isEmpty());
    for (QSize size :
         {natural, natural * 2, QSize(3, 2), QSize(natural.width() / 3 + 1, natural.height() + 40)}) {
      const QImage image = Render(picture, size);
      if (picture == Picture::ArrowClear) {
        EXPECT_EQ(PaintedPixels(image), 0);
      } else if (size == natural) {
        EXPECT_GT(PaintedPixels(image), natural.width() * natural.height() / 20);
      }
    }
  }
  QImage none = Render(Picture::None, {10, 10});
  EXPECT_EQ(PaintedPixels(none), 0);
}

TEST(ArtworkTest, ButtonsLookDifferentUnderTheMouseAndWhenPressed) {
  const QSize size = qx::NaturalSize(Picture::ButtonNext);
  qx::PaintState hovered, pressed;
  hovered.hovered = true;
  pressed.pressed = true;
  const QImage normal = Render(Picture::ButtonNext, size);
  EXPECT_NE(normal, Render(Picture::ButtonNext, size, hovered));
  EXPECT_NE(normal, Render(Picture::ButtonNext, size, pressed));
  EXPECT_NE(Render(Picture::MenuExit, {24, 68}), Render(Picture::MenuExit, {24, 68}, hovered));
}

// Colour steps apart, at most, over all pixels of two images of one size.
int MostDifference(const QImage& a, const QImage& b) {
  int most = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
      most = std::max({most, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                       std::abs(qBlue(p) - qBlue(q)), std::abs(qAlpha(p) - qAlpha(q))});
    }
  return most;
}

// The cover as the window shows it: scaled and at an odd offset, with only
// the region a repaint asks for drawn.
QImage RenderRegion(TImage& image, const QRegion& region) {
  QImage out(1300, 900, QImage::Format_ARGB32_Premultiplied);
  out.fill(Qt::transparent);
  QPainter p(&out);
  p.translate(3.3, 7.6);
  p.scale(1.65, 1.65);
  image.render(&p, region.boundingRect().topLeft(), region, QWidget::DrawChildren);
  return out;
}

TEST(ArtworkTest, BookSizedPicturesKeepOnlyTheRepaintedPiecesAndMatchAStraightDraw) {
  TImage cover(nullptr, Picture::Cover);
  cover.KeepInPieces(true);
  const QImage straight = RenderRegion(cover, QRegion(cover.rect()));
  EXPECT_EQ(cover.CachedPixels(), 0);
  const qint64 whole = qint64(777 * 1.65) * qint64(529 * 1.65);

  // A caret, a name field and a list row: each copied from a piece that
  // holds the pixels a straight draw gives (gradients may round apart by one).
  for (const QRect& asked : {QRect(280, 370, 2, 20), QRect(230, 365, 180, 30), QRect(40, 60, 100, 18)}) {
    const QImage pieces = RenderRegion(cover, QRegion(asked));
    const QRect device =
        QTransform::fromTranslate(3.3, 7.6).scale(1.65, 1.65).mapRect(QRectF(asked)).toAlignedRect();
    const QRect inside = device.adjusted(1, 1, -1, -1);
    EXPECT_LE(MostDifference(pieces.copy(inside), straight.copy(inside)), 1) << asked.x() << "," << asked.y();
    // Nothing beyond what was asked.
    EXPECT_EQ(PaintedPixels(pieces.copy(device.adjusted(-3, -3, 3, 3))), PaintedPixels(pieces.copy(device)));
  }
  EXPECT_GT(cover.CachedPixels(), 0);
  EXPECT_LT(cover.CachedPixels() * 10, whole);

  // Repainted all over, it takes one whole copy; hidden, it lets it go.
  for (int y = 0; y < 500; y += 40) RenderRegion(cover, QRegion(10 + y, y, 30, 30));
  EXPECT_GE(cover.CachedPixels() * 10, whole * 8);
  cover.show();
  cover.hide();
  EXPECT_EQ(cover.CachedPixels(), 0);
}

TEST(ArtworkTest, ImageLoadsWindowsBitmapsWhateverTheExtension) {
  qxtest::TempDir dir;
  qxtest::WriteBytes(dir / "Welcome.pic", BmpBytes({40, 30}, Qt::red));
  qxtest::WriteBytes(dir / "broken.pic", "BM not really a bitmap");
  TImage image(nullptr, Picture::Screen);
  image.SetAutoSize(true);
  EXPECT_TRUE(image.LoadFromFile(dir / "WELCOME.PIC"));  // names resolve as on Windows
  EXPECT_EQ(image.size(), QSize(40, 30));
  EXPECT_EQ(image.BuiltIn(), Picture::None);
  EXPECT_EQ(image.Pixmap().toImage().pixelColor(5, 5), QColor(Qt::red));

  EXPECT_FALSE(image.LoadFromFile(dir / "broken.pic"));
  EXPECT_FALSE(image.LoadFromFile(dir / "missing.pic"));
  EXPECT_EQ(image.Bitmap().size(), QSize(40, 30));  // a failed load changes nothing

  TImage copy;
  copy.Assign(image);
  EXPECT_EQ(copy.Bitmap(), image.Bitmap());
  image.Clear();
  EXPECT_TRUE(image.Empty());
  EXPECT_TRUE(image.Pixmap().isNull());
}

TEST(ArtworkTest, ClickableImagesReportTheirClicksWithThemselvesAsSender) {
  TImage button(nullptr, Picture::ButtonNext);
  button.setObjectName(QStringLiteral("Next"));
  QString sender;
  int signals_ = 0;
  button.OnClick = [&](QWidget* w) { sender = w->objectName(); };
  QObject::connect(&button, &TImage::clicked, [&] { ++signals_; });
  button.show();
  QTest::mouseClick(&button, Qt::LeftButton);
  EXPECT_TRUE(sender.isEmpty());  // not clickable yet
  button.SetClickable(true);
  EXPECT_EQ(button.cursor().shape(), Qt::PointingHandCursor);
  QTest::mouseClick(&button, Qt::LeftButton);
  EXPECT_EQ(sender, QStringLiteral("Next"));
  EXPECT_EQ(signals_, 1);
  // Pressed here, released elsewhere: no click.
  sender.clear();
  QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(5, 5));
  QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(500, 5));
  EXPECT_TRUE(sender.isEmpty());
}

TEST(ArtworkTest, GaugeShowsTheShareOfItsRange) {
  TGauge gauge;
  struct Case {
    int min, max, progress, percent;
  };
  const Case cases[] = {{0, 0, 0, 0},       {0, 100, 35, 35}, {0, 600, 600, 100},
                        {0, 600, 900, 100}, {0, 600, -5, 0},  {10, 20, 15, 50}};
  for (const Case& c : cases) {
    gauge.SetRange(c.min, c.max);
    gauge.SetProgress(c.progress);
    EXPECT_EQ(gauge.PercentDone(), c.percent) << c.min << ".." << c.max << " at " << c.progress;
  }
}

// SPDX-License-Identifier: GPL-3.0-or-later
// The built-in pictures drawn once at the size a 1280 x 1024 screen shows
// them (the book scaled by 1.65): what the first paint of a page costs.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>

#include "shell/Artwork.h"

namespace {

constexpr qreal kScale = 1.65;

void DrawAtDeviceSize(benchmark::State& state, qx::Picture picture, QSizeF size) {
  QImage image((size * kScale).toSize(), QImage::Format_ARGB32_Premultiplied);
  image.setDevicePixelRatio(kScale);
  for (auto _ : state) {
    image.fill(Qt::transparent);
    QPainter p(&image);
    qx::PaintPicture(p, picture, QRectF(QPointF(0, 0), size));
  }
}

void BM_Cover(benchmark::State& state) { DrawAtDeviceSize(state, qx::Picture::Cover, {777, 529}); }
BENCHMARK(BM_Cover)->Unit(benchmark::kMillisecond);
// A repaint of the name field's caret: the cover drawn under a small clip.
void BM_CoverUnderCaret(benchmark::State& state) {
  QImage image((QSizeF(777, 529) * kScale).toSize(), QImage::Format_ARGB32_Premultiplied);
  image.setDevicePixelRatio(kScale);
  for (auto _ : state) {
    QPainter p(&image);
    p.setClipRect(QRectF(280, 370, 4, 24));
    qx::PaintPicture(p, qx::Picture::Cover, QRectF(0, 0, 777, 529));
  }
}
BENCHMARK(BM_CoverUnderCaret)->Unit(benchmark::kMillisecond);
void BM_Background(benchmark::State& state) { DrawAtDeviceSize(state, qx::Picture::Background, {804, 580}); }
BENCHMARK(BM_Background)->Unit(benchmark::kMillisecond);
void BM_Book(benchmark::State& state) { DrawAtDeviceSize(state, qx::Picture::Book, {777, 529}); }
BENCHMARK(BM_Book)->Unit(benchmark::kMillisecond);

}  // namespace

// SPDX-License-Identifier: GPL-3.0-or-later
// One keystroke on the typing screen: TypeChar and the repaint it causes,
// on a screen already holding several lines of typed text.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "engine/ExrCanv.h"
#include "platform/QtDraw.h"

namespace {

void PrepareScreen(TTypingCanvas& canvas) {
  canvas.setGeometry(0, 0, 490, 226);
  canvas.setFont(qx::PointFont("Arial", 13));
  canvas.SetColor(0x000000);
  canvas.SetFontColor(0x00FF00);
  canvas.show();
  for (int i = 0; i < 60; ++i) {
    for (char c : std::string("sample")) canvas.TypeChar(static_cast<unsigned char>(c));
    canvas.FinishWord(0, i % 7 == 0 ? 1 : 0);
  }
  QApplication::processEvents();
}

void BM_TypeCharWithRepaint(benchmark::State& state) {
  TTypingCanvas canvas;
  PrepareScreen(canvas);
  const std::string word = "keyboard";
  size_t i = 0;
  for (auto _ : state) {
    canvas.TypeChar(static_cast<unsigned char>(word[i]));
    QApplication::processEvents();  // paints the dirty area and flushes it
    if (++i == word.size()) {
      state.PauseTiming();
      canvas.FinishWord(0, 0);
      QApplication::processEvents();
      i = 0;
      state.ResumeTiming();
    }
  }
}
BENCHMARK(BM_TypeCharWithRepaint);

}  // namespace

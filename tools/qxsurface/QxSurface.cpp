// SPDX-License-Identifier: GPL-3.0-or-later
// Development view of the typing surface: a model text above the typing
// screen with a few words typed (one of them wrong) and the speed graph,
// written to a PNG so the surface can be looked at without a display.
#include <QApplication>
#include <QPainter>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "engine/ExrCanv.h"
#include "engine/Nervgrph.h"
#include "engine/Viewcanv.h"
#include "platform/Clock.h"
#include "platform/QtDraw.h"
#include "storage/ToolBox.h"

namespace {

const char* const kModel =
    "The quick brown fox jumps over the lazy dog while the farmer sleeps.\r\n"
    "Five boxing wizards jump quickly, and a sphinx of black quartz judges "
    "my vow.\r\n\r\nPack my box with five dozen liquor jugs before the "
    "ship sails at dawn.\r\n";

// The page the canvases sit on: a warm sheet with the typing screen's bezel.
class Page : public QWidget {
 public:
  Page() { resize(720, 560); }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(rect(), qx::ToQColor(0xD8ECF6));
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(qx::ToQColor(0x3C4650), 2));
    painter.setBrush(qx::ToQColor(0x283038));
    painter.drawRoundedRect(QRectF(42, 288, 516, 252), 10, 10);
    painter.drawRoundedRect(QRectF(574, 193, 131, 120), 8, 8);
  }
};

}  // namespace

int main(int argc, char* argv[]) {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  const QString output = argc > 1 ? QString::fromLocal8Bit(argv[1]) : "qxsurface.png";
  qx::ManualClock clock;
  qx::InstallClock(&clock);

  Page page;
  auto* model = new TViewCanvas(&page);
  model->setFont(qx::PointFont("Times New Roman", 14));
  model->setGeometry(50, 20, 500, 250);
  model->CursorMarkColor = 0x008000;
  model->SetMode(1);
  model->SetText(kModel, 0);

  auto* typing = new TTypingCanvas(&page);
  typing->setGeometry(50, 296, 500, 236);
  typing->setFont(qx::PointFont("Arial", 13));
  typing->SetColor(0x000000);
  typing->SetFontColor(0x00FF00);
  typing->UnderlineColor = 0x00FF00;

  auto* graph = new TNervoGraph(&page);
  graph->setGeometry(582, 201, 115, 104);
  page.show();
  QApplication::setActiveWindow(&page);
  typing->setFocus();

  // Typed with one word wrong and one mangled; the rest matches.
  const std::string typed =
      "The quick brown fox jumsp over the lazy dog whiel the farmer sleeps.\r"
      "Five boxing wizard jump quickly, and a sphi";
  graph->StartGraph();
  std::string word;
  int ticks = 0;
  for (size_t i = 0; i < typed.size(); ++i) {
    const char c = typed[i];
    clock.AdvanceUnits(i % 7 == 3 ? 0.45 : 0.21);
    while (++ticks % 2) graph->Tick();
    graph->KeyPressed();
    if (c == ' ' || c == '\r') {
      const std::string expected = model->WordAt(0);
      const int mark = word == expected ? 0 : (word.size() == expected.size() ? 1 : 2);
      model->Advance();
      typing->FinishWord(c == '\r' ? 1 : 0, mark);
      word.clear();
    } else {
      typing->TypeChar(static_cast<unsigned char>(c));
      word += c;
    }
  }
  for (int i = 0; i < 12; ++i) graph->Tick();
  QApplication::processEvents();

  const bool saved = page.grab().save(output);
  qx::InstallClock(nullptr);
  if (!saved) {
    std::fprintf(stderr, "qxsurface: cannot write %s\n", qPrintable(output));
    return 1;
  }
  std::printf("%s\n", qPrintable(output));
  return 0;
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>
#include <cmath>

#include "engine/Lcds.h"
#include "engine/Nervgrph.h"
#include "platform/Clock.h"

namespace {

QPixmap Filled(int width, int height, Qt::GlobalColor color) {
  QPixmap picture(width, height);
  picture.fill(color);
  return picture;
}

class ManualClockTest : public ::testing::Test {
 protected:
  void SetUp() override { qx::InstallClock(&clock); }
  void TearDown() override { qx::InstallClock(nullptr); }
  qx::ManualClock clock;
};

}  // namespace

TEST(MissedLcd, ShowsLitLampsFirstAndTakesThePicturesSize) {
  TMissedLcd lcd;
  lcd.SetColor(0x000000);
  lcd.SetPictures(Filled(6, 5, Qt::red), Filled(4, 3, Qt::green));
  lcd.SetLamps(3);
  lcd.SetLit(1);
  EXPECT_EQ(lcd.size(), QSize(4 + 6 + 6, 5));

  const QImage image = lcd.grab().toImage();
  EXPECT_EQ(image.pixel(1, 1), qRgb(0, 255, 0));
  EXPECT_EQ(image.pixel(1, 4), qRgb(0, 0, 0));  // below the smaller on-picture
  EXPECT_EQ(image.pixel(5, 4), qRgb(255, 0, 0));
  EXPECT_EQ(image.pixel(15, 0), qRgb(255, 0, 0));

  // A missing picture is skipped: the lit lamps alone remain.
  lcd.SetPictures(QPixmap(), Filled(4, 3, Qt::green));
  lcd.SetLit(2);
  EXPECT_EQ(lcd.size(), QSize(8, 3));
}

TEST_F(ManualClockTest, NervoGraphKeepsTheMeanOfTheLastFourIntervals) {
  TNervoGraph graph;
  graph.StartGraph();
  graph.StopGraph();
  EXPECT_EQ(graph.LastKeyTime, clock.Now());
  for (double interval : {1.0, 2.0, 3.0, 4.0, 5.0, 6.0}) {
    clock.AdvanceUnits(interval);
    graph.KeyPressed();
  }
  EXPECT_EQ(graph.IntervalCount, 4);
  EXPECT_NEAR(graph.IntervalSum, 3 + 4 + 5 + 6, 1e-4);
  EXPECT_EQ(graph.IntervalIndex, 2);
}

// A pause longer than twice the mean interval sends the target to 0; the
// graph falls towards it, each change at most 3 beyond the previous one.
TEST_F(ManualClockTest, NervoGraphFallsGentlyTowardsZeroInALongPause) {
  TNervoGraph graph;
  graph.show();
  graph.StartGraph();
  graph.StopGraph();  // ticks are driven by hand
  for (int key = 0; key < 4; ++key) {
    clock.AdvanceUnits(0.4);
    graph.KeyPressed();
  }
  // Steady typing: 60 / 0.4 = 150.
  for (int tick = 0; tick < 200; ++tick) graph.Tick();
  ASSERT_NEAR(graph.Value, 150.0, 0.5);

  clock.AdvanceUnits(10);
  double previousStep = graph.LastStep;
  double previousValue = graph.Value;
  bool limited = false;
  for (int tick = 0; tick < 200; ++tick) {
    graph.Tick();
    const double step = graph.Value - previousValue;
    EXPECT_GE(step, previousStep - 3 - 1e-9) << tick;
    EXPECT_LE(step, 0.0) << tick;
    EXPECT_GE(graph.Value, 0.0);
    limited = limited || std::abs(step - (previousStep - 3)) < 1e-9;
    previousStep = graph.LastStep;
    previousValue = graph.Value;
  }
  EXPECT_TRUE(limited);
  EXPECT_NEAR(graph.Value, 0.0, 0.5);
  EXPECT_EQ(graph.LastY, graph.ValueY(graph.Value));
}

TEST_F(ManualClockTest, NervoGraphPlotsOnePixelPerTickAndWrapsAtTheRightEdge) {
  TNervoGraph graph;
  graph.resize(60, 60);
  graph.show();
  const QRect plot = graph.PlotRect();
  graph.Tick();
  EXPECT_EQ(graph.LastX, plot.left());
  EXPECT_EQ(graph.LastY, plot.bottom());
  for (int x = plot.left() + 1; x <= plot.right(); ++x) graph.Tick();
  EXPECT_EQ(graph.LastX, plot.right());
  graph.Tick();
  EXPECT_EQ(graph.LastX, plot.left());
}

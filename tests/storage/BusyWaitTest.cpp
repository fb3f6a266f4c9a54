// SPDX-License-Identifier: GPL-3.0-or-later
// Waiting for a busy shared file with real windows: they keep painting,
// but the student's keys wait until the file operation is over.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QTimer>
#include <QWidget>

#include "StorageSandbox.h"
#include "platform/QtPlatform.h"
#include "storage/FileObj.h"

namespace {

class Recorder final : public QWidget {
 public:
  int keys = 0;
  int paints = 0;

 protected:
  void keyPressEvent(QKeyEvent*) override { ++keys; }
  void paintEvent(QPaintEvent*) override { ++paints; }
};

}  // namespace

TEST(BusyWait, PaintsAndRunsTimersButHoldsKeysUntilTheFileIsFree) {
  qx::InstallQtPlatform();
  qxtest::StorageSandbox box;  // its scripted boxes replace the real ones
  for (int i = 0; i < 5; ++i) box.dialogs.Answer(qx::DialogAnswer::Yes);  // a slow machine
  qxtest::WriteBytes(box / "Userbase.qx4", "");
  TRecFile other;  // another workstation's save in progress
  ASSERT_EQ(other.Open(box / "Userbase.qx4", kRecOpen, kShareExclusive), 1);

  Recorder window;
  window.setFocusPolicy(Qt::StrongFocus);
  window.resize(200, 100);
  window.show();
  QApplication::setActiveWindow(&window);
  window.setFocus();
  QCoreApplication::processEvents();

  int keysDuringWait = -1, paintsBefore = 0;
  bool posted = false;
  QTimer probe;
  probe.setInterval(10);
  QObject::connect(&probe, &QTimer::timeout, &window, [&] {
    if (!posted) {
      posted = true;
      paintsBefore = window.paints;
      QCoreApplication::postEvent(&window, new QKeyEvent(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a"));
      window.update();
      return;
    }
    if (window.paints == paintsBefore) return;
    keysDuringWait = window.keys;
    probe.stop();
    other.Close();  // the other save is done
  });
  probe.start();

  TRecFile file;
  EXPECT_EQ(OpenWithRetry(file, box / "Userbase.qx4", kShareExclusive, "Busy?", "x"), 1);
  EXPECT_TRUE(posted);
  EXPECT_EQ(keysDuringWait, 0);
  EXPECT_EQ(window.keys, 0);
  // Held, not lost: the key arrives as soon as the program is idle again.
  QCoreApplication::processEvents();
  EXPECT_EQ(window.keys, 1);
}

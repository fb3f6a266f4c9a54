// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QWidget>

#include "platform/EventPump.h"
#include "platform/Files.h"
#include "platform/QtPlatform.h"
#include "platform/QtText.h"
#include "platform/Shell.h"
#include "platform/Sound.h"
#include "storage/ToolBox.h"
#include "support/TestFiles.h"
#include "support/Timing.h"

using namespace qx;

namespace {
class QtPlatformTest : public ::testing::Test {
 protected:
  void SetUp() override { InstallQtPlatform(); }
};
}  // namespace

TEST_F(QtPlatformTest, WaitingKeepsEventsFlowingWithoutBusyLooping) {
  int ticks = 0;
  QTimer timer;
  QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
  timer.start(10);
  QElapsedTimer wall;
  wall.start();
  const double cpu0 = qxtest::ThreadCpuMs();
  WaitMs(400);
  const double cpuMs = qxtest::ThreadCpuMs() - cpu0;
  EXPECT_GE(wall.elapsed(), 395);
  EXPECT_GE(ticks, 2);
  // A polling wait keeps this thread busy for a good share of the 400 ms
  // even on a loaded machine; a real wait uses next to nothing.
  EXPECT_LT(cpuMs, 60.0);
}

TEST_F(QtPlatformTest, ViewLoopRunsUntilQuitAndHonoursAnEarlyQuit) {
  ViewLoop loop;
  QTimer::singleShot(20, [&] { loop.Quit(); });
  loop.Run();
  EXPECT_FALSE(loop.Running());
  loop.Quit();  // before Run: Run returns at once, without running the loop
  bool ran = false;
  QTimer::singleShot(0, [&] { ran = true; });
  loop.Run();
  EXPECT_FALSE(ran);
  QCoreApplication::processEvents();
  EXPECT_TRUE(ran);
  // Nested loops unwind innermost first.
  ViewLoop outer, inner;
  std::vector<int> order;
  QTimer::singleShot(0, [&] {
    QTimer::singleShot(10, [&] { inner.Quit(); });
    inner.Run();
    order.push_back(1);
    outer.Quit();
  });
  outer.Run();
  order.push_back(2);
  EXPECT_EQ(order, (std::vector<int>{1, 2}));
}

TEST_F(QtPlatformTest, TextCrossesToQtAndBack) {
  EXPECT_EQ(ToQt("\x95 \xE4"), QString::fromUtf8("\u2022 \u00E4"));
  EXPECT_EQ(FromQt(QString::fromUtf8("\u00E9\u0416!")), "\xE9!");
  EXPECT_EQ(ToQtLines("a\n\rb\rc\r\nd"), QStringLiteral("a\nb\nc\nd"));
}

TEST_F(QtPlatformTest, ShellReportsMissingFilesAndStartsPrograms) {
  qxtest::TempDir dir;
  EXPECT_EQ(ShellOpen("SETUP.EXE", "", dir.Path()), kShellFileNotFound);
  const std::string script = dir / "setup.sh";
  qxtest::WriteBytes(script, "#!/bin/sh\ntouch \"$1\"\n");
  chmod(script.c_str(), 0755);
  EXPECT_GT(ShellOpen("setup.sh", "started", dir.Path()), 32);
  // Up to 20 s: starting a process takes long on a busy machine.
  for (int i = 0; i < 1000 && !qxtest::Exists(dir / "started"); ++i) WaitMs(20);
  EXPECT_TRUE(qxtest::Exists(dir / "started"));
}

namespace {

// A mono 16-bit wave of silence at 8000 Hz. The format tag 0x55 declares
// compressed data, which the player cannot decode.
std::string Wave(int seconds, uint16_t format = 1) {
  const uint32_t rate = 8000, dataSize = rate * 2 * seconds;
  std::string w;
  auto put = [&w](uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) w += char((v >> (8 * i)) & 0xFF);
  };
  w += "RIFF";
  put(36 + dataSize, 4);
  w += "WAVEfmt ";
  put(16, 4);
  put(format, 2);
  put(1, 2);
  put(rate, 4);
  put(rate * 2, 4);
  put(2, 2);
  put(16, 2);
  w += "data";
  put(dataSize, 4);
  return w + std::string(dataSize, '\0');
}

}  // namespace

// The start-up plays the theme right after creating it, while the player
// still reads the file: it must start once the file is loaded.
TEST_F(QtPlatformTest, ASoundAskedForWhileLoadingPlaysOnceLoaded) {
  qxtest::TempDir dir;
  qxtest::WriteBytes(dir / "Intro.wav", Wave(5));
  SoundAvailable = true;
  CreateSound(kSoundTheme, dir / "Intro.wav");
  PlaySound(kSoundTheme);
  ASSERT_TRUE(QTest::qWaitFor([] { return SoundPlaying(kSoundTheme) || !SoundAvailable; }, 20000));
  if (!SoundAvailable) {
    FreeSound(kSoundTheme);
    SoundAvailable = true;
    GTEST_SKIP() << "this machine's media backend cannot load waves";
  }
  EXPECT_TRUE(SoundPlaying(kSoundTheme));
  FreeSound(kSoundTheme);
  EXPECT_FALSE(SoundPlaying(kSoundTheme));
}

TEST_F(QtPlatformTest, AMissingWaveIsSilentAndAnUndecodableOneSwitchesSoundOff) {
  qxtest::TempDir dir;
  SoundAvailable = true;
  CreateSound(kSoundClick, dir / "Click.wav");  // missing
  EXPECT_TRUE(SoundLoaded(kSoundClick));
  PlaySound(kSoundClick);
  QCoreApplication::processEvents();
  EXPECT_FALSE(SoundPlaying(kSoundClick));
  EXPECT_TRUE(SoundAvailable);

  qxtest::WriteBytes(dir / "Error.wav", Wave(1, 0x55));
  CreateSound(kSoundError, dir / "Error.wav");
  PlaySound(kSoundError);
  EXPECT_TRUE(QTest::qWaitFor([] { return !SoundAvailable; }, 20000));
  EXPECT_FALSE(SoundPlaying(kSoundError));
  PlaySound(kSoundClick);  // nothing is tried any more
  FreeSound(kSoundClick);
  FreeSound(kSoundError);
  SoundAvailable = true;
}

TEST_F(QtPlatformTest, KeyboardLanguageIsNotAvailableOffscreen) {
  EXPECT_EQ(DetectKeyboardLanguage(), "Not available");
}

// A real X server with a Finnish layout, when the machine has one to start.
TEST(X11Keyboard, FinnishLayoutUnderXvfbIsDetected) {
  const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
  const QString setxkbmap = QStandardPaths::findExecutable(QStringLiteral("setxkbmap"));
  if (xvfb.isEmpty() || setxkbmap.isEmpty()) GTEST_SKIP() << "Xvfb or setxkbmap missing";
  const QString display = QStringLiteral(":%1").arg(90 + getpid() % 100);
  QProcess server;
  // -noreset: otherwise the server forgets the layout when setxkbmap disconnects.
  server.start(xvfb, {display, QStringLiteral("-noreset"), QStringLiteral("-nolisten"),
                      QStringLiteral("tcp")});
  ASSERT_TRUE(server.waitForStarted());
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("DISPLAY"), display);
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
  bool mapped = false;
  for (int i = 0; i < 200 && !mapped; ++i) {  // the server may start slowly on a busy machine
    QProcess map;
    map.setProcessEnvironment(env);
    map.start(setxkbmap, {QStringLiteral("fi")});
    map.waitForFinished();
    mapped = map.exitStatus() == QProcess::NormalExit && map.exitCode() == 0;
    if (!mapped) QThread::msleep(100);
  }
  ASSERT_TRUE(mapped);
  const QString probePath = QCoreApplication::applicationDirPath() + QStringLiteral("/qxkbprobe");
  QProcess probe;
  probe.setProcessEnvironment(env);
  probe.start(probePath);
  ASSERT_TRUE(probe.waitForFinished(20000));
  EXPECT_EQ(QString::fromUtf8(probe.readAllStandardOutput()).trimmed(), QStringLiteral("Finnish"));
  server.terminate();
  server.waitForFinished();
}

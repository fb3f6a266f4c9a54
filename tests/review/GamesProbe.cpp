// SPDX-License-Identifier: GPL-3.0-or-later
// Run by hand: pictures of the games in play and the processor time they
// take while waiting and while playing, on real timers.
//   QX_PROBE_DIR=/tmp test_games --gtest_also_run_disabled_tests --gtest_filter='*Probe*'
#include <sys/resource.h>

#include <QEventLoop>
#include <QLineEdit>
#include <cstdio>
#include <cstdlib>

#include "content/EventSandbox.h"
#include "review/Bubble.h"
#include "review/GamEvent.h"
#include "shell/Addviews.h"
#include "shell/Eviewstg.h"

namespace {

double CpuSeconds() {
  rusage use{};
  getrusage(RUSAGE_SELF, &use);
  return double(use.ru_utime.tv_sec + use.ru_stime.tv_sec) + (use.ru_utime.tv_usec + use.ru_stime.tv_usec) / 1e6;
}

std::string Out(const char* name) {
  const char* dir = std::getenv("QX_PROBE_DIR");
  return std::string(dir ? dir : "/tmp") + "/" + name;
}

class GamesProbe : public qxtest::EventTest {
 protected:
  GamesProbe() { qx::InstallClock(nullptr); }  // real time: the timers drive the game
  void Measure(const char* what, int ms) {
    QTest::qWait(500);  // the first paint is not the waiting
    const double before = CpuSeconds();
    // An event loop that sleeps until its timer, unlike qWait, which polls.
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
    std::printf("%s: %.3f s processor time over %.1f s\n", what, CpuSeconds() - before, ms / 1000.0);
  }
};

TEST_F(GamesProbe, DISABLED_PicturesAndProcessorTime) {
  qxtest::WriteBytes(sandbox / "Words.vcb", std::string("harbour\r\nmeadow\r\nlantern\r\npebble\r\nwillow\r\n"));
  TZaroZiraEvent zaro;
  zaro.CreateFromDescriptor("event=ZAROZIRA;0;Words.vcb");
  RunWith([&] { return zaro.Run(); }, [&] {
    Measure("ZaroZira waiting for the first key", 10000);
    Press(zaro.Words[0][0]);
    Measure("ZaroZira in play", 5000);
    for (size_t i = 1; i < 3 && i < zaro.Words[0].size(); ++i) Press(zaro.Words[0][i]);
    QTest::qWait(100);
    book->grab().save(QString::fromStdString(Out("zarozira.png")));
    zaro.GameOver = true;
    sandbox.dialogs.Answer(qx::DialogAnswer::Yes);
    PressKey(Qt::Key_Escape);
  });
  TBubbles bubbles;
  bubbles.CreateFromDescriptor("Bubb;Bubb;0;0");
  bubbles.KnownKeys = "asdfjkl";
  RunWith([&] { return bubbles.Run(); }, [&] {
    Measure("Bubbles waiting for the first key", 10000);
    Press('x');
    Measure("Bubbles in play", 10000);
    book->grab().save(QString::fromStdString(Out("bubbles.png")));
    sandbox.dialogs.Answer(qx::DialogAnswer::Yes);
    PressKey(Qt::Key_Escape);
  });
  // The page after a winning game.
  TopTenView->EnterScore("zarozira", "Tester", 955);
  TFormView host;
  host.LeftView = TopTenView;
  RunWith([&] { return host.Execute(); }, [&] {
    QTest::qWait(200);
    EventViewStg->NameBox->setText(QStringLiteral("Tester"));
    book->grab().save(QString::fromStdString(Out("topten.png")));
    host.SetResult(1);
  });
}

}  // namespace

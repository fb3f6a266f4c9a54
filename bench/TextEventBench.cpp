// SPDX-License-Identifier: GPL-3.0-or-later
// The text exercise on the book: one keystroke from the key event to the
// painted screen (preview, analysis, word matching at word ends, both
// canvases), and the processor time of a page waiting for its first key.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QTimer>
#include <chrono>
#include <memory>
#include <string>

#include "content/TxtEvent.h"
#include "engine/Diffkeys.h"
#include "engine/ExrCanv.h"
#include "engine/Viewcanv.h"
#include "platform/Clock.h"
#include "shell/Bookfrm.h"
#include "shell/ChpViews.h"
#include "shell/Chpstgs.h"
#include "shell/Eventstg.h"
#include "shell/Generstg.h"
#include "shell/Main.h"
#include "storage/User.h"

namespace {

// Counts the paints of the canvases, to show that every key was drawn.
class PaintCounter : public QObject {
 public:
  int paints = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
};

void WaitMs(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

// The program-wide objects a text exercise uses.
struct Program {
  Program() {
    user = std::make_unique<TUser>("Bench");
    User = user.get();
    KeyStats = user->DifficultKeys;
    forms.Book->show();
    QApplication::setActiveWindow(forms.Book.get());
    QApplication::processEvents();
  }
  ~Program() {
    KeyStats = nullptr;
    User = nullptr;
  }
  std::unique_ptr<TUser> user;
  TProgramForms forms;
};

std::string LongText() {
  std::string text;
  for (int i = 0; i < 400; ++i)
    text += "The quick brown fox jumps over the lazy dog while seven keen typists watch.\r\n";
  return text;
}

// Runs the work inside the step's own loop, as the program does, then
// leaves the step.
template <class Work>
void RunTextEvent(const std::string& text, Work work) {
  TTextEvent e;
  e.CreateFromDescriptor("event=TEXT;1;" + text + ";FALSE");
  QTimer::singleShot(0, [&e, work] {
    WaitMs(100);  // the first paint of the page is done
    work(e);
    e.OnCloseQuery = nullptr;
    bool veto = false;
    e.Close(veto);
  });
  e.Run();
}

void SendKey(int key, const QString& text) {
  QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : BookForm;
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
  QApplication::sendEvent(target, &press);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
  QApplication::sendEvent(target, &release);
}

void BM_KeystrokeThroughTextEvent(benchmark::State& state) {
  Program program;
  qx::ManualClock clock;
  qx::InstallClock(&clock);
  const std::string text = LongText();
  RunTextEvent(text, [&](TTextEvent& event) {
    PaintCounter counter;
    event.TypingCanvas->installEventFilter(&counter);
    event.ModelCanvas->installEventFilter(&counter);
    // The student copies the model, word after word, at a steady pace.
    size_t pos = 0;
    for (auto _ : state) {
      char c = text[pos];
      if (c == '\r' || c == '\n') {
        c = '\r';
        pos = text.find_first_not_of("\r\n", pos);
      } else {
        ++pos;
      }
      clock.AdvanceUnits(0.3);
      if (c == '\r')
        SendKey(Qt::Key_Return, QStringLiteral("\r"));
      else if (c == ' ')
        SendKey(Qt::Key_Space, QStringLiteral(" "));
      else  // the event reads the character, not the key code
        SendKey(Qt::Key_A, QString(QLatin1Char(c)));
      QApplication::processEvents();  // paints what the key changed
      if (event.State == kStateCompleted || pos >= text.size()) {
        state.SkipWithError("the model text ran out");
        break;
      }
    }
    state.counters["words"] = event.WordsTyped;
    state.counters["paints"] = counter.paints;
  });
  qx::InstallClock(nullptr);
}
BENCHMARK(BM_KeystrokeThroughTextEvent)->Unit(benchmark::kMicrosecond)->Iterations(4000);

double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
         (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Real clock and real timers: the caret blinks, everything else waits.
void BM_WaitingForTheFirstKey(benchmark::State& state) {
  Program program;
  RunTextEvent(LongText(), [&](TTextEvent&) {
    for (auto _ : state) {
      const double before = CpuSeconds();
      const auto start = std::chrono::steady_clock::now();
      QEventLoop loop;
      QTimer::singleShot(10000, Qt::PreciseTimer, &loop, &QEventLoop::quit);
      loop.exec();
      const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
      const double cpu = CpuSeconds() - before;
      state.SetIterationTime(wall);
      state.counters["cpu_ms"] = cpu * 1000;
      state.counters["cpu_percent"] = 100 * cpu / wall;
    }
  });
}
BENCHMARK(BM_WaitingForTheFirstKey)->UseManualTime()->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace

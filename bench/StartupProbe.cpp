// SPDX-License-Identifier: GPL-3.0-or-later
// Starts a program on the X display and watches it from outside: when its
// first window is mapped, when the last paint before a quiet spell landed
// (XDamage), the processor time it had used by then, and its resident and
// proportional memory a while later. One line of figures on stdout.
//
//   qxstartprobe [--quiet-ms N] [--memory-after-ms N] [--trace 1] program [args...]
#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>
#include <dirent.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <string>

#include "XWatch.h"

namespace {

using qxbench::NowMs;
using qxbench::WaitForEvent;

// Processor time of every thread of the process, from the scheduler's
// nanosecond counters (the tick counts of /proc/pid/stat are too coarse).
double CpuMs(pid_t pid) {
  const std::string dir = "/proc/" + std::to_string(pid) + "/task";
  DIR* tasks = opendir(dir.c_str());
  if (!tasks) return -1;
  double total = 0;
  while (dirent* entry = readdir(tasks)) {
    if (entry->d_name[0] == '.') continue;
    std::ifstream in(dir + "/" + entry->d_name + "/schedstat");
    unsigned long long ns = 0;
    if (in >> ns) total += ns / 1e6;
  }
  closedir(tasks);
  return total;
}

void Memory(pid_t pid, long& rssKb, long& pssKb) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/smaps_rollup");
  for (std::string line; std::getline(in, line);) {
    if (line.rfind("Rss:", 0) == 0) rssKb = std::stol(line.substr(4));
    if (line.rfind("Pss:", 0) == 0) pssKb = std::stol(line.substr(4));
  }
}

// A window may be gone before its damage object is made.
int IgnoreXError(Display*, XErrorEvent*) { return 0; }

}  // namespace

int main(int argc, char** argv) {
  double quietMs = 1500;
  double memoryAfterMs = 5000;
  bool trace = false;
  int arg = 1;
  for (; arg + 1 < argc && argv[arg][0] == '-'; arg += 2) {
    if (!std::strcmp(argv[arg], "--quiet-ms"))
      quietMs = std::atof(argv[arg + 1]);
    else if (!std::strcmp(argv[arg], "--memory-after-ms"))
      memoryAfterMs = std::atof(argv[arg + 1]);
    else if (!std::strcmp(argv[arg], "--trace"))
      trace = std::atoi(argv[arg + 1]) != 0;
  }
  if (arg >= argc) {
    std::fprintf(stderr, "usage: %s [--quiet-ms N] [--memory-after-ms N] [--trace 1] program [args...]\n",
                 argv[0]);
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  int damageEvent = 0, damageError = 0;
  if (!display || !XDamageQueryExtension(display, &damageEvent, &damageError)) {
    std::fprintf(stderr, "no X display with the DAMAGE extension\n");
    return 2;
  }
  XSetErrorHandler(IgnoreXError);
  const Window root = DefaultRootWindow(display);
  XSelectInput(display, root, SubstructureNotifyMask);
  XSync(display, False);

  const double start = NowMs();
  const pid_t child = fork();
  if (child == 0) {
    execvp(argv[arg], argv + arg);
    _exit(127);
  }

  double mapped = -1, lastPaint = -1, cpuAtPaint = -1;
  // Ten seconds to show anything at all, then until the window is quiet.
  double deadline = start + 10000;
  while (WaitForEvent(display, deadline)) {
    XEvent event;
    XNextEvent(display, &event);
    const double at = NowMs();
    if (event.type == CreateNotify) {
      XDamageCreate(display, event.xcreatewindow.window, XDamageReportRawRectangles);
    } else if (event.type == MapNotify && mapped < 0) {
      mapped = at - start;
    } else if (event.type == damageEvent + XDamageNotify) {
      lastPaint = at - start;
      cpuAtPaint = CpuMs(child);
      if (trace) {
        const auto& damage = reinterpret_cast<const XDamageNotifyEvent&>(event);
        std::fprintf(stderr, "%8.1f ms  cpu %6.1f  damage %dx%d+%d+%d\n", lastPaint, cpuAtPaint,
                     damage.area.width, damage.area.height, damage.area.x, damage.area.y);
      }
      deadline = at + quietMs;
    }
  }
  const double sinceStart = NowMs() - start;
  if (sinceStart < memoryAfterMs + (lastPaint > 0 ? lastPaint : 0))
    usleep(useconds_t((memoryAfterMs + lastPaint - sinceStart) * 1000));
  long rssKb = -1, pssKb = -1;
  Memory(child, rssKb, pssKb);
  const double cpuTotal = CpuMs(child);

  kill(child, SIGTERM);
  int status = 0;
  waitpid(child, &status, 0);
  XCloseDisplay(display);
  if (mapped < 0 || lastPaint < 0) {
    std::fprintf(stderr, "the program showed no window\n");
    return 1;
  }
  std::printf("map_ms %.1f paint_ms %.1f cpu_ms %.1f cpu_total_ms %.1f rss_kb %ld pss_kb %ld\n", mapped,
              lastPaint, cpuAtPaint, cpuTotal, rssKb, pssKb);
  return 0;
}

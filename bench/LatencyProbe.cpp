// SPDX-License-Identifier: GPL-3.0-or-later
// Key press to pixels, measured from outside the program: starts
// qxlatencyhost with one exercise step, types its keys through XTEST at a
// brisk typist's pace and times each until the X server reports a repaint
// (XDamage) of the region where the key shows. Prints the median, the
// 99th percentile and the worst of the keys.
//
//   qxlatencyprobe [--keys N] host text|drill|zarozira
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xdamage.h>
#include <X11/keysym.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <random>
#include <string>
#include <vector>

#include "XWatch.h"

namespace {

using qxbench::NowMs;
using qxbench::WaitForEvent;

int IgnoreXError(Display*, XErrorEvent*) { return 0; }

struct Region {
  int x = 0, y = 0, w = 0, h = 0;
  bool Meets(const XRectangle& r) const {
    return r.x < x + w && x < r.x + r.width && r.y < y + h && y < r.y + r.height;
  }
};

std::string FromHex(const std::string& hex) {
  std::string out;
  for (size_t i = 0; i + 1 < hex.size(); i += 2) out += char(std::stoi(hex.substr(i, 2), nullptr, 16));
  return out;
}

// The key and whether Shift makes the character on it.
bool KeyFor(Display* display, unsigned char c, KeyCode& code, bool& shift) {
  const KeySym sym = c == '\r' ? XK_Return : KeySym(c);
  code = XKeysymToKeycode(display, sym);
  if (!code) return false;
  shift = XkbKeycodeToKeysym(display, code, 0, 0) != sym;
  return true;
}

void Drain(Display* display) {
  XSync(display, False);
  while (XPending(display)) {
    XEvent event;
    XNextEvent(display, &event);
  }
}

double Percentile(std::vector<double> v, double p) {
  std::sort(v.begin(), v.end());
  const size_t at = std::min(v.size() - 1, size_t(p * (v.size() - 1) + 0.5));
  return v[at];
}

}  // namespace

int main(int argc, char** argv) {
  int count = 500;
  int arg = 1;
  if (arg + 1 < argc && !std::strcmp(argv[arg], "--keys")) {
    count = std::atoi(argv[arg + 1]);
    arg += 2;
  }
  if (arg + 2 > argc) {
    std::fprintf(stderr, "usage: %s [--keys N] host text|drill|zarozira\n", argv[0]);
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  int damageEvent = 0, damageError = 0, xtest = 0, major = 0, minor = 0;
  if (!display || !XDamageQueryExtension(display, &damageEvent, &damageError) ||
      !XTestQueryExtension(display, &xtest, &xtest, &major, &minor)) {
    std::fprintf(stderr, "no X display with the DAMAGE and XTEST extensions\n");
    return 2;
  }
  XSetErrorHandler(IgnoreXError);

  int out[2];
  if (pipe(out) != 0) return 2;
  const pid_t host = fork();
  if (host == 0) {
    dup2(out[1], STDOUT_FILENO);
    close(out[0]);
    close(out[1]);
    execl(argv[arg], argv[arg], argv[arg + 1], static_cast<char*>(nullptr));
    _exit(127);
  }
  close(out[1]);
  FILE* from = fdopen(out[0], "r");
  unsigned long window = 0;
  Region region;
  char keysHex[20000] = {};
  if (std::fscanf(from, "READY %lu %d %d %d %d KEYS %19999s", &window, &region.x, &region.y, &region.w,
                  &region.h, keysHex) != 6) {
    std::fprintf(stderr, "the host did not start its step\n");
    kill(host, SIGTERM);
    return 1;
  }
  const std::string keys = FromHex(keysHex);

  XDamageCreate(display, window, XDamageReportRawRectangles);
  XSetInputFocus(display, window, RevertToParent, CurrentTime);
  const KeyCode shiftCode = XKeysymToKeycode(display, XK_Shift_L);
  usleep(300000);
  Drain(display);

  std::mt19937 pace(7);
  std::vector<double> latencies;
  int missed = 0;
  size_t at = 0;
  for (int i = 0; i < count && !keys.empty(); ++i) {
    const unsigned char c = keys[at];
    at = (at + 1) % keys.size();
    KeyCode code = 0;
    bool shift = false;
    if (!KeyFor(display, c, code, shift)) continue;
    if (shift) XTestFakeKeyEvent(display, shiftCode, True, CurrentTime);
    Drain(display);
    const double sent = NowMs();
    XTestFakeKeyEvent(display, code, True, CurrentTime);
    XTestFakeKeyEvent(display, code, False, CurrentTime);
    if (shift) XTestFakeKeyEvent(display, shiftCode, False, CurrentTime);
    XFlush(display);
    bool seen = false;
    const double deadline = sent + 500;
    while (!seen && WaitForEvent(display, deadline)) {
      XEvent event;
      XNextEvent(display, &event);
      if (event.type != damageEvent + XDamageNotify) continue;
      const auto& damage = reinterpret_cast<const XDamageNotifyEvent&>(event);
      if (!region.Meets(damage.area)) continue;
      latencies.push_back(NowMs() - sent);
      seen = true;
    }
    if (!seen) ++missed;
    // 60 to 100 ms between keys: a fast typist, and time for the repaint
    // of one key to settle before the next.
    usleep(useconds_t(60000 + pace() % 40000));
  }
  kill(host, SIGTERM);
  waitpid(host, nullptr, 0);
  XCloseDisplay(display);
  if (latencies.empty()) {
    std::fprintf(stderr, "no key was repainted\n");
    return 1;
  }
  std::printf("%s keys %zu missed %d median_ms %.2f p99_ms %.2f max_ms %.2f\n", argv[arg + 1],
              latencies.size(), missed, Percentile(latencies, 0.5), Percentile(latencies, 0.99),
              Percentile(latencies, 1.0));
  return 0;
}

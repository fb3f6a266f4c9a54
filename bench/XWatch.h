// SPDX-License-Identifier: GPL-3.0-or-later
// What the probes that watch a program from outside the X display share.
#pragma once
#include <X11/Xlib.h>
#include <poll.h>

#include <ctime>

namespace qxbench {

inline double NowMs() {
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// Waits for X events up to the deadline; false when it passed.
inline bool WaitForEvent(Display* display, double deadlineMs) {
  while (!XPending(display)) {
    const double left = deadlineMs - NowMs();
    if (left <= 0) return false;
    pollfd fd{ConnectionNumber(display), POLLIN, 0};
    poll(&fd, 1, int(left) + 1);
  }
  return true;
}

}  // namespace qxbench

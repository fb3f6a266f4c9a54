// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <time.h>

namespace qxtest {

// Processor time the calling thread has used, in milliseconds. Unlike the
// process's time it leaves out Qt's helper threads, and unlike wall time
// it does not grow while other programs keep the machine busy.
inline double ThreadCpuMs() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

}  // namespace qxtest

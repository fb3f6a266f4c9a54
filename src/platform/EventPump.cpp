// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/EventPump.h"

#include <chrono>
#include <thread>

namespace qx {
namespace {
SleepingPump g_sleeping;
IEventPump* g_pump = &g_sleeping;
}  // namespace

void SleepingPump::Wait(int ms) {
  if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

IEventPump& EventPump() { return *g_pump; }

void InstallEventPump(IEventPump* pump) { g_pump = pump ? pump : &g_sleeping; }

}  // namespace qx

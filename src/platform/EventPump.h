// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Waiting that keeps the windows painting. The logic layer waits through
// this service; the widgets layer installs one backed by Qt's event loop.
namespace qx {

class IEventPump {
 public:
  virtual ~IEventPump() = default;
  // Handles whatever is pending and returns.
  virtual void ProcessPending() = 0;
  // Returns after about ms milliseconds, handling events meanwhile without
  // polling.
  virtual void Wait(int ms) = 0;
  // The same, but keys and clicks wait until afterwards: windows repaint
  // and timers run while a file operation waits, yet the student cannot
  // start another action in the middle of it.
  virtual void ProcessPendingWithoutInput() { ProcessPending(); }
  virtual void WaitWithoutInput(int ms) { Wait(ms); }
};

// Without a display: a plain sleep.
class SleepingPump final : public IEventPump {
 public:
  void ProcessPending() override {}
  void Wait(int ms) override;
};

IEventPump& EventPump();
// nullptr puts the sleeping pump back. The caller keeps ownership.
void InstallEventPump(IEventPump* pump);

inline void WaitMs(int ms) { EventPump().Wait(ms); }

}  // namespace qx

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

// Every reading of "now" goes through here: local date-time as days since
// 1899-12-30, the unit every stored time and interval is derived from.
namespace qx {

class IClock {
 public:
  virtual ~IClock() = default;
  virtual double Now() const = 0;
  // Days on a clock that only runs forward, for measuring intervals: the
  // wall clock may be set back, or leave summer time, in mid-exercise.
  virtual double Steady() const { return Now(); }
};

class SystemClock final : public IClock {
 public:
  double Now() const override;
  double Steady() const override;
};

// Tests step this one by hand.
class ManualClock final : public IClock {
 public:
  explicit ManualClock(double now = 45000.5) : now_(now) {}
  double Now() const override { return now_; }
  double Steady() const override { return now_ - jumped_; }
  void Set(double days) { now_ = days; }
  // The wall clock set to another time: dates move, intervals do not.
  void Jump(double days) {
    now_ += days;
    jumped_ += days;
  }
  void AdvanceDays(double days) { now_ += days; }
  void AdvanceSeconds(double seconds) { now_ += seconds / 86400.0; }
  // One clock unit is 1/100000 of a day.
  void AdvanceUnits(double units) { now_ += units / 100000.0; }

 private:
  double now_;
  double jumped_ = 0;
};

IClock& Clock();
// nullptr puts the system clock back. The caller keeps ownership.
void InstallClock(IClock* clock);
inline double Now() { return Clock().Now(); }
inline double Steady() { return Clock().Steady(); }

// Local civil time to days since 1899-12-30 and back.
double EncodeDateTime(int year, int month, int day, int hour = 0, int minute = 0,
                      double second = 0);
void DecodeDateTime(double days, int& year, int& month, int& day, int& hour, int& minute,
                    int& second);

// The date part in the system's short date format (LC_TIME), no time of day.
std::string ShortDateText(double days);

}  // namespace qx

// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Clock.h"

#include <chrono>
#include <cmath>
#include <ctime>

namespace qx {
namespace {

SystemClock g_systemClock;
IClock* g_clock = &g_systemClock;

// Days from 1970-01-01 for a proleptic Gregorian date (Howard Hinnant's algorithm).
long DaysFromCivil(long y, unsigned m, unsigned d) {
  y -= m <= 2;
  const long era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<long>(doe) - 719468;
}

void CivilFromDays(long z, int& y, int& m, int& d) {
  z += 719468;
  const long era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long yy = static_cast<long>(yoe) + era * 400;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  y = static_cast<int>(yy + (m <= 2));
}

constexpr long kEpochOffset = 25569;  // 1970-01-01 as days since 1899-12-30

}  // namespace

double SystemClock::Now() const {
  using namespace std::chrono;
  const auto now = system_clock::now();
  const std::time_t t = system_clock::to_time_t(now);
  std::tm local{};
  localtime_r(&t, &local);
  const double frac =
      duration_cast<microseconds>(now.time_since_epoch()).count() % 1000000 / 1e6;
  return EncodeDateTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                        local.tm_min, local.tm_sec + frac);
}

double SystemClock::Steady() const {
  // On the scale of Now(), so that a reading is never 0 ("not started").
  using namespace std::chrono;
  static const steady_clock::time_point origin = steady_clock::now();
  static const double base = Now();
  return base + duration<double>(steady_clock::now() - origin).count() / 86400.0;
}

IClock& Clock() { return *g_clock; }

void InstallClock(IClock* clock) { g_clock = clock ? clock : &g_systemClock; }

double EncodeDateTime(int year, int month, int day, int hour, int minute, double second) {
  const long days = DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) +
                    kEpochOffset;
  return static_cast<double>(days) + (hour * 3600.0 + minute * 60.0 + second) / 86400.0;
}

void DecodeDateTime(double days, int& year, int& month, int& day, int& hour, int& minute,
                    int& second) {
  double whole = std::floor(days);
  long secs = std::lround((days - whole) * 86400.0);
  if (secs >= 86400) {
    secs -= 86400;
    whole += 1;
  }
  CivilFromDays(static_cast<long>(whole) - kEpochOffset, year, month, day);
  hour = static_cast<int>(secs / 3600);
  minute = static_cast<int>(secs / 60 % 60);
  second = static_cast<int>(secs % 60);
}

std::string ShortDateText(double days) {
  int y, mo, d, h, mi, s;
  DecodeDateTime(days, y, mo, d, h, mi, s);
  std::tm tm{};
  tm.tm_year = y - 1900;
  tm.tm_mon = mo - 1;
  tm.tm_mday = d;
  char buf[64];
  const size_t n = std::strftime(buf, sizeof buf, "%x", &tm);
  return std::string(buf, n);
}

}  // namespace qx

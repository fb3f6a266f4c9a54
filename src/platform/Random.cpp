// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Random.h"

#include <cmath>

#include "platform/Clock.h"

namespace qx {

void RandomGenerator::SeedFromClock() {
  if (fixed_) return;
  // Milliseconds of the day, plus a counter so that two reseeds within one
  // millisecond still give different sequences.
  const double now = Now();
  const auto ms = static_cast<uint64_t>(std::fmod(now, 1.0) * 86400000.0);
  const auto day = static_cast<uint64_t>(now);
  engine_.seed(static_cast<uint32_t>(ms ^ (day << 27) ^ (uint64_t{++counter_} * 0x9E3779B9u)));
}

void RandomGenerator::Seed(uint32_t seed) {
  engine_.seed(seed);
  fixed_ = true;
}

int RandomGenerator::Below(int n) {
  if (n <= 0) return 0;
  return std::uniform_int_distribution<int>(0, n - 1)(engine_);
}

double RandomGenerator::Uniform() {
  return std::uniform_real_distribution<double>(0.0, 1.0)(engine_);
}

RandomGenerator& Random() {
  static RandomGenerator generator;
  return generator;
}

}  // namespace qx

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <random>

namespace qx {

// The one random generator of the program. Seeded from the platform clock,
// so a manual clock makes draws repeatable; a test can also fix the seed,
// which then survives later requests to reseed from the clock.
class RandomGenerator {
 public:
  void SeedFromClock();
  void Seed(uint32_t seed);   // fixes the sequence until Unfix
  void Unfix() { fixed_ = false; }
  // 0 .. n-1; 0 when n <= 0.
  int Below(int n);
  // [0, 1)
  double Uniform();

 private:
  std::mt19937 engine_{5489u};
  bool fixed_ = false;
  uint32_t counter_ = 0;
};

RandomGenerator& Random();

}  // namespace qx

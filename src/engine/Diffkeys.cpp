// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/Diffkeys.h"

#include <algorithm>
#include <cmath>

#include "storage/FileObj.h"

TDifficultKeys* KeyStats = nullptr;

namespace {

int RoundEven(double x) { return static_cast<int>(std::nearbyint(x)); }

constexpr int kExperienceCap = 29000;
constexpr int kExperienceReset = 25000;

}  // namespace

bool TDifficultKeys::IsDifficultyLetter(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == ',' || c == '.';
}

void TDifficultKeys::SetFilter(const std::string& s) {
  Filter = s.substr(0, kFilterMax);
  HasFilter = !Filter.empty();
  Sorted = false;
}

void TDifficultKeys::RecordKey(unsigned char c, bool isError) {
  if (c <= 32) return;
  ExerciseTyped[c] += 1;
  if (isError) ExerciseErrors[c] += 1;
}

float TDifficultKeys::Difficulty(unsigned char c) const {
  if (c < kFirstStatKey || !IsDifficultyLetter(c)) return 0;
  float rate = 0;
  if (TypedHistory[c] > 0)
    rate = static_cast<float>(ErrorHistory[c]) / static_cast<float>(TypedHistory[c]) * 100.0f;
  // A key met fewer than 15 times counts as proportionally less difficult.
  if (rate > 0 && Experience[c] < 15) rate = rate * static_cast<float>(Experience[c]) / 15.0f;
  return rate * 4;
}

void TDifficultKeys::Commit() {
  for (int c = kFirstStatKey; c <= kLastStatKey; ++c) {
    const int n = ExerciseTyped[c];
    if (n <= 0) continue;
    const int m = ExerciseErrors[c];
    // From 40 presses on, this exercise replaces the history.
    const double keep = std::max(0.0, 1.0 - 0.025 * n);
    Experience[c] += n;
    if (Experience[c] > kExperienceCap) Experience[c] = kExperienceReset;
    TypedHistory[c] = RoundEven(TypedHistory[c] * keep) + n;
    ErrorHistory[c] = RoundEven(ErrorHistory[c] * keep) + m;
    const float difficulty = Difficulty(static_cast<unsigned char>(c));
    if (difficulty > 100) ErrorHistory[c] = RoundEven(ErrorHistory[c] * 100.0 / difficulty);
    ExerciseTyped[c] = 0;
    ExerciseErrors[c] = 0;
  }
  Sorted = false;
}

void TDifficultKeys::SortKeys() {
  std::array<unsigned char, kStatKeyCount> keys{};
  std::array<float, kStatKeyCount> difficulty{};
  int n = 0;
  for (int c = kFirstStatKey; c <= kLastStatKey; ++c) {
    if (HasFilter && Filter.find(static_cast<char>(c)) == std::string::npos) continue;
    keys[n] = static_cast<unsigned char>(c);
    difficulty[n] = Difficulty(keys[n]);
    ++n;
  }
  // An exchange sort, not a stable one: ties come out as it leaves them.
  for (int i = 0; i < n - 1; ++i)
    for (int j = i + 1; j < n; ++j)
      if (difficulty[i] < difficulty[j]) {
        std::swap(difficulty[i], difficulty[j]);
        std::swap(keys[i], keys[j]);
      }
  // Positions past the count hold no key, never one of an earlier ordering.
  Order.fill(0);
  for (int i = 0; i < n; ++i) Order[i + 1] = keys[i];
  ordered_ = n;
  Sorted = true;
}

unsigned char TDifficultKeys::KeyAt(int i) {
  if (!Sorted) SortKeys();
  return (i >= 1 && i <= kStatKeyCount) ? Order[i] : 0;
}

float TDifficultKeys::DifficultyAt(int i) {
  if (i < 1 || i > kStatKeyCount) return 0;
  return Difficulty(KeyAt(i));
}

float TDifficultKeys::Level() {
  const unsigned char top = KeyAt(1);
  const float d = top == 0 ? 0 : Difficulty(top);
  return std::clamp(4 - 0.04f * d, 0.0f, 4.0f);
}

int TDifficultKeys::OrderCount() {
  if (!Sorted) SortKeys();
  return ordered_;
}

void TDifficultKeys::Clear() {
  ExerciseTyped.fill(0);
  ExerciseErrors.fill(0);
  TypedHistory.fill(0);
  ErrorHistory.fill(0);
  Experience.fill(0);
  Sorted = false;
}

void TDifficultKeys::LoadValues(const int16_t* values) {
  for (int k = 0; k < kStatKeyCount; ++k) {
    const int c = kFirstStatKey + k;
    Experience[c] = values[k];
    TypedHistory[c] = values[kStatKeyCount + k];
    ErrorHistory[c] = values[2 * kStatKeyCount + k];
  }
  Sorted = false;
}

void TDifficultKeys::SaveValues(int16_t* values) const {
  // The low 16 bits of each field.
  for (int k = 0; k < kStatKeyCount; ++k) {
    const int c = kFirstStatKey + k;
    values[k] = static_cast<int16_t>(static_cast<uint16_t>(Experience[c]));
    values[kStatKeyCount + k] = static_cast<int16_t>(static_cast<uint16_t>(TypedHistory[c]));
    values[2 * kStatKeyCount + k] = static_cast<int16_t>(static_cast<uint16_t>(ErrorHistory[c]));
  }
}

void TDifficultKeys::LoadFrom(const unsigned char* block) {
  int16_t values[3 * kStatKeyCount];
  for (int k = 0; k < 3 * kStatKeyCount; ++k)
    values[k] = static_cast<int16_t>(static_cast<uint16_t>(block[2 * k] | (block[2 * k + 1] << 8)));
  LoadValues(values);
}

void TDifficultKeys::SaveTo(unsigned char* block) {
  Commit();
  int16_t values[3 * kStatKeyCount];
  SaveValues(values);
  for (int k = 0; k < 3 * kStatKeyCount; ++k) {
    const auto v = static_cast<uint16_t>(values[k]);
    block[2 * k] = static_cast<unsigned char>(v & 0xFF);
    block[2 * k + 1] = static_cast<unsigned char>(v >> 8);
  }
}

int TDifficultKeys::Load(TRecFile& file) {
  int16_t values[3 * kStatKeyCount] = {};
  int status = 1;
  for (int part = 0; part < 3 && status == 1; ++part)
    status = file.ReadSmalls(values + part * kStatKeyCount, kStatKeyCount - 1);
  // A cut record must not leave half of it, or an earlier student's keys, behind.
  if (status != 1) {
    Clear();
    return status;
  }
  LoadValues(values);
  return status;
}

int TDifficultKeys::Save(TRecFile& file) {
  Commit();
  int16_t values[3 * kStatKeyCount];
  SaveValues(values);
  int status = 1;
  for (int part = 0; part < 3 && status == 1; ++part)
    status = file.WriteSmalls(values + part * kStatKeyCount, kStatKeyCount - 1);
  return status;
}

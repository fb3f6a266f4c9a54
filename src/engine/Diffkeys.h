// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <cstdint>
#include <string>

// Per-key statistics of one student: the counts of the exercise under way,
// a weighted history stored in the student's record, and from these each
// key's difficulty and the keys ordered from the most difficult down.
// Keys are character codes 33 to 255, upper and lower case apart.

class TRecFile;

constexpr int kFirstStatKey = 33;
constexpr int kLastStatKey = 255;
constexpr int kStatKeyCount = kLastStatKey - kFirstStatKey + 1;  // 223
// Three arrays of 223 little-endian 16-bit values.
constexpr int kKeyStatsBytes = 3 * kStatKeyCount * 2;  // 1338
constexpr size_t kFilterMax = 126;

class TDifficultKeys {
 public:
  using Counts = std::array<int, 256>;  // indexed by character code

  bool HasFilter = false;
  std::string Filter;
  Counts ExerciseTyped{};
  Counts ExerciseErrors{};
  Counts TypedHistory{};
  Counts ErrorHistory{};
  Counts Experience{};
  std::array<unsigned char, kStatKeyCount + 1> Order{};  // 1..223
  bool Sorted = false;

  // Only letters, "," and "." can be difficult.
  static bool IsDifficultyLetter(unsigned char c);

  void SetFilter(const std::string& s);
  void RecordKey(unsigned char c, bool isError);
  float Difficulty(unsigned char c) const;
  void Commit();
  unsigned char KeyAt(int i);
  float DifficultyAt(int i);
  float Level();
  // Keys the last ordering took (all 223 without a filter).
  int OrderCount();

  // The stored form on a record file; the status of the file operations.
  int Load(TRecFile& file);
  int Save(TRecFile& file);
  // The same stored form in memory, for records assembled in one block.
  void LoadFrom(const unsigned char* block);
  void SaveTo(unsigned char* block);
  // No history and no counts, as for a new student.
  void Clear();

 private:
  void SortKeys();
  void LoadValues(const int16_t* values);
  void SaveValues(int16_t* values) const;
  int ordered_ = 0;
};

// The logged-on student's key statistics (owned elsewhere); nullptr when
// nobody is logged on. The analysis records keys here.
extern TDifficultKeys* KeyStats;

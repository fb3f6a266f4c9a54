// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <string>
#include <vector>

constexpr int kTopTenRecordSize = 514;
constexpr int kTopTenMaxEntries = 100;

// A game's high-score table, shared by every student of the installation:
// DataPath + table name + ".qxt".
class TtopTen {
 public:
  struct TEntry {
    std::string Name;
    int Score = 0;
    std::string Date;
  };

  TtopTen();
  int Load(const std::string& baseName);
  int Save(int count);
  // Rank 1..Count of the new entry, 0 when it did not enter.
  int AddScore(int score, const std::string& name);
  void SetName(int rank, const std::string& name);
  // "name;score;date" for the first n entries (all Count when n is 0).
  std::vector<std::string> GetList(int n);

  std::string FileName = "TOPTEN";
  int Count = 10;
  std::array<TEntry, kTopTenMaxEntries + 1> Entries;  // 1-based

 private:
  void SetDefault(int i);
};

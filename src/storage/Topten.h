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

  // Load, AddScore and Save in one hold of the file, so that two
  // workstations entering at once both keep their entries. The table in
  // memory is the one written. The rank, 0 when the score did not enter;
  // a negative status when the file could not be held (the entry is then
  // ranked in the default table only).
  int EnterScore(const std::string& baseName, int score, const std::string& name);
  // Renames the entry made by EnterScore, found again in the file as it is
  // now, wherever entries made meanwhile have moved it; the status.
  int RenameEntry(const TEntry& entry, const std::string& name);

  std::string FileName = "TOPTEN";
  int Count = 10;
  std::array<TEntry, kTopTenMaxEntries + 1> Entries;  // 1-based

 private:
  void SetDefault(int i);
  // The records of an open file into Entries; how many were whole.
  int ReadEntries(class TRecFile& file);
  int WriteEntries(class TRecFile& file);
  int OpenHeld(class TRecFile& file);
};

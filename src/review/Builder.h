// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// One block of review material: Count lines from slot Block of the line
// file, practising Key from lesson FromLesson on.
struct TBuilderIndexRecord {
  int Key = 0;
  int FromLesson = 0;
  int Kind = 0;
  int Block = 0;
  int Count = 0;
};

constexpr int kMaterialWords = 1;
constexpr int kMaterialSentences = 2;
constexpr int kIndexRecordSize = 10;
constexpr int kLineSlotSize = 256;
// The index was once a table of 199; larger material files are read whole,
// up to what the 16-bit block numbers can address.
constexpr int kMaxIndexRecords = 32767;

// Draws practice material for a set of keys from a course's review
// material: an index (".hdr") of blocks and a file of 256-byte line slots
// (".dta").
class TRevisionBuilder {
 public:
  // Finds the files of the loaded course's review material, else those of
  // the DefaultWizard setting.
  TRevisionBuilder();

  int BuildSentences(const std::string& keys, int levelLimit, int perKey);
  int BuildWords(const std::string& keys, int levelLimit, int perKey);
  int BuildWordLines(const std::string& keys, int levelLimit, int perKey);
  int LoadMaterial(int kind, int perKey);

  // The whole index in file order; a cut final record is dropped. The
  // open status of the file (1 when it was read).
  static int ReadIndex(const std::string& fileName, std::vector<TBuilderIndexRecord>& records);

  std::string Keys;
  int LevelLimit = 0;
  std::string Line;
  std::string IndexFileName;
  std::string DataFileName;
  std::vector<std::string> Items;

 private:
  void Prepare(const std::string& keys, int levelLimit);
  std::string capitals_;
};

// The words of a vocabulary file, trimmed, without empty lines, in file
// order; false when it cannot be read.
bool LoadVocabulary(const std::string& fileName, std::vector<std::string>& words);

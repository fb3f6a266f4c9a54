// SPDX-License-Identifier: GPL-3.0-or-later
// The review index: any block numbers and counts, read against a whole
// line file, build words, word lines and sentences of at most 255
// characters each.
#include <cstdlib>
#include <fstream>

#include "FuzzSupport.h"
#include "review/Builder.h"

namespace {

// Sixty slots of words of every length, capitals and end marks included.
void WriteLineFile(const std::string& path) {
  std::string bytes;
  for (int slot = 0; slot < 60; ++slot) {
    std::string word = slot % 7 == 0 ? std::string(255, 'w') : "word" + std::to_string(slot);
    if (slot % 5 == 1) word = "Crazy, sentence " + std::to_string(slot) + (slot % 2 ? "!" : "");
    std::string record(256, '\0');
    record[0] = static_cast<char>(word.size());
    record.replace(1, word.size(), word);
    bytes += record;
  }
  std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string path = qxfuzz::Put("builder.hdr", data, size);
  WriteLineFile(qxfuzz::ScratchDir() + "builder.dta");
  std::vector<TBuilderIndexRecord> index;
  if (TRevisionBuilder::ReadIndex(path, index) != 1 || index.size() > size / kIndexRecordSize) std::abort();
  // The keys the index names first, so that its blocks are read.
  std::string keys = "a.";
  for (size_t i = 0; i < index.size() && i < 12; ++i)
    if (index[i].Key >= 32) keys += static_cast<char>(index[i].Key);
  const int level = size > 0 ? data[0] : 0;
  for (int method = 0; method < 3; ++method) {
    TRevisionBuilder builder;
    if (method == 0) builder.BuildWords(keys, level, 4);
    if (method == 1) builder.BuildWordLines(keys + ",", level, 2);
    if (method == 2) builder.BuildSentences(keys + "A", level, 3);
    for (const std::string& item : builder.Items)
      if (item.size() > 255) std::abort();
  }
  return 0;
}

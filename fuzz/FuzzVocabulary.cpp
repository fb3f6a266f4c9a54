// SPDX-License-Identifier: GPL-3.0-or-later
// ZaroZira vocabularies: one trimmed, non-empty word a line, nothing more.
#include <cstdlib>
#include <string_view>

#include "FuzzSupport.h"
#include "review/Builder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string path = qxfuzz::Put("words.vcb", data, size);
  std::vector<std::string> words;
  if (!LoadVocabulary(path, words)) return 0;
  size_t letters = 0;
  for (const std::string& word : words) {
    if (word.empty() || word.size() > 255 || word.find('\n') != std::string::npos) std::abort();
    if (std::string_view(" \t").find(word.front()) != std::string_view::npos ||
        std::string_view(" \t").find(word.back()) != std::string_view::npos)
      std::abort();
    letters += word.size();
  }
  if (letters > size) std::abort();
  return 0;
}

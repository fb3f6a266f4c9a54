// SPDX-License-Identifier: GPL-3.0-or-later
// The review line file: whatever its slots hold, read through a whole
// index into words, word lines and sentences of at most 255 characters.
#include <cstdlib>
#include <fstream>

#include "FuzzSupport.h"
#include "review/Builder.h"

namespace {

const std::string kKeys = "asdfjkl;eiruthgb.,";

// A block of words and one of sentences for every key, spread over the
// first slots of the line file, some reaching past its end.
void WriteIndex(const std::string& path) {
  std::string bytes;
  auto put = [&bytes](int v) {
    bytes += static_cast<char>(v & 0xFF);
    bytes += static_cast<char>((v >> 8) & 0xFF);
  };
  for (size_t k = 0; k < kKeys.size(); ++k) {
    for (int kind : {kMaterialWords, kMaterialSentences}) {
      put(static_cast<unsigned char>(kKeys[k]));
      put(static_cast<int>(k % 3));
      put(kind);
      put(static_cast<int>(k * 3 + kind) % 40);
      put(2 + static_cast<int>(k % 5));
    }
  }
  std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  qxfuzz::Put("builder.dta", data, size);
  WriteIndex(qxfuzz::ScratchDir() + "builder.hdr");
  for (int method = 0; method < 3; ++method) {
    TRevisionBuilder builder;
    if (method == 0) builder.BuildWords("ASdf;", 9, 5);
    if (method == 1) builder.BuildWordLines("jkl,eir", 9, 2);
    if (method == 2) builder.BuildSentences(kKeys + "TG", 9, 3);
    for (const std::string& item : builder.Items)
      if (item.size() > 255) std::abort();
  }
  return 0;
}

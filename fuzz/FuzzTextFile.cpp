// SPDX-License-Identifier: GPL-3.0-or-later
// The data-file header and the text reader, plain and scrambled: every
// text the tutor reads (stories and exercise texts too) comes through here.
#include <cstdlib>

#include "FuzzSupport.h"
#include "storage/FileObj.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  // The first byte picks the form, so the scrambled reader gets inputs
  // that are scrambled already.
  std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  if (data[0] & 1) bytes = "$fileformat=crypted\r\n" + bytes;
  const std::string path = qxfuzz::Put("text.exm", reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());

  TTextFile lines;
  if (lines.Open(path, kTextRead) == kFileOpen) {
    std::string line;
    // Every line moves on by its length and line end, so this ends.
    for (int n = 0; lines.ReadLine(line, data[0] >> 1) == kFileOpen; ++n)
      if (line.size() > 255 || n > static_cast<int>(bytes.size())) std::abort();
  }
  TTextFile all;
  if (all.Open(path, kTextRead) == kFileOpen) {
    std::string text;
    all.ReadAll(text);
    if (text.size() > bytes.size()) std::abort();
  }
  return 0;
}

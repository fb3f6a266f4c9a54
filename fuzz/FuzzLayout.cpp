// SPDX-License-Identifier: GPL-3.0-or-later
// Keyboard layout files.
#include <cstdlib>

#include "FuzzSupport.h"
#include "engine/KeyData.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string path = qxfuzz::Put("layout.kbd", data, size);
  TKeyData keys;
  keys.LoadLayout(path);
  for (int c = 0; c < 256; ++c) {
    const int key = keys.KeyOf(static_cast<unsigned char>(c));
    if (key < -1 || key > 48) std::abort();
    keys.FingerOf(static_cast<unsigned char>(c));
    keys.ShiftFor(static_cast<unsigned char>(c));
  }
  for (int row = 0; row <= 5; ++row)
    for (int column = 0; column <= 14; ++column)
      for (int shift : {0, 1, 2, 4}) keys.CharOf(column, row, shift);
  return 0;
}

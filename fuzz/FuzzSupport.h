// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// What every reader's fuzz target shares: a scratch folder of its own that
// is the data directory and the current directory (the error log lands
// there), settings pointing at it, and message boxes that answer at once
// (No to a busy question, so nothing waits).
namespace qxfuzz {

// Empties the scratch folder and writes the input to name in it; the path.
std::string Put(const std::string& name, const uint8_t* data, size_t size);
std::string ScratchDir();

}  // namespace qxfuzz

// Each target defines LLVMFuzzerTestOneInput only.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

// SPDX-License-Identifier: GPL-3.0-or-later
// Top-ten tables: load, rank a score, list, save, and read back the same.
#include <cstdlib>

#include "FuzzSupport.h"
#include "storage/Topten.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const int score = static_cast<int16_t>(data[0] | data[1] << 8);
  qxfuzz::Put("Zaro.qxt", data + 2, size - 2);
  TtopTen table;
  if (table.Load("Zaro") != 1) table.Save(10);
  if (table.Count < 1 || table.Count > kTopTenMaxEntries) std::abort();
  const int rank = table.AddScore(score, "Fuzz");
  if (rank < 0 || rank > table.Count) std::abort();
  table.GetList(0);
  table.Save(0);
  TtopTen again;
  if (again.Load("Zaro") != 1 || again.Count != table.Count) std::abort();
  for (int i = 1; i <= table.Count; ++i)
    if (again.Entries[i].Name != table.Entries[i].Name || again.Entries[i].Date != table.Entries[i].Date)
      std::abort();
  return 0;
}

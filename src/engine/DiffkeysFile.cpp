// SPDX-License-Identifier: GPL-3.0-or-later
// The stored form on a record file, apart from the statistics so that the
// statistics link without the file layer.
#include "engine/Diffkeys.h"
#include "storage/FileObj.h"

int TDifficultKeys::Load(TRecFile& file) {
  int16_t values[3 * kStatKeyCount] = {};
  int status = 1;
  for (int part = 0; part < 3 && status == 1; ++part)
    status = file.ReadSmalls(values + part * kStatKeyCount, kStatKeyCount - 1);
  // A cut record must not leave half of it, or an earlier student's keys, behind.
  if (status != 1) {
    Clear();
    return status;
  }
  LoadValues(values);
  return status;
}

int TDifficultKeys::Save(TRecFile& file) {
  Commit();
  int16_t values[3 * kStatKeyCount];
  SaveValues(values);
  int status = 1;
  for (int part = 0; part < 3 && status == 1; ++part)
    status = file.WriteSmalls(values + part * kStatKeyCount, kStatKeyCount - 1);
  return status;
}

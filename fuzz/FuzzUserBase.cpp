// SPDX-License-Identifier: GPL-3.0-or-later
// The user database: listing, finding, and adding and saving a student in
// whatever file another workstation or an old version left.
#include <cstdlib>

#include "FuzzSupport.h"
#include "storage/FileObj.h"
#include "storage/User.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  qxfuzz::Put("userbase.qx4", data, size);
  const auto names = GetUserList();
  if (names && !names->empty()) FindUser(names->front());
  auto created = CreateUser("Fuzz Student");
  if (!created) return 0;
  created->StudyTime = 77;
  if (SaveUser(*created) != kFileOpen) std::abort();
  // The database is whole again and holds what was saved.
  TRecFile db;
  if (db.Open(UserBasePath(), kRecOpen, kShareReadOnly) != kFileOpen || !db.SizeFits(kUserRecordSize))
    std::abort();
  db.Close();
  auto found = FindUser("fuzz student");
  if (!found) std::abort();
  // An older record of the same name may come first; it was the one saved.
  if (found->StudyTime != 77) std::abort();
  return 0;
}

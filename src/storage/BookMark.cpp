// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/BookMark.h"

#include "storage/FileObj.h"

int TBookMark::Save(TRecFile& file) const {
  file.WriteInt(Chapter);
  file.WriteInt(Exercise);
  file.WriteInt(Event);
  return file.WriteInt(Extra);
}

int TBookMark::Load(TRecFile& file) {
  file.ReadInt(Chapter);
  file.ReadInt(Exercise);
  if (file.ReadInt(Event) != kFileOpen) return -1402;
  return file.ReadInt(Extra);
}

// SPDX-License-Identifier: GPL-3.0-or-later
// INI files: reading, and a write that must keep to its own key.
#include <cstdlib>

#include "FuzzSupport.h"
#include "platform/Ini.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string path = qxfuzz::Put("QXLocal.ini", data, size);
  qx::IniFile ini(path);
  for (const char* section : {"General Settings", "Keyboard Layouts", "Statistics"}) {
    for (const std::string& key : ini.Keys(section)) ini.Read(section, key);
    ini.SectionLines(section);
  }
  const std::string before = ini.Read("General Settings", "DataPath");
  // Whatever the file held, the value written is the value read, and the
  // other keys keep theirs.
  if (ini.Write("Fuzz", "Key", "Value")) {
    qx::IniFile again(path);
    if (again.Read("Fuzz", "Key") != "Value") std::abort();
    if (again.Read("General Settings", "DataPath") != before) std::abort();
  }
  return 0;
}

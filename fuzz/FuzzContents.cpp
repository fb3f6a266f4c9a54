// SPDX-License-Identifier: GPL-3.0-or-later
// Course contents files: chapters, exercises and their event lines.
#include "FuzzSupport.h"
#include "content/Contents.h"
#include "storage/User.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string path = qxfuzz::Put("course.cnt", data, size);
  TUser student("Fuzz");
  int error = 0;
  auto contents = TContents::Create(path, error, &student);
  contents->ChapterTitles(true);
  auto headers = TContents::CreateHeadersOnly(path, error);
  headers->ChapterTitles(false);
  return 0;
}

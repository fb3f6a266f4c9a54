// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a layout file, apart from the parsing so that the layout links
// without the file layer.
#include "engine/KeyData.h"
#include "storage/FileObj.h"

int TKeyData::LoadLayout(const std::string& fileName) {
  TTextFile file;
  const int status = file.Open(fileName, kTextRead);
  if (status != kFileOpen) {
    file.Close();
    return status;
  }
  std::vector<std::string> lines;
  std::string line;
  while (static_cast<int>(lines.size()) < kLayoutRows) {
    const int read = file.ReadLine(line);
    // The last line may lack its line end.
    if (read == 1 || !line.empty()) lines.push_back(line);
    if (read != 1) break;
  }
  file.Close();
  LoadLayoutLines(lines);
  return status;
}

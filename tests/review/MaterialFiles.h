// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace qxtest {

// Review material written the way the builder reads it: blocks of lines
// with their index records.
class MaterialFiles {
 public:
  void Block(char key, int fromLesson, int kind, const std::vector<std::string>& lines) {
    Record(static_cast<unsigned char>(key), fromLesson, kind, int(lines_.size()), int(lines.size()));
    lines_.insert(lines_.end(), lines.begin(), lines.end());
  }
  void Record(int key, int fromLesson, int kind, int block, int count) {
    for (int v : {key, fromLesson, kind, block, count}) {
      index_ += char(v & 0xFF);
      index_ += char((v >> 8) & 0xFF);
    }
  }
  // Words "<key>0", "<key>1", ... for a block of n lines.
  static std::vector<std::string> Numbered(char key, int n, const std::string& tag = "") {
    std::vector<std::string> lines;
    for (int i = 0; i < n; ++i) lines.push_back(std::string(1, key) + tag + std::to_string(i));
    return lines;
  }
  // Writes base + ".hdr" and base + ".dta"; cut drops bytes off the index.
  void Write(const std::string& base, size_t cut = 0) const {
    std::ofstream(base + ".hdr", std::ios::binary | std::ios::trunc) << index_.substr(0, index_.size() - cut);
    std::ofstream data(base + ".dta", std::ios::binary | std::ios::trunc);
    for (const std::string& line : lines_) {
      std::string slot(256, '\0');
      slot[0] = char(line.size());
      slot.replace(1, line.size(), line);
      data << slot;
    }
  }

 private:
  std::string index_;
  std::vector<std::string> lines_;
};

}  // namespace qxtest

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Settings files in the Windows profile format: "[section]" lines and
// "key=value" lines. Section and key names match without regard to case,
// the first occurrence of a key wins (sections of the same name count as
// one, in file order), values are trimmed of blanks and tabs, lines that
// begin with ";" or "#" are comments, and a missing file reads as empty.
// A write changes or adds one line, keeps every other byte of the file and
// replaces the file in one rename, creating it if needed.
namespace qx {

class IniFile {
 public:
  explicit IniFile(std::string path);

  const std::string& Path() const { return path_; }

  // Empty when the section or key is missing.
  std::string Read(std::string_view section, std::string_view key) const;
  bool Contains(std::string_view section, std::string_view key) const;
  // Key names of a section in file order, each once.
  std::vector<std::string> Keys(std::string_view section) const;
  // "key=value" (both trimmed) for every key line of a section, in file
  // order, duplicates included.
  std::vector<std::string> SectionLines(std::string_view section) const;

  // False when the file could not be written. Carriage returns and line
  // feeds in the value become blanks, so a value is always one line.
  bool Write(std::string_view section, std::string_view key, std::string_view value);

 private:
  struct Entry {
    std::string section;
    std::string key;
    std::string value;
  };
  struct Stamp {
    bool exists = false;
    uint64_t device = 0, inode = 0;
    int64_t size = -1, mtimeNs = 0;
    bool operator==(const Stamp&) const = default;
  };

  // The parsed entries, read again only when the file changed on disk.
  const std::vector<Entry>& Entries() const;
  Stamp CurrentStamp() const;

  std::string path_;
  mutable std::vector<Entry> entries_;
  mutable Stamp stamp_;
  mutable bool parsed_ = false;
};

}  // namespace qx

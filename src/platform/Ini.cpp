// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Ini.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/CodePage.h"
#include "platform/Files.h"
#include "platform/LockedFile.h"

namespace fs = std::filesystem;

namespace qx {
namespace {

// Larger files are no settings files; they read as empty and are never
// rewritten, so nothing is lost by a write that would truncate them.
constexpr int64_t kMaxIniSize = 64LL * 1024 * 1024;

std::string_view Trim(std::string_view s) {
  size_t b = 0, e = s.size();
  while (b < e && (s[b] == ' ' || s[b] == '\t')) ++b;
  while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t')) --e;
  return s.substr(b, e - b);
}

enum class LineKind { Other, Section, Key };

struct Parsed {
  LineKind kind = LineKind::Other;
  std::string_view name;  // section or key name
  std::string_view value;
};

Parsed ParseLine(std::string_view line) {
  Parsed p;
  const std::string_view t = Trim(line);
  if (t.empty() || t[0] == ';' || t[0] == '#') return p;
  if (t[0] == '[') {
    const size_t close = t.find(']');
    p.kind = LineKind::Section;
    p.name =
        Trim(t.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
    return p;
  }
  const size_t eq = t.find('=');
  if (eq == std::string_view::npos) return p;
  p.name = Trim(t.substr(0, eq));
  if (p.name.empty()) return p;  // "=value" names nothing
  p.kind = LineKind::Key;
  p.value = Trim(t.substr(eq + 1));
  return p;
}

struct Line {
  std::string text;
  std::string eol;  // "\r\n", "\n", "\r" or empty on a last line without one
};

std::vector<Line> SplitLines(std::string_view raw) {
  std::vector<Line> lines;
  size_t pos = 0;
  while (pos < raw.size()) {
    const size_t end = raw.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) {
      lines.push_back({std::string(raw.substr(pos)), {}});
      break;
    }
    const size_t eolLen = raw[end] == '\r' && end + 1 < raw.size() && raw[end + 1] == '\n' ? 2 : 1;
    lines.push_back(
        {std::string(raw.substr(pos, end - pos)), std::string(raw.substr(end, eolLen))});
    pos = end + eolLen;
  }
  return lines;
}

// True with empty text for a missing file; false for a file that exists
// but cannot be read, which a write must then leave alone.
bool ReadWhole(const fs::path& path, std::string& raw) {
  raw.clear();
  std::error_code ec;
  const fs::file_status st = fs::status(path, ec);
  if (st.type() == fs::file_type::not_found) return true;
  if (ec || st.type() != fs::file_type::regular) return false;
  const auto size = fs::file_size(path, ec);
  if (ec || size > static_cast<uintmax_t>(kMaxIniSize)) return false;
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  raw.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

// The new content goes to a temporary file beside the target and replaces
// it in one rename: readers see the old file or the new one, never half.
bool ReplaceFile(const fs::path& target, const std::string& content) {
  static std::atomic<unsigned> counter{0};
  const fs::path temp =
      target.parent_path() / ("." + target.filename().string() + "." + std::to_string(getpid()) +
                              "." + std::to_string(counter++) + ".tmp");
  const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  struct stat st {};
  if (::stat(target.c_str(), &st) == 0) fchmod(fd, st.st_mode & 07777);
  const bool ok =
      WriteFully(fd, content.data(), content.size()) == static_cast<long long>(content.size()) &&
      FlushToDisk(fd);
  if (!CloseFile(fd) || !ok || ::rename(temp.c_str(), target.c_str()) != 0) {
    ::unlink(temp.c_str());
    return false;
  }
  return true;
}

std::string OneLine(std::string_view value) {
  std::string v(value);
  for (char& c : v)
    if (c == '\r' || c == '\n') c = ' ';
  return v;
}

}  // namespace

IniFile::IniFile(std::string path) : path_(std::move(path)) {}

IniFile::Stamp IniFile::CurrentStamp() const {
  Stamp s;
  struct stat st {};
  if (::stat(OsPath(path_).c_str(), &st) != 0) return s;
  s.exists = true;
  s.device = st.st_dev;
  s.inode = st.st_ino;
  s.size = st.st_size;
  s.mtimeNs = static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
  return s;
}

const std::vector<IniFile::Entry>& IniFile::Entries() const {
  const Stamp now = CurrentStamp();
  if (parsed_ && now == stamp_) return entries_;
  entries_.clear();
  stamp_ = now;
  parsed_ = true;
  std::string raw;
  if (!now.exists || !ReadWhole(OsPath(path_), raw)) return entries_;
  std::string section;
  bool inSection = false;
  for (const Line& line : SplitLines(raw)) {
    const Parsed p = ParseLine(line.text);
    if (p.kind == LineKind::Section) {
      section.assign(p.name);
      inSection = true;
    } else if (p.kind == LineKind::Key && inSection) {
      entries_.push_back({section, std::string(p.name), std::string(p.value)});
    }
  }
  return entries_;
}

std::string IniFile::Read(std::string_view section, std::string_view key) const {
  for (const Entry& e : Entries())
    if (SameTextCp1252(e.section, section) && SameTextCp1252(e.key, key)) return e.value;
  return {};
}

bool IniFile::Contains(std::string_view section, std::string_view key) const {
  for (const Entry& e : Entries())
    if (SameTextCp1252(e.section, section) && SameTextCp1252(e.key, key)) return true;
  return false;
}

std::vector<std::string> IniFile::Keys(std::string_view section) const {
  std::vector<std::string> keys;
  for (const Entry& e : Entries()) {
    if (!SameTextCp1252(e.section, section)) continue;
    bool seen = false;
    for (const std::string& k : keys) seen = seen || SameTextCp1252(k, e.key);
    if (!seen) keys.push_back(e.key);
  }
  return keys;
}

std::vector<std::string> IniFile::SectionLines(std::string_view section) const {
  std::vector<std::string> lines;
  for (const Entry& e : Entries())
    if (SameTextCp1252(e.section, section)) lines.push_back(e.key + "=" + e.value);
  return lines;
}

bool IniFile::Write(std::string_view section, std::string_view key, std::string_view value) {
  fs::path target = OsPath(path_);
  std::error_code ec;
  // A link is followed, so the file it names is the one rewritten.
  if (fs::is_symlink(fs::symlink_status(target, ec))) {
    target = fs::canonical(target, ec);
    if (ec) return false;
  }
  std::string raw;
  if (!ReadWhole(target, raw)) return false;

  std::vector<Line> lines = SplitLines(raw);
  std::string eol = "\r\n";
  for (const Line& l : lines)
    if (!l.eol.empty()) {
      eol = l.eol;
      break;
    }
  const std::string newValue(Trim(OneLine(value)));

  bool inTarget = false;
  int targetSections = 0;
  long insertAfter = -1;
  for (size_t i = 0; i < lines.size(); ++i) {
    const Parsed p = ParseLine(lines[i].text);
    if (p.kind == LineKind::Section) {
      inTarget = SameTextCp1252(p.name, section);
      if (inTarget && ++targetSections == 1) insertAfter = static_cast<long>(i);
    } else if (p.kind == LineKind::Key && inTarget && SameTextCp1252(p.name, key)) {
      if (p.value == newValue) return true;  // nothing to change
      lines[i].text = std::string(p.name) + "=" + newValue;
      insertAfter = -2;
      break;
    } else if (inTarget && targetSections == 1 && !Trim(lines[i].text).empty()) {
      insertAfter = static_cast<long>(i);
    }
  }

  const Line added{std::string(key) + "=" + newValue, eol};
  if (insertAfter >= 0) {
    Line& before = lines[static_cast<size_t>(insertAfter)];
    if (before.eol.empty()) before.eol = eol;
    lines.insert(lines.begin() + insertAfter + 1, added);
  } else if (insertAfter == -1) {
    if (!lines.empty()) {
      if (lines.back().eol.empty()) lines.back().eol = eol;
      if (!Trim(lines.back().text).empty()) lines.push_back({"", eol});
    }
    lines.push_back({"[" + std::string(section) + "]", eol});
    lines.push_back(added);
  }

  std::string content;
  content.reserve(raw.size() + added.text.size() + 64);
  for (const Line& l : lines) content += l.text + l.eol;
  const bool ok = ReplaceFile(target, content);
  parsed_ = false;
  return ok;
}

}  // namespace qx

// SPDX-License-Identifier: GPL-3.0-or-later
#include "content/ContentsSyntax.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

#include "storage/FileObj.h"
#include "storage/ToolBox.h"

namespace {

[[noreturn]] void Fail(const char* what, const TContentsLine& line) {
  throw TContentsSyntaxError(std::string(what) + " in the line \"" + line.text + "\"");
}

}  // namespace

std::string LowerKeyword(const std::string& s) {
  std::string out = s;
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

bool ParseDecimal(const std::string& text, int& value) {
  const std::string t = TrimBlanks(text);
  size_t i = 0;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
  if (i == t.size()) return false;
  for (size_t k = i; k < t.size(); ++k)
    if (t[k] < '0' || t[k] > '9') return false;
  errno = 0;
  const long long v = std::strtoll(t.c_str(), nullptr, 10);
  if (errno == ERANGE || v < INT_MIN || v > INT_MAX) return false;
  value = static_cast<int>(v);
  return true;
}

std::string TContentsLine::Value(size_t n) const {
  if (n < 1 || n > fields.size()) Fail("missing value", *this);
  return TrimBlanks(fields[n - 1]);
}

int TContentsLine::Integer(size_t n) const {
  int v = 0;
  if (!ParseDecimal(Value(n), v)) Fail("bad number", *this);
  return v;
}

std::string TContentsLine::ValueOrEmpty(size_t n) const {
  return n >= 1 && n <= fields.size() ? TrimBlanks(fields[n - 1]) : std::string();
}

bool ReadContentsLine(TTextFile& file, TContentsLine& line) {
  std::string raw;
  file.ReadLine(raw);
  line.text = TrimBlanks(raw);
  line.fields.clear();
  line.keyword.clear();
  if (line.text.empty() || line.text[0] == '\'') return false;
  line.fields = SplitFields(line.text, "=;");
  // Blanks around keywords and values are not significant, so that
  // "picture = Ch1.pic" reads as meant instead of being dropped silently.
  if (!line.fields.empty()) line.keyword = LowerKeyword(TrimBlanks(line.fields[0]));
  return true;
}

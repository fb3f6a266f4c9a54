// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <stdexcept>
#include <string>
#include <vector>

class TTextFile;

// The line syntax shared by every level of a contents file.

// A keyword line without its value, or a number that is not one: the whole
// load is abandoned, so the contents object catches this and keeps nothing.
class TContentsSyntaxError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct TContentsLine {
  std::string text;                 // trimmed
  std::vector<std::string> fields;  // split at "=" and ";"
  std::string keyword;              // field 1, lower case

  bool Is(const char* word) const { return keyword == word; }
  // Field n (1-based) without blanks around it; throws when the line has
  // no such field.
  std::string Value(size_t n) const;
  // Field n as a decimal integer; throws when missing or not a number.
  int Integer(size_t n) const;
  // Field n as Value, or empty when the line has no such field.
  std::string ValueOrEmpty(size_t n) const;
};

// Reads the next line; false for a blank or comment line, which the caller
// skips. The file's Status tells when the end has been reached.
bool ReadContentsLine(TTextFile& file, TContentsLine& line);

// Strict decimal: optional sign, digits, blanks around; false otherwise
// and when the value does not fit.
bool ParseDecimal(const std::string& text, int& value);

// Lower case of the Windows-1252 ASCII letters; keywords are ASCII.
std::string LowerKeyword(const std::string& s);

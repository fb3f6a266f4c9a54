// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the scrambled ("crypted") form of a plain text data file. The
// header up to and including its "$fileformat=crypted" line stays plain;
// every later byte except CR and LF is XOR ScrambleKey. Bare LF line ends
// become CR LF, the only line end the reader knows.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "storage/FileObj.h"
#include "storage/ToolBox.h"

namespace {

int Fail(const std::string& message) {
  std::fprintf(stderr, "qxcrypt: %s\n", message.c_str());
  return 1;
}

std::string WithCrLf(const std::string& in) {
  std::string out;
  out.reserve(in.size() + in.size() / 16);
  for (size_t i = 0; i < in.size(); ++i) {
    if (in[i] == '\n' && (i == 0 || in[i - 1] != '\r')) out += '\r';
    out += in[i];
  }
  return out;
}

std::string Lower(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

// Offset just past the "$fileformat=crypted" line, or npos when the header
// (at most 15 "$" lines) has none.
size_t PlainHeaderEnd(const std::string& text) {
  size_t pos = 0;
  for (int line = 0; line < 15 && pos < text.size(); ++line) {
    const size_t cr = text.find("\r\n", pos);
    const size_t end = cr == std::string::npos ? text.size() : cr + 2;
    const std::string trimmed =
        TrimBlanks(text.substr(pos, (cr == std::string::npos ? text.size() : cr) - pos));
    if (trimmed.empty() || trimmed[0] != '$') break;
    const auto fields = SplitFields(trimmed, "=;");
    if (fields.size() > 1 && Lower(fields[0]) == "$fileformat" && Lower(fields[1]) == "crypted")
      return end;
    pos = end;
  }
  return std::string::npos;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: qxcrypt PLAIN-FILE CRYPTED-FILE\n");
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) return Fail(std::string("cannot read ") + argv[1]);
  const std::string text =
      WithCrLf(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));

  const size_t start = PlainHeaderEnd(text);
  if (start == std::string::npos)
    return Fail(
        std::string(argv[1]) +
        ": the header has no \"$fileformat=crypted\" line, so no reader would unscramble it");

  std::string out = text;
  for (size_t i = start; i < out.size(); ++i) {
    const auto c = static_cast<unsigned char>(out[i]);
    if (c == '\r' || c == '\n') continue;
    if (ScrambleCollides(c))
      return Fail(std::string(argv[1]) + ": byte " + std::to_string(c) + " at offset " +
                  std::to_string(i) + " cannot be scrambled");
    out[i] = static_cast<char>(c ^ ScrambleKey);
  }

  std::ofstream file(argv[2], std::ios::binary | std::ios::trunc);
  file.write(out.data(), static_cast<std::streamsize>(out.size()));
  file.close();
  if (!file) return Fail(std::string("cannot write ") + argv[2]);
  return 0;
}

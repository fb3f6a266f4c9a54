// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/KeyData.h"

#include <algorithm>

#include "storage/FileObj.h"
#include "storage/ToolBox.h"

TKeyData* KeyData = nullptr;

namespace {

constexpr int kRowKeys[kLayoutRows + 1] = {0, 13, 12, 12, 11};
constexpr int kRowBase[kLayoutRows + 1] = {0, 0, 13, 25, 37};

// Touch-typing fingers, fixed for every layout.
constexpr std::array<int, kCharacterKeys + 1> kFingerOfKey = {
    0,                                       //
    1, 1, 1, 2, 3, 4, 4, 5, 5, 6, 7, 8, 8,  // 1..13
    1, 2, 3, 4, 4, 5, 5, 6, 7, 8, 8, 8,     // 14..25
    1, 2, 3, 4, 4, 5, 5, 6, 7, 8, 8, 8,     // 26..37
    1, 1, 2, 3, 4, 4, 5, 5, 6, 7, 8,        // 38..48
};

unsigned char LayoutChar(const std::string& token, size_t i) {
  if (i >= token.size()) return ' ';
  const auto c = static_cast<unsigned char>(token[i]);
  return c == kNoCharMark ? ' ' : c;
}

}  // namespace

int TKeyData::KeyNumber(int column, int row) {
  if (row < 1 || row > kLayoutRows || column < 1 || column > kRowKeys[row]) return 0;
  return kRowBase[row] + column;
}

int TKeyData::FingerOfKey(int key) {
  return (key >= 1 && key <= kCharacterKeys) ? kFingerOfKey[key] : 0;
}

void TKeyData::LoadLayoutLines(const std::vector<std::string>& lines) {
  KeyOfChar.fill(0);
  KeyChars.fill(TKeyChars());
  const int rows = std::min(static_cast<int>(lines.size()), kLayoutRows);
  for (int row = 1; row <= rows; ++row) {
    const std::string line = Cut255(lines[row - 1]);
    std::string token;
    size_t pos = 0;
    for (int column = 1;; ++column) {
      pos = GetToken(line, pos, token);
      if (token.empty()) break;
      // Tokens past the keys of a row would land on the next row's keys.
      const int key = KeyNumber(column, row);
      if (key == 0) break;
      TKeyChars& chars = KeyChars[key];
      chars = {LayoutChar(token, 0), LayoutChar(token, 1), LayoutChar(token, 2)};
      KeyOfChar[chars.Normal] = key;
      KeyOfChar[chars.Shifted] = key;
      KeyOfChar[chars.AltGr] = key;
    }
  }
}

unsigned char TKeyData::CharOf(int column, int row, int shiftState) const {
  const int key = KeyNumber(column, row);
  if (key == 0) return 0;
  switch (shiftState) {
    case kShiftNone: return KeyChars[key].Normal;
    case kShiftLeft:
    case kShiftRight: return KeyChars[key].Shifted;
    case kShiftAltGr: return KeyChars[key].AltGr;
    default: return 0;
  }
}

int TKeyData::KeyOf(unsigned char c) const {
  if (c == ' ' || c == 13) return -1;
  const int key = KeyOfChar[c];
  return (key >= 1 && key <= kCharacterKeys) ? key : -1;
}

int TKeyData::FingerOf(unsigned char c) const {
  if (c == 13) return 8;
  if (c == ' ') return 9;
  const int key = KeyOf(c);
  return key < 1 ? -1 : FingerOfKey(key);
}

int TKeyData::ShiftFor(unsigned char c) const {
  const int key = KeyOf(c);
  if (key < 1) return kShiftNone;
  // The Shift key is always on the other hand.
  if (c == KeyChars[key].Shifted) return FingerOfKey(key) <= 4 ? kShiftRight : kShiftLeft;
  if (c == KeyChars[key].AltGr) return kShiftAltGr;
  return kShiftNone;
}

std::string TKeyData::FingerName(int n) {
  static const char* const kNames[] = {
      "left little finger",  "left ring finger",   "left middle finger",
      "left index finger",   "right index finger", "right middle finger",
      "right ring finger",   "right little finger", "thumb"};
  return (n >= 1 && n <= 9) ? kNames[n - 1] : "-";
}

std::string TKeyData::ShiftName(int state) {
  switch (state) {
    case kShiftLeft: return "Left Shift";
    case kShiftRight: return "Right Shift";
    case kShiftAltGr: return "Alt Gr";
    default: return "";
  }
}

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

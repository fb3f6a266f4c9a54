// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <string>
#include <vector>

// The keyboard layout: the 48 character keys numbered row by row, the three
// characters each one types, which key, finger and Shift a character needs.

constexpr int kCharacterKeys = 48;
constexpr int kLayoutRows = 4;

// Shift states; the numbers double as keyboard key offsets.
constexpr int kShiftNone = 0;
constexpr int kShiftLeft = 1;
constexpr int kShiftRight = 2;
constexpr int kShiftAltGr = 4;

// Written in a layout file for a character the key does not have.
constexpr unsigned char kNoCharMark = 164;

struct TKeyChars {
  unsigned char Normal = ' ';
  unsigned char Shifted = ' ';
  unsigned char AltGr = ' ';
};

class TKeyData {
 public:
  std::array<int, 256> KeyOfChar{};                    // 0 when no key types it
  std::array<TKeyChars, kCharacterKeys + 1> KeyChars;  // 1..48

  // The open status of the file; on failure no key changes.
  int LoadLayout(const std::string& fileName);
  // The rows of a layout file after its header, top row first.
  void LoadLayoutLines(const std::vector<std::string>& lines);

  unsigned char CharOf(int column, int row, int shiftState) const;
  int KeyOf(unsigned char c) const;
  int FingerOf(unsigned char c) const;
  int ShiftFor(unsigned char c) const;
  static std::string FingerName(int n);
  static std::string ShiftName(int state);
  // Key number of a row and column, 0 outside the keys a row has.
  static int KeyNumber(int column, int row);
  // The finger of a key number, whatever the layout; 0 outside 1..48.
  static int FingerOfKey(int key);
};

// The program's layout; nullptr until one is loaded.
extern TKeyData* KeyData;

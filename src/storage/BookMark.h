// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class TRecFile;

// The student's position in the course and the current run mode.
constexpr int kModeGuided = 0;
constexpr int kModeSingleRun = 1;
constexpr int kModeIntroduction = 2;

class TBookMark {
 public:
  void Clear() { Chapter = Exercise = Event = Extra = Mode = 0; }
  // Four 16-bit values; Mode is not stored.
  int Save(TRecFile& file) const;
  int Load(TRecFile& file);

  int Chapter = 0;
  int Exercise = 0;
  int Event = 0;
  int Extra = 0;
  int Mode = 0;
};

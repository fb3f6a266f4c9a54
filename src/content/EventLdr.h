// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <memory>
#include <string>

class TBookMark;

// Codes the loader gives the exercise runner.
constexpr int kLeaveStudying = 1000;
constexpr int kCancelledBeforeDone = 1002;
constexpr int kNextStep = 1003;
constexpr int kCancelledAfterDone = 1004;

// One exercise step as its descriptor line; when the step is due it
// creates the event of its type, runs it, frees it and translates its
// result. The descriptor is parsed here (logic); running it needs the
// widgets layer.
class TEventLoader {
 public:
  // None when the descriptor has fewer than three fields or its weight
  // (field 3) is not a decimal number: the load that read it is abandoned.
  static std::unique_ptr<TEventLoader> Create(const std::string& descriptor);

  // 1000, 1002, 1003, 1004 or 0. The bookmark may be none.
  int Execute(TBookMark* bookmark);

  std::string EventType;   // field 2, upper-cased
  int Seconds = 0;         // time limit in clock units
  int DurationWeight = 0;  // field 3
  std::string Descriptor;
  bool AllowCancel = true;
  int NewKeysLevel = 0;
};

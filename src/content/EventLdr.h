// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <functional>
#include <memory>
#include <optional>
#include <string>

class TBookMark;
class TEvent;

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
  // When set, the event's known keys instead of the student's studied keys.
  std::optional<std::string> KnownKeys;
};

// Makes an empty event of one type; Execute fills it from the descriptor.
using TEventFactory = std::function<std::unique_ptr<TEvent>()>;

// Teaches Execute a type keyword (any case); an empty factory forgets it.
// Like Execute these live in the widgets layer, whose table starts with
// "MESSAGE", "TEXT" and "EXAM"; later event classes add their line there.
void RegisterEventType(const std::string& keyword, TEventFactory factory);
bool EventTypeKnown(const std::string& keyword);

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "content/EventLdr.h"

class TBookMark;
class TTextFile;

constexpr int kMaxEvents = 20;

// One exercise of a chapter: its steps as event loaders, and its share of
// the chapter's study time spread over them.
class TExercise {
 public:
  // Reads the exercise block that follows "begin exercise"; throws
  // TContentsSyntaxError on a line that abandons the load.
  explicit TExercise(TTextFile& file);
  ~TExercise();
  TExercise(const TExercise&) = delete;
  TExercise& operator=(const TExercise&) = delete;

  void SetExerciseMinutes(int m);
  void SetNewKeysLevel(int n);
  int EventCount() const { return static_cast<int>(Events.size()); }

  // Runs the steps from the bookmark's event on; 1000 to leave studying,
  // 0 otherwise, -1301 when the bookmark points past the last step.
  int RunExercise(TBookMark& bookmark, bool& finished);

  std::string ExerciseId;
  std::string ExerciseType;
  int ExerciseMinutes = 0;
  int DurationWeight = 0;
  int NewKeysLevel = 0;
  std::vector<std::unique_ptr<TEventLoader>> Events;
  std::vector<int> EventWeights;
  int WeightSum = 0;
};

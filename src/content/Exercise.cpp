// SPDX-License-Identifier: GPL-3.0-or-later
#include "content/Exercise.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "content/ContentsSyntax.h"
#include "platform/Dialogs.h"
#include "storage/FileObj.h"
#include "storage/ToolBox.h"

namespace {

int ClampToInt(double v) {
  if (!(v == v)) return 0;
  return static_cast<int>(std::clamp(v, double(INT_MIN), double(INT_MAX)));
}

}  // namespace

TExercise::TExercise(TTextFile& file) {
  if (file.Status != kFileOpen) {
    qx::ShowError("Exercise object: File error");
    return;
  }
  bool overflowTold = false;
  TContentsLine line;
  for (;;) {
    if (file.Status != kFileOpen) {
      qx::ShowError("Exercise object: eof in middle of exercise");
      break;
    }
    if (!ReadContentsLine(file, line)) continue;
    if (line.Is("type")) ExerciseType = Cut255(line.Value(2));
    if (line.Is("duration")) DurationWeight = line.Integer(2);
    if (line.Is("event")) {
      auto loader = TEventLoader::Create(line.text);
      if (!loader) throw TContentsSyntaxError("bad event in the line \"" + line.text + "\"");
      // Steps past the limit are dropped: marks and positions are stored
      // for at most this many.
      if (Events.size() >= kMaxEvents) {
        if (!overflowTold) qx::ShowError("Exercise object: overflow max 20 events");
        overflowTold = true;
      } else {
        EventWeights.push_back(loader->DurationWeight);
        WeightSum = ClampToInt(double(WeightSum) + loader->DurationWeight);
        Events.push_back(std::move(loader));
      }
    }
    if (line.Is("end exercise")) break;
  }
}

TExercise::~TExercise() = default;

void TExercise::SetExerciseMinutes(int m) {
  ExerciseMinutes = m;
  if (WeightSum == 0) WeightSum = 1;
  for (size_t i = 0; i < Events.size(); ++i) {
    const double share = static_cast<double>(EventWeights[i]) / WeightSum;
    Events[i]->Seconds = ClampToInt(std::trunc(m * share * 60));
  }
}

void TExercise::SetNewKeysLevel(int n) {
  NewKeysLevel = n;
  for (auto& e : Events) e->NewKeysLevel = n;
}

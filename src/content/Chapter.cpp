// SPDX-License-Identifier: GPL-3.0-or-later
#include "content/Chapter.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "content/ContentsSyntax.h"
#include "platform/Dialogs.h"
#include "storage/FileObj.h"
#include "storage/ToolBox.h"
#include "storage/User.h"

namespace {

// Drops lines up to and including the next "end exercise".
void SkipExercise(TTextFile& file) {
  std::string raw;
  while (file.Status == kFileOpen) {
    file.ReadLine(raw);
    if (LowerKeyword(TrimBlanks(raw)) == "end exercise") return;
  }
}

}  // namespace

TChapter::TChapter(TTextFile& file, const std::string& chapterId, bool headersOnly,
                   std::vector<std::string>& keyGroups, TUser* student)
    : HeadersOnly(headersOnly), ChapterId(Cut255(chapterId)) {
  if (file.Status != kFileOpen) {
    qx::ShowError("Chapter object: File error #" + std::to_string(file.Status));
    return;
  }
  ReadBlock(file, keyGroups, student);
  ShareOutMinutes();
}

TChapter::~TChapter() = default;

void TChapter::ReadBlock(TTextFile& file, std::vector<std::string>& keyGroups, TUser* student) {
  const int lessonDuration = student ? student->LessonDuration : 0;
  int level = 0;
  bool overflowTold = false;
  TContentsLine line;
  for (;;) {
    if (file.Status != kFileOpen) {
      qx::ShowError("Chapter object: eof in middle of chapter");
      return;
    }
    if (!ReadContentsLine(file, line)) continue;
    // The name is always the third field; the second is not used.
    if (line.Is("chapter name")) ChapterName = Cut255(line.ValueOrEmpty(3));
    if (line.Is("picture")) Picture = Cut255(line.Value(2));
    if (line.Is("new keys")) {
      const std::string keys = line.Value(2);
      keyGroups.push_back(Cut255(keys));
      level = static_cast<int>(keyGroups.size());
      if (student) student->AddNewKeys(keys);
    }
    if (line.Is("extradesc")) ExtraDesc = Cut255(line.Value(2));
    if (line.Is("durationpercent")) {
      const long long minutes = static_cast<long long>(line.Integer(2)) * lessonDuration / 100;
      ChapterMinutes = static_cast<int>(std::clamp<long long>(minutes, INT_MIN, INT_MAX));
    }
    if (line.Is("begin exercise")) {
      if (HeadersOnly) {
        SkipExercise(file);
      } else if (Exercises.size() >= kMaxExercises) {
        // Kept out: the student's record has room for this many at most.
        if (!overflowTold) qx::ShowError("Chapter object: overflow max 200 Exercises");
        overflowTold = true;
        SkipExercise(file);
      } else {
        auto exercise = std::make_unique<TExercise>(file);
        exercise->ExerciseId = Cut255(ChapterId + "." + std::to_string(Exercises.size() + 1));
        if (exercise->NewKeysLevel < level) exercise->SetNewKeysLevel(level);
        Exercises.push_back(std::move(exercise));
      }
    }
    if (line.Is("end chapter")) return;
  }
}

void TChapter::ShareOutMinutes() {
  double total = 0;
  for (const auto& e : Exercises) total += e->DurationWeight;
  if (total == 0) total = 1;
  for (auto& e : Exercises) {
    const double minutes = std::nearbyint(ChapterMinutes * double(e->DurationWeight) / total);
    e->SetExerciseMinutes(static_cast<int>(std::clamp(minutes, double(INT_MIN), double(INT_MAX))));
  }
}

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The typing steps of a shipped course, read with the program's own loader.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ContentsSandbox.h"
#include "content/Contents.h"
#include "content/ContentsSyntax.h"
#include "storage/FileObj.h"
#include "storage/ToolBox.h"

namespace qxtest {

inline const std::string kCourseData = QX_SOURCE_DIR "/data/";

inline bool StartsWithKeyword(const std::string& s, const char* prefix) {
  return LowerKeyword(s.substr(0, std::string(prefix).size())) == prefix;
}

// The text a step types: inline, or the body of a "FILE:" or "EFFIC:" text.
// "ASK:" and "NIL" type nothing known in advance.
inline bool StepText(const std::string& parameter, std::string& text) {
  std::string name;
  if (StartsWithKeyword(parameter, "file:")) name = parameter.substr(5);
  if (StartsWithKeyword(parameter, "effic:")) name = "Effic.qxs";
  if (!name.empty()) {
    TTextFile file;
    if (file.Open(kCourseData + name, kTextRead) != kFileOpen) return false;
    file.ReadAll(text);
    return true;
  }
  text = LowerKeyword(parameter) == "nil" || StartsWithKeyword(parameter, "ask:") ? "" : parameter;
  return true;
}

struct CourseStep {
  int lesson = 0;
  std::string exercise;
  std::string type;  // upper case
  std::string descriptor;
  std::string text;          // CR dropped
  int minutes = 0;           // planned
  std::string known, fresh;  // keys known in the lesson, and its new ones
};

// Every step of the course for a student with the given lesson length.
inline std::vector<CourseStep> CourseSteps(const std::string& file, int lessonMinutes) {
  ContentsSandbox box;
  box.Student().LessonDuration = lessonMinutes;
  int error = 1;
  auto contents = TContents::Create(kCourseData + file, error, User);
  EXPECT_EQ(error, 0) << file;
  EXPECT_TRUE(box.Messages().empty()) << file;
  std::vector<CourseStep> steps;
  for (const auto& chapter : contents->Chapters)
    for (const auto& exercise : chapter->Exercises)
      for (const auto& loader : exercise->Events) {
        CourseStep step;
        step.lesson = chapter->ChapterNumber;
        step.exercise = exercise->ExerciseId;
        step.type = loader->EventType;
        step.descriptor = loader->Descriptor;
        step.minutes = loader->Seconds / 60;
        const int level = exercise->NewKeysLevel;
        step.known = box.Student().StudiedKeys(level);
        const std::string before = level > 1 ? box.Student().StudiedKeys(level - 1) : std::string();
        step.fresh = step.known.substr(std::min(before.size(), step.known.size()));
        const auto fields = SplitFields(step.descriptor, "=;");
        std::string text;
        EXPECT_TRUE(fields.size() < 4 || StepText(fields[3], text)) << step.descriptor;
        for (char c : text)
          if (c != '\r') step.text += c;
        steps.push_back(std::move(step));
      }
  return steps;
}

}  // namespace qxtest

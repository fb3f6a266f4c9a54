// SPDX-License-Identifier: GPL-3.0-or-later
// The shipped courses, read with the program's own loader: every drill and
// typing text of a lesson uses only the keys known at that lesson.
#include <gtest/gtest.h>

#include <set>

#include "ContentsSandbox.h"
#include "content/Contents.h"
#include "content/ContentsSyntax.h"
#include "storage/FileObj.h"
#include "storage/ToolBox.h"

namespace {

const std::string kData = QX_SOURCE_DIR "/data/";

bool StartsWith(const std::string& s, const char* prefix) {
  return LowerKeyword(s.substr(0, std::string(prefix).size())) == prefix;
}

// The text a step types: inline, or the body of a "FILE:" or "EFFIC:" text.
bool StepText(const std::string& parameter, std::string& text) {
  std::string name;
  if (StartsWith(parameter, "file:")) name = parameter.substr(5);
  if (StartsWith(parameter, "effic:")) name = "Effic.qxs";
  if (!name.empty()) {
    TTextFile file;
    if (file.Open(kData + name, kTextRead) != kFileOpen) return false;
    file.ReadAll(text);
    return true;
  }
  text = LowerKeyword(parameter) == "nil" ? "" : parameter;
  return true;
}

std::string Unknown(const std::string& text, const std::string& known) {
  std::set<char> out;
  for (char c : text)
    if (c != ' ' && c != '\r' && c != '\n' && known.find(c) == std::string::npos) out.insert(c);
  return std::string(out.begin(), out.end());
}

struct Course {
  const char* file;
  int lessons;
};

class ShippedCourse : public ::testing::TestWithParam<Course> {};

TEST_P(ShippedCourse, EveryTypingTextUsesOnlyTheKeysKnownAtItsLesson) {
  qxtest::ContentsSandbox box;
  int error = 1;
  auto contents = TContents::Create(kData + GetParam().file, error, User);
  ASSERT_EQ(error, 0);
  EXPECT_TRUE(box.Messages().empty());
  ASSERT_EQ(contents->ChapterCount(), GetParam().lessons);
  const std::set<std::string> typed = {"NEWKEYS", "KEYBOARD", "WORD", "TEXT", "EXAM"};
  int checked = 0;
  for (const auto& chapter : contents->Chapters) {
    ASSERT_GE(chapter->ExerciseCount(), 1) << chapter->ChapterName;
    for (const auto& exercise : chapter->Exercises) {
      const std::string known = box.Student().StudiedKeys(exercise->NewKeysLevel);
      for (const auto& step : exercise->Events) {
        if (!typed.count(step->EventType)) continue;
        const auto fields = SplitFields(step->Descriptor, "=;");
        ASSERT_GE(fields.size(), 4u) << step->Descriptor;
        std::string text;
        ASSERT_TRUE(StepText(fields[3], text)) << step->Descriptor;
        EXPECT_EQ(Unknown(text, known), "")
            << "exercise " << exercise->ExerciseId << ": " << step->Descriptor;
        ++checked;
      }
    }
  }
  EXPECT_GT(checked, GetParam().lessons);
}

INSTANTIATE_TEST_SUITE_P(Material, ShippedCourse,
                         ::testing::Values(Course{"Beginner.cnt", 18}, Course{"Advanced.cnt", 12}, Course{"introd.qxs", 1}),
                         [](const auto& info) {
                           return std::string(info.param.file).substr(0, 5);
                         });

TEST(ShippedCourse, EachLessonTeachesOneMoreKeyGroup) {
  qxtest::ContentsSandbox box;
  int error = 1;
  auto contents = TContents::Create(kData + "Beginner.cnt", error, User);
  ASSERT_EQ(error, 0);
  EXPECT_EQ(box.Student().LessonCount, contents->ChapterCount());
  for (const auto& chapter : contents->Chapters) {
    for (const auto& exercise : chapter->Exercises)
      EXPECT_EQ(exercise->NewKeysLevel, chapter->ChapterNumber) << exercise->ExerciseId;
    EXPECT_FALSE(chapter->ChapterName.empty());
  }
}

}  // namespace

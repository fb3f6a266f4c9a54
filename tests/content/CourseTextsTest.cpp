// SPDX-License-Identifier: GPL-3.0-or-later
// What the shipped courses' texts must hold for a student to get through
// them: enough text for their minutes, exams of their own, and a model that
// stays in step when the student slips.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <sstream>

#include "CourseMaterial.h"
#include "engine/Analyzer.h"

namespace {

using qxtest::CourseStep;
using qxtest::CourseSteps;

bool Typed(const CourseStep& s) { return s.type == "TEXT" || s.type == "EXAM"; }
bool Drilled(const CourseStep& s) { return Typed(s) || s.type == "KEYBOARD" || s.type == "WORD"; }

std::vector<std::string> Words(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> words;
  for (std::string w; in >> w;) words.push_back(w);
  return words;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    line = TrimBlanks(line);
    if (!line.empty()) lines.push_back(line);
  }
  return lines;
}

struct Course {
  const char* file;
  int firstSpeed, lastSpeed;  // characters per minute the texts are written for
};

const Course kCourses[] = {{"Beginner.cnt", 100, 100}, {"Advanced.cnt", 150, 300}};

class CourseTexts : public ::testing::TestWithParam<Course> {};

// The longest lesson the studying profile offers.
constexpr int kLongestLesson = 45;

TEST_P(CourseTexts, EveryTimedTextLastsItsMinutes) {
  const auto steps = CourseSteps(GetParam().file, kLongestLesson);
  const int lessons = steps.empty() ? 1 : steps.back().lesson;
  int timed = 0;
  for (const auto& s : steps) {
    if (!Typed(s) || s.text.empty()) continue;
    const int speed = GetParam().firstSpeed + (GetParam().lastSpeed - GetParam().firstSpeed) *
                                                  (s.lesson - 1) / std::max(1, lessons - 1);
    EXPECT_GE(int(s.text.size()), s.minutes * speed)
        << s.exercise << " " << s.descriptor << ": " << s.minutes << " min at " << speed << " cpm";
    timed += s.minutes > 0;
  }
  EXPECT_GT(timed, lessons);
}

TEST_P(CourseTexts, ExamsUseLinesOfTheirOwn) {
  const auto steps = CourseSteps(GetParam().file, kLongestLesson);
  std::map<int, std::set<std::string>> practised;
  for (const auto& s : steps)
    if (Drilled(s) && s.type != "EXAM")
      for (const auto& line : Lines(s.text)) practised[s.lesson].insert(line);
  std::set<int> examined;
  for (const auto& s : steps) {
    if (s.type != "EXAM") continue;
    examined.insert(s.lesson);
    for (const auto& line : Lines(s.text))
      EXPECT_FALSE(practised[s.lesson].count(line)) << s.exercise << " repeats \"" << line << "\"";
  }
  for (int lesson = 1; lesson <= (steps.empty() ? 2 : steps.back().lesson); ++lesson)
    EXPECT_TRUE(examined.count(lesson)) << "lesson " << lesson << " has no exam";
}

// The student types every word as written except at a few places, where one
// word is misspelled or two neighbours are swapped. The model must follow to
// the end of the text without running ahead, and mark no more than the
// slipped words.
TEST_P(CourseTexts, TextsSurviveOneSlip) {
  const auto steps = CourseSteps(GetParam().file, kLongestLesson);
  int texts = 0;
  for (const auto& s : steps) {
    const auto model = Words(s.text);
    if (!Typed(s) || model.size() < 12) continue;
    ++texts;
    for (bool swap : {false, true}) {
      std::vector<std::string> typed = model;
      std::set<size_t> slipped;
      for (size_t at = 3; at + 3 < model.size(); at += std::max<size_t>(9, model.size() / 5)) {
        if (swap) {
          std::swap(typed[at], typed[at + 1]);
          slipped.insert({at, at + 1});
        } else {
          typed[at] = typed[at].size() > 1 ? typed[at].substr(1) : typed[at] + "x";
          slipped.insert(at);
        }
      }
      TErrorFinder finder;
      size_t pos = 0;
      int marked = 0;
      for (size_t i = 0; i < typed.size(); ++i) {
        if (pos >= model.size()) {
          ADD_FAILURE() << s.exercise << (swap ? " swap" : " misspelling")
                        << ": the text ended at typed word " << i << " of " << typed.size();
          break;
        }
        auto at = [&](int k) {
          const long j = long(pos) + k;
          return j >= 0 && j < long(model.size()) ? model[size_t(j)] : std::string();
        };
        const TWordMatch match = finder.MatchWord(typed[i], at(0), at(1), at(2), at(-1));
        pos += size_t(match.Advance);
        marked += match.Mark != 0;
      }
      EXPECT_EQ(pos, model.size()) << s.exercise << (swap ? " swap" : " misspelling") << ": not at the end";
      EXPECT_LE(marked, int(slipped.size())) << s.exercise << (swap ? " swap" : " misspelling");
    }
  }
  EXPECT_GT(texts, 10);
}

INSTANTIATE_TEST_SUITE_P(Material, CourseTexts, ::testing::ValuesIn(kCourses),
                         [](const auto& info) { return std::string(info.param.file).substr(0, 3); });

TEST(BeginnerCourse, NewKeysCarryEachLessonFromTheThird) {
  const auto steps = CourseSteps("Beginner.cnt", kLongestLesson);
  std::map<int, std::pair<int, int>> counts;  // lesson: new, all
  std::map<int, std::string> fresh;
  for (const auto& s : steps) {
    if (!Drilled(s)) continue;
    fresh[s.lesson] = s.fresh;
    for (char c : s.text) {
      if (c == ' ' || c == '\n') continue;
      counts[s.lesson].second++;
      counts[s.lesson].first += s.fresh.find(c) != std::string::npos;
    }
  }
  for (const auto& [lesson, c] : counts)
    if (lesson >= 3)
      EXPECT_GE(c.first * 100, c.second * 15) << "lesson " << lesson << " new keys " << fresh[lesson];
}

TEST(BeginnerCourse, CapitalsComeOverThreeLessonsAndEachIsPractised) {
  const auto steps = CourseSteps("Beginner.cnt", kLongestLesson);
  std::set<int> capitalLessons;
  std::map<int, std::map<char, int>> typed;
  std::map<char, int> taught;
  for (const auto& s : steps) {
    for (char c : s.fresh)
      if (c >= 'A' && c <= 'Z') taught[c] = s.lesson, capitalLessons.insert(s.lesson);
    if (s.type != "NEWKEYS" && Drilled(s))
      for (char c : s.text) typed[s.lesson][c]++;
  }
  EXPECT_EQ(taught.size(), 26u);
  EXPECT_GE(capitalLessons.size(), 3u);
  for (const auto& [c, lesson] : taught) EXPECT_GE(typed[lesson][c], 15) << c << " in lesson " << lesson;
}

}  // namespace

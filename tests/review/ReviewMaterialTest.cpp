// SPDX-License-Identifier: GPL-3.0-or-later
// The review material built for the beginner's course: at every lesson,
// every key taught so far has material for each method the wizard offers,
// and no drawn line needs a key the student has not met.
#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "../content/ContentsSandbox.h"
#include "content/Contents.h"
#include "review/Builder.h"
#include "storage/User.h"

namespace {

std::string Untaught(const std::string& line, const std::string& known) {
  std::string out;
  for (char c : line)
    if (c != ' ' && known.find(c) == std::string::npos && out.find(c) == std::string::npos) out += c;
  return out;
}

TEST(ReviewMaterial, EveryTaughtKeyHasMaterialAtEveryLessonWithinTheKeysKnown) {
  qxtest::ContentsSandbox box;
  int error = 1;
  auto course = TContents::Create(QX_SOURCE_DIR "/data/Beginner.cnt", error, User);
  ASSERT_EQ(error, 0);
  ASSERT_EQ(course->WizardName, "builder");
  const TUser& student = box.Student();
  ASSERT_EQ(student.NewKeys.size(), 18u);

  std::vector<TBuilderIndexRecord> index;
  ASSERT_EQ(TRevisionBuilder::ReadIndex(QX_BIN_DIR "/builder.hdr", index), 1);
  EXPECT_GT(index.size(), 199u);

  int checked = 0;
  for (int lesson = 1; lesson <= 18; ++lesson) {
    const std::string known = student.StudiedKeys(lesson);
    for (char key : std::set<char>(known.begin(), known.end())) {
      SCOPED_TRACE("lesson " + std::to_string(lesson) + " key " + std::string(1, key));
      TRevisionBuilder builder;
      builder.IndexFileName = QX_BIN_DIR "/builder.hdr";
      builder.DataFileName = QX_BIN_DIR "/builder.dta";
      const std::string keys(1, key);
      auto draw = [&](int kind, int lines) {
        const int n = kind == 1 ? builder.BuildWords(keys, lesson, lines) : builder.BuildSentences(keys, lesson, lines);
        std::vector<std::string> drawn;
        for (const std::string& line : builder.Items)
          if (!line.empty()) drawn.push_back(line);
        EXPECT_GE(int(drawn.size()), lines) << n;
        EXPECT_EQ(std::set<std::string>(drawn.begin(), drawn.end()).size(), drawn.size()) << "repeated lines";
        for (const std::string& line : drawn) EXPECT_EQ(Untaught(line, known), "") << line;
      };
      draw(1, 25);  // a word drill of one key: five lines of five words
      if (lesson >= 4) draw(2, 6);
      ++checked;
    }
  }
  EXPECT_GT(checked, 400);
}

}  // namespace

// SPDX-License-Identifier: GPL-3.0-or-later
// Drawing review material: the index, the per-key and per-block rules,
// and the shapes of words, word lines and crazy sentences.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "MaterialFiles.h"
#include "content/Contents.h"
#include "review/Builder.h"
#include "storage/PrgSetup.h"
#include "storage/StorageSandbox.h"

namespace {

using qxtest::MaterialFiles;

class BuilderTest : public ::testing::Test {
 protected:
  TRevisionBuilder Builder() {
    TRevisionBuilder builder;
    builder.IndexFileName = sandbox / "test.hdr";
    builder.DataFileName = sandbox / "test.dta";
    return builder;
  }
  size_t Count(const std::vector<std::string>& items, char key) {
    return size_t(std::count_if(items.begin(), items.end(), [key](const std::string& s) { return !s.empty() && s[0] == key; }));
  }
  qxtest::StorageSandbox sandbox;
  MaterialFiles files;
};

TEST_F(BuilderTest, IndexReadsOnlyWholeRecordsAndGrowsPast199) {
  for (int i = 0; i < 250; ++i) files.Record('a', i, 1, i, 1);
  files.Write(sandbox / "test", 4);
  std::vector<TBuilderIndexRecord> records;
  ASSERT_EQ(TRevisionBuilder::ReadIndex(sandbox / "test.hdr", records), 1);
  ASSERT_EQ(records.size(), 249u);
  EXPECT_EQ(records.back().FromLesson, 248);
  EXPECT_EQ(records.back().Count, 1);
}

TEST_F(BuilderTest, ABigBlockGivesPerKeyLinesAndASmallOneLetsTheNextBlockIn) {
  files.Block('a', 1, 1, MaterialFiles::Numbered('a', 10));
  files.Block('a', 1, 1, MaterialFiles::Numbered('a', 10, "x"));
  files.Block('b', 1, 1, MaterialFiles::Numbered('b', 2));
  files.Block('b', 9, 1, MaterialFiles::Numbered('b', 5, "late"));  // after the level limit
  files.Block('b', 1, 2, MaterialFiles::Numbered('b', 5, "sentence"));  // another kind
  files.Block('b', 1, 1, MaterialFiles::Numbered('b', 6, "y"));
  files.Write(sandbox / "test");
  TRevisionBuilder builder = Builder();
  ASSERT_EQ(builder.BuildWords("ab", 5, 4), 4 + 2 + 4);
  const std::vector<std::string>& items = builder.Items;
  EXPECT_EQ(Count(items, 'a'), 4u);
  EXPECT_EQ(std::set<std::string>(items.begin(), items.begin() + 4).size(), 4u);
  for (size_t i = 0; i < 4; ++i) EXPECT_EQ(items[i].find('x'), std::string::npos) << items[i];
  EXPECT_EQ(std::count(items.begin(), items.end(), "b0") + std::count(items.begin(), items.end(), "b1"), 2);
  for (size_t i = 6; i < items.size(); ++i) EXPECT_EQ(items[i].substr(0, 2), "by");
}

TEST_F(BuilderTest, SentencesEndTheirBlockWithAnEmptyLineAndTakeFullStopsAndCapitals) {
  files.Block('a', 4, 2, {"a cat and an ape", "all is well!", "abc", "a bat sat, alas,"});
  files.Block('.', 4, 2, {"so. a tale"});
  files.Write(sandbox / "test");
  TRevisionBuilder builder = Builder();
  ASSERT_EQ(builder.BuildSentences("a.", 4, 9), 7);
  std::vector<std::string> items = builder.Items;
  EXPECT_EQ(items[4], "");
  EXPECT_EQ(items[6], "");
  std::sort(items.begin(), items.end());
  EXPECT_EQ(items, (std::vector<std::string>{"", "", "a bat sat, alas,", "a cat and an ape.", "abc", "all is well!",
                                             "so. a tale."}));

  ASSERT_EQ(builder.BuildSentences("A", 4, 9), 5);
  items = builder.Items;
  std::sort(items.begin(), items.end());
  EXPECT_EQ(items, (std::vector<std::string>{"", "A bat sat, Alas,", "A cat And An Ape", "Abc", "All is well!"}));
}

TEST_F(BuilderTest, WordLinesHoldFiveWordsCommaSeparatedWhenTheCommaIsAsked) {
  files.Block('a', 1, 1, MaterialFiles::Numbered('a', 7));
  files.Block(',', 1, 1, {});
  files.Write(sandbox / "test");
  TRevisionBuilder builder = Builder();
  ASSERT_EQ(builder.BuildWordLines("a", 1, 2), 2);
  auto words = [](const std::string& line) { return std::count(line.begin(), line.end(), 'a'); };
  EXPECT_EQ(words(builder.Items[0]), 5);
  EXPECT_EQ(words(builder.Items[1]), 2);
  EXPECT_EQ(builder.Items[1].find(','), std::string::npos);

  ASSERT_EQ(builder.BuildWordLines("a,", 1, 2), 2);
  EXPECT_EQ(std::count(builder.Items[0].begin(), builder.Items[0].end(), ','), 5);  // the trailing one stays
  EXPECT_EQ(builder.Items[0].back(), ',');
  EXPECT_NE(builder.Items[0].find(", a"), std::string::npos);

  // Capitals ask for capitalised words.
  ASSERT_EQ(builder.BuildWords("A", 1, 3), 3);
  for (const std::string& w : builder.Items) EXPECT_EQ(w[0], 'A');
}

TEST_F(BuilderTest, MissingFilesAreReportedAndBuildNothing) {
  TRevisionBuilder builder = Builder();
  EXPECT_EQ(builder.BuildWords("a", 99, 5), 0);
  ASSERT_EQ(sandbox.dialogs.Asked().size(), 1u);
  EXPECT_NE(sandbox.dialogs.Asked()[0].text.find("test.dta"), std::string::npos);
}

TEST_F(BuilderTest, TheCourseMaterialFallsBackFilePerFileToTheDefault) {
  files.Write(sandbox / "builder");
  files.Write(sandbox / "course");
  std::remove((sandbox / "course.dta").c_str());
  TProgramSettings settings;
  settings.DefaultWizard = "builder";
  Settings = &settings;
  TContents course;
  course.WizardName = "course";
  Contents = &course;
  TRevisionBuilder builder;
  EXPECT_EQ(builder.IndexFileName, "course.hdr");
  EXPECT_EQ(builder.DataFileName, "builder.dta");
  Contents = nullptr;
  Settings = nullptr;
}

}  // namespace

// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <iterator>
#include <random>

#include "ContentsSandbox.h"
#include "content/Contents.h"
#include "storage/FileObj.h"

using Strings = std::vector<std::string>;

namespace {

class ContentsLoad : public ::testing::Test {
 protected:
  std::unique_ptr<TContents> Load(std::initializer_list<std::string> lines, int* error = nullptr) {
    int e = 99;
    auto contents = TContents::Create(box.Write("course.cnt", lines), e, User);
    if (error)
      *error = e;
    else
      EXPECT_EQ(e, 0);
    return contents;
  }
  const TExercise& Exercise(const TContents& c, int chapter, int exercise) {
    return *c.Chapters.at(chapter - 1)->Exercises.at(exercise - 1);
  }

  qxtest::ContentsSandbox box;
};

TEST_F(ContentsLoad, CommentsAndBlankLinesMakeACourseWithoutChapters) {
  auto c = Load({"' a course", "", "   \t ", "'begin chapter", "' end chapter"});
  EXPECT_TRUE(c->Chapters.empty());
  EXPECT_EQ(box.Student().LessonCount, 0);
  EXPECT_TRUE(box.Messages().empty());
}

TEST_F(ContentsLoad, ContentsKeywordsIgnoreCaseAndKeepTheValues) {
  auto c = Load({"CONTENTS Name=My Own COURSE", "Default Time=35", "WizardName=we%;ird",
                 "picture=ignored.pic", "nonsense=1;2;3"});
  EXPECT_EQ(c->ContentsName, "My Own COURSE");
  EXPECT_EQ(c->DefaultTime, 35);
  EXPECT_EQ(c->KeyboardName, "all");  // absent
  EXPECT_EQ(c->WizardName, "we;ird");
  EXPECT_TRUE(c->Chapters.empty());
  EXPECT_TRUE(box.Messages().empty());
}

TEST_F(ContentsLoad, BlanksAroundKeywordsAndValuesAreNotSignificant) {
  auto c = Load({"keyboard = qwerty ", "default time = 25", "begin chapter", "picture =  Ch2.pic",
                 "end chapter"});
  EXPECT_EQ(c->KeyboardName, "qwerty");
  EXPECT_EQ(c->DefaultTime, 25);
  EXPECT_EQ(c->Chapters.at(0)->Picture, "Ch2.pic");
}

TEST_F(ContentsLoad, ChapterNameIsAlwaysTheThirdField) {
  auto c = Load({"begin chapter", "chapter name=Home Keys", "end chapter",  //
                 "begin chapter", "chapter name=2;Home Keys A, S, L and %;", "end chapter",
                 "begin chapter", "chapter name=anything;Top Row;more", "end chapter"});
  ASSERT_EQ(c->Chapters.size(), 3u);
  EXPECT_EQ(c->Chapters[0]->ChapterName, "");
  EXPECT_EQ(c->Chapters[1]->ChapterName, "Home Keys A, S, L and ;");
  EXPECT_EQ(c->Chapters[2]->ChapterName, "Top Row");
  EXPECT_EQ(c->ChapterTitles(true),
            (Strings{"Lesson 1: ", "Lesson 2: Home Keys A, S, L and ;", "Lesson 3: Top Row"}));
  EXPECT_EQ(c->ChapterTitles(false), (Strings{"1. ", "2. Home Keys A, S, L and ;", "3. Top Row"}));
  EXPECT_EQ(c->Chapters[2]->ChapterNumber, 3);
  EXPECT_EQ(c->Chapters[2]->ChapterId, "3");
}

TEST_F(ContentsLoad, ChapterAndExerciseFieldsAndIds) {
  auto c = Load({"begin chapter", "Picture=Ch7.pic", "EXTRADESC=Reach up;", "begin exercise",
                 "type=New keys", "duration=1", "event=MESSAGE;0;Hello;Title", "end exercise",
                 "begin exercise", "Type=Drill", "EVENT=keyboard;0;nil", "event=word;2;a b",
                 "end exercise", "end chapter"});
  const TChapter& ch = *c->Chapters.at(0);
  EXPECT_EQ(ch.Picture, "Ch7.pic");
  EXPECT_EQ(ch.ExtraDesc, "Reach up");
  ASSERT_EQ(ch.ExerciseCount(), 2);
  EXPECT_EQ(Exercise(*c, 1, 1).ExerciseId, "1.1");
  EXPECT_EQ(Exercise(*c, 1, 2).ExerciseId, "1.2");
  EXPECT_EQ(Exercise(*c, 1, 2).ExerciseType, "Drill");
  ASSERT_EQ(Exercise(*c, 1, 2).EventCount(), 2);
  EXPECT_EQ(Exercise(*c, 1, 2).Events[1]->EventType, "WORD");
  EXPECT_EQ(Exercise(*c, 1, 2).Events[1]->Descriptor, "event=word;2;a b");
  EXPECT_EQ(Exercise(*c, 1, 2).EventWeights, (std::vector<int>{0, 2}));
  EXPECT_EQ(Exercise(*c, 1, 2).WeightSum, 2);
  EXPECT_EQ(box.Student().LessonCount, 1);
}

struct MinutesCase {
  const char* name;
  int lessonDuration;
  const char* percent;  // nullptr: no "durationpercent" line
  std::vector<int> exerciseWeights;
  std::vector<int> eventWeights;  // of every exercise
  std::vector<int> minutes;
  std::vector<int> limits;  // of the first exercise
};

class ChapterMinutes : public ::testing::TestWithParam<MinutesCase> {};

TEST_P(ChapterMinutes, ShareTheLessonOutOverExercisesAndEvents) {
  const MinutesCase& m = GetParam();
  qxtest::ContentsSandbox box;
  box.Student().LessonDuration = m.lessonDuration;
  std::string text = "begin chapter\r\n";
  if (m.percent) text += std::string("durationpercent=") + m.percent + "\r\n";
  for (int w : m.exerciseWeights) {
    text += "begin exercise\r\nduration=" + std::to_string(w) + "\r\n";
    for (int e : m.eventWeights) text += "event=TEXT;" + std::to_string(e) + ";x\r\n";
    text += "end exercise\r\n";
  }
  text += "end chapter\r\n";
  qxtest::WriteBytes(box.Path("m.cnt"), text);
  int error = 1;
  auto c = TContents::Create(box.Path("m.cnt"), error, User);
  ASSERT_EQ(error, 0);
  std::vector<int> minutes, limits;
  for (const auto& e : c->Chapters.at(0)->Exercises) minutes.push_back(e->ExerciseMinutes);
  for (const auto& ev : c->Chapters.at(0)->Exercises.at(0)->Events) limits.push_back(ev->Seconds);
  EXPECT_EQ(minutes, m.minutes);
  EXPECT_EQ(limits, m.limits);
}

INSTANTIATE_TEST_SUITE_P(
    Contents, ChapterMinutes,
    ::testing::Values(
        MinutesCase{"WeightsOneOneTwo", 20, "100", {1, 1, 2}, {1}, {5, 5, 10}, {300}},
        MinutesCase{"FourMinutesOneAndThree", 20, "20", {1}, {1, 3}, {4}, {60, 180}},
        MinutesCase{"FiveMinutesOneAndTwo", 25, "20", {1}, {1, 2}, {5}, {99, 199}},
        MinutesCase{"HalvesRoundToEven", 10, "100", {1, 3}, {1}, {2, 8}, {120}},
        MinutesCase{"PercentTruncates", 45, "70", {1}, {1}, {31}, {1860}},
        MinutesCase{"NoPercentMeansUntimed", 45, nullptr, {1, 2}, {1, 1}, {0, 0}, {0, 0}},
        MinutesCase{"NoLessonLimit", 0, "100", {1}, {1}, {0}, {0}},
        MinutesCase{"ZeroWeightsStillShare", 20, "100", {0, 0}, {0, 0}, {0, 0}, {0, 0}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ContentsLoad, NewKeysRaiseOnlyTheExercisesThatFollow) {
  auto c = Load({"begin chapter", "begin exercise", "event=TEXT;1;x", "end exercise", "new keys=fj",
                 "begin exercise", "event=TEXT;1;x", "end exercise", "end chapter", "begin chapter",
                 "new keys=dk", "begin exercise", "end exercise", "end chapter", "begin chapter",
                 "begin exercise", "end exercise", "end chapter"});
  EXPECT_EQ(Exercise(*c, 1, 1).NewKeysLevel, 0);
  EXPECT_EQ(Exercise(*c, 1, 1).Events[0]->NewKeysLevel, 0);
  EXPECT_EQ(Exercise(*c, 1, 2).NewKeysLevel, 1);
  EXPECT_EQ(Exercise(*c, 1, 2).Events[0]->NewKeysLevel, 1);
  EXPECT_EQ(Exercise(*c, 2, 1).NewKeysLevel, 2);
  EXPECT_EQ(Exercise(*c, 3, 1).NewKeysLevel, 0);  // a chapter without new keys
  EXPECT_EQ(box.Student().NewKeys, (Strings{"fj", "dk"}));
  EXPECT_EQ(box.Student().StudiedKeys(2), "fjdk");
}

TEST_F(ContentsLoad, EveryLoadStartsTheKeyGroupsAfresh) {
  box.Student().NewKeys = {"old", "groups"};
  auto c = Load({"begin chapter", "new keys=as", "end chapter"});
  EXPECT_EQ(box.Student().NewKeys, (Strings{"as"}));
  auto empty = Load({"' nothing"});
  EXPECT_TRUE(box.Student().NewKeys.empty());
  EXPECT_EQ(box.Student().StudiedKeys(1), kAllLetters);
}

TEST_F(ContentsLoad, HeadersOnlyKeepsChaptersAndKeysButNoExercises) {
  box.Student().LessonCount = 7;
  box.Student().NewKeys = {"fj", "dk"};
  int error = 1;
  auto c = TContents::CreateHeadersOnly(
      box.Write("h.cnt",
                {"contents name=Short", "begin chapter", "chapter name=1;One", "begin exercise",
                 "type=x", "duration=zz", "event=bad", "END EXERCISE ", "new keys=ab",
                 "end chapter", "begin chapter", "chapter name=2;Two", "end chapter"}),
      error);
  EXPECT_EQ(error, 0);
  EXPECT_TRUE(c->HeadersOnly);
  ASSERT_EQ(c->Chapters.size(), 2u);
  EXPECT_EQ(c->Chapters[0]->ExerciseCount(), 0);
  EXPECT_EQ(c->Chapters[1]->ChapterName, "Two");
  EXPECT_EQ(c->KeyGroups, (Strings{"ab"}));
  // A preview leaves the student's course alone.
  EXPECT_EQ(box.Student().NewKeys, (Strings{"fj", "dk"}));
  EXPECT_EQ(box.Student().LessonCount, 7);
  EXPECT_TRUE(box.Messages().empty());
}

TEST_F(ContentsLoad, ExercisesPastTwoHundredAreDroppedWithOneMessage) {
  std::string text = "begin chapter\r\n";
  for (int i = 1; i <= 203; ++i)
    text +=
        "begin exercise\r\ntype=E" + std::to_string(i) + "\r\nevent=TEXT;1;x\r\nend exercise\r\n";
  text += "end chapter\r\nbegin chapter\r\nchapter name=1;After\r\nend chapter\r\n";
  qxtest::WriteBytes(box.Path("big.cnt"), text);
  int error = 1;
  auto c = TContents::Create(box.Path("big.cnt"), error, User);
  EXPECT_EQ(error, 0);
  ASSERT_EQ(c->Chapters.size(), 2u);
  EXPECT_EQ(c->Chapters[0]->ExerciseCount(), 200);
  EXPECT_EQ(c->Chapters[0]->Exercises.back()->ExerciseType, "E200");
  EXPECT_EQ(c->Chapters[1]->ChapterName, "After");
  EXPECT_EQ(box.Messages(), (Strings{"Chapter object: overflow max 200 Exercises"}));
}

TEST_F(ContentsLoad, EventsPastTwentyAreDroppedWithOneMessage) {
  std::string text = "begin chapter\r\nbegin exercise\r\n";
  for (int i = 1; i <= 23; ++i) text += "event=TEXT;" + std::to_string(i) + ";x\r\n";
  text += "type=Long\r\nend exercise\r\nend chapter\r\n";
  qxtest::WriteBytes(box.Path("long.cnt"), text);
  int error = 1;
  auto c = TContents::Create(box.Path("long.cnt"), error, User);
  const TExercise& e = Exercise(*c, 1, 1);
  EXPECT_EQ(e.EventCount(), 20);
  EXPECT_EQ(e.WeightSum, 210);
  EXPECT_EQ(e.ExerciseType, "Long");  // the block is still read to its end
  EXPECT_EQ(box.Messages(), (Strings{"Exercise object: overflow max 20 events"}));
}

TEST_F(ContentsLoad, EndOfFileInsideBlocksIsToldAndWhatWasReadIsKept) {
  auto c = Load(
      {"begin chapter", "chapter name=1;Cut", "begin exercise", "type=Half", "event=TEXT;1;x"});
  EXPECT_EQ(box.Messages(), (Strings{"Exercise object: eof in middle of exercise",
                                     "Chapter object: eof in middle of chapter"}));
  ASSERT_EQ(c->Chapters.size(), 1u);
  EXPECT_EQ(c->Chapters[0]->ChapterName, "Cut");
  EXPECT_EQ(Exercise(*c, 1, 1).EventCount(), 1);

  box.dialogs.ClearAsked();
  auto d = Load({"begin chapter", "chapter name=1;Open"});
  EXPECT_EQ(box.Messages(), (Strings{"Chapter object: eof in middle of chapter"}));
  EXPECT_EQ(d->Chapters.size(), 1u);
}

TEST_F(ContentsLoad, ABlockStartedOnTheLastLineFindsTheFileAtItsEnd) {
  qxtest::WriteBytes(box.Path("end.cnt"), "begin chapter\r\nbegin exercise");
  int error = 1;
  auto c = TContents::Create(box.Path("end.cnt"), error, User);
  EXPECT_EQ(box.Messages(),
            (Strings{"Exercise object: File error", "Chapter object: eof in middle of chapter"}));
  qxtest::WriteBytes(box.Path("end2.cnt"), "begin chapter");
  box.dialogs.ClearAsked();
  c = TContents::Create(box.Path("end2.cnt"), error, User);
  EXPECT_EQ(box.Messages(), (Strings{"Chapter object: File error #0"}));
  EXPECT_EQ(c->Chapters.size(), 1u);
}

// The line stands at every level; where it is meaningful it ends the load.
class AbandonedLoad : public ::testing::TestWithParam<const char*> {};

TEST_P(AbandonedLoad, KeepsNothingAndSaysWhichLine) {
  qxtest::ContentsSandbox box;
  box.Student().LessonCount = 3;
  int error = 0;
  auto c = TContents::Create(
      box.Write("bad.cnt", {"contents name=Broken", "begin chapter", "new keys=fj",
                            "chapter name=1;Fine", "begin exercise", "event=TEXT;1;ok",
                            "end exercise", "end chapter", GetParam(), "begin chapter", GetParam(),
                            "begin exercise", GetParam(), "end exercise", "end chapter"}),
      error, User);
  EXPECT_EQ(error, kFileHeaderError);
  EXPECT_TRUE(c->Chapters.empty());
  EXPECT_EQ(c->ContentsName, "");
  EXPECT_TRUE(box.Student().NewKeys.empty());
  EXPECT_EQ(box.Student().LessonCount, 3);
  ASSERT_EQ(box.Messages().size(), 1u);
  EXPECT_NE(box.Messages()[0].find(GetParam()), std::string::npos) << box.Messages()[0];
  EXPECT_NE(box.Messages()[0].find("bad.cnt"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Contents, AbandonedLoad,
                         ::testing::Values("duration=1x", "duration", "type",
                                           "duration=", "event=TEXT", "event=TEXT;one;x", "event",
                                           "durationpercent=60%", "picture", "new keys",
                                           "default time=soon", "duration=99999999999"));

TEST_F(ContentsLoad, AMissingFileGivesItsStatus) {
  int error = 0;
  auto c = TContents::Create(box.Path("none.cnt"), error, User);
  EXPECT_EQ(error, kFileNotFound);
  EXPECT_TRUE(c->Chapters.empty());
}

TEST_F(ContentsLoad, TheStudentsBookmarkIsTheDefault) {
  auto c = Load({"' empty"});
  EXPECT_EQ(c->BookMark, box.Student().Bookmark.get());
}

// Random bytes, line noise and overlong lines end in messages or an empty
// course, never in a crash.
TEST(ContentsGarbage, NeverCrashesTheLoader) {
  qxtest::ContentsSandbox box;
  std::mt19937 rng(20240601);
  const std::string words[] = {"begin chapter",
                               "end chapter",
                               "begin exercise",
                               "end exercise",
                               "event=TEXT;1;x",
                               "duration=2",
                               "durationpercent=50",
                               "new keys=q",
                               "chapter name=1;A",
                               "=",
                               ";;;",
                               "%",
                               "\t",
                               "'",
                               "\r\n",
                               "\r\n",
                               "\r\n",
                               "type=",
                               "event=;;",
                               std::string(300, 'x')};
  for (int round = 0; round < 120; ++round) {
    std::string text;
    const int n = int(rng() % 60);
    for (int i = 0; i < n; ++i) {
      if (rng() % 4 == 0) {
        text += char(rng() % 256);
      } else {
        text += words[rng() % std::size(words)];
        if (rng() % 2) text += "\r\n";
      }
    }
    qxtest::WriteBytes(box.Path("g.cnt"), text);
    int error = 0;
    auto c = TContents::Create(box.Path("g.cnt"), error, User);
    ASSERT_TRUE(c);
    if (error != 0) {
      EXPECT_TRUE(c->Chapters.empty());
    }
    for (const auto& ch : c->Chapters) EXPECT_LE(ch->ExerciseCount(), kMaxExercises);
  }
}

}  // namespace

// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "engine/Analyzer.h"
#include "engine/Diffkeys.h"

namespace {

struct PercentCase {
  const char* model;
  const char* typed;
  int percent;
};

void PrintTo(const PercentCase& c, std::ostream* os) { *os << c.model << " / " << c.typed; }

class ErrorPercentTest : public testing::TestWithParam<PercentCase> {};

TEST_P(ErrorPercentTest, MatchesTheAlignmentRules) {
  TErrorFinder finder;
  EXPECT_EQ(finder.ErrorPercent(GetParam().model, GetParam().typed), GetParam().percent);
  EXPECT_TRUE(finder.ModelBuffer.empty());
  EXPECT_TRUE(finder.TypedBuffer.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Words, ErrorPercentTest,
    testing::Values(PercentCase{"house", "house", 0},
                    PercentCase{"house", "House", 10},   // case costs half
                    PercentCase{"house", "hosue", 20},   // swap
                    PercentCase{"house", "houses", 20},  // extra at the end
                    PercentCase{"house", "hose", 20},    // left out
                    PercentCase{"house", "hhouse", 20},  // extra at the start
                    PercentCase{"house", "hoXYe", 40},   // two wrong
                    PercentCase{"house", "hoXYZ", 60},
                    PercentCase{"house", "hoxxuse", 30},    // two extra together
                    PercentCase{"Abcd", "abcd", 12},        // 12.5 goes to the even 12
                    PercentCase{"caf\xe9", "CAF\xc9", 62},  // only a-z fold: 2.5 of 4
                    PercentCase{"ab", "xyzw", 200},         // may exceed 100
                    PercentCase{"", "", 0}, PercentCase{"", "house", 100},
                    PercentCase{"house", "", 100}));

struct Recorded {
  unsigned char key;
  int typed;
  int errors;
};

void ExpectRecorded(TDifficultKeys& keys, std::initializer_list<Recorded> expected) {
  int typedSum = 0;
  for (int c = 0; c < 256; ++c) typedSum += keys.ExerciseTyped[c];
  int expectedSum = 0;
  for (const Recorded& r : expected) {
    EXPECT_EQ(keys.ExerciseTyped[r.key], r.typed) << "typed " << r.key;
    EXPECT_EQ(keys.ExerciseErrors[r.key], r.errors) << "errors " << r.key;
    expectedSum += r.typed;
  }
  EXPECT_EQ(typedSum, expectedSum) << "keys recorded beyond those expected";
}

TEST(RecordKeyErrors, AttributesEachAlignedPosition) {
  TErrorFinder finder;
  TDifficultKeys keys;
  finder.Store = &keys;

  finder.RecordKeyErrors("house", "hosue");  // both swapped keys are wrong
  ExpectRecorded(keys, {{'h', 1, 0}, {'o', 1, 0}, {'u', 1, 1}, {'s', 1, 1}, {'e', 1, 0}});

  keys.Clear();
  finder.RecordKeyErrors("house", "hose");  // the left-out key is the error
  ExpectRecorded(keys, {{'h', 1, 0}, {'o', 1, 0}, {'u', 1, 1}, {'s', 1, 0}, {'e', 1, 0}});

  keys.Clear();
  finder.RecordKeyErrors("house", "houses");  // an extra key blames nobody
  ExpectRecorded(keys, {{'h', 1, 0}, {'o', 1, 0}, {'u', 1, 0}, {'s', 1, 0}, {'e', 1, 0}});

  keys.Clear();
  finder.RecordKeyErrors("house", "housee");  // a key pressed twice
  ExpectRecorded(keys, {{'h', 1, 0}, {'o', 1, 0}, {'u', 1, 0}, {'s', 1, 0}, {'e', 2, 1}});

  keys.Clear();
  finder.RecordKeyErrors("House", "house");  // the model's key counts as right
  ExpectRecorded(keys, {{'H', 1, 0}, {'o', 1, 0}, {'u', 1, 0}, {'s', 1, 0}, {'e', 1, 0}});

  keys.Clear();
  finder.RecordKeyErrors("house", "hoXYZ");  // 60 % teaches nothing
  ExpectRecorded(keys, {});
  EXPECT_TRUE(finder.ModelBuffer.empty());
}

struct MatchCase {
  const char* name;
  const char* typed;
  int offset, error, charsUsed, advance, mark;
  bool lost;
  int characters;  // efficiency totals after the word
  double correct;
};

void PrintTo(const MatchCase& c, std::ostream* os) { *os << c.typed; }

class WordMatchTest : public testing::TestWithParam<MatchCase> {};

// Model text "... the quick brown fox", the current word "quick".
TEST_P(WordMatchTest, ChoosesTheWordMeantAndAddsItsTotals) {
  const MatchCase& c = GetParam();
  TErrorFinder finder;
  TDifficultKeys keys;
  finder.Store = &keys;
  const TWordMatch m = finder.MatchWord(c.typed, "quick", "brown", "fox", "the");
  EXPECT_EQ(m.Offset, c.offset);
  EXPECT_EQ(m.Error, c.error);
  EXPECT_EQ(m.CharsUsed, c.charsUsed);
  EXPECT_EQ(m.Advance, c.advance);
  EXPECT_EQ(m.Mark, c.mark);
  EXPECT_EQ(m.NotRecognised, c.lost);

  TEfficiencyCalc totals;
  totals.AddWord(m);
  EXPECT_EQ(totals.Keystrokes, c.charsUsed + 1);
  EXPECT_EQ(totals.Characters, c.characters);
  EXPECT_DOUBLE_EQ(totals.Correct, c.correct);

  int recorded = 0;
  for (int k = 0; k < 256; ++k) recorded += keys.ExerciseTyped[k];
  EXPECT_EQ(recorded > 0, !c.lost);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WordMatchTest,
    testing::Values(MatchCase{"Right", "quick", 0, 0, 5, 1, 0, false, 5, 5.0},
                    MatchCase{"Swapped", "qiuck", 0, 20, 5, 1, 2, false, 5, 4.0},
                    MatchCase{"OneSkipped", "brown", 1, 0, 10, 2, 0, false, 10, 5.0},
                    MatchCase{"TwoSkipped", "fox", 2, 0, 13, 3, 0, false, 13, 3.0},
                    MatchCase{"PreviousAgain", "the", -1, 0, 0, 0, 0, false, 0, 3.0},
                    MatchCase{"FortyPercentIsStillRecognised", "quXYk", 0, 40, 5, 1, 1, false, 5,
                              3.0},
                    MatchCase{"NotRecognised", "zzzzz", 0, 100, 5, 1, 1, true, 5, 0.0}),
    [](const testing::TestParamInfo<MatchCase>& info) { return info.param.name; });

TEST(WordMatch, MissingNeighboursNeverWin) {
  TErrorFinder finder;
  TDifficultKeys keys;
  finder.Store = &keys;
  const TWordMatch m = finder.MatchWord("quack", "quick", "", "", "");
  EXPECT_EQ(m.Offset, 0);
  EXPECT_EQ(m.Error, 20);
  EXPECT_EQ(m.Advance, 1);
}

TEST(WordMatch, AnalyseWordEndFeedsTheProgramTotalsAndKeyStatistics) {
  TDifficultKeys keys;
  KeyStats = &keys;
  EfficiencyCalc.Reset();
  AnalyseWordEnd("quick", "quick", "brown", "", "");
  AnalyseWordEnd("brwon", "brown", "", "", "quick");
  EXPECT_EQ(EfficiencyCalc.Keystrokes, 12);
  EXPECT_EQ(EfficiencyCalc.Characters, 10);
  EXPECT_DOUBLE_EQ(EfficiencyCalc.Correct, 9.0);
  EXPECT_EQ(keys.ExerciseErrors['w'], 1);
  EXPECT_EQ(keys.ExerciseErrors['o'], 1);
  KeyStats = nullptr;
  EfficiencyCalc.Reset();
}

TEST(BackSpaceCounter, BlamesTheCorrectedKeyOnceAndGradesTheShare) {
  TDifficultKeys keys;
  TBackSpaceCounter counter;
  counter.Store = &keys;
  for (unsigned char c : std::string("ab\b\b\bcd")) counter.KeyPressed(c);
  EXPECT_EQ(counter.Keys, 7);
  EXPECT_EQ(counter.BackSpaces, 3);
  EXPECT_EQ(keys.ExerciseErrors['c'], 1);
  EXPECT_EQ(keys.ExerciseErrors['d'], 0);
  EXPECT_NEAR(counter.Percentage(), 300.0f / 7, 1e-4);
  EXPECT_EQ(counter.Level(), 0);
  EXPECT_EQ(counter.LevelName(), "Beginner");

  counter.Reset();
  EXPECT_EQ(counter.Percentage(), 0);
  EXPECT_EQ(counter.Level(), 4);
  for (int i = 0; i < 19; ++i) counter.KeyPressed('x');
  counter.KeyPressed(8);  // 5 %
  EXPECT_FLOAT_EQ(counter.Level(), 2);
}

TEST(BackSpaceCounter, ResetForgetsABackSpaceLeftFromTheLastExercise) {
  TDifficultKeys keys;
  TBackSpaceCounter counter;
  counter.Store = &keys;
  counter.KeyPressed(8);
  counter.Reset();
  counter.KeyPressed('x');
  EXPECT_EQ(keys.ExerciseErrors['x'], 0);
}

TEST(DeviationCalc, AnEvenRhythmScoresFullAndAPauseIsAHesitation) {
  TDeviationCalc calc;
  EXPECT_EQ(calc.Evenness(), 0);
  for (int i = 0; i < 4; ++i) EXPECT_FALSE(calc.AddInterval(0.2f));
  EXPECT_FALSE(calc.AddInterval(0.2f));
  EXPECT_EQ(calc.Evenness(), 100);
  EXPECT_FLOAT_EQ(calc.Level(), 4);

  TDeviationCalc a = calc;
  EXPECT_FALSE(a.AddInterval(1.0f));  // below 0.45 + 1.875 x mean
  TDeviationCalc b = calc;
  EXPECT_TRUE(b.AddInterval(1.2f));

  TDeviationCalc few;
  for (int i = 0; i < 3; ++i) few.AddInterval(0.2f);
  EXPECT_FALSE(few.AddInterval(3.0f));  // four samples are too few to judge
}

TEST(DeviationCalc, TheRingKeepsTheLastTenIntervals) {
  TDeviationCalc calc;
  for (int i = 0; i < 10; ++i) calc.AddInterval(1.0f);
  calc.AddInterval(0.5f);
  calc.AddInterval(0.5f);
  EXPECT_EQ(calc.Count, 10);
  EXPECT_EQ(calc.Index, 2);
  EXPECT_EQ(calc.Total, 12);
  EXPECT_FLOAT_EQ(calc.Sum, 9.0f);
  EXPECT_FLOAT_EQ(calc.Mean, 0.9f);
}

TEST(EfficiencyCalc, SpeedAndItsLevel) {
  TEfficiencyCalc calc;
  EXPECT_EQ(calc.Rhythm, -1);
  EXPECT_EQ(calc.Speed(), 0);  // no time yet
  calc.Keystrokes = 150;
  calc.Time = 60;
  EXPECT_EQ(calc.Speed(), 150);
  EXPECT_FLOAT_EQ(calc.SpeedLevel(), 2);
  EXPECT_EQ(calc.SpeedLevelName(), "Advanced");
  calc.Time = 400;
  EXPECT_EQ(calc.Speed(), 22);  // 22.5 rounds to even
  EXPECT_FLOAT_EQ(calc.SpeedLevel(), 0);
}

struct AccuracyCase {
  double correct;  // of 100 characters
  float score;
  float level;
};

void PrintTo(const AccuracyCase& c, std::ostream* os) { *os << c.correct << " % correct"; }

class AccuracyTest : public testing::TestWithParam<AccuracyCase> {};

TEST_P(AccuracyTest, ScoreAndLevel) {
  TEfficiencyCalc calc;
  calc.Characters = 100;
  calc.Correct = GetParam().correct;
  EXPECT_NEAR(calc.AccuracyScore(), GetParam().score, 1e-3);
  EXPECT_NEAR(calc.AccuracyLevel(), GetParam().level, 1e-4);
}

INSTANTIATE_TEST_SUITE_P(Accuracy, AccuracyTest,
                         testing::Values(AccuracyCase{89, 0, 0}, AccuracyCase{93, 30, 0.5f},
                                         AccuracyCase{96, 60, 1}, AccuracyCase{97.25, 72.5, 1.5},
                                         AccuracyCase{98.5, 85, 2}, AccuracyCase{99, 90, 2.5},
                                         AccuracyCase{99.5, 95, 3}, AccuracyCase{100, 100, 4},
                                         AccuracyCase{103, 100, 4}));

TEST(EfficiencyCalc, EfficiencyIsTheHarmonicMeanOfTheLevels) {
  TEfficiencyCalc calc;
  EXPECT_EQ(calc.AccuracyScore(), 0);  // nothing typed
  EXPECT_EQ(calc.Efficiency(), 0);
  calc.Characters = 100;
  calc.Correct = 100;  // accuracy level 4
  calc.Keystrokes = 150;
  calc.Time = 60;  // speed level 2
  EXPECT_EQ(calc.Efficiency(), 67);
  EXPECT_FLOAT_EQ(calc.EfficiencyLevel(), 2.68f);
  EXPECT_EQ(calc.EfficiencyLevelName(), "Advanced");
  calc.Keystrokes = 0;
  EXPECT_EQ(calc.Efficiency(), 0);
}

TEST(EfficiencyCalc, ScoresNeedFiveWordsAndTenUnits) {
  TEfficiencyCalc calc;
  calc.Finish(45000.0, 45000.0 + 0.0002, 2.5f);
  EXPECT_EQ(calc.Time, 20);
  EXPECT_EQ(calc.Rhythm, 2.5f);
  EXPECT_FALSE(calc.HasScores(4));
  EXPECT_TRUE(calc.HasScores(5));
  calc.Time = 9;
  EXPECT_FALSE(calc.HasScores(5));
  calc.Finish(45000.0, 0, 0);  // no key typed
  EXPECT_EQ(calc.Time, 0);
}

TEST(LevelName, ThresholdsAtOneTwoAndThree) {
  EXPECT_EQ(LevelName(0), "Beginner");
  EXPECT_EQ(LevelName(0.99f), "Beginner");
  EXPECT_EQ(LevelName(1), "Intermediate");
  EXPECT_EQ(LevelName(2.5f), "Advanced");
  EXPECT_EQ(LevelName(3), "Expert");
  EXPECT_EQ(LevelName(4), "Expert");
}

}  // namespace

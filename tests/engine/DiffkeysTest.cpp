// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <vector>

#include "engine/Diffkeys.h"
#include "storage/FileObj.h"
#include "support/TestFiles.h"

namespace {

void SetHistory(TDifficultKeys& keys, unsigned char c, int typed, int errors, int experience) {
  keys.TypedHistory[c] = typed;
  keys.ErrorHistory[c] = errors;
  keys.Experience[c] = experience;
}

void Press(TDifficultKeys& keys, unsigned char c, int times, int errors) {
  for (int i = 0; i < times; ++i) keys.RecordKey(c, i < errors);
}

TEST(DifficultKeys, RecordKeyCountsOnlyCodesAboveTheSpace) {
  TDifficultKeys keys;
  keys.RecordKey('a', false);
  keys.RecordKey('a', true);
  keys.RecordKey(' ', true);
  keys.RecordKey(13, true);
  EXPECT_EQ(keys.ExerciseTyped['a'], 2);
  EXPECT_EQ(keys.ExerciseErrors['a'], 1);
  EXPECT_EQ(keys.ExerciseTyped[' '], 0);
  EXPECT_EQ(keys.ExerciseTyped[13], 0);
}

TEST(DifficultKeys, DifficultyScalesDownWithLittleExperience) {
  TDifficultKeys keys;
  SetHistory(keys, 'k', 10, 5, 10);
  EXPECT_NEAR(keys.Difficulty('k'), 50.0 * 10 / 15 * 4, 1e-3);  // before any cap
  SetHistory(keys, 'k', 20, 5, 15);
  EXPECT_FLOAT_EQ(keys.Difficulty('k'), 100);
  SetHistory(keys, 'k', 0, 5, 15);
  EXPECT_EQ(keys.Difficulty('k'), 0);
}

TEST(DifficultKeys, OnlyLettersCommaAndFullStopCanBeDifficult) {
  TDifficultKeys keys;
  for (unsigned char c : std::string("1;!\xe4,.Q")) SetHistory(keys, c, 10, 5, 100);
  EXPECT_EQ(keys.Difficulty('1'), 0);
  EXPECT_EQ(keys.Difficulty(';'), 0);
  EXPECT_EQ(keys.Difficulty('!'), 0);
  EXPECT_EQ(keys.Difficulty(0xE4), 0);
  EXPECT_FLOAT_EQ(keys.Difficulty(','), 200);
  EXPECT_FLOAT_EQ(keys.Difficulty('.'), 200);
  EXPECT_FLOAT_EQ(keys.Difficulty('Q'), 200);
}

TEST(DifficultKeys, CommitWeighsTheHistoryByThePressesOfTheExercise) {
  TDifficultKeys keys;
  SetHistory(keys, 'a', 10, 5, 500);
  Press(keys, 'a', 20, 1);  // keep half: 5 + 20 typed, 2.5 -> 2 + 1 errors
  SetHistory(keys, 'b', 100, 50, 1000);
  Press(keys, 'b', 40, 2);          // from 40 presses on the history is replaced
  SetHistory(keys, 'c', 7, 3, 50);  // not pressed: untouched
  keys.Commit();
  EXPECT_EQ(keys.TypedHistory['a'], 25);
  EXPECT_EQ(keys.ErrorHistory['a'], 3);
  EXPECT_EQ(keys.Experience['a'], 520);
  EXPECT_EQ(keys.TypedHistory['b'], 40);
  EXPECT_EQ(keys.ErrorHistory['b'], 2);
  EXPECT_EQ(keys.TypedHistory['c'], 7);
  EXPECT_EQ(keys.ErrorHistory['c'], 3);
  EXPECT_EQ(keys.Experience['c'], 50);
  EXPECT_EQ(keys.ExerciseTyped['a'], 0);
  EXPECT_EQ(keys.ExerciseErrors['b'], 0);
}

TEST(DifficultKeys, CommitCapsDifficultyAndExperience) {
  TDifficultKeys keys;
  Press(keys, 'x', 10, 10);  // a new key, all wrong: 266.7 before the cap
  SetHistory(keys, 'y', 0, 0, 28990);
  Press(keys, 'y', 20, 0);
  keys.Commit();
  EXPECT_EQ(keys.ErrorHistory['x'], 4);  // 10 x 100 / 266.7 = 3.75
  EXPECT_NEAR(keys.Difficulty('x'), 106.7, 0.1);
  EXPECT_EQ(keys.Experience['y'], 25000);
}

TEST(DifficultKeys, OrderingWithoutFilterPutsTheMostDifficultFirst) {
  EXPECT_EQ(TDifficultKeys().Level(), 4);  // nothing typed yet
  TDifficultKeys keys;
  SetHistory(keys, 'a', 100, 25, 100);  // 100
  SetHistory(keys, 'b', 100, 50, 100);  // 200
  SetHistory(keys, 'c', 100, 10, 100);  // 40
  EXPECT_EQ(keys.KeyAt(1), 'b');
  EXPECT_EQ(keys.KeyAt(2), 'a');
  EXPECT_EQ(keys.KeyAt(3), 'c');
  EXPECT_FLOAT_EQ(keys.DifficultyAt(1), 200);
  EXPECT_EQ(keys.DifficultyAt(4), 0);
  EXPECT_EQ(keys.OrderCount(), 223);
  EXPECT_EQ(keys.KeyAt(0), 0);
  EXPECT_EQ(keys.KeyAt(224), 0);
  EXPECT_EQ(keys.DifficultyAt(224), 0);
  EXPECT_EQ(keys.Level(), 0);

  // Every code takes part once.
  std::vector<bool> seen(256, false);
  for (int i = 1; i <= 223; ++i) seen[keys.KeyAt(i)] = true;
  for (int c = 33; c <= 255; ++c) EXPECT_TRUE(seen[c]) << c;
}

TEST(DifficultKeys, OrderingWithFilterTakesOnlyItsKeysAndLeavesNoStaleOnes) {
  TDifficultKeys keys;
  SetHistory(keys, 'a', 100, 5, 100);   // 20
  SetHistory(keys, 'b', 100, 50, 100);  // 200, not in the filter
  SetHistory(keys, 's', 100, 10, 100);  // 40
  keys.KeyAt(1);
  keys.SetFilter("asdf");
  EXPECT_TRUE(keys.HasFilter);
  EXPECT_EQ(keys.KeyAt(1), 's');
  EXPECT_EQ(keys.KeyAt(2), 'a');
  EXPECT_EQ(keys.OrderCount(), 4);
  EXPECT_EQ(keys.KeyAt(5), 0);  // past the filter's keys
  EXPECT_EQ(keys.DifficultyAt(5), 0);
  EXPECT_FLOAT_EQ(keys.Level(), 2.4f);

  keys.SetFilter("");
  EXPECT_FALSE(keys.HasFilter);
  EXPECT_EQ(keys.KeyAt(1), 'b');
  keys.SetFilter(std::string(200, 'a'));
  EXPECT_EQ(keys.Filter.size(), kFilterMax);
}

TEST(DifficultKeys, CommitReorders) {
  TDifficultKeys keys;
  SetHistory(keys, 'a', 100, 10, 100);
  EXPECT_EQ(keys.KeyAt(1), 'a');
  Press(keys, 'z', 40, 20);
  keys.Commit();
  EXPECT_EQ(keys.KeyAt(1), 'z');
}

TEST(DifficultKeys, StoredFormRoundTripsWithSignExtension) {
  TDifficultKeys keys;
  SetHistory(keys, '!', 1, 2, 3);
  SetHistory(keys, 'a', 40000, -5, 29000);  // 40000 keeps its low 16 bits only
  SetHistory(keys, 255, 7, 8, 9);
  keys.RecordKey('q', true);  // saving folds the exercise in first

  std::vector<unsigned char> block(kKeyStatsBytes);
  keys.SaveTo(block.data());
  EXPECT_EQ(keys.ExerciseTyped['q'], 0);
  // Experience, typed and error histories, 223 values each, code 33 first.
  EXPECT_EQ(block[0], 3);
  EXPECT_EQ(block[446], 1);
  EXPECT_EQ(block[892], 2);
  EXPECT_EQ(block[2 * ('a' - 33)], 29000 & 0xFF);
  EXPECT_EQ(block[2 * ('a' - 33) + 1], 29000 >> 8);
  EXPECT_EQ(block[446 + 2 * ('a' - 33) + 1], 40000 >> 8);
  EXPECT_EQ(block[892 + 2 * ('a' - 33)], 0xFB);  // -5
  EXPECT_EQ(block[892 + 2 * ('a' - 33) + 1], 0xFF);

  TDifficultKeys loaded;
  loaded.KeyAt(1);
  loaded.LoadFrom(block.data());
  EXPECT_FALSE(loaded.Sorted);
  EXPECT_EQ(loaded.Experience['!'], 3);
  EXPECT_EQ(loaded.TypedHistory['!'], 1);
  EXPECT_EQ(loaded.ErrorHistory['!'], 2);
  EXPECT_EQ(loaded.TypedHistory['a'], 40000 - 65536);
  EXPECT_EQ(loaded.ErrorHistory['a'], -5);
  EXPECT_EQ(loaded.Experience[255], 9);
  EXPECT_EQ(loaded.TypedHistory['q'], 1);
  EXPECT_EQ(loaded.ErrorHistory['q'], 1);
  EXPECT_EQ(loaded.Difficulty('a'), 0);  // a negative history is no difficulty

  std::vector<unsigned char> again(kKeyStatsBytes);
  loaded.SaveTo(again.data());
  EXPECT_EQ(again, block);
}

}  // namespace

// The record-file form writes the same bytes as the in-memory one, and a
// record cut short leaves nothing of an earlier student behind.
TEST(DifficultKeys, RecordFileFormMatchesTheBlockAndACutRecordClears) {
  qxtest::TempDir dir;
  TDifficultKeys keys;
  SetHistory(keys, 'k', 12, 3, 40);
  TRecFile out;
  ASSERT_EQ(out.Open(dir / "keys.rec", kRecCreate, 0), kFileOpen);
  EXPECT_EQ(keys.Save(out), kFileOpen);
  out.Close();
  std::vector<unsigned char> block(kKeyStatsBytes);
  keys.SaveTo(block.data());
  const std::string bytes = qxtest::ReadBytes(dir / "keys.rec");
  EXPECT_EQ(bytes, std::string(block.begin(), block.end()));

  TDifficultKeys loaded;
  TRecFile in;
  ASSERT_EQ(in.Open(dir / "keys.rec", kRecOpen, kShareReadOnly), kFileOpen);
  EXPECT_EQ(loaded.Load(in), kFileOpen);
  in.Close();
  EXPECT_EQ(loaded.ErrorHistory['k'], 3);

  qxtest::WriteBytes(dir / "cut.rec", bytes.substr(0, 500));
  TRecFile cut;
  ASSERT_EQ(cut.Open(dir / "cut.rec", kRecOpen, kShareReadOnly), kFileOpen);
  EXPECT_EQ(loaded.Load(cut), kFileEnd);
  EXPECT_EQ(loaded.ErrorHistory['k'], 0);
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "platform/Dialogs.h"
#include "storage/FileObj.h"
#include "storage/PrgSetup.h"
#include "storage/Topten.h"
#include "support/TestFiles.h"
#include "DataDirFixture.h"

using TopTenFile = qxtest::DataDirTest;

TEST(TopTen, RankingOnAFreshTable) {
  struct Case {
    int score;
    int rank;
  };
  const Case cases[] = {{300, 10}, {299, 0}, {1000, 1}, {930, 2}, {931, 1}, {800, 3}};
  for (const auto& c : cases) {
    TtopTen table;
    EXPECT_EQ(table.AddScore(c.score, "Pat"), c.rank) << c.score;
    if (c.rank > 0) {
      EXPECT_EQ(table.Entries[c.rank].Name, "Pat");
      for (int i = 2; i <= table.Count; ++i)
        EXPECT_GE(table.Entries[i - 1].Score, table.Entries[i].Score);
    }
  }
  TtopTen table;
  table.AddScore(1000, "Top");
  EXPECT_EQ(table.Entries[10].Score, 370);  // the former 10th (300) is gone
  EXPECT_EQ(table.Entries[11].Score, 278);
}

TEST(TopTen, ListLinesAndTheWinnerRule) {
  TtopTen table;
  table.SetName(1, "A;B");
  const auto lines = table.GetList(3);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].substr(0, 15), "the Winner;930;");
  EXPECT_EQ(table.Entries[1].Name, "the Winner");
  EXPECT_EQ(lines[2].substr(0, 17), "Quillbrandex;790;");
  EXPECT_EQ(table.GetList(0).size(), 10u);
}

TEST_F(TopTenFile, SaveWritesCountRecordsAndLeavesTheRest) {
  TtopTen big;
  big.Load("Bubb");
  EXPECT_EQ(big.Save(15), kFileOpen);
  std::string bytes = qxtest::ReadBytes(dir_ / "Bubb.qxt");
  ASSERT_EQ(bytes.size(), 15u * kTopTenRecordSize);
  bytes[14 * kTopTenRecordSize + 1] = 'Z';  // a mark in the 15th record
  qxtest::WriteBytes(dir_ / "Bubb.qxt", bytes);

  TtopTen table;
  EXPECT_EQ(table.Load("Bubb"), kFileOpen);
  EXPECT_EQ(table.Count, 15);
  table.AddScore(70000, "Big");
  EXPECT_EQ(table.Save(10), kFileOpen);
  const std::string after = qxtest::ReadBytes(dir_ / "Bubb.qxt");
  EXPECT_EQ(after.size(), bytes.size());
  EXPECT_EQ(after[14 * kTopTenRecordSize + 1], 'Z');

  TtopTen reread;
  reread.Load("Bubb");
  EXPECT_EQ(reread.Entries[1].Score, 4464);  // 70000 kept in 16 bits
  EXPECT_EQ(reread.Entries[1].Name, "Big");
}

TEST_F(TopTenFile, AMissingTableGivesTheDefaults) {
  TtopTen table;
  EXPECT_EQ(table.Load("None"), kFileNotFound);
  EXPECT_EQ(table.Count, 10);
  EXPECT_EQ(table.Entries[1].Score, 930);
  EXPECT_TRUE(dialogs_.Asked().empty());
}

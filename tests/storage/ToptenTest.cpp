// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cerrno>

#include "platform/Dialogs.h"
#include "platform/LockedFile.h"
#include "storage/FileObj.h"
#include "storage/PrgSetup.h"
#include "storage/Topten.h"
#include "support/Children.h"
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
  EXPECT_EQ(reread.Entries[1].Score, 32767);  // as high as 16 bits go, still the best
  EXPECT_EQ(reread.Entries[1].Name, "Big");
}

TEST_F(TopTenFile, ScoresBeyond16BitsStayAtTheLimit) {
  TtopTen table;
  table.Load("Big");
  table.Count = 4;
  const int scores[] = {0, 70000, 32767, -32768, -70000};
  for (int i = 1; i <= 4; ++i) table.Entries[i].Score = scores[i];
  ASSERT_EQ(table.Save(0), kFileOpen);
  TtopTen reread;
  ASSERT_EQ(reread.Load("Big"), kFileOpen);
  const int expected[] = {0, 32767, 32767, -32768, -32768};
  for (int i = 1; i <= 4; ++i) EXPECT_EQ(reread.Entries[i].Score, expected[i]) << i;
}

TEST_F(TopTenFile, OnlyWholeRecordsAreRead) {
  TtopTen full;
  full.Load("Zaro");
  full.Entries[1].Name = "Ann";
  full.Entries[3].Name = "Cy";
  ASSERT_EQ(full.Save(10), kFileOpen);
  const std::string bytes = qxtest::ReadBytes(dir_ / "Zaro.qxt");

  struct Case {
    size_t size;
    int status;
    int count;
    const char* first;
  };
  // An interrupted save, or a table another workstation has only just made.
  const Case cases[] = {
      {0, kFileNotFound, 10, "Quillbrandex"},
      {1, kFileNotFound, 10, "Quillbrandex"},
      {513, kFileNotFound, 10, "Quillbrandex"},
      {514 * 3 + 100, kFileOpen, 3, "Ann"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.size);
    qxtest::WriteBytes(dir_ / "Zaro.qxt", bytes.substr(0, c.size));
    TtopTen table;
    EXPECT_EQ(table.Load("Zaro"), c.status);
    EXPECT_EQ(table.Count, c.count);
    EXPECT_EQ(table.Entries[1].Name, c.first);
    for (int i = 1; i <= table.Count; ++i) EXPECT_EQ(table.Entries[i].Score, 1000 - 70 * i) << i;
    EXPECT_EQ(table.Entries[3].Name, c.count == 3 ? "Cy" : "Quillbrandex");
    if (c.status != kFileOpen) {
      // What the result view does next: a fresh table, readable again.
      ASSERT_EQ(table.Save(10), kFileOpen);
      TtopTen reread;
      EXPECT_EQ(reread.Load("Zaro"), kFileOpen);
      EXPECT_EQ(reread.Entries[10].Score, 300);
    }
  }
  EXPECT_TRUE(dialogs_.Asked().empty());
}

TEST_F(TopTenFile, ATableThatCannotBeCreatedIsReportedOnce) {
  settings_->DataPath = dir_ / "gone/";
  TtopTen table;
  EXPECT_EQ(table.Load("Bubb"), kFileNotFound);
  EXPECT_EQ(table.Save(10), kFileOpenFailed);
  ASSERT_EQ(dialogs_.Asked().size(), 1u);
  EXPECT_EQ(dialogs_.Asked()[0].text,
            "#-2 File open failed\n\r" + dir_ / "gone/Bubb.qxt: " + qx::SystemErrorText(ENOENT));
}

TEST_F(TopTenFile, AMissingTableGivesTheDefaults) {
  TtopTen table;
  EXPECT_EQ(table.Load("None"), kFileNotFound);
  EXPECT_EQ(table.Count, 10);
  EXPECT_EQ(table.Entries[1].Score, 930);
  EXPECT_TRUE(dialogs_.Asked().empty());
}

// Two workstations finishing games at the same moment both keep their
// entries, and a rename finds its entry even after it was pushed down.
TEST_F(TopTenFile, EntriesFromTwoProcessesAtOnceAreAllKept) {
  auto player = [](const std::string& who) {
    return qxtest::StartChild([who] {
      for (int i = 0; i < 4; ++i) {
        TtopTen table;
        if (table.EnterScore("race", 1000 + i, who + std::to_string(i)) < 1) return 1;
      }
      return 0;
    });
  };
  const pid_t a = player("A"), b = player("B");
  EXPECT_EQ(qxtest::WaitChild(a), 0);
  EXPECT_EQ(qxtest::WaitChild(b), 0);
  TtopTen table;
  ASSERT_EQ(table.Load("race"), kFileOpen);
  EXPECT_EQ(table.Count, 10);
  int found = 0;
  for (int i = 1; i <= table.Count; ++i)
    if (table.Entries[i].Name.size() == 2 && (table.Entries[i].Name[0] == 'A' || table.Entries[i].Name[0] == 'B'))
      ++found;
  EXPECT_EQ(found, 8);

  TtopTen mine;
  ASSERT_EQ(mine.EnterScore("race", 990, "Me"), 9);
  const TtopTen::TEntry entry = mine.Entries[9];
  TtopTen other;
  ASSERT_EQ(other.EnterScore("race", 2000, "Other"), 1);
  EXPECT_EQ(mine.RenameEntry(entry, "Pat"), kFileOpen);
  table.Load("race");
  EXPECT_EQ(table.Entries[10].Name, "Pat");
  EXPECT_EQ(table.Entries[10].Score, 990);
  EXPECT_EQ(table.Entries[1].Name, "Other");
}

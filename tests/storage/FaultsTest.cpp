// SPDX-License-Identifier: GPL-3.0-or-later
// Faults from outside: a disk that fills up while a record is written and
// a workstation killed while it holds a shared file.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>

#include "DataDirFixture.h"
#include "storage/FileObj.h"
#include "storage/Topten.h"
#include "storage/User.h"
#include "support/Children.h"

using qxtest::ReadBytes;

namespace {

class Faults : public qxtest::DataDirTest {
 protected:
  std::string DbPath() const { return dir_ / "userbase.qx4"; }
  // Runs body in a child whose files may not grow beyond limit bytes.
  static int WithFileSizeLimit(rlim_t limit, const std::function<int()>& body) {
    return qxtest::WaitChild(qxtest::StartChild([&] {
      signal(SIGXFSZ, SIG_IGN);
      const rlimit l{limit, limit};
      if (setrlimit(RLIMIT_FSIZE, &l) != 0) return 90;
      return body();
    }));
  }
};

}  // namespace

TEST_F(Faults, ADiskThatFillsUpDuringASaveLeavesEveryWholeRecordAndTellsTheNumber) {
  auto anna = CreateUser("Anna");
  ASSERT_NE(anna, nullptr);
  anna->StudyTime = 40;
  ASSERT_EQ(SaveUser(*anna), 1);
  const std::string before = ReadBytes(DbPath());

  // A new student needs a second record; the disk has room for half of it.
  const int child = WithFileSizeLimit(before.size() + kUserRecordSize / 2, [&] {
    sandbox_.dialogs.ClearAsked();
    if (CreateUser("Bert")) return 1;
    const auto& asked = sandbox_.dialogs.Asked();
    return asked.size() == 1 && asked[0].text.rfind("#-5 File write error", 0) == 0 ? 0 : 2;
  });
  EXPECT_EQ(child, 0);
  EXPECT_EQ(ReadBytes(DbPath()), before);  // no half record for the next reader

  // So is a top-ten table that is being made.
  const int table = WithFileSizeLimit(3 * kTopTenRecordSize, [] {
    TtopTen t;
    t.Load("Zaro");
    t.Save(10);
    return 0;
  });
  EXPECT_EQ(table, 0);
  TtopTen fresh;
  EXPECT_NE(fresh.Load("Zaro"), 1);  // empty, as good as missing: the defaults
  EXPECT_EQ(ReadBytes(dir_ / "Zaro.qxt").size() % kTopTenRecordSize, 0u);

  // Once there is room again the student is created and saved as usual.
  auto bert = CreateUser("Bert");
  ASSERT_NE(bert, nullptr);
  bert->StudyTime = 12;
  EXPECT_EQ(SaveUser(*bert), 1);
  EXPECT_EQ(ReadBytes(DbPath()).size(), 2u * kUserRecordSize);
  EXPECT_EQ(FindUser("anna")->StudyTime, 40);
  EXPECT_EQ(FindUser("bert")->StudyTime, 12);
}

TEST_F(Faults, AWorkstationKilledWhileItHoldsTheDatabaseTakesItsLockWithIt) {
  ASSERT_NE(CreateUser("Anna"), nullptr);
  int ready[2];
  ASSERT_EQ(pipe(ready), 0);
  const pid_t holder = qxtest::StartChild([&] {
    TRecFile f;
    const char c = f.Open(DbPath(), kRecOpen, kShareExclusive) == 1 ? 'y' : 'n';
    if (write(ready[1], &c, 1) != 1) return 1;
    pause();  // holds the file until it is killed
    return 0;
  });
  char c = 0;
  ASSERT_EQ(read(ready[0], &c, 1), 1);
  ASSERT_EQ(c, 'y');
  TRecFile blocked;
  EXPECT_EQ(blocked.Open(DbPath(), kRecOpen, kShareExclusive), -2);
  kill(holder, SIGKILL);
  EXPECT_EQ(qxtest::WaitChild(holder), -1);
  close(ready[0]);
  close(ready[1]);

  qxtest::CountingPump pump;
  qx::InstallEventPump(&pump);
  sandbox_.dialogs.ClearAsked();
  auto anna = FindUser("Anna");
  ASSERT_NE(anna, nullptr);
  anna->StudyTime = 5;
  EXPECT_EQ(SaveUser(*anna), 1);
  EXPECT_EQ(pump.waits, 0);  // nothing was left to wait for
  EXPECT_TRUE(sandbox_.dialogs.Asked().empty());
}

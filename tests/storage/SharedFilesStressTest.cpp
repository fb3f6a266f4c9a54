// SPDX-License-Identifier: GPL-3.0-or-later
// Several processes against one user database and one top-ten table, as
// workstations on a shared data directory.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <map>
#include <set>
#include <thread>

#include "engine/Diffkeys.h"
#include "platform/Dialogs.h"
#include "storage/FileObj.h"
#include "storage/PrgSetup.h"
#include "storage/Topten.h"
#include "storage/User.h"
#include "StorageSandbox.h"
#include "support/Children.h"
#include "support/TestFiles.h"

using Clock = std::chrono::steady_clock;

namespace {

// Busy questions are answered Yes: a workstation keeps trying.
class Patient final : public qx::IDialogs {
 public:
  qx::DialogAnswer Ask(const qx::DialogRequest& r) override {
    ++asked;
    return r.buttons == qx::DialogButtons::Ok ? qx::DialogAnswer::Ok : qx::DialogAnswer::Yes;
  }
  int asked = 0;
};

std::unique_ptr<TProgramSettings> EnterDataDir(const std::string& dir, Patient& dialogs) {
  qx::InstallDialogs(&dialogs);
  auto settings = std::make_unique<TProgramSettings>();
  settings->DataPath = dir;
  Settings = settings.get();
  return settings;
}

// How long the workstations keep at it: a few seconds in the test run,
// as long as wanted by hand (QX_STRESS_SECONDS=600).
std::chrono::seconds StressDuration() {
  const char* text = std::getenv("QX_STRESS_SECONDS");
  const int seconds = text ? std::atoi(text) : 0;
  return std::chrono::seconds(seconds > 0 ? seconds : 3);
}

constexpr int kWriters = 6;
constexpr int kReaders = 2;
constexpr int kStudentsPerWriter = 3;

}  // namespace

TEST(SharedUserBase, ConcurrentWritersAndReadersKeepEveryRecordWhole) {
  qxtest::StorageSandbox sandbox;  // the children inherit its folders
  qxtest::TempDir dir;
  // Everybody starts at the same moment, on a data directory without a
  // database, so the first students are created all at once.
  const auto start = Clock::now() + std::chrono::milliseconds(300);
  const auto deadline = start + StressDuration();
  std::vector<pid_t> children;
  for (int w = 0; w < kWriters; ++w) {
    children.push_back(qxtest::StartChild([&, w] {
      std::this_thread::sleep_until(start);
      Patient dialogs;
      auto settings = EnterDataDir(dir.Path(), dialogs);
      std::vector<std::unique_ptr<TUser>> students;
      for (int s = 0; s < kStudentsPerWriter; ++s) {
        auto user = CreateUser("W" + std::to_string(w) + "S" + std::to_string(s));
        if (!user) return 1;
        students.push_back(std::move(user));
      }
      int round = 0;
      while (Clock::now() < deadline) {
        for (auto& user : students) {
          user->StudyTime = ++round;
          user->Bookmark->Chapter = round % 20;
          user->DifficultKeys->RecordKey('a' + round % 26, round % 3 == 0);
          if (SaveUser(*user) != 1) return 2;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));  // a student types meanwhile
      }
      std::ofstream out(dir / ("last" + std::to_string(w)));
      for (auto& user : students) out << user->Name << ' ' << user->StudyTime << '\n';
      return 0;
    }));
  }
  for (int r = 0; r < kReaders; ++r) {
    children.push_back(qxtest::StartChild([&] {
      Patient dialogs;
      auto settings = EnterDataDir(dir.Path(), dialogs);
      while (Clock::now() < deadline) {
        const auto names = GetUserList();
        if (names) {
          for (const auto& name : *names)
            if (name.size() != 4 || name[0] != 'W') return 4;  // a torn name
          if (!names->empty() && !FindUser(names->back())) return 5;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
      }
      return 0;
    }));
  }
  for (pid_t child : children) EXPECT_EQ(qxtest::WaitChild(child), 0);

  std::map<std::string, int> expected;
  for (int w = 0; w < kWriters; ++w) {
    std::ifstream in(dir / ("last" + std::to_string(w)));
    std::string name;
    int studyTime = 0;
    while (in >> name >> studyTime) expected[name] = studyTime;
  }
  ASSERT_EQ(expected.size(), static_cast<size_t>(kWriters * kStudentsPerWriter));

  const std::string bytes = qxtest::ReadBytes(dir / "userbase.qx4");
  ASSERT_EQ(bytes.size() % kUserRecordSize, 0u);
  ASSERT_EQ(bytes.size() / kUserRecordSize, expected.size());  // nobody missing or doubled
  Patient dialogs;
  auto settings = EnterDataDir(dir.Path(), dialogs);
  for (const auto& [name, studyTime] : expected) {
    auto user = FindUser(name);
    ASSERT_NE(user, nullptr) << name;
    EXPECT_EQ(user->StudyTime, studyTime) << name;
    EXPECT_EQ(user->Bookmark->Chapter, studyTime % 20) << name;
  }
  qx::InstallDialogs(nullptr);
  Settings = nullptr;
}

TEST(SharedTopTen, EverySaveLeavesAWholeSortedTable) {
  qxtest::StorageSandbox sandbox;
  qxtest::TempDir dir;
  const auto deadline = Clock::now() + StressDuration();
  std::vector<pid_t> children;
  for (int p = 0; p < 2; ++p) {
    children.push_back(qxtest::StartChild([&, p] {
      Patient dialogs;
      auto settings = EnterDataDir(dir.Path(), dialogs);
      int score = 300 + p;
      while (Clock::now() < deadline) {
        TtopTen table;
        if (table.Load("Zaro") != kFileOpen) table.Save(10);
        table.AddScore(score += 7, "P" + std::to_string(p));
        table.Save(0);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        TtopTen check;
        if (check.Load("Zaro") != kFileOpen || check.Count != 10) return 1;
        for (int i = 2; i <= check.Count; ++i)
          if (check.Entries[i - 1].Score < check.Entries[i].Score) return 2;
      }
      return 0;
    }));
  }
  for (pid_t child : children) EXPECT_EQ(qxtest::WaitChild(child), 0);
  EXPECT_EQ(qxtest::ReadBytes(dir / "Zaro.qxt").size(), 10u * kTopTenRecordSize);
}

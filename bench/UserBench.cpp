// SPDX-License-Identifier: GPL-3.0-or-later
// Finding the last student in a database of 1000 records on a local disk:
// open with its lock, read 1000 names, load the record, close.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "engine/Diffkeys.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "storage/PrgSetup.h"
#include "storage/User.h"

namespace {

std::string MakeDatabase(const std::string& dir) {
  std::ofstream out(dir + "userbase.qx4", std::ios::binary | std::ios::trunc);
  for (int i = 0; i < 1000; ++i) {
    TUser user("Student " + std::to_string(i));
    user.StudyTime = i;
    unsigned char record[kUserRecordSize];
    user.ToRecord(record);
    out.write(reinterpret_cast<const char*>(record), kUserRecordSize);
  }
  return "Student 999";
}

void BM_FindLastOfThousand(benchmark::State& state) {
  char pattern[] = "/tmp/qxbench-XXXXXX";
  const std::string dir = std::string(mkdtemp(pattern)) + "/";
  // Settings of its own: nothing lands in the real configuration.
  setenv("QX_CONFIG_DIR", dir.c_str(), 1);
  qx::SetProgramDir(dir);
  qx::ChangeDirectory(dir);
  qx::ScriptedDialogs quiet;
  qx::InstallDialogs(&quiet);
  TProgramSettings settings;
  settings.DataPath = dir;
  Settings = &settings;
  TDifficultKeys keys;
  KeyStats = &keys;
  const std::string last = MakeDatabase(dir);
  for (auto _ : state) {
    auto user = FindUser(last);
    if (!user || user->StudyTime != 999) state.SkipWithError("not found");
    benchmark::DoNotOptimize(user);
  }
  KeyStats = nullptr;
  Settings = nullptr;
  qx::InstallDialogs(nullptr);
  std::filesystem::remove_all(dir);
}
BENCHMARK(BM_FindLastOfThousand)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

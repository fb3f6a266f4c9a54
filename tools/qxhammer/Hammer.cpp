// SPDX-License-Identifier: GPL-3.0-or-later
// A classroom on one data folder: qxhammer [-n workstations] [-s seconds]
// [-d folder]. Each workstation is a process that creates students, logs
// them on, saves their progress and key statistics, enters top-ten scores
// and reports to the error log, while every other one lists and finds
// students. Afterwards the folder is checked: every student once and
// whole with the values last saved, every top-ten table whole and sorted,
// every error-log record there once and whole. Exit code 0 when all holds.
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "HammerCheck.h"
#include "engine/Diffkeys.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "storage/Errors.h"
#include "storage/PrgSetup.h"
#include "storage/Topten.h"
#include "storage/User.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

// A student at a workstation answers Yes to the busy question and reads
// every other box; both are counted.
class Student final : public qx::IDialogs {
 public:
  qx::DialogAnswer Ask(const qx::DialogRequest& r) override {
    if (r.buttons != qx::DialogButtons::Ok) {
      ++busyQuestions;
      return qx::DialogAnswer::Yes;
    }
    // The first students of a new folder are told the database is made.
    if (!r.text.starts_with(qxhammer::kLogCodeText) && !r.text.starts_with("User database doesn't exist, new"))
      unexpected.push_back(r.text);
    return qx::DialogAnswer::Ok;
  }
  int busyQuestions = 0;
  std::vector<std::string> unexpected;
};

struct Options {
  int workstations = 8;
  int seconds = 60;
  std::string folder;
};

// One workstation's session; its journal tells the checker what it did.
int Workstation(int w, const std::string& folder, Clock::time_point start, Clock::time_point deadline) {
  qx::ChangeDirectory(folder);  // the error log is shared too
  Student dialogs;
  qx::InstallDialogs(&dialogs);
  TProgramSettings settings;
  Settings = &settings;
  std::this_thread::sleep_until(start);

  qxhammer::Journal journal;
  std::vector<std::unique_ptr<TUser>> students;
  unsigned seed = 2166136261u ^ static_cast<unsigned>(w);
  auto chance = [&seed](unsigned n) {
    seed = seed * 1103515245u + 12345u;
    return (seed >> 16) % n;
  };
  for (int round = 1; Clock::now() < deadline; ++round) {
    // A new student every few rounds, up to four per workstation.
    if (students.size() < 4 && (students.empty() || chance(6) == 0)) {
      const std::string name = qxhammer::StudentName(w, static_cast<int>(students.size()));
      auto user = CreateUser(name);
      if (!user) return 3;
      journal.Created(name);
      students.push_back(std::move(user));
    }
    TUser& user = *students[chance(static_cast<unsigned>(students.size()))];
    // Log on again and find what was saved last.
    auto found = FindUser(user.Name);
    if (!found || !qxhammer::Holds(*found, journal.Last(user.Name))) ++journal.staleReads;
    qxhammer::Progress(user, round);
    user.DifficultKeys->RecordKey(static_cast<unsigned char>('a' + round % 26), round % 4 == 0);
    user.DifficultKeys->Commit();
    const int saved = SaveUser(user);
    if (saved == 1)
      journal.Saved(user);
    else
      ++journal.failedSaves;
    if (chance(3) == 0) {
      TtopTen table;
      const std::string name = qxhammer::TableName(static_cast<int>(chance(2)));
      if (table.Load(name) != 1) table.Save(10);
      table.AddScore(static_cast<int>(chance(1200)), "W" + std::to_string(w));
      table.Save(0);
      ++journal.scores;
    }
    if (chance(2) == 0) {
      const std::string detail = qxhammer::LogDetail(w, ++journal.logRecords);
      ReportError(qxhammer::kLogCode, detail);
    }
    if (w % 2 == 1) {
      const auto names = GetUserList();
      if (names && !names->empty()) FindUser((*names)[chance(static_cast<unsigned>(names->size()))]);
      ++journal.lists;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5 + chance(20)));  // typing meanwhile
  }
  journal.busyQuestions = dialogs.busyQuestions;
  journal.unexpectedBoxes = dialogs.unexpected;
  return journal.WriteTo(folder + qxhammer::JournalName(w)) ? 0 : 4;
}

bool ParseOptions(int argc, char** argv, Options& o) {
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string flag = argv[i];
    if (flag == "-n")
      o.workstations = std::atoi(argv[i + 1]);
    else if (flag == "-s")
      o.seconds = std::atoi(argv[i + 1]);
    else if (flag == "-d")
      o.folder = argv[i + 1];
    else
      return false;
  }
  return argc % 2 == 1 && o.workstations > 0 && o.seconds > 0;
}

}  // namespace

int main(int argc, char** argv) {
  Options o;
  if (!ParseOptions(argc, argv, o)) {
    std::fprintf(stderr, "usage: qxhammer [-n workstations] [-s seconds] [-d folder]\n");
    return 2;
  }
  const bool ownFolder = o.folder.empty();
  if (ownFolder) o.folder = (fs::temp_directory_path() / ("qxhammer-" + std::to_string(getpid()))).string();
  o.folder = qx::WithTrailingSlash(o.folder);
  if (!qxhammer::PrepareFolder(o.folder)) {
    std::fprintf(stderr, "qxhammer: cannot prepare %s\n", o.folder.c_str());
    return 2;
  }

  const auto start = Clock::now() + std::chrono::milliseconds(200 + 20 * o.workstations);
  const auto deadline = start + std::chrono::seconds(o.seconds);
  std::vector<pid_t> children;
  std::fflush(nullptr);
  for (int w = 0; w < o.workstations; ++w) {
    const pid_t pid = fork();
    if (pid == 0) _exit(Workstation(w, o.folder, start, deadline));
    children.push_back(pid);
  }
  int crashed = 0;
  for (pid_t pid : children) {
    int status = 0;
    if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) ++crashed;
  }

  // The check reads the folder as one more workstation would.
  Student reader;
  qx::InstallDialogs(&reader);
  TProgramSettings settings;
  Settings = &settings;
  const qxhammer::Findings f = qxhammer::Check(o.folder, o.workstations);
  std::printf("%s", f.Report(o.workstations, o.seconds, crashed).c_str());
  const bool clean = crashed == 0 && f.Clean();
  if (ownFolder && clean) fs::remove_all(o.folder);
  else std::printf("data folder kept: %s\n", o.folder.c_str());
  return clean ? 0 : 1;
}

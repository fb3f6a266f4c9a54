// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <map>
#include <string>
#include <vector>

class TUser;

// What the hammer's workstations write and what its check reads back.
namespace qxhammer {

// The hammer's own error-log records, told apart from real failures.
constexpr int kLogCode = -9001;
extern const char* const kLogCodeText;  // "#-9001 "

std::string StudentName(int workstation, int n);
std::string TableName(int n);
std::string LogDetail(int workstation, int n);
std::string JournalName(int workstation);

// The values a save stores; a record holds all of one save or it is torn.
struct Snapshot {
  int studyTime = 0;
  int lessonTime = 0;
  int chapter = 0, exercise = 0, event = 0;
  int storyPosition = 0;
  std::string storyFile;
};
Snapshot SnapshotOf(const TUser& user);
void Progress(TUser& user, int round);
bool Holds(const TUser& user, const Snapshot& s);

class Journal {
 public:
  void Created(const std::string& name);
  void Saved(const TUser& user);
  const Snapshot& Last(const std::string& name) { return last_[name]; }
  bool WriteTo(const std::string& path) const;
  bool ReadFrom(const std::string& path);

  int saves = 0, failedSaves = 0, staleReads = 0, scores = 0, lists = 0, logRecords = 0;
  int busyQuestions = 0;
  std::vector<std::string> unexpectedBoxes;
  std::map<std::string, Snapshot> last_;
};

// The data folder with a workstation's settings pointing at it.
bool PrepareFolder(const std::string& folder);

struct Findings {
  int students = 0, saves = 0, failedSaves = 0, staleReads = 0, scores = 0, lists = 0;
  int busyQuestions = 0, unexpectedBoxes = 0, missingJournals = 0;
  int studentsLost = 0, studentsDoubled = 0, studentsTorn = 0, studentsNotLast = 0, strangers = 0;
  int tables = 0, tablesTorn = 0, tablesUnsorted = 0;
  int logWritten = 0, logFound = 0, logLost = 0, logDoubled = 0, logTorn = 0, otherReports = 0;
  std::vector<std::string> notes;
  bool Clean() const;
  std::string Report(int workstations, int seconds, int crashed) const;
};

Findings Check(const std::string& folder, int workstations);

}  // namespace qxhammer

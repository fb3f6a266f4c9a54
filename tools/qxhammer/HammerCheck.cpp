// SPDX-License-Identifier: GPL-3.0-or-later
#include "HammerCheck.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

#include "platform/Files.h"
#include "storage/FileObj.h"
#include "storage/Topten.h"
#include "storage/User.h"

namespace qxhammer {

const char* const kLogCodeText = "#-9001 ";

std::string StudentName(int workstation, int n) {
  return "Student W" + std::to_string(workstation) + "-" + std::to_string(n);
}
std::string TableName(int n) { return n == 0 ? "Zarozira" : "Bubbles"; }
std::string LogDetail(int workstation, int n) {
  return "workstation " + std::to_string(workstation) + " record " + std::to_string(n);
}
std::string JournalName(int workstation) { return "journal-" + std::to_string(workstation) + ".txt"; }

Snapshot SnapshotOf(const TUser& u) {
  return {u.StudyTime, u.LessonTime, u.Bookmark->Chapter, u.Bookmark->Exercise, u.Bookmark->Event,
          u.StoryPosition, u.StoryFile};
}

// Every field follows from the round, so a record mixed from two saves
// does not add up.
void Progress(TUser& u, int round) {
  const int r = round % 30000;
  u.StudyTime = r;
  u.LessonTime = r % 90;
  u.Bookmark->Chapter = r % 20 + 1;
  u.Bookmark->Exercise = r % 10 + 1;
  u.Bookmark->Event = r % 7 + 1;
  u.StoryPosition = r * 1000 + 7;
  u.StoryFile = u.Name + "@" + std::to_string(r);
}

bool Holds(const TUser& u, const Snapshot& s) {
  const Snapshot h = SnapshotOf(u);
  return h.studyTime == s.studyTime && h.lessonTime == s.lessonTime && h.chapter == s.chapter &&
         h.exercise == s.exercise && h.event == s.event && h.storyPosition == s.storyPosition &&
         h.storyFile == s.storyFile;
}

namespace {

bool Consistent(const TUser& u) {
  if (u.StoryFile.empty()) return u.StudyTime == 0 && u.StoryPosition == 0;  // never saved
  TUser probe(u.Name);
  Progress(probe, u.StudyTime);
  return Holds(u, SnapshotOf(probe));
}

std::string Bytes(const std::string& path) {
  std::ifstream in(qx::OsPath(path), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::string> Lines(const std::string& raw) {
  std::vector<std::string> lines;
  size_t pos = 0;
  while (pos < raw.size()) {
    const size_t end = raw.find("\r\n", pos);
    if (end == std::string::npos) {
      lines.push_back(raw.substr(pos));  // a last line without its end: torn
      break;
    }
    lines.push_back(raw.substr(pos, end - pos));
    pos = end + 2;
  }
  return lines;
}

}  // namespace

void Journal::Created(const std::string& name) { last_[name] = Snapshot{0, 0, 0, 0, 0, 0, ""}; }

void Journal::Saved(const TUser& user) {
  ++saves;
  last_[user.Name] = SnapshotOf(user);
}

bool Journal::WriteTo(const std::string& path) const {
  std::ofstream out(qx::OsPath(path));
  out << saves << ' ' << failedSaves << ' ' << staleReads << ' ' << scores << ' ' << lists << ' '
      << logRecords << ' ' << busyQuestions << ' ' << unexpectedBoxes.size() << ' ' << last_.size() << '\n';
  for (const auto& text : unexpectedBoxes) out << text.substr(0, text.find('\n')) << '\n';
  for (const auto& [name, s] : last_)
    out << name << '\t' << s.studyTime << ' ' << s.lessonTime << ' ' << s.chapter << ' ' << s.exercise
        << ' ' << s.event << ' ' << s.storyPosition << '\t' << s.storyFile << '\n';
  return static_cast<bool>(out.flush());
}

bool Journal::ReadFrom(const std::string& path) {
  std::ifstream in(qx::OsPath(path));
  size_t boxes = 0, students = 0;
  if (!(in >> saves >> failedSaves >> staleReads >> scores >> lists >> logRecords >> busyQuestions >> boxes >>
        students))
    return false;
  in.ignore(1);
  std::string line;
  for (size_t i = 0; i < boxes && std::getline(in, line); ++i) unexpectedBoxes.push_back(line);
  for (size_t i = 0; i < students && std::getline(in, line); ++i) {
    std::istringstream fields(line);
    std::string name, numbers, story;
    std::getline(fields, name, '\t');
    std::getline(fields, numbers, '\t');
    std::getline(fields, story);
    Snapshot s;
    std::istringstream(numbers) >> s.studyTime >> s.lessonTime >> s.chapter >> s.exercise >> s.event >>
        s.storyPosition;
    s.storyFile = story;
    last_[name] = s;
  }
  return last_.size() == students;
}

bool PrepareFolder(const std::string& folder) {
  const std::string config = folder + "config/";
  if (!qx::EnsureDirectory(config)) return false;
  std::ofstream(qx::OsPath(config + "QXLocal.ini")) << "[General Settings]\r\nDataPath=" << folder << "\r\n";
  std::ofstream(qx::OsPath(folder + "QXCommon.ini")) << "[Keyboard Layouts]\r\nEnglish=qwerty.kbd\r\n";
  setenv("QX_CONFIG_DIR", config.c_str(), 1);
  return qx::FileExists(folder + "QXCommon.ini");
}

Findings Check(const std::string& folder, int workstations) {
  Findings f;
  std::map<std::string, Snapshot> expected;
  std::map<std::string, int> logExpected;
  for (int w = 0; w < workstations; ++w) {
    Journal j;
    if (!j.ReadFrom(folder + JournalName(w))) {
      ++f.missingJournals;
      continue;
    }
    f.saves += j.saves;
    f.failedSaves += j.failedSaves;
    f.staleReads += j.staleReads;
    f.scores += j.scores;
    f.lists += j.lists;
    f.busyQuestions += j.busyQuestions;
    f.unexpectedBoxes += static_cast<int>(j.unexpectedBoxes.size());
    for (const auto& text : j.unexpectedBoxes) f.notes.push_back("box: " + text);
    f.logWritten += j.logRecords;
    for (int i = 1; i <= j.logRecords; ++i) logExpected[" - " + LogDetail(w, i)] = 0;
    expected.insert(j.last_.begin(), j.last_.end());
  }
  f.students = static_cast<int>(expected.size());

  // The user database: whole records, each student once, with the last save.
  const std::string db = Bytes(folder + "userbase.qx4");
  if (db.size() % kUserRecordSize != 0) {
    ++f.studentsTorn;
    f.notes.push_back("userbase.qx4 ends inside a record");
  }
  std::map<std::string, int> seen;
  for (size_t at = 0; at + kUserRecordSize <= db.size(); at += kUserRecordSize) {
    const size_t length = static_cast<unsigned char>(db[at]);
    ++seen[db.substr(at + 1, length)];
  }
  for (const auto& [name, count] : seen)
    if (!expected.count(name)) f.strangers += count;
  for (const auto& [name, last] : expected) {
    const int count = seen.count(name) ? seen[name] : 0;
    if (count == 0) ++f.studentsLost;
    if (count > 1) ++f.studentsDoubled;
    if (count == 0) continue;
    auto user = FindUser(name);
    if (!user || !Consistent(*user)) {
      ++f.studentsTorn;
    } else if (!Holds(*user, last)) {
      ++f.studentsNotLast;
      f.notes.push_back(name + " does not hold its last save");
    }
  }

  // The top-ten tables: whole entries, sorted, written by nobody else.
  for (int t = 0; t < 2; ++t) {
    const std::string path = folder + TableName(t) + ".qxt";
    if (!qx::FileExists(path)) continue;
    ++f.tables;
    const std::string bytes = Bytes(path);
    TtopTen table;
    if (bytes.size() % kTopTenRecordSize != 0 || table.Load(TableName(t)) != 1) {
      ++f.tablesTorn;
      continue;
    }
    for (int i = 1; i <= table.Count; ++i) {
      const TtopTen::TEntry& e = table.Entries[i];
      const bool known = e.Name == "Quillbrandex" || (e.Name.size() >= 2 && e.Name[0] == 'W');
      if (!known || e.Date.empty() || e.Score < 0 || e.Score > 1200) ++f.tablesTorn;
      if (i > 1 && table.Entries[i - 1].Score < e.Score) ++f.tablesUnsorted;
    }
  }

  // The error log: its header, then records of four whole lines.
  const auto lines = Lines(Bytes(folder + "Errors.log"));
  size_t i = 0;
  if (lines.size() >= 2 && lines[0].starts_with("Quillbrandex ") && lines[1].starts_with("Please send"))
    i = 2;
  else if (!lines.empty())
    ++f.logTorn;
  const std::string codeLine = "#" + std::to_string(kLogCode) + "  Unknown error " + std::to_string(kLogCode);
  for (; i < lines.size(); i += 4) {
    if (i + 3 >= lines.size() || lines[i] != std::string(58, '-') ||
        lines[i + 1].find(" Build ") == std::string::npos) {
      ++f.logTorn;
      continue;
    }
    if (lines[i + 2] != codeLine) {
      ++f.otherReports;
      f.notes.push_back("log: " + lines[i + 2] + lines[i + 3]);
      continue;
    }
    auto it = logExpected.find(lines[i + 3]);
    if (it == logExpected.end())
      ++f.logTorn;
    else if (++it->second == 2)
      ++f.logDoubled;
  }
  for (const auto& [detail, count] : logExpected) {
    if (count == 0) ++f.logLost;
    if (count > 0) ++f.logFound;
  }
  return f;
}

bool Findings::Clean() const {
  return missingJournals == 0 && failedSaves == 0 && staleReads == 0 && unexpectedBoxes == 0 &&
         studentsLost == 0 && studentsDoubled == 0 && studentsTorn == 0 && studentsNotLast == 0 &&
         strangers == 0 && tablesTorn == 0 && tablesUnsorted == 0 && logLost == 0 && logDoubled == 0 &&
         logTorn == 0 && otherReports == 0;
}

std::string Findings::Report(int workstations, int seconds, int crashed) const {
  std::ostringstream r;
  r << "qxhammer: " << workstations << " workstations for " << seconds << " s\n"
    << "  students " << students << ", saves " << saves << ", failed saves " << failedSaves
    << ", log-ons that missed the last save " << staleReads << ", list-and-find rounds " << lists << "\n"
    << "  students lost " << studentsLost << ", doubled " << studentsDoubled << ", torn " << studentsTorn
    << ", not holding their last save " << studentsNotLast << ", unknown records " << strangers << "\n"
    << "  top-ten scores entered " << scores << " in " << tables << " tables; torn entries " << tablesTorn
    << ", out of order " << tablesUnsorted << "\n"
    << "  error-log records written " << logWritten << ", found " << logFound << "; lost " << logLost
    << ", doubled " << logDoubled << ", torn " << logTorn << ", other reports " << otherReports << "\n"
    << "  busy questions " << busyQuestions << ", other message boxes " << unexpectedBoxes
    << ", workstations that failed " << crashed << ", journals missing " << missingJournals << "\n";
  for (size_t i = 0; i < notes.size() && i < 20; ++i) r << "  ! " << notes[i] << "\n";
  r << (Clean() && crashed == 0 ? "  all whole\n" : "  FAULTS FOUND\n");
  return r.str();
}

}  // namespace qxhammer

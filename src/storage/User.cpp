// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/User.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

#include "engine/Diffkeys.h"
#include "platform/Clock.h"
#include "platform/CodePage.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "storage/Errors.h"
#include "storage/FileObj.h"
#include "storage/PrgSetup.h"
#include "storage/ToolBox.h"

const char* const kAllLetters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
TUser* User = nullptr;

namespace {

// The key statistics close the record.
constexpr int kOffKeys = 1166;
static_assert(kOffKeys + kKeyStatsBytes == kUserRecordSize);

const char* const kBusyQuestion =
    "The network is currently busy because of other users, do you want to try again?";
const char* const kOpenFailed = "Userbase open failed.";

float Tenth(int v) { return static_cast<float>(v) / 10.0f; }

void Warn(const std::string& text) { qx::ShowWarning(text); }

// Index of the record named like name, or -1; stops at a short read.
int FindRecord(TRecFile& file, const std::string& name) {
  const int count = file.RecordCount(kUserRecordSize);
  for (int i = 0; i < count; ++i) {
    file.Seek(kUserRecordSize, i);
    std::string stored;
    if (file.ReadStr255(stored) != kFileOpen) break;
    if (qx::SameTextCp1252(stored, name)) return i;
  }
  return -1;
}

// What is left of the record a database of the wrong size ends inside.
struct CutRecord {
  int index = 0;
  std::string bytes;  // fewer than a whole record
  std::string name;   // empty when the cut left no whole name
};

CutRecord ReadCutRecord(TRecFile& file) {
  CutRecord cut;
  cut.index = file.RecordCount(kUserRecordSize);
  const int kept = file.FileSize - cut.index * kUserRecordSize;
  cut.bytes.assign(static_cast<size_t>(std::max(kept, 0)), '\0');
  file.Seek(kUserRecordSize, cut.index);
  if (kept > 0 && file.ReadRecord(cut.bytes.data(), kept) == kFileOpen) {
    const size_t length = static_cast<unsigned char>(cut.bytes[0]);
    if (length + 1 <= cut.bytes.size()) cut.name = cut.bytes.substr(1, length);
  }
  return cut;
}

std::string CutText(const CutRecord& cut) {
  std::string text = "Record " + std::to_string(cut.index + 1);
  if (!cut.name.empty()) text += " (" + cut.name + ")";
  return text + " of " + UserBasePath() + " ends after " + std::to_string(cut.bytes.size()) +
         " of its " + std::to_string(kUserRecordSize) + " bytes.";
}

std::string WholeFile(const std::string& path) {
  std::ifstream in(qx::OsPath(path), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A dated copy of the open database beside it ("userbase-2026-12-07.qx4",
// then "-2", "-3" on the same day). A copy holding the same bytes serves
// again; no other copy is overwritten. Empty when none could be kept.
std::string KeepDatedCopy(TRecFile& file, bool& made) {
  made = false;
  std::string bytes(static_cast<size_t>(file.FileSize), '\0');
  file.Seek(1, 0);
  if (file.FileSize > 0 && file.ReadRecord(bytes.data(), file.FileSize) != kFileOpen) return {};
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
  qx::DecodeDateTime(qx::Now(), year, month, day, hour, minute, second);
  char date[32];
  std::snprintf(date, sizeof date, "%04d-%02d-%02d", year, month, day);
  const std::string stem = qx::DirectoryOf(UserBasePath()) + "userbase-" + date;
  for (int n = 1; n <= 99; ++n) {
    const std::string copy = stem + (n > 1 ? "-" + std::to_string(n) : std::string()) + ".qx4";
    if (qx::FileExists(copy)) {
      if (WholeFile(copy) == bytes) return copy;
      continue;
    }
    TRecFile out;
    if (out.Open(copy, kRecCreate, 0) != kFileOpen) return {};
    const int written = out.WriteRecord(bytes.data(), static_cast<int>(bytes.size()));
    if (out.Close() != kFileClosed || written != kFileOpen) {
      qx::RemoveFile(copy);
      return {};
    }
    made = true;
    return copy;
  }
  return {};
}

// Reports a database that ends inside a record, after keeping a copy of it.
void ReportCut(TRecFile& file) {
  const CutRecord cut = ReadCutRecord(file);
  bool made = false;
  const std::string copy = KeepDatedCopy(file, made);
  ReportError(-1517, CutText(cut) +
                         (copy.empty() ? " No copy of the database could be kept."
                                       : " A copy is kept as " + qx::FileNameOf(copy) + "."));
}

// Before a database that ends inside a record is written, a copy of it is
// kept and the cut record is completed from a blank one: records are then
// whole again, and a new one goes after the cut one instead of over it.
// False (reported) when no copy could be kept: nothing is written then.
bool MendCutRecord(TRecFile& file) {
  if (file.SizeFits(kUserRecordSize)) return true;
  const CutRecord cut = ReadCutRecord(file);
  bool made = false;
  const std::string copy = KeepDatedCopy(file, made);
  if (copy.empty()) {
    ReportError(-1517, CutText(cut) + " No copy of the database could be kept, so nothing was written.");
    return false;
  }
  unsigned char record[kUserRecordSize];
  TUser blank("");
  blank.ToRecord(record);
  std::memcpy(record, cut.bytes.data(), cut.bytes.size());
  // A name the cut went through keeps the letters that are left.
  if (cut.name.empty() && !cut.bytes.empty()) record[0] = static_cast<unsigned char>(cut.bytes.size() - 1);
  if (file.WriteRecordAt(cut.index, record, kUserRecordSize) != kFileOpen) {
    ReportError(file.Status, CutText(cut) + " Completing it failed; a copy is kept as " +
                                 qx::FileNameOf(copy) + ".");
    return false;
  }
  // Told already when the copy was kept on reading.
  if (made)
    ReportError(-1517, CutText(cut) + " A copy is kept as " + qx::FileNameOf(copy) +
                           "; the record was completed with blank values.");
  return true;
}

}  // namespace

int StoredTenths(float v) {
  if (!std::isfinite(v)) return -10;  // no result
  // Beyond the 16 bits of the record the decimals do not matter.
  if (std::fabs(v) >= 1e6f) return static_cast<int>(std::lround(double(v) * 10.0));
  // The shortest decimal that reads back as v is the value that was meant
  // (12.05, not 12.0500001907); its tenths are rounded half away from zero.
  char text[64];
  const auto [end, ec] = std::to_chars(text, text + sizeof text, v, std::chars_format::fixed);
  if (ec != std::errc()) return static_cast<int>(std::lround(double(v) * 10.0));
  const char* p = text;
  const bool negative = *p == '-';
  if (negative) ++p;
  long long tenths = 0;
  for (; p < end && *p != '.'; ++p) tenths = tenths * 10 + (*p - '0');
  tenths *= 10;
  if (p < end && *p == '.') {
    if (p + 1 < end) tenths += p[1] - '0';
    if (p + 2 < end && p[2] >= '5') ++tenths;
  }
  return static_cast<int>(negative ? -tenths : tenths);
}

TUser::TUser(const std::string& name, TDifficultKeys* keys)
    : Name(Cut255(name)), Bookmark(std::make_unique<TBookMark>()), DifficultKeys(keys) {
  if (!DifficultKeys) {
    ownKeys_ = std::make_unique<TDifficultKeys>();
    DifficultKeys = ownKeys_.get();
  }
  if (Settings) {
    PlaySounds = Settings->PlaySounds ? 1 : 0;
    LessonDuration = Settings->LessonDuration == -1 ? 45 : Settings->LessonDuration;
  }
  Reset();
}

TUser::~TUser() = default;

void TUser::Reset() {
  Bookmark->Clear();
  LessonCount = 0;
  LessonTime = 0;
  ChaptersStudied = 1;
  StudyTime = 0;
  FurthestChapter = 0;
  FurthestExercise = 0;
  LastSpeed = -1;
  LastEfficiency = -1;
  LastErrors = -1.0f;
  LastBackSpace = -1.0f;
  NewKeys.clear();
  LessonResultExercise.fill(0);
  for (auto& lesson : ExerciseMarks) lesson.fill(0);
  LessonEfficiency.fill(-1.0f);
  LessonAccuracy.fill(-1.0f);
  LessonSpeed.fill(-1.0f);
}

int TUser::ProgressPercent() const {
  if (LessonCount == 0) return 0;
  const double progress =
      ((FurthestChapter - 1) + FurthestExercise / 8.0) / LessonCount * 100.0;
  return std::clamp(static_cast<int>(std::nearbyint(progress)), 0, 100);
}

int TUser::RemainingMinutes() const {
  const int progress = ProgressPercent();
  if (progress == 0) return 0;
  return static_cast<int>(std::nearbyint((100.0 - progress) * StudyTime / progress));
}

std::string MinuteText(int minutes) {
  const int m = minutes % 60, h = minutes / 60;
  std::string text = std::to_string(m) + " min.";
  if (h > 0) text = std::to_string(h) + " h " + text;
  return text;
}

std::string TUser::StudyTimeText() const { return MinuteText(StudyTime); }

std::string TUser::RemainingText() const {
  const int remaining = RemainingMinutes();
  return remaining < 1 ? std::string("0 min.") : MinuteText(remaining);
}

void TUser::MarkChapter(int n) { ChaptersStudied = std::max(ChaptersStudied, n); }

int TUser::AddNewKeys(const std::string& keys) {
  NewKeys.push_back(Cut255(keys));
  return static_cast<int>(NewKeys.size());
}

std::string TUser::NewKeysOf(int chapter) const {
  if (chapter <= 0 || chapter > static_cast<int>(NewKeys.size())) return {};
  return NewKeys[chapter - 1];
}

std::string TUser::StudiedKeys(int chapters) const {
  if (NewKeys.empty()) return kAllLetters;
  std::string keys;
  const int n = std::min(chapters, static_cast<int>(NewKeys.size()));
  for (int i = 0; i < n; ++i) keys += NewKeys[i];
  return Cut255(keys);
}

int TUser::ExerciseMark(int lesson, int exercise) const {
  if (lesson < 1 || lesson > kMaxLessons || exercise < 1 || exercise > kMaxMarkedExercises)
    return 0;
  return ExerciseMarks[lesson - 1][exercise - 1];
}

void TUser::SetExerciseMark(int lesson, int exercise, int mark) {
  if (lesson < 1 || lesson > kMaxLessons || exercise < 1 || exercise > kMaxMarkedExercises)
    return;
  ExerciseMarks[lesson - 1][exercise - 1] = static_cast<uint8_t>(mark);
}

void TUser::ToRecord(unsigned char* r) {
  TRecordBuffer b;
  b.PutStr255(Name);
  b.PutStr255(ContentsFile);
  for (int v : {PlaySounds, LargeFont, LessonDuration, StudyTime, LessonTime, ChaptersStudied})
    b.PutInt(v);
  b.PutLong(StoryPosition);
  b.PutStr255(StoryFile);
  b.PutInt(FurthestExercise);
  b.PutInt(FurthestChapter);
  for (int i = 1; i <= kMaxLessons; ++i) b.PutInt(LessonResultExercise[i]);
  b.PutInt(LastSpeed);
  b.PutInt(LastEfficiency);
  b.PutInt(StoredTenths(LastErrors));
  b.PutInt(StoredTenths(LastBackSpace));
  static_assert(sizeof(ExerciseMarks) == kMaxLessons * kMaxMarkedExercises);
  b.PutBytes(ExerciseMarks.data(), kMaxLessons * kMaxMarkedExercises - 1);
  for (const auto* result : {&LessonEfficiency, &LessonAccuracy, &LessonSpeed})
    for (int i = 1; i <= kMaxLessons; ++i) b.PutInt(StoredTenths((*result)[i]));
  b.PutInt(Reserved1);
  for (int v : {Bookmark->Chapter, Bookmark->Exercise, Bookmark->Event, Bookmark->Extra})
    b.PutInt(v);
  std::memcpy(r, b.Bytes().data(), kOffKeys);
  DifficultKeys->SaveTo(r + kOffKeys);  // folds the exercise under way in first
}

int TUser::FromRecord(TRecFile& file) {
  file.ReadStr255(Name);
  file.ReadStr255(ContentsFile);
  file.ReadInt(PlaySounds);
  file.ReadInt(LargeFont);
  file.ReadInt(LessonDuration);
  file.ReadInt(StudyTime);
  file.ReadInt(LessonTime);
  file.ReadInt(ChaptersStudied);
  file.ReadLong(StoryPosition);
  file.ReadStr255(StoryFile);
  file.ReadInt(FurthestExercise);
  file.ReadInt(FurthestChapter);
  int16_t values[kMaxLessons];
  file.ReadSmalls(values, kMaxLessons - 1);
  for (int i = 1; i <= kMaxLessons; ++i) LessonResultExercise[i] = values[i - 1];
  int tenfold = 0;
  file.ReadInt(LastSpeed);
  file.ReadInt(LastEfficiency);
  file.ReadInt(tenfold);
  LastErrors = Tenth(tenfold);
  file.ReadInt(tenfold);
  LastBackSpace = Tenth(tenfold);
  file.ReadBytes(ExerciseMarks.data(), kMaxLessons * kMaxMarkedExercises - 1);
  std::array<float, kMaxLessons + 1>* results[] = {&LessonEfficiency, &LessonAccuracy, &LessonSpeed};
  for (auto* result : results) {
    file.ReadSmalls(values, kMaxLessons - 1);
    for (int i = 1; i <= kMaxLessons; ++i) (*result)[i] = Tenth(values[i - 1]);
  }
  if (file.ReadInt(Reserved1) != kFileOpen) return -1503;
  const int status = Bookmark->Load(file);
  DifficultKeys->Load(file);
  return status;
}

bool IsVisitor(const std::string& name) { return qx::UpperCp1252(name) == "VISITOR"; }

std::string UserBasePath() { return (Settings ? Settings->DataPath : std::string("./")) + "userbase.qx4"; }

std::unique_ptr<TUser> FindUser(const std::string& name) {
  // Its own key statistics: looking a student up must not touch those of
  // the student who is logged on.
  auto user = std::make_unique<TUser>("");
  TRecFile file;
  const int status = OpenWithRetry(file, UserBasePath(), kShareReadOnly, kBusyQuestion, kOpenFailed);
  if (status == kFileNotFound) {
    Warn("#-1507 User database doesn't exist!");
    file.Close();
    return nullptr;
  }
  if (status != kFileOpen) {
    Warn("#-1506 Cannot open User database");
    file.Close();
    return nullptr;
  }
  if (!file.SizeFits(kUserRecordSize)) ReportCut(file);
  const int index = FindRecord(file, name);
  if (index < 0) {
    file.Close();
    return nullptr;
  }
  file.Seek(kUserRecordSize, index);
  user->FromRecord(file);
  file.Close();
  return user;
}

std::optional<std::vector<std::string>> GetUserList() {
  TRecFile file;
  const int status = OpenWithRetry(file, UserBasePath(), kShareReadOnly, kBusyQuestion, kOpenFailed);
  if (status != kFileOpen) {
    Warn(status == kFileNotFound ? "#-1507 User database doesn't exist!"
                                 : "#-1506 Cannot open User database");
    file.Close();
    return std::nullopt;
  }
  const int count = file.RecordCount(kUserRecordSize);
  if (count > kUserListLimit || (Settings && Settings->DisableUserList)) {
    file.Close();
    return std::nullopt;
  }
  std::vector<std::string> names;
  for (int i = 0; i < count; ++i) {
    file.Seek(kUserRecordSize, i);
    std::string name;
    const int read = file.ReadStr255(name);
    if (read != kFileOpen) {
      ReportError(read, "GetUserList: Userbase error");
      break;
    }
    if (!IsVisitor(name)) names.push_back(name);
  }
  file.Close();
  std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    return qx::UpperCp1252(a) < qx::UpperCp1252(b);
  });
  return names;
}

std::unique_ptr<TUser> CreateUser(const std::string& name) {
  auto user = std::make_unique<TUser>(name);
  TRecFile file;
  int status = OpenWithRetry(file, UserBasePath(), kShareExclusive, kBusyQuestion, kOpenFailed);
  if (status == kFileNotFound) {
    Warn("User database doesn't exist, new one will be created.");
    // Neither truncate a database another workstation has just created, nor
    // append with others writing: two students created at once would share
    // one offset.
    qx::CreateEmptyFileIfMissing(UserBasePath());
    status = OpenWithRetry(file, UserBasePath(), kShareExclusive, kBusyQuestion, kOpenFailed);
  }
  if (status != kFileOpen) {
    ReportError2(-1505, file.Status);
    file.Close();
    return nullptr;
  }
  if (!MendCutRecord(file)) {
    file.Close();
    return nullptr;
  }
  unsigned char record[kUserRecordSize];
  user->ToRecord(record);
  const int written = file.WriteRecordAt(file.RecordCount(kUserRecordSize), record, kUserRecordSize);
  file.Close();
  if (written != kFileOpen) {
    ReportError(written, user->Name + ": the new record could not be written to " + UserBasePath() + ".");
    return nullptr;
  }
  return user;
}

int SaveUser(TUser& user) {
  if (IsVisitor(user.Name)) return 1;
  TRecFile file;
  const int status = OpenWithRetry(file, UserBasePath(), kShareExclusive, kBusyQuestion, kOpenFailed);
  if (status != kFileOpen) {
    file.Close();
    return status;
  }
  if (!MendCutRecord(file)) {
    file.Close();
    return -1517;
  }
  const int index = FindRecord(file, user.Name);
  if (index < 0) {
    file.Close();
    return -1508;
  }
  unsigned char record[kUserRecordSize];
  user.ToRecord(record);
  const int written = file.WriteRecordAt(index, record, kUserRecordSize);
  file.Close();
  return written;
}

int SaveUserOrReport(TUser& user, bool closing) {
  const int status = SaveUser(user);
  // A refused open and a cut database were reported where they happened.
  if (status == kFileOpen || status == kFileOpenFailed || status == -1517) return status;
  const std::string fate = closing ? " The progress of this session is lost."
                                   : " It is kept and saved again at the next save.";
  if (status == -1508)
    ReportError(status, user.Name + ": no record of this name in " + UserBasePath() +
                            ", so the progress was not saved." + fate);
  else
    ReportError(status, user.Name + ": the progress could not be saved in " + UserBasePath() + "." + fate);
  return status;
}

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "storage/BookMark.h"

class TDifficultKeys;
class TRecFile;

constexpr int kUserRecordSize = 2504;
constexpr int kMaxLessons = 20;            // lessons with stored results
constexpr int kMaxMarkedExercises = 10;    // exercise marks per lesson
constexpr int kUserListLimit = 1000;
extern const char* const kAllLetters;      // the known keys of a course without key groups

// A student: the stored record plus what the loaded course adds at run time.
class TUser {
 public:
  // keys: the key statistics to load into and save from; when none is
  // given the student gets a new, empty store of its own.
  explicit TUser(const std::string& name, TDifficultKeys* keys = nullptr);
  ~TUser();
  TUser(const TUser&) = delete;
  TUser& operator=(const TUser&) = delete;

  void Reset();
  int ProgressPercent() const;
  int RemainingMinutes() const;
  std::string StudyTimeText() const;
  std::string RemainingText() const;
  void MarkChapter(int n);
  int AddNewKeys(const std::string& keys);
  std::string NewKeysOf(int chapter) const;
  std::string StudiedKeys(int chapters) const;

  // The exercise mark of a lesson (1..20) and exercise (1..10); positions
  // outside the record read 0 and are not stored.
  int ExerciseMark(int lesson, int exercise) const;
  void SetExerciseMark(int lesson, int exercise, int mark);

  // The whole stored record (kUserRecordSize bytes); folds the exercise's
  // key counts into the history first.
  void ToRecord(unsigned char* record);
  // Reads one record at the file's position; the loader's status.
  int FromRecord(TRecFile& file);

  std::string Name;
  int PlaySounds = 1;
  int LargeFont = 0;
  int LessonDuration = 45;
  int StudyTime = 0;
  int LessonTime = 0;
  int ChaptersStudied = 1;
  int Reserved1 = 0;
  std::string ContentsFile;
  std::unique_ptr<TBookMark> Bookmark;
  int LastSpeed = -1;
  int LastEfficiency = -1;
  float LastErrors = -1.0f;
  float LastBackSpace = -1.0f;
  int32_t StoryPosition = 0;
  std::string StoryFile;
  int FurthestChapter = 0;
  int FurthestExercise = 0;
  // 1-based as the lessons are; entry 0 is unused.
  std::array<int, kMaxLessons + 1> LessonResultExercise{};
  std::array<float, kMaxLessons + 1> LessonEfficiency{};
  std::array<float, kMaxLessons + 1> LessonAccuracy{};
  std::array<float, kMaxLessons + 1> LessonSpeed{};
  std::array<std::array<uint8_t, kMaxMarkedExercises>, kMaxLessons> ExerciseMarks{};
  int LessonCount = 0;
  std::vector<std::string> NewKeys;
  TDifficultKeys* DifficultKeys;

 private:
  std::unique_ptr<TDifficultKeys> ownKeys_;
};

// The logged-on student; none before log-on.
extern TUser* User;

// A float of the record as the 16-bit tenths stored for it: 12.05 gives
// 121, -1.0 gives -10.
int StoredTenths(float v);

// "5 min.", "1 h 15 min."
std::string MinuteText(int minutes);

// The user database, "userbase.qx4" in the data directory. Each operation
// opens the shared file, does its work and closes it again.
std::unique_ptr<TUser> FindUser(const std::string& name);
// Sorted names without the visitor; none when there is no list to offer.
std::optional<std::vector<std::string>> GetUserList();
std::unique_ptr<TUser> CreateUser(const std::string& name);
int SaveUser(TUser& user);
// SaveUser at one of the program's save points; a failure is shown once,
// naming the student and the file. closing: no later save will follow.
int SaveUserOrReport(TUser& user, bool closing = false);
bool IsVisitor(const std::string& name);
std::string UserBasePath();

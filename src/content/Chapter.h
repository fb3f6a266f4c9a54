// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "content/Exercise.h"

class TBookMark;
class TTextFile;
class TUser;

constexpr int kMaxExercises = 200;

// One lesson of a course: its exercises, its picture and its study time.
class TChapter {
 public:
  // Reads the chapter block that follows "begin chapter"; headers only
  // skips the exercise blocks. Its new keys go to keyGroups and, when a
  // student studies the course, to the student's too; the student's lesson
  // length shares out the minutes. Throws TContentsSyntaxError on a line
  // that abandons the load.
  TChapter(TTextFile& file, const std::string& chapterId, bool headersOnly,
           std::vector<std::string>& keyGroups, TUser* student);
  ~TChapter();
  TChapter(const TChapter&) = delete;
  TChapter& operator=(const TChapter&) = delete;

  int ExerciseCount() const { return static_cast<int>(Exercises.size()); }

  // The chapter page loop: 1000 to leave studying, 2 cancel, 3 previous
  // chapter, 4 next chapter (finished set when the closing entry was
  // chosen), negative error numbers; in a single run the exercise's code.
  int RunChapter(TBookMark& bookmark, bool& finished);

  bool HeadersOnly = false;
  std::string ChapterName;
  std::string ChapterId;
  std::string ExtraDesc;
  int ChapterMinutes = 0;
  std::vector<std::unique_ptr<TExercise>> Exercises;
  std::string Picture;
  int ChapterNumber = 0;

 private:
  void ReadBlock(TTextFile& file, std::vector<std::string>& keyGroups, TUser* student);
  void ShareOutMinutes();
  void Finished(TBookMark& bookmark, const TExercise& exercise);
};

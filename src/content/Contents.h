// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "content/Chapter.h"

class TBookMark;
class TUser;

// A course read from its contents file: chapters, their exercises and the
// exercises' steps, and the study loop over the chapters.
class TContents {
 public:
  TContents() = default;
  ~TContents();
  TContents(const TContents&) = delete;
  TContents& operator=(const TContents&) = delete;

  // error: 0, or the negative status of the failed open or read. On error
  // the object holds no chapters; the caller reports it. student: the
  // student who studies the course, whose lesson count, key groups and
  // lesson length the course takes; none keeps every student out of it.
  static std::unique_ptr<TContents> Create(const std::string& fileName, int& error, TUser* student);
  // Chapters without their exercises, for choosing a course; no student's
  // data change.
  static std::unique_ptr<TContents> CreateHeadersOnly(const std::string& fileName, int& error);

  // 0 after a complete read. A line that lacks its value or holds a bad
  // number abandons the load with a message; the status is then -11 and
  // nothing read is kept.
  int LoadContents(const std::string& fileName);
  int ChapterCount() const { return static_cast<int>(Chapters.size()); }

  // "Lesson 1: Home Keys" with the lesson word, else "1. Home Keys".
  std::vector<std::string> ChapterTitles(bool withLessonWord) const;

  // The study loop from BookMark: 1000 to leave studying now; 0 with
  // finished set when the last chapter was passed.
  int RunContents(bool& finished);

  bool HeadersOnly = false;
  TBookMark* BookMark = nullptr;  // not owned; the student's when not set
  TUser* Student = nullptr;       // not owned; see Create
  std::vector<std::string> KeyGroups;  // the course's new keys, chapter by chapter
  std::string ContentsName;
  std::string KeyboardName = "all";
  std::vector<std::unique_ptr<TChapter>> Chapters;
  int DefaultTime = -1;
  std::string WizardName;

 private:
  void Clear();
};

// The course being studied; its owner creates and frees it.
extern TContents* Contents;

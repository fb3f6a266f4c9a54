// SPDX-License-Identifier: GPL-3.0-or-later
#include "content/Contents.h"

#include "content/ContentsSyntax.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "storage/FileObj.h"
#include "storage/ToolBox.h"
#include "storage/User.h"

TContents* Contents = nullptr;

namespace {

std::unique_ptr<TContents> Load(const std::string& fileName, int& error, bool headersOnly,
                                TUser* student) {
  auto contents = std::make_unique<TContents>();
  contents->HeadersOnly = headersOnly;
  contents->Student = student;
  if (student) contents->BookMark = student->Bookmark.get();
  error = contents->LoadContents(fileName);
  return contents;
}

}  // namespace

TContents::~TContents() = default;

std::unique_ptr<TContents> TContents::Create(const std::string& fileName, int& error,
                                              TUser* student) {
  return Load(fileName, error, false, student);
}

std::unique_ptr<TContents> TContents::CreateHeadersOnly(const std::string& fileName, int& error) {
  return Load(fileName, error, true, nullptr);
}

void TContents::Clear() {
  Chapters.clear();
  KeyGroups.clear();
  if (Student) Student->NewKeys.clear();
  ContentsName.clear();
  KeyboardName = "all";
  DefaultTime = -1;
  WizardName.clear();
}

int TContents::LoadContents(const std::string& fileName) {
  Clear();
  TTextFile file;
  const int status = file.Open(fileName, kTextRead);
  if (status != kFileOpen) return status < 0 ? status : kFileOpenFailed;
  try {
    int chapterCount = 0;
    TContentsLine line;
    while (file.Status == kFileOpen) {
      if (!ReadContentsLine(file, line)) continue;
      if (line.Is("contents name")) ContentsName = Cut255(line.Value(2));
      if (line.Is("default time")) DefaultTime = line.Integer(2);
      if (line.Is("keyboard")) KeyboardName = Cut255(line.Value(2));
      if (line.Is("wizardname")) WizardName = Cut255(line.Value(2));
      if (line.Is("begin chapter")) {
        ++chapterCount;
        auto chapter = std::make_unique<TChapter>(file, std::to_string(chapterCount), HeadersOnly,
                                                  KeyGroups, Student);
        chapter->ChapterNumber = chapterCount;
        Chapters.push_back(std::move(chapter));
      }
    }
  } catch (const TContentsSyntaxError& e) {
    Clear();
    qx::ShowError("Contents object: " + std::string(e.what()) + " of " + qx::FileNameOf(fileName) +
                  ". The course cannot be used.");
    return kFileHeaderError;
  }
  if (!HeadersOnly && Student) Student->LessonCount = ChapterCount();
  return 0;
}

std::vector<std::string> TContents::ChapterTitles(bool withLessonWord) const {
  std::vector<std::string> titles;
  int n = 0;
  for (const auto& c : Chapters) {
    ++n;
    titles.push_back(withLessonWord ? "Lesson " + std::to_string(n) + ": " + c->ChapterName
                                    : std::to_string(n) + ". " + c->ChapterName);
  }
  return titles;
}

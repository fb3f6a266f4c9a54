// SPDX-License-Identifier: GPL-3.0-or-later
// The study loop over the chapters runs the lesson pages: widgets.
#include <QLabel>

#include "content/Contents.h"
#include "shell/Chpstgs.h"
#include "storage/BookMark.h"
#include "storage/Errors.h"
#include "storage/User.h"

int TContents::RunContents(bool& finished) {
  finished = false;
  TBookMark* bookmark = BookMark ? BookMark : (User ? User->Bookmark.get() : nullptr);
  if (!bookmark) return 0;
  TBookMark& bm = *bookmark;
  const int count = ChapterCount();
  if (ChapterStgs) {
    if (bm.Mode == kModeIntroduction)
      ChapterStgs->LessonCount->clear();
    else
      ChapterStgs->LessonCount->setText(QStringLiteral("of %1").arg(count));
  }
  if (bm.Chapter < 1) bm.Chapter = 1;
  if (bm.Chapter == count + 1) {
    finished = true;
    return 0;
  }
  if (bm.Chapter > count + 1) {
    finished = true;
    bm.Chapter = count;
    ReportError2(-1052, -1001);
    return -1001;
  }

  int result = 0;
  while (bm.Chapter <= count) {
    result = Chapters[size_t(bm.Chapter - 1)]->RunChapter(bm, finished);
    // Reported as it happens; the position was put right, so studying
    // goes on from there.
    if (result < 0) ReportError2(-1052, result);
    if (bm.Mode == kModeSingleRun) break;
    if (result == 2) result = kLeaveStudying;
    if (result == kLeaveStudying) break;
    if (result == 4 || result == 3) {
      if (result == 4)
        ++bm.Chapter;
      else if (bm.Chapter > 1)
        --bm.Chapter;
      bm.Exercise = 1;
      bm.Event = 1;
      if (bm.Mode == kModeGuided && User) User->LessonTime = 0;
      result = 0;  // consumed: passing the last lesson ends in 0
    }
  }
  if (bm.Chapter > count) finished = true;
  return result;
}

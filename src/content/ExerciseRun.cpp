// SPDX-License-Identifier: GPL-3.0-or-later
// Running an exercise's steps needs the events, which are widgets.
#include "content/Exercise.h"
#include "storage/BookMark.h"

int TExercise::RunExercise(TBookMark& bookmark, bool& finished) {
  // A position before the first step (a damaged record) starts at the first.
  if (bookmark.Event < 1) bookmark.Event = 1;
  finished = false;
  if (bookmark.Event > EventCount()) return -1301;
  while (bookmark.Event <= EventCount()) {
    const int code = Events[size_t(bookmark.Event - 1)]->Execute(&bookmark);
    if (code == kLeaveStudying) return kLeaveStudying;
    if (code == kCancelledBeforeDone) return 0;
    ++bookmark.Event;
    if (code == kCancelledAfterDone) break;
  }
  if (bookmark.Event > EventCount()) finished = true;
  return 0;
}

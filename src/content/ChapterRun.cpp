// SPDX-License-Identifier: GPL-3.0-or-later
// The lesson page loop: it shows the book's pages, so it is widgets.
#include <QLabel>
#include <algorithm>

#include "content/Chapter.h"
#include "engine/Diffkeys.h"
#include "platform/Files.h"
#include "shell/ArtImage.h"
#include "shell/Bookfrm.h"
#include "shell/ChpViews.h"
#include "shell/Chpstgs.h"
#include "shell/Exrclist.h"
#include "storage/BookMark.h"
#include "storage/User.h"

namespace {

// A picture named in the course, found in the current folder or beside
// the program.
std::string PictureFile(const std::string& name) {
  if (name.empty()) return {};
  if (qx::FileExists(name)) return name;
  const std::string beside = qx::JoinPath(qx::ProgramDir(), name);
  return qx::FileExists(beside) ? beside : std::string();
}

// Keeps the global lesson page pointing at the running one.
class CurrentChapterView {
 public:
  explicit CurrentChapterView(TFormView* view) : previous_(ChapterView) { ChapterView = view; }
  ~CurrentChapterView() { ChapterView = previous_; }
  CurrentChapterView(const CurrentChapterView&) = delete;
  CurrentChapterView& operator=(const CurrentChapterView&) = delete;

 private:
  TFormView* previous_;
};

// The lesson number: the tens digit stands left of the page's middle and
// the units digit right of it; a single digit takes the middle itself.
void ShowLessonNumber(QLabel* units, QLabel* tens, const QString& unitsText,
                      const QString& tensText) {
  const QRect both = units->geometry().united(tens->geometry());
  const int half = both.width() / 2;
  tens->setText(tensText);
  units->setText(unitsText);
  if (tensText.isEmpty()) {
    units->setGeometry(both);
    units->setAlignment(Qt::AlignCenter);
  } else {
    tens->setGeometry(both.left(), both.top(), half, both.height());
    units->setGeometry(both.left() + half, both.top(), both.width() - half, both.height());
    units->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  }
}

}  // namespace

void TChapter::Finished(TBookMark& bookmark, const TExercise& exercise) {
  if (User) {
    if (User->ChaptersStudied < exercise.NewKeysLevel)
      User->ChaptersStudied = exercise.NewKeysLevel;
    if (KeyStats) KeyStats->SetFilter(User->StudiedKeys(User->ChaptersStudied));
    if (ChapterNumber > User->FurthestChapter) {
      User->FurthestChapter = ChapterNumber;
      User->FurthestExercise = 0;
    }
    // The furthest exercise counts within the furthest lesson only; a
    // lesson repeated further back must not move the progress on.
    if (ChapterNumber == User->FurthestChapter && bookmark.Exercise > User->FurthestExercise)
      User->FurthestExercise = bookmark.Exercise;
    User->SetExerciseMark(ChapterNumber, bookmark.Exercise, 1);
  }
  bookmark.Exercise = std::min(bookmark.Exercise + 1, ExerciseCount() + 1);
}

int TChapter::RunChapter(TBookMark& bookmark, bool& finished) {
  finished = false;
  const int count = ExerciseCount();
  if (bookmark.Exercise < 1) bookmark.Exercise = 1;
  if (bookmark.Exercise > count + 1) {
    bookmark.Exercise = count + 1;
    return -1202;
  }
  if (bookmark.Mode == kModeSingleRun) {
    if (bookmark.Exercise > count) return -1202;
    return Exercises[size_t(bookmark.Exercise - 1)]->RunExercise(bookmark, finished);
  }

  const bool intro = bookmark.Mode == kModeIntroduction;
  TChpBeginView begin;
  TChpContentsView list;
  TChapterView page;
  CurrentChapterView current(&page);
  page.LeftView = &begin;
  page.RightView = &list;
  list.ChapterObject = this;
  list.AllowSkipForward = !intro;
  list.AllowSkipBack = !intro && ChapterNumber >= 2;
  list.AllowCancel = intro;
  list.ShowMarks = !intro;
  list.List->NextLessonText = intro ? "Exit introduction" : "Next Lesson";

  for (;;) {
    if (BookForm) BookForm->SetTitle(ChapterName);
    if (TChapterStgs* form = ChapterStgs) {
      std::string picture = PictureFile(Picture);
      if (picture.empty()) picture = PictureFile("Ch1.pic");
      if (picture.empty() || !form->ChpPicture->LoadFromFile(picture)) form->ChpPicture->Clear();
      if (intro)
        ShowLessonNumber(form->Chapter, form->Chapter2, QStringLiteral(" i"), QString());
      else
        ShowLessonNumber(form->Chapter, form->Chapter2, QString::number(ChapterNumber % 10),
                         ChapterNumber >= 10 ? QString::number(ChapterNumber / 10) : QString());
    }
    list.SelectedExercise = bookmark.Exercise;

    const int result = page.Execute();
    bookmark.Exercise = list.SelectedExercise;
    if (result == 0) return kLeaveStudying;
    if (result == 2 || result == 3 || result == 4) return result;
    if (result != 1) continue;

    if (bookmark.Exercise > count) {
      finished = true;
      return intro ? 2 : 4;
    }
    bookmark.Event = 1;
    page.LeftView = &begin;
    TExercise& exercise = *Exercises[size_t(bookmark.Exercise - 1)];
    if (ExercInfoView) ExercInfoView->SetExerciseId(exercise.ExerciseId);
    bool exerciseFinished = false;
    const int code = exercise.RunExercise(bookmark, exerciseFinished);
    if (code == kLeaveStudying) return kLeaveStudying;
    // Errors go up to the contents, which reports them.
    if (code < 0) return code;
    if (exerciseFinished) {
      if (intro)
        bookmark.Exercise = std::min(bookmark.Exercise + 1, count + 1);
      else
        Finished(bookmark, exercise);
    }
  }
}

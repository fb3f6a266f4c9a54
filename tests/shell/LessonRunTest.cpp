// SPDX-License-Identifier: GPL-3.0-or-later
// Whole lessons of the shipped courses played through by a student who
// types at the speed the course is written for: the material has to fill
// the minutes the lesson plans, and no step may be left half done.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "FlowSandbox.h"
#include "content/Chapter.h"
#include "content/Contents.h"
#include "content/DrillExpects.h"
#include "content/Event.h"
#include "content/Keybevnt.h"
#include "content/TxtEvent.h"
#include "engine/Viewcanv.h"
#include "platform/CodePage.h"
#include "review/Buildvw.h"
#include "review/GamEvent.h"
#include "shell/Addviews.h"
#include "shell/Addvstg.h"
#include "shell/ArtImage.h"
#include "shell/Bookfrm.h"
#include "shell/ChpViews.h"
#include "shell/Guidedst.h"

namespace {

using qxtest::Active;

struct Lesson {
  const char* course;  // file name
  int number;
  int length;  // minutes a lesson takes; 0 keeps what the profile offers
  double cpm;  // the student's speed in characters a minute
};

void PrintTo(const Lesson& l, std::ostream* os) {
  *os << l.course << " " << l.number << " " << l.length << " " << l.cpm;
}

// Beginner lessons are played at the default length, and those whose
// texts hold it at the longest the profile offers too. A beginner types
// 100 characters a minute throughout; the advanced course is written for
// 150 in its first lesson rising evenly to 300 in its twelfth.
std::vector<Lesson> Lessons() {
  std::vector<Lesson> all;
  for (int n = 1; n <= 18; ++n) all.push_back({"Beginner.cnt", n, 0, 100});
  for (int n = 1; n <= 18; ++n) all.push_back({"Beginner.cnt", n, 45, 100});
  all.push_back({"Beginner.cnt", 1, 25, 100});
  for (int n = 1; n <= 12; ++n) all.push_back({"Advanced.cnt", n, 0, 150 + (n - 1) * 150.0 / 11});
  for (int n = 1; n <= 12; ++n) all.push_back({"Advanced.cnt", n, 45, 150 + (n - 1) * 150.0 / 11});
  return all;
}

class LessonRun : public qxtest::ProgramTest, public ::testing::WithParamInterface<Lesson> {
 public:
  void Key(TTimedEvent* step, char c) {
    sandbox.clock.AdvanceSeconds(60 / GetParam().cpm);
    Press(c);
    ++keys;
    if (step->State != kStateCompleted) step->Tick();
  }

  void TypeDrill(TCustomKeyboardEvent* drill) {
    for (int guard = 0; drill->State != kStateCompleted && guard < 20000; ++guard) {
      const char c = char(qxtest::DrillExpects(drill));
      if (!c) break;
      Key(drill, c);
    }
  }

  // Word after word from the model, as the student reads it; a timed text
  // may end in the middle of a word.
  void TypeText(TTextEvent* text) {
    for (int guard = 0; text->State != kStateCompleted && guard < 5000; ++guard) {
      TViewCanvas* model = text->ModelCanvas;
      TWordInfo* word = model ? model->Word(model->CurrentWord) : nullptr;
      if (!word) break;
      const std::string typed = word->Text;
      const bool lineEnd = word->LineEnd;
      for (char c : typed) {
        if (text->State == kStateCompleted) return;
        Key(text, c);
      }
      if (text->State != kStateCompleted) Key(text, lineEnd ? '\r' : ' ');
    }
  }

  // A game is played until its time runs out.
  void PlayGame(TCustomGameEvent* game) {
    if (game->State == kStateReady) Key(game, 'f');
    if (game->TimeLimit <= 0) return;
    while (game->State != kStateCompleted) {
      sandbox.clock.AdvanceUnits(10);
      game->Tick();
    }
  }

  // One page of the lesson: whatever is shown gets the student's answer.
  // Returns false once the lesson is over.
  bool Act(int lesson) {
    TFormView* view = ActiveView;
    if (view == handled && view->ResultCode) return true;  // still closing
    handled = view;
    if (dynamic_cast<TChpContentsView*>(view->RightView)) {
      const int exercises = Contents->Chapters[size_t(lesson - 1)]->ExerciseCount();
      if (User->Bookmark->Chapter < lesson) {
        Alt(Qt::Key_N);
        return true;
      }
      if (startedAt < 0) startedAt = qx::Now();
      if (User->Bookmark->Chapter > lesson || User->Bookmark->Exercise > exercises) return false;
      Press('\r');
      return true;
    }
    if (auto* step = dynamic_cast<TTimedEvent*>(view)) {
      const double t0 = qx::Now();
      if (auto* drill = dynamic_cast<TCustomKeyboardEvent*>(step))
        TypeDrill(drill);
      else if (auto* text = dynamic_cast<TTextEvent*>(step))
        TypeText(text);
      else if (auto* game = dynamic_cast<TCustomGameEvent*>(step)) {
        PlayGame(game);
        played += (qx::Now() - t0) * 24 * 60;
      }
      EXPECT_EQ(step->State, kStateCompleted)
          << "lesson " << lesson << ": " << typeid(*step).name() << " left open";
      ++steps;
      if (std::getenv("QX_STEPS"))  // what each step took, for whoever weighs a course
        std::printf("  step %d.%d %-20s limit %5.2f took %5.2f\n", User->Bookmark->Chapter,
                    User->Bookmark->Exercise, typeid(*step).name(), step->TimeLimit * 0.864 / 60,
                    (qx::Now() - t0) * 24 * 60);
    }
    // Message pages, the review wizard and the story chooser take Enter.
    Press('\r');
    return true;
  }

  void Play(int lesson) {
    Then([] { return ActiveView != nullptr; },
         [this, lesson] {
           if (Act(lesson))
             Play(lesson);
           else
             book()->close();
         },
         "lesson " + std::to_string(lesson));
  }

  TFormView* handled = nullptr;
  double startedAt = -1;
  int keys = 0;
  int steps = 0;
  double played = 0;  // minutes of games
};

TEST_P(LessonRun, AStudentAtTheCourseSpeedFillsThePlannedMinutes) {
  const Lesson lesson = GetParam();
  int planned = 0, length = 0;
  Then([] { return Active<TCoverView>() != nullptr; },
       [this] {
         book()->NameField->setEditText(QStringLiteral("Steady Typist"));
         Click(book()->LogOK);
       },
       "log-on page");
  Then([] { return Active<TNewUserView>() != nullptr; }, [this] { Click(book()->UserYes); }, "new-user page");
  Then([] { return Active<TWelcomeView>() != nullptr; }, [this] { Alt(Qt::Key_B); }, "welcome page");
  Then([] { return Active<TStdProfileView>() != nullptr; },
       [this, &lesson] {
         auto* profile = Active<TStdProfileView>();
         for (size_t i = 0; i < profile->CourseFiles.size(); ++i)
           if (qx::UpperCp1252(profile->CourseFiles[i] + ".cnt") == qx::UpperCp1252(lesson.course))
             profile->ChooseCourse(int(i));
         if (lesson.length == 25) Click(AddViewsStg->Time25);
         if (lesson.length == 45) Click(AddViewsStg->Time45);
         Click(book()->Next);
       },
       "studying profile");
  Then([] { return ActiveView && dynamic_cast<TChpContentsView*>(ActiveView->RightView); },
       [this, &lesson, &planned, &length] {
         ASSERT_EQ(qx::UpperCp1252(User->ContentsFile), qx::UpperCp1252(lesson.course));
         length = User->LessonDuration;
         planned = Contents->Chapters[size_t(lesson.number - 1)]->ChapterMinutes;
         Play(lesson.number);
       },
       "first lesson page");
  RunProgram();

  // Nothing refused or reported on the way (a review without material, a
  // missing file).
  // The review page starts on a choice of the student's own keys; left
  // empty, the program says so and reviews the difficult keys instead.
  for (const auto& asked : sandbox.dialogs.Asked())
    if (asked.text.rfind("You should choose at least one character", 0) != 0) ADD_FAILURE() << asked.text;
  ASSERT_GE(startedAt, 0);
  const double minutes = (qx::Now() - startedAt) * 24 * 60;
  std::printf(
      "[ lesson ] %s lesson %d (%d-minute lessons, %.0f cpm): %.1f of %d planned minutes, %d keys, %d typing "
      "steps\n",
      lesson.course, lesson.number, length, lesson.cpm, minutes, planned, keys, steps);
  RecordProperty("minutes", std::to_string(minutes));
  RecordProperty("planned", planned);
  ASSERT_GT(planned, 0);
  EXPECT_GE(minutes, 0.8 * planned);
  EXPECT_LE(minutes, planned + 5.0);
  // Typing carries the lesson; a game rounds it off.
  EXPECT_LE(played, 0.25 * minutes) << played << " minutes of games";
}

INSTANTIATE_TEST_SUITE_P(Courses, LessonRun, ::testing::ValuesIn(Lessons()), [](const auto& info) {
  const Lesson& l = info.param;
  return std::string(l.course).substr(0, 3) + std::to_string(l.number) + "_" +
         (l.length ? std::to_string(l.length) : std::string("default"));
});

}  // namespace

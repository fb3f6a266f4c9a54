// SPDX-License-Identifier: GPL-3.0-or-later
// The study loops through the real lesson pages and steps, driven by keys.
#include <QLabel>
#include <deque>

#include "EventSandbox.h"
#include "content/Contents.h"
#include "engine/Diffkeys.h"
#include "shell/Exrclist.h"
#include "storage/BookMark.h"

namespace {

using qxtest::EventTest;

// Keys go to the program's window, which hands them to the book's focus.
QWidget* KeyTarget() { return BookForm->Frame(); }

// Acts once per turn of whatever page is open, so each action meets the
// page the previous one led to.
class Driver {
 public:
  Driver() {
    timer_.setInterval(1);
    QObject::connect(&timer_, &QTimer::timeout, [this] { Tick(); });
    timer_.start();
  }
  Driver& Then(std::function<void()> step) {
    steps_.push_back(std::move(step));
    return *this;
  }
  Driver& Key(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    return Then([key, mods] { QTest::keyClick(KeyTarget(), key, mods); });
  }
  Driver& Char(char c) {
    return Then([c] { QTest::keyClick(KeyTarget(), c); });
  }
  Driver& Leave() {
    return Then([] { CloseActiveView(); });
  }
  bool Done() const { return steps_.empty(); }

 private:
  void Tick() {
    if (!ActiveView) return;
    if (steps_.empty()) {
      if (++idle_ < 3000) return;
      ADD_FAILURE() << "a page was left open";
      while (TFormView* view = ActiveView) {
        view->OnCloseQuery = nullptr;
        bool veto = false;
        view->Close(veto);
      }
      return;
    }
    auto step = std::move(steps_.front());
    steps_.pop_front();
    step();
  }

  QTimer timer_;
  std::deque<std::function<void()>> steps_;
  int idle_ = 0;
};

TChpContentsView* ListPage() {
  return ChapterView ? dynamic_cast<TChpContentsView*>(ChapterView->RightView) : nullptr;
}
bool OnListPage() { return ChapterView && ActiveView == ChapterView; }

class ChapterRun : public EventTest {
 protected:
  // Lesson n has exercises of the given numbers of message steps, with
  // new keys "k" + n.
  void Course(std::initializer_list<std::initializer_list<int>> lessons,
              const char* name = "c.cnt") {
    std::string text = "contents name=Test\r\n";
    int n = 0;
    for (const auto& lesson : lessons) {
      ++n;
      text += "begin chapter\r\nchapter name=" + std::to_string(n) + ";Lesson Name " +
              std::to_string(n) + "\r\nnew keys=k" + std::to_string(n) + "\r\n";
      for (int steps : lesson) {
        text += "begin exercise\r\ntype=Ex\r\n";
        for (int s = 1; s <= steps; ++s)
          text += "event=MESSAGE;0;Step " + std::to_string(s) + ";T\r\n";
        text += "end exercise\r\n";
      }
      text += "end chapter\r\n";
    }
    qxtest::WriteBytes(sandbox / name, text);
    int error = 1;
    contents = TContents::Create(name, error, User);
    ASSERT_EQ(error, 0);
    contents->BookMark = &bm;
  }
  int Run() {
    finished = true;
    const int code = contents->RunContents(finished);
    EXPECT_TRUE(driver.Done()) << "steps left over";
    return code;
  }
  std::vector<std::string> Messages() const {
    std::vector<std::string> texts;
    for (const auto& r : sandbox.dialogs.Asked()) texts.push_back(r.text);
    return texts;
  }

  std::unique_ptr<TContents> contents;
  TBookMark bm;
  Driver driver;
  bool finished = false;
};

TEST_F(ChapterRun, EnterWalksTheCourseMarkingEachExerciseAndLesson) {
  Course({{2, 1}, {1}});
  user->LessonTime = 9;
  std::vector<int> selected;
  auto note = [&] {
    EXPECT_TRUE(OnListPage());
    selected.push_back(ListPage()->List->Selected);
  };
  driver.Then(note)
      .Key(Qt::Key_Return)
      .Key(Qt::Key_Return)
      .Key(Qt::Key_Return)  // exercise 1.1
      .Then(note)
      .Key(Qt::Key_Return)
      .Key(Qt::Key_Return)  // exercise 1.2
      .Then(note)
      .Key(Qt::Key_Return)  // next lesson
      .Then(note)
      .Key(Qt::Key_Return)
      .Key(Qt::Key_Return)  // exercise 2.1
      .Then(note)
      .Key(Qt::Key_Return);
  EXPECT_EQ(Run(), 0);
  EXPECT_TRUE(finished);
  EXPECT_EQ(selected, (std::vector<int>{1, 2, 3, 1, 2}));
  EXPECT_EQ(bm.Chapter, 3);
  EXPECT_EQ(user->ExerciseMark(1, 1), 1);
  EXPECT_EQ(user->ExerciseMark(1, 2), 1);
  EXPECT_EQ(user->ExerciseMark(2, 1), 1);
  EXPECT_EQ(user->ExerciseMark(2, 2), 0);
  EXPECT_EQ(user->ChaptersStudied, 2);
  EXPECT_EQ(user->FurthestChapter, 2);
  EXPECT_EQ(user->FurthestExercise, 1);
  EXPECT_EQ(user->LessonTime, 0);
  EXPECT_EQ(ExercInfoView->ExerciseId, "2.1");
  EXPECT_EQ(ChapterView, nullptr);
  EXPECT_TRUE(Messages().empty());
}

TEST_F(ChapterRun, TheLessonPageShowsTheLessonAndItsButtons) {
  Course({{1, 1}, {1}});
  qxtest::WriteBytes(sandbox / "Ch1.pic", qxtest::ReadBytes(QX_BIN_DIR "/Ch1.pic"));
  bm.Chapter = 2;
  user->SetExerciseMark(2, 1, 1);
  int mask = -1;
  driver.Then([&] {
    TChapterStgs& form = *ChapterStgs;
    EXPECT_EQ(BookForm->Title->text().toStdString(), "Lesson Name 2");
    EXPECT_EQ(BookForm->Layout(), 2);
    EXPECT_EQ(form.Chapter->text().toStdString(), "2");
    EXPECT_EQ(form.Chapter2->text().toStdString(), "");
    EXPECT_EQ(form.LessonCount->text().toStdString(), "of 2");
    EXPECT_FALSE(form.ChpPicture->Empty());  // no picture named: the first lesson's
    EXPECT_EQ(form.Panel1->parentWidget(), BookForm->LeftPage);
    EXPECT_EQ(form.Panel3->parentWidget(), BookForm->RightPage);
    TExerciseList* list = ListPage()->List;
    EXPECT_EQ(list->parentWidget(), BookForm->RightPage);
    EXPECT_EQ(list->Numbers.back(), "Next Lesson");
    EXPECT_TRUE(list->IsDone(1));
    EXPECT_EQ(list->RowHeight, form.ActivePic->height() + 3);
    mask = BookForm->ButtonMask();
  });
  driver.Leave();
  EXPECT_EQ(Run(), kLeaveStudying);
  EXPECT_EQ(mask, TBookForm::kBeginB | TBookForm::kSkipF | TBookForm::kSkipB);
  EXPECT_FALSE(finished);
  EXPECT_EQ(ChapterStgs->Panel3->parentWidget(), ChapterStgs);
  EXPECT_EQ(BookForm->ButtonMask(), 0);
}

TEST_F(ChapterRun, DigitsArrowsAndShortcutsChooseOnTheListPage) {
  Course({{1, 1, 1}, {1}});
  std::vector<int> selected;
  std::vector<int> masks;
  driver
      .Char('7')  // no such exercise
      .Char('2')
      .Key(Qt::Key_Return)
      .Then([&] { selected.push_back(ListPage()->List->Selected); })
      .Key(Qt::Key_Up)
      .Key(Qt::Key_Up)
      .Key(Qt::Key_Up)
      .Then([&] { selected.push_back(ListPage()->List->Selected); })
      .Key(Qt::Key_End)
      .Then([&] { selected.push_back(ListPage()->List->Selected); })
      .Key(Qt::Key_PageUp)
      .Key(Qt::Key_Down)
      .Then([&] { selected.push_back(ListPage()->List->Selected); })
      .Key(Qt::Key_K, Qt::AltModifier)  // no previous lesson here
      .Key(Qt::Key_Escape)              // no Cancel outside the introduction
      .Then([&] { EXPECT_TRUE(OnListPage()); })
      .Key(Qt::Key_S, Qt::AltModifier)
      .Then([&] { masks.push_back(BookForm->ButtonMask()); })
      .Key(Qt::Key_K, Qt::AltModifier)
      .Then([&] { selected.push_back(ListPage()->List->Selected); })
      .Then([&] { QTest::mouseDClick(ListPage()->List, Qt::LeftButton, {}, QPoint(100, 5)); })
      .Key(Qt::Key_Return)
      .Leave();
  user->LessonTime = 4;
  EXPECT_EQ(Run(), kLeaveStudying);
  EXPECT_EQ(selected, (std::vector<int>{3, 1, 4, 2, 1}));
  EXPECT_EQ(masks, (std::vector<int>{TBookForm::kBeginB | TBookForm::kSkipF | TBookForm::kSkipB}));
  EXPECT_EQ(user->ExerciseMark(1, 2), 1);
  EXPECT_EQ(user->ExerciseMark(1, 1), 1);
  EXPECT_EQ(user->ExerciseMark(1, 3), 0);
  EXPECT_EQ(bm.Chapter, 1);
  EXPECT_EQ(bm.Exercise, 2);
  EXPECT_EQ(user->LessonTime, 0);
}

TEST_F(ChapterRun, CancelAfterAStepWasDoneMovesOnAndFinishesOnTheLast) {
  Course({{2}});
  int eventAfterFirst = 0;
  driver.Key(Qt::Key_Return)
      .Key(Qt::Key_Escape)  // the first step, done: on to the second... by leaving
      .Then([&] {
        eventAfterFirst = bm.Event;
        EXPECT_TRUE(OnListPage());
      })
      .Then([&] { EXPECT_EQ(user->ExerciseMark(1, 1), 0); })
      .Key(Qt::Key_Return)
      .Key(Qt::Key_Return)
      .Key(Qt::Key_Escape)  // the last step, done
      .Then([&] { EXPECT_EQ(ListPage()->List->Selected, 2); })
      .Leave();
  EXPECT_EQ(Run(), kLeaveStudying);
  EXPECT_EQ(eventAfterFirst, 2);
  EXPECT_EQ(user->ExerciseMark(1, 1), 1);
}

TEST_F(ChapterRun, ASingleRunPlaysTheExerciseWithoutTheListPage) {
  Course({{1}, {2}});
  bm.Chapter = 2;
  bm.Exercise = 1;
  bm.Mode = kModeSingleRun;
  driver.Then([] { EXPECT_FALSE(OnListPage()); }).Key(Qt::Key_Return).Key(Qt::Key_Return);
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(bm.Chapter, 2);
  EXPECT_EQ(bm.Event, 3);
  EXPECT_EQ(user->ExerciseMark(2, 1), 0);  // only guided studying marks
}

TEST_F(ChapterRun, TheIntroductionOffersCancelAndExitAndKeepsNoProgress) {
  Course({{1, 1}}, "introd.qxs");
  bm.Mode = kModeIntroduction;
  user->SetExerciseMark(1, 2, 1);  // the course's lesson 1, not the introduction's
  int mask = 0;
  bool marked = true;
  std::string closing, units;
  driver
      .Then([&] {
        mask = BookForm->ButtonMask();
        marked = ListPage()->List->IsDone(2);
        closing = ListPage()->List->Numbers.back();
        units = ChapterStgs->Chapter->text().toStdString();
        EXPECT_TRUE(ChapterStgs->LessonCount->text().isEmpty());
      })
      .Key(Qt::Key_Return)
      .Key(Qt::Key_Return)
      .Key(Qt::Key_End)
      .Key(Qt::Key_Return);
  EXPECT_EQ(Run(), kLeaveStudying);
  EXPECT_TRUE(finished);
  EXPECT_EQ(mask, TBookForm::kBeginB | TBookForm::kCancel);
  EXPECT_FALSE(marked);
  EXPECT_EQ(closing, "Exit introduction");
  EXPECT_EQ(units, " i");
  EXPECT_EQ(user->ExerciseMark(1, 1), 0);
  EXPECT_EQ(user->FurthestChapter, 0);

  bm = TBookMark();
  bm.Mode = kModeIntroduction;
  driver.Key(Qt::Key_Escape);
  EXPECT_EQ(Run(), kLeaveStudying);
  EXPECT_FALSE(finished);
}

TEST_F(ChapterRun, ABookmarkTwoLessonsPastTheEndIsReportedAndPutOnTheLast) {
  Course({{1}, {1}});
  bm.Chapter = 4;
  EXPECT_EQ(Run(), -1001);
  EXPECT_TRUE(finished);
  EXPECT_EQ(bm.Chapter, 2);
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_NE(Messages()[0].find("#-1052 Contents detected error"), std::string::npos);
  EXPECT_NE(Messages()[0].find("User bookmark vs. Chapter data overflow"), std::string::npos);

  sandbox.dialogs.ClearAsked();
  bm.Chapter = 3;  // just past the end: the course is complete
  EXPECT_EQ(Run(), 0);
  EXPECT_TRUE(finished);
  EXPECT_TRUE(Messages().empty());
}

TEST_F(ChapterRun, AnExercisePositionPastTheListIsReportedAndStudyingGoesOn) {
  Course({{1, 1}});
  bm.Chapter = 1;
  bm.Exercise = 5;
  int selected = 0;
  driver.Then([&] { selected = ListPage()->List->Selected; }).Leave();
  EXPECT_EQ(Run(), kLeaveStudying);
  EXPECT_EQ(selected, 3);
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_NE(Messages()[0].find("User bookmark vs. exercise data overflow"), std::string::npos);
}

TEST_F(ChapterRun, AnExerciseWithoutStepsIsReportedAndTheListComesBack) {
  Course({{0, 1}});
  driver.Key(Qt::Key_Return).Then([] { EXPECT_TRUE(OnListPage()); }).Leave();
  EXPECT_EQ(Run(), kLeaveStudying);
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_NE(Messages()[0].find("#-1052"), std::string::npos);
  EXPECT_NE(Messages()[0].find("-1301"), std::string::npos);
  EXPECT_EQ(user->ExerciseMark(1, 1), 0);
}

TEST_F(ChapterRun, AnEarlierLessonRepeatedLeavesTheFurthestPlaceAlone) {
  Course({{1, 1, 1}, {1, 1}});
  user->FurthestChapter = 2;
  user->FurthestExercise = 1;
  user->ChaptersStudied = 2;
  bm.Chapter = 1;
  bm.Exercise = 3;
  driver.Key(Qt::Key_Return).Key(Qt::Key_Return).Leave();
  EXPECT_EQ(Run(), kLeaveStudying);
  EXPECT_EQ(user->ExerciseMark(1, 3), 1);
  EXPECT_EQ(user->FurthestChapter, 2);
  EXPECT_EQ(user->FurthestExercise, 1);
  EXPECT_EQ(user->ChaptersStudied, 2);
}

TEST_F(ChapterRun, ATextExerciseLeavesItsResultsOnTheLeftPage) {
  qxtest::WriteBytes(sandbox / "t.cnt",
                     "begin chapter\r\nnew keys=fjdk \r\nbegin exercise\r\n"
                     "event=TEXT;1;fj dk jf kd fd jk;TRUE\r\nend exercise\r\nend chapter\r\n");
  int error = 1;
  contents = TContents::Create("t.cnt", error, User);
  contents->BookMark = &bm;
  bool infoOnLeft = false, beginOnLeft = false;
  driver.Then([&] { beginOnLeft = ChapterStgs->Panel1->parentWidget() == BookForm->LeftPage; })
      .Key(Qt::Key_Return)
      .Then([&] { Type("fj dk jf kd fd jk\r", 1); })
      .Key(Qt::Key_Return)
      .Then([&] { infoOnLeft = ChapterStgs->Panel4->parentWidget() == BookForm->LeftPage; })
      .Leave();
  EXPECT_EQ(Run(), kLeaveStudying);
  EXPECT_TRUE(beginOnLeft);
  EXPECT_TRUE(infoOnLeft);
  EXPECT_EQ(user->ExerciseMark(1, 1), 1);
  EXPECT_EQ(user->LessonResultExercise[1], 1);
  EXPECT_EQ(ChapterStgs->ExerciseIDLbl->text().toStdString(), "Exercise 1.1");
}

}  // namespace

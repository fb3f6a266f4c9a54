// SPDX-License-Identifier: GPL-3.0-or-later
// Guided studying around the course: the goodbye page at its end, the
// introduction, and a course that cannot be read.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include "FlowSandbox.h"
#include "content/Contents.h"
#include "shell/ArtImage.h"
#include "shell/Bookfrm.h"
#include "shell/ChpViews.h"
#include "shell/Guidedst.h"

namespace {

using qxtest::Active;

bool OnLessonPage(const char* title) {
  return ActiveView && dynamic_cast<TChpContentsView*>(ActiveView->RightView) && BookForm &&
         BookForm->Title->text() == QLatin1String(title);
}

class GuidedTest : public qxtest::ProgramTest {
 public:
  void LogOn(const char* name) {
    Then([] { return Active<TCoverView>() != nullptr; },
         [this, name] {
           book()->NameField->setEditText(QString::fromLatin1(name));
           Click(book()->LogOK);
         },
         "log-on page");
  }
  // A student who has passed the last lesson of the course.
  void StoreGraduate() {
    StoreStudent("Maria", [](TUser& student) {
      student.ContentsFile = "Beginner.cnt";
      student.Bookmark->Chapter = 19;
      student.Bookmark->Exercise = 3;
      student.Bookmark->Extra = 7;
      student.ChaptersStudied = 18;
      student.FurthestChapter = 18;
      student.StudyTime = 600;
      student.SetExerciseMark(3, 2, 1);
    });
  }
};

TEST_F(GuidedTest, RestartAfterTheLastLessonClearsTheProgressAndWelcomesAgain) {
  StoreGraduate();
  LogOn("Maria");
  Then([] { return Active<TGoodbyeView>() != nullptr; }, [this] { Alt(Qt::Key_R); }, "goodbye page");
  Then([] { return Active<TWelcomeView>() != nullptr; },
       [this] {
         const auto stored = FindUser("Maria");
         ASSERT_NE(stored, nullptr);
         EXPECT_EQ(stored->Bookmark->Chapter, 0);
         EXPECT_EQ(stored->Bookmark->Exercise, 1);
         EXPECT_EQ(stored->Bookmark->Event, 1);
         EXPECT_EQ(stored->Bookmark->Extra, 0);
         EXPECT_EQ(stored->StudyTime, 0);
         EXPECT_EQ(stored->FurthestChapter, 0);
         EXPECT_EQ(stored->ExerciseMark(3, 2), 0);
         EXPECT_EQ(stored->ContentsFile, "Beginner.cnt");
         EXPECT_EQ(User->ChaptersStudied, 1);
         book()->close();
       },
       "welcome page after the restart");
  RunProgram();
}

TEST_F(GuidedTest, GoingBackFromTheGoodbyePageOpensTheLastLesson) {
  StoreGraduate();
  LogOn("Maria");
  Then([] { return Active<TGoodbyeView>() != nullptr; },
       [this] {
         Save("flow-goodbye.png");
         Click(book()->SkipB);
       },
       "goodbye page");
  Then([] { return OnLessonPage("More Symbols and the Final Test"); },
       [this] {
         EXPECT_EQ(User->Bookmark->Chapter, 18);
         EXPECT_EQ(User->Bookmark->Exercise, 1);
         book()->close();
       },
       "lesson 18");
  RunProgram();
}

TEST_F(GuidedTest, IntroductionRunsFromTheWelcomePageAndLeavesTheCourseAlone) {
  LogOn("Visitor");
  Then([] { return Active<TWelcomeView>() != nullptr; }, [this] { Alt(Qt::Key_I); }, "welcome page");
  Then([] { return OnLessonPage("A Tour of Quillbrandex"); },
       [this] {
         EXPECT_EQ(User->Bookmark->Chapter, 0);
         Save("flow-intro.png");
         Press('\x1b');
       },
       "introduction");
  Then([] { return Active<TWelcomeView>() != nullptr; },
       [this] {
         EXPECT_EQ(User->LessonCount, 0);
         EXPECT_TRUE(User->NewKeys.empty());
         book()->close();
       },
       "welcome page again");
  RunProgram();
}

TEST_F(GuidedTest, MissingIntroductionIsExplainedOnTheWelcomePage) {
  qx::RemoveFile(sandbox.Prog() + "introd.qxs");
  LogOn("Visitor");
  Then([] { return Active<TWelcomeView>() != nullptr; }, [this] { Alt(Qt::Key_I); }, "welcome page");
  Then([this] { return Active<TWelcomeView>() != nullptr && Asked("no introduction"); },
       [this] { book()->close(); }, "welcome page again");
  RunProgram();
}

TEST_F(GuidedTest, CourseThatCannotBeReadEndsTheProgram) {
  StoreStudent("Maria", [](TUser& student) {
    student.ContentsFile = "Missing.cnt";
    student.Bookmark->Chapter = 2;
  });
  LogOn("Maria");
  RunProgram();
  EXPECT_TRUE(Asked("#-5633 Fatal Contents Error; Program halted"));
  EXPECT_TRUE(Terminating);
}

}  // namespace

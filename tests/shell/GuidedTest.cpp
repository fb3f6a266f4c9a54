// SPDX-License-Identifier: GPL-3.0-or-later
// Guided studying around the course: the goodbye page at its end, the
// introduction, and a course that cannot be read.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include "FlowSandbox.h"
#include "content/Contents.h"
#include "content/Event.h"
#include "content/Keybevnt.h"
#include "content/TxtEvent.h"
#include "engine/Diffkeys.h"
#include "shell/AboutStg.h"
#include "shell/ArtImage.h"
#include "shell/Bookfrm.h"
#include "shell/ChpViews.h"
#include "shell/Guidedst.h"

namespace {

using qxtest::Active;

bool OnLessonPage() { return ActiveView && dynamic_cast<TChpContentsView*>(ActiveView->RightView); }

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
  // Renames a student's record behind the program's back, as another
  // workstation or a damaged disk might.
  void RenameRecord(const std::string& from, const std::string& to) {
    const std::string path = sandbox.Data() + "Userbase.qx4";
    std::string bytes = qxtest::ReadBytes(path);
    for (size_t at = 0; at + kUserRecordSize <= bytes.size(); at += kUserRecordSize)
      if (static_cast<unsigned char>(bytes[at]) == from.size() &&
          bytes.compare(at + 1, from.size(), from) == 0) {
        bytes[at] = static_cast<char>(to.size());
        bytes.replace(at + 1, to.size(), to);
      }
    qxtest::WriteBytes(path, bytes);
  }
  // The record as stored, outside the running program's settings.
  std::string StoredRecord(const std::string& name) {
    auto user = FindUser(name);
    if (!user) return {};
    std::string raw(kUserRecordSize, '\0');
    user->ToRecord(reinterpret_cast<unsigned char*>(raw.data()));
    return raw;
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
  Then([] { return OnLessonPage("Plus, Equals and the Final Test"); },
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

TEST_F(GuidedTest, TheIntroductionsTextLeavesTheLessonResultsAlone) {
  StoreStudent("Maria", [](TUser& student) {
    student.ContentsFile = "Beginner.cnt";
    student.LessonResultExercise[1] = 3;
    student.LessonSpeed[1] = 123.4f;
    student.LessonAccuracy[1] = 95.5f;
    student.LessonEfficiency[1] = 80.0f;
    student.SetExerciseMark(1, 3, 1);
    student.FurthestChapter = 1;
    student.FurthestExercise = 3;
  });
  std::string before;
  LogOn("Maria");
  Then([] { return Active<TWelcomeView>() != nullptr; },
       [this, &before] {
         before = StoredRecord("Maria");
         Alt(Qt::Key_I);
       },
       "welcome page");
  Then([] { return OnLessonPage("A Tour of Quillbrandex"); }, [] { Press('3'); }, "introduction");
  Then([] { return Active<TMessageEvent>() != nullptr; }, [this] { Click(book()->Next); }, "first message");
  Then([] { return Active<TNewKeysEvent>() != nullptr; },
       [] {
         auto* drill = Active<TNewKeysEvent>();
         for (int typed = 0; drill->State != kStateCompleted && typed < 100; ++typed)
           Press(drill->Group[size_t(drill->Position - 1)]);
         EXPECT_EQ(drill->State, kStateCompleted);
         Press('\r');
       },
       "new keys");
  Then([] { return Active<TMessageEvent>() != nullptr; }, [this] { Click(book()->Next); }, "second message");
  Then([] { return Active<TTextEvent>() != nullptr; },
       [this] {
         for (char c : std::string("sit back and let your fingers find the keys\r")) {
           sandbox.clock.AdvanceUnits(0.5);
           Press(c);
         }
         EXPECT_EQ(Active<TTextEvent>()->State, kStateCompleted);
         Click(book()->Next);
       },
       "practice text");
  Then([] { return OnLessonPage("A Tour of Quillbrandex"); }, [] { Press('\x1b'); }, "introduction again");
  Then([] { return Active<TWelcomeView>() != nullptr; }, [this] { book()->close(); }, "welcome page again");
  RunProgram();

  const std::string after = StoredRecord("Maria");
  ASSERT_EQ(before.size(), size_t(kUserRecordSize));
  ASSERT_EQ(after.size(), size_t(kUserRecordSize));
  // Progress, result exercises, marks, lesson results and the bookmark.
  const std::pair<size_t, size_t> kept[] = {{522, 2}, {784, 44}, {836, 320}, {1158, 8}};
  for (const auto& [offset, size] : kept)
    EXPECT_EQ(after.substr(offset, size), before.substr(offset, size)) << "offset " << offset;
  EXPECT_GT(User->LastSpeed, 0);  // the text was measured
}

TEST_F(GuidedTest, LookingUpAnotherStudentAndPreviewingACourseChangeNothingOfTheStudent) {
  StoreStudent("Other", [](TUser& student) {
    for (int i = 0; i < 30; ++i) student.DifficultKeys->RecordKey('z', true);
  });
  StoreStudent("Maria", [](TUser& student) {
    for (int i = 0; i < 20; ++i) student.DifficultKeys->RecordKey('f', i % 4 == 0);
  });
  qxtest::WriteBytes(sandbox.Prog() + "Other.cnt",
                     "$description=Another course\r\n$end\r\ncontents name=Other\r\nbegin chapter\r\n"
                     "chapter name=1;One\r\nnew keys=qz\r\nend chapter\r\n");
  LogOn("Maria");
  Then([] { return Active<TWelcomeView>() != nullptr; }, [this] { Alt(Qt::Key_B); }, "welcome page");
  Then([] { return Active<TStdProfileView>() != nullptr; },
       [this] {
         struct Closer {
           TBookForm* book;
           ~Closer() { book->close(); }
         } closer{book()};
         ASSERT_EQ(KeyStats, User->DifficultKeys);
         KeyStats->RecordKey('j', true);
         KeyStats->Commit();
         const TDifficultKeys keys = *KeyStats;
         const auto groups = User->NewKeys;
         const int lessons = User->LessonCount;
         auto* profile = Active<TStdProfileView>();
         ASSERT_GE(profile->CourseFiles.size(), 2u);
         const auto other = FindUser("Other");
         ASSERT_NE(other, nullptr);
         EXPECT_EQ(other->DifficultKeys->TypedHistory['z'], 30);
         profile->ChooseCourse(1);
         profile->ChooseCourse(0);
         EXPECT_EQ(KeyStats, User->DifficultKeys);
         EXPECT_EQ(KeyStats->TypedHistory, keys.TypedHistory);
         EXPECT_EQ(KeyStats->ErrorHistory, keys.ErrorHistory);
         EXPECT_EQ(KeyStats->Experience, keys.Experience);
         EXPECT_EQ(User->NewKeys, groups);
         EXPECT_EQ(User->LessonCount, lessons);
       },
       "studying profile");
  RunProgram();
}

TEST_F(GuidedTest, AFailedSaveIsToldOnceAndALaterSaveWritesTheProgress) {
  StoreStudent("Maria", [](TUser& student) {
    student.ContentsFile = "Beginner.cnt";
    student.Bookmark->Chapter = 1;
  });
  LogOn("Maria");
  // The record vanishes while the student studies: leaving the lesson
  // cannot save.
  Then([] { return OnLessonPage(); },
       [this] {
         User->StudyTime = 77;
         RenameRecord("Maria", "Marta");
         sandbox.dialogs.ClearAsked();
         Click(book()->MenuLogo);
       },
       "lesson 1");
  Then([] { return Active<TAbout>() != nullptr; },
       [this] {
         ASSERT_EQ(sandbox.dialogs.Asked().size(), 1u);
         const std::string& told = sandbox.dialogs.Asked()[0].text;
         EXPECT_EQ(told.rfind("#-1508 ", 0), 0u) << told;
         EXPECT_NE(told.find("Maria"), std::string::npos) << told;
         EXPECT_NE(told.find("userbase.qx4"), std::string::npos) << told;
         RenameRecord("Marta", "Maria");
         Click(book()->MenuGuided);
       },
       "about page after the failed save");
  Then([] { return OnLessonPage(); }, [this] { Click(book()->MenuLogo); }, "lesson 1 again");
  // With the record back, the next section change saves what was kept;
  // then it vanishes again and the program closes.
  Then([] { return Active<TAbout>() != nullptr; },
       [this] {
         EXPECT_EQ(sandbox.dialogs.Asked().size(), 1u);
         const auto stored = FindUser("Maria");
         ASSERT_NE(stored, nullptr);
         EXPECT_EQ(stored->StudyTime, 77);
         User->StudyTime = 88;
         RenameRecord("Maria", "Marta");
         Click(book()->MenuExit);
       },
       "about page after the good save");
  RunProgram();
  ASSERT_EQ(sandbox.dialogs.Asked().size(), 2u);
  EXPECT_EQ(sandbox.dialogs.Asked()[1].text.rfind("#-1508 ", 0), 0u);
  EXPECT_NE(sandbox.dialogs.Asked()[1].text.find("lost"), std::string::npos);

  // The student's data are still there for a save once the fault is gone.
  RenameRecord("Marta", "Maria");
  EXPECT_EQ(SaveUserOrReport(*User, true), 1);
  const auto stored = FindUser("Maria");
  ASSERT_NE(stored, nullptr);
  EXPECT_EQ(stored->StudyTime, 88);
}

// A database gone from the share is not "busy": one message names the
// file, nobody is asked to retry, and the session stays in memory.
TEST_F(GuidedTest, ADatabaseGoneAtExitIsToldOnceWithoutBusyQuestions) {
  StoreStudent("Maria", [](TUser& student) {
    student.ContentsFile = "Beginner.cnt";
    student.Bookmark->Chapter = 1;
  });
  LogOn("Maria");
  const std::string database = qx::ResolveName(sandbox.Data() + "Userbase.qx4");
  const std::string aside = sandbox.Data() + "aside.qx4";
  Then([] { return OnLessonPage(); },
       [&] {
         User->StudyTime = 55;
         // A directory in its place: no regular file to open or create.
         std::filesystem::rename(database, aside);
         std::filesystem::create_directory(database);
         sandbox.dialogs.ClearAsked();
         Click(book()->MenuExit);
       },
       "lesson 1");
  RunProgram();
  ASSERT_EQ(sandbox.dialogs.Asked().size(), 1u);
  const std::string& told = sandbox.dialogs.Asked()[0].text;
  EXPECT_EQ(told.rfind("#-1 ", 0), 0u) << told;
  EXPECT_NE(told.find("userbase.qx4"), std::string::npos) << told;

  std::filesystem::remove(database);
  std::filesystem::rename(aside, database);
  EXPECT_EQ(SaveUserOrReport(*User, true), 1);
  const auto stored = FindUser("Maria");
  ASSERT_NE(stored, nullptr);
  EXPECT_EQ(stored->StudyTime, 55);
}

}  // namespace

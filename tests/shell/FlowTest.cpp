// SPDX-License-Identifier: GPL-3.0-or-later
// A student through the running program: log-on, the first lesson, a text
// exercise typed key by key, and back again another day.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "FlowSandbox.h"
#include "content/Event.h"
#include "content/TxtEvent.h"
#include "engine/Diffkeys.h"
#include "shell/ArtImage.h"
#include "shell/Bookfrm.h"
#include "shell/ChpViews.h"
#include "shell/Exrclist.h"
#include "shell/Guidedst.h"
#include "shell/Main.h"
#include "storage/FileObj.h"
#include "storage/PrgSetup.h"
#include "storage/User.h"

namespace {

using qxtest::Active;

TChpContentsView* ExerciseList() {
  return ActiveView ? dynamic_cast<TChpContentsView*>(ActiveView->RightView) : nullptr;
}

// The model text as the student types it: lines end with Enter.
std::string Keystrokes(const std::string& fileName) {
  TTextFile file;
  std::string text;
  if (file.Open(fileName, kTextRead) == kFileOpen) file.ReadAll(text);
  std::string keys;
  for (char c : text)
    if (c != '\n') keys += c;
  while (!keys.empty() && (keys.back() == '\r' || keys.back() == ' ')) keys.pop_back();
  return keys + "\r";
}

class FlowTest : public qxtest::ProgramTest {
 public:
  // Types the text step's model text, half a clock unit between keys.
  void TypeTheText() {
    for (char c : Keystrokes("Beg01a.txt")) {
      sandbox.clock.AdvanceUnits(0.5);
      Press(c);
    }
  }

  std::unique_ptr<TUser> Stored(const std::string& name) {
    TProgramSettings settings;
    Settings = &settings;
    auto user = FindUser(name);
    if (user) storedTyped_ = user->DifficultKeys->TypedHistory;
    Settings = nullptr;
    return user;
  }

  TDifficultKeys::Counts storedTyped_{};
};

TEST_F(FlowTest, NewStudentTypesTheFirstTextAndResumesThereTheNextDay) {
  Then([] { return Active<TCoverView>() != nullptr; },
       [this] {
         book()->NameField->setEditText(QStringLiteral("anna lee"));
         Click(book()->LogOK);
       },
       "log-on page");
  Then([] { return Active<TNewUserView>() != nullptr; }, [this] { Click(book()->UserYes); }, "new-user page");
  Then([] { return Active<TWelcomeView>() != nullptr; },
       [this] { Alt(Qt::Key_B); }, "welcome page");
  Then([] { return Active<TStdProfileView>() != nullptr; }, [this] { Click(book()->Next); }, "studying profile");
  Then([] { return ExerciseList() != nullptr; },
       [this] {
         EXPECT_EQ(User->Bookmark->Chapter, 1);
         EXPECT_EQ(User->ContentsFile, "Beginner.cnt");
         Save("flow-lesson.png");
         Press('4');
       },
       "lesson 1");
  Then([] { return Active<TMessageEvent>() != nullptr; }, [this] { Click(book()->Next); }, "message before the text");
  Then([] { return Active<TTextEvent>() != nullptr; },
       [this] {
         sandbox.clock.AdvanceUnits(20);
         TypeTheText();
         EXPECT_EQ(Active<TTextEvent>()->State, kStateCompleted);
         Save("flow-text.png");
         Click(book()->Next);
       },
       "text exercise");
  Then([] { return ExerciseList() != nullptr; },
       [this] {
         EXPECT_EQ(ExerciseList()->List->Selected, 5);
         EXPECT_TRUE(ExerciseList()->List->IsDone(4));
         Save("flow-after.png");
         Click(book()->MenuExit);
       },
       "lesson 1 after the text");
  RunProgram();

  const auto stored = Stored("Anna Lee");
  ASSERT_NE(stored, nullptr);
  EXPECT_EQ(stored->Bookmark->Chapter, 1);
  EXPECT_EQ(stored->Bookmark->Exercise, 5);
  EXPECT_EQ(stored->ExerciseMark(1, 4), 1);
  EXPECT_EQ(stored->ExerciseMark(1, 3), 0);
  EXPECT_EQ(stored->LessonResultExercise[1], 4);
  EXPECT_GT(stored->LessonSpeed[1], 0.0f);
  EXPECT_GT(stored->LessonAccuracy[1], 0.0f);
  EXPECT_GT(stored->LastSpeed, 0);
  EXPECT_EQ(stored->FurthestChapter, 1);
  EXPECT_EQ(stored->FurthestExercise, 4);
  EXPECT_GT(storedTyped_['f'], 0);
  EXPECT_GT(storedTyped_['j'], 0);

  // Another day: the same name goes straight back to the bookmark.
  Then([] { return Active<TCoverView>() != nullptr; },
       [this] {
         EXPECT_EQ(book()->NameField->currentText(), QStringLiteral("Anna Lee"));
         Click(book()->LogOK);
       },
       "log-on page again");
  Then([] { return ExerciseList() != nullptr; },
       [this] {
         EXPECT_EQ(ExerciseList()->List->Selected, 5);
         EXPECT_EQ(ExerciseList()->SelectedExercise, 5);
         book()->close();
       },
       "lesson 1 again");
  RunProgram();
  for (const qx::DialogRequest& asked : sandbox.dialogs.Asked()) ADD_FAILURE() << "asked: " << asked.text;
}

TEST_F(FlowTest, ExitDuringATextExerciseAsksAndNoKeepsItRunning) {
  Then([] { return Active<TCoverView>() != nullptr; },
       [this] {
         book()->NameField->setEditText(QStringLiteral("Visitor"));
         Click(book()->LogOK);
       },
       "log-on page");
  Then([] { return Active<TWelcomeView>() != nullptr; },
       [this] { Alt(Qt::Key_B); }, "welcome page");
  Then([] { return Active<TStdProfileView>() != nullptr; }, [this] { Click(book()->Next); }, "studying profile");
  Then([] { return ExerciseList() != nullptr; }, [] { Press('5'); }, "lesson 1");
  Then([] { return Active<TTextEvent>() != nullptr; },
       [this] {
         sandbox.clock.AdvanceUnits(5);
         Press('f');
         sandbox.dialogs.ClearAsked();
         sandbox.dialogs.Answer(qx::DialogAnswer::No);
         Click(book()->MenuExit);
         ASSERT_EQ(sandbox.dialogs.Asked().size(), 1u);
         EXPECT_EQ(sandbox.dialogs.Asked()[0].text, "You haven't finished this exercise yet, proceed anyway?");
         EXPECT_NE(Active<TTextEvent>(), nullptr);
         EXPECT_TRUE(book()->MenuExit->isVisible());
         EXPECT_TRUE(book()->Frame()->isVisible());
         EXPECT_FALSE(Terminating);

         // Yes leaves the exercise and the program.
         sandbox.dialogs.Answer(qx::DialogAnswer::Yes);
         Click(book()->MenuExit);
       },
       "exam");
  RunProgram();
  EXPECT_TRUE(Terminating);
  EXPECT_FALSE(book()->Frame()->isVisible());
}

}  // namespace

// SPDX-License-Identifier: GPL-3.0-or-later
#include <QInputMethodEvent>
#include <QLabel>
#include <QPushButton>

#include "DrillSandbox.h"
#include "content/EventLdr.h"
#include "content/Keybevnt.h"
#include "engine/Finger.h"
#include "engine/Keyboard.h"
#include "engine/Lcds.h"
#include "engine/Viewcanv.h"
#include "shell/ArtImage.h"

namespace {

using qxtest::DrillTest;

template <class T>
T* Running() {
  return dynamic_cast<T*>(ActiveView);
}

std::string Text(QLabel* label) { return label->text().toStdString(); }

TEST_F(DrillTest, NewKeysComeInGroupsOfFourWithTheFingerToUse) {
  auto loader = TEventLoader::Create("event=NEWKEYS;0;asdf jkl%; F@");
  ASSERT_NE(loader, nullptr);
  const int code = RunWith([&] { return loader->Execute(nullptr); },
                           [&] {
                             auto* drill = Running<TNewKeysEvent>();
                             ASSERT_NE(drill, nullptr);
                             TKeyboard& keyboard = *drill->Keyboard;
                             EXPECT_EQ(drill->Group, "asdf ");
                             EXPECT_EQ(Text(drill->FingerLabel), "left little finger");
                             EXPECT_EQ(keyboard.State(26), kKeyToPress);
                             EXPECT_EQ(drill->Fingers->Finger(), 1);
                             EXPECT_TRUE(drill->Fingers->isVisible());
                             EXPECT_FALSE(drill->Counter->isVisible());

                             // A wrong first key starts the clock and leaves the position.
                             clock.AdvanceUnits(2);
                             Press('x');
                             EXPECT_EQ(drill->State, kStateRunning);
                             EXPECT_NE(drill->ClockStart, 0);
                             EXPECT_EQ(drill->Position, 1);
                             EXPECT_TRUE(Played("Error.wav"));
                             EXPECT_EQ(keyboard.State(26), kKeyToPress);
                             EXPECT_EQ(keyboard.State(40), kKeyWrong);
                             EXPECT_FALSE(drill->FeedbackPicture->isVisible());  // the counter is off

                             Type("asd");
                             EXPECT_EQ(drill->Position, 4);
                             EXPECT_EQ(keyboard.State(40), kKeyNormal);
                             Type("f ");
                             EXPECT_EQ(drill->Group, "jkl; ");
                             EXPECT_EQ(drill->Position, 1);
                             // A key being taught is labelled, known or not.
                             EXPECT_TRUE(keyboard.Revealed(35));
                             EXPECT_FALSE(keyboard.Revealed(36));
                             Type("jkl; ");
                             EXPECT_EQ(drill->Group, "F@ ");
                             EXPECT_EQ(Text(drill->FingerLabel), "Right Shift + left index finger");
                             EXPECT_EQ(keyboard.State(kKeyRightShift), kKeyToPress);
                             Type("F");
                             EXPECT_EQ(Text(drill->FingerLabel), "Alt Gr + left little finger");
                             EXPECT_EQ(keyboard.State(kKeyAltGr), kKeyToPress);
                             EXPECT_EQ(keyboard.State(14), kKeyToPress);
                             Type("@ ");
                             EXPECT_EQ(drill->State, kStateCompleted);
                             EXPECT_EQ(keyboard.State(kKeyEnter), kKeyToPress);
                             EXPECT_EQ(drill->Fingers->Finger(), 8);
                             Press('\r');
                           });
  EXPECT_EQ(code, kNextStep);
  // This drill teaches; it does not grade the keys.
  EXPECT_EQ(KeyStats->TypedHistory['a'], 0);
  EXPECT_EQ(KeyStats->ExerciseTyped['a'], 0);
  // The hooks are gone with the drill.
  EXPECT_FALSE(book->OnKeyUp);
  EXPECT_FALSE(book->OnReposition);
}

TEST_F(DrillTest, AWordIsDrilledUntilThreeCleanRepeatsOrSevenInAll) {
  auto loader = TEventLoader::Create("event=WORD;0;ab\r\ncd");
  ASSERT_NE(loader, nullptr);
  const int code = RunWith([&] { return loader->Execute(nullptr); },
                           [&] {
                             auto* drill = Running<TWordEvent>();
                             ASSERT_NE(drill, nullptr);
                             EXPECT_EQ(drill->WordCanvas->TheWord->Text, "ab");
                             EXPECT_TRUE(drill->Counter->isVisible());
                             EXPECT_EQ(drill->Counter->Lamps(), 3);
                             Type("ab ");
                             EXPECT_EQ(drill->Count, 1);
                             EXPECT_TRUE(drill->FeedbackPicture->isVisible());
                             EXPECT_EQ(drill->FeedbackPicture->BuiltIn(), qx::Picture::RightMark);
                             // An error keeps the count; the word ends with its space.
                             Type("x");
                             EXPECT_EQ(drill->FeedbackPicture->BuiltIn(), qx::Picture::WrongMark);
                             EXPECT_EQ(drill->Keyboard->State(26), kKeyToPress);
                             EXPECT_EQ(drill->Fingers->Finger(), 1);
                             Type("ab");
                             EXPECT_EQ(drill->Repeats, 1);
                             Type(" ");
                             EXPECT_EQ(drill->Count, 1);
                             EXPECT_EQ(drill->Repeats, 2);
                             Type("ab ab");
                             EXPECT_EQ(drill->WordCanvas->TheWord->Text, "ab");
                             Type(" ");
                             EXPECT_EQ(drill->Count, 3);
                             EXPECT_EQ(drill->WordCanvas->TheWord->Text, "cd");
                             // The full counter empties at the next key.
                             Type("x");
                             EXPECT_EQ(drill->Count, 0);
                             Type("cd ");
                             for (int i = 2; i <= 6; ++i) Type("xcd ");
                             EXPECT_EQ(drill->Repeats, 6);
                             EXPECT_EQ(drill->Count, 0);
                             EXPECT_NE(drill->State, kStateCompleted);
                             Type("xcd ");
                             EXPECT_EQ(drill->State, kStateCompleted);
                             Press('\r');
                           });
  EXPECT_EQ(code, kNextStep);
  // Errors are charged to the key that was expected.
  EXPECT_EQ(KeyStats->TypedHistory['a'], 5);
  EXPECT_EQ(KeyStats->ErrorHistory['a'], 1);
  EXPECT_EQ(KeyStats->TypedHistory['b'], 4);
  EXPECT_EQ(KeyStats->TypedHistory['c'], 14);
  EXPECT_GT(KeyStats->ErrorHistory['c'], 0);
  EXPECT_EQ(KeyStats->ErrorHistory['d'], 0);
  EXPECT_EQ(KeyStats->TypedHistory['x'], 0);
}

TEST_F(DrillTest, WordDrillCountStartsAfreshForANewWordAfterSevenRepeats) {
  auto loader = TEventLoader::Create("event=WORD;0;ab cd");
  RunWith([&] { return loader->Execute(nullptr); },
          [&] {
            auto* drill = Running<TWordEvent>();
            ASSERT_NE(drill, nullptr);
            Type("ab ab ");
            for (int i = 3; i <= 7; ++i) Type("xab ");
            EXPECT_EQ(drill->WordCanvas->TheWord->Text, "cd");
            EXPECT_EQ(drill->Count, 0);
            EXPECT_EQ(drill->Counter->Lit(), 0);
            Type("cd ");
            EXPECT_EQ(drill->WordCanvas->TheWord->Text, "cd");
            sandbox.dialogs.Answer(qx::DialogAnswer::Yes);
            Press('\x1b');
          });
}

TEST_F(DrillTest, KeyboardDrillTakesExactCharactersAcrossPages) {
  std::string text = "Ab\r\n";
  for (int i = 0; i < 12; ++i) text += "fj dk\r\n";
  qxtest::WriteBytes(sandbox / "drill.txt", text);
  auto loader = TEventLoader::Create("event=KEYBOARD;0;FILE:drill.txt");
  int keys = 0;
  bool turnedPage = false;
  const int code = RunWith([&] { return loader->Execute(nullptr); },
                           [&] {
                             auto* drill = Running<TKeyboardEvent>();
                             ASSERT_NE(drill, nullptr);
                             EXPECT_EQ(drill->CurrentChar, 'A');
                             for (int key = 1; key <= kKeyboardKeys; ++key)
                               EXPECT_EQ(drill->Keyboard->State(key), kKeyNormal);
                             // The wrong case is a wrong key.
                             Press('a');
                             EXPECT_EQ(drill->State, kStateRunning);
                             EXPECT_EQ(drill->CurrentChar, 'A');
                             EXPECT_EQ(drill->Keyboard->State(kKeyRightShift), kKeyToPress);
                             EXPECT_EQ(drill->Fingers->Finger(), 1);
                             while (drill->State != kStateCompleted && keys < 200) {
                               Press(drill->ModelCanvas->ExpectedText()[0]);
                               ++keys;
                               turnedPage = turnedPage || drill->ModelCanvas->NextStart > 0;
                             }
                             Press('\r');
                           });
  EXPECT_EQ(code, kNextStep);
  EXPECT_EQ(keys, 3 + 12 * 6);
  EXPECT_TRUE(turnedPage);
  EXPECT_EQ(KeyStats->TypedHistory['A'], 2);
  EXPECT_EQ(KeyStats->ErrorHistory['A'], 1);
  EXPECT_EQ(KeyStats->TypedHistory['f'], 12);
}

// A dead key and a letter reach the drill as the one character they compose,
// so the keyboard must have an input method on whatever takes the keys.
TEST_F(DrillTest, ComposedCharactersAreOneKeystroke) {
  // A button of the page before still holding the focus.
  auto* button = new QPushButton(BookForm);
  button->show();
  button->setFocus();
  auto loader = TEventLoader::Create("event=KEYBOARD;0;\xE9" "f");
  RunWith([&] { return loader->Execute(nullptr); },
          [&] {
            auto* drill = Running<TKeyboardEvent>();
            ASSERT_NE(drill, nullptr);
            EXPECT_TRUE(Target()->testAttribute(Qt::WA_InputMethodEnabled));
            QInputMethodEvent composed;
            composed.setCommitString(QString::fromUtf8("\u00e9"));
            QApplication::sendEvent(Target(), &composed);
            EXPECT_EQ(drill->CurrentChar, 'f');
            sandbox.dialogs.Answer(qx::DialogAnswer::Yes);
            Press('\x1b');
          });
  EXPECT_EQ(KeyStats->TypedHistory[0xE9], 1);
  EXPECT_EQ(KeyStats->ErrorHistory[0xE9], 0);
  delete button;
}

TEST_F(DrillTest, ReleasingAKeyLiftsItOnTheKeyboard) {
  auto loader = TEventLoader::Create("event=KEYBOARD;0;fj");
  RunWith([&] { return loader->Execute(nullptr); },
          [&] {
            auto* drill = Running<TKeyboardEvent>();
            ASSERT_NE(drill, nullptr);
            QTest::keyPress(Target(), 'f');
            EXPECT_EQ(drill->Keyboard->PressedChar(), 'f');
            QTest::keyRelease(Target(), 'f');
            EXPECT_EQ(drill->Keyboard->PressedChar(), 0);
            // The hands follow the book when it moves.
            drill->Fingers->move(0, 0);
            book->PlaceBook(book->Book->x());
            EXPECT_EQ(drill->Fingers->pos(), QPoint(80, 381));
            sandbox.dialogs.Answer(qx::DialogAnswer::Yes);
            Press('\x1b');
          });
}

}  // namespace

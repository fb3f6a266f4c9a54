// SPDX-License-Identifier: GPL-3.0-or-later
#include <QLabel>
#include <cmath>

#include "EventSandbox.h"
#include "content/EventLdr.h"
#include "content/TxtEvent.h"
#include "engine/Analyzer.h"
#include "engine/ExrCanv.h"
#include "engine/Nervgrph.h"
#include "engine/Viewcanv.h"
#include "storage/BookMark.h"

namespace {

using qxtest::EventTest;
using qxtest::WriteBytes;

std::unique_ptr<TEventLoader> Loader(const std::string& descriptor, int seconds = 0) {
  auto loader = TEventLoader::Create(descriptor);
  EXPECT_NE(loader, nullptr);
  if (loader) loader->Seconds = seconds;
  return loader;
}

TTextEvent* Running() { return dynamic_cast<TTextEvent*>(ActiveView); }

std::string Text(QLabel* label) { return label->text().toStdString(); }

class TextEventTest : public EventTest {};

// The model "we sat on the old dock" typed as
//   we_sat_on_teh_olx<BS>d_dock<Enter>
// 25 keys, 0.5 clock units apart, except 2.5 units before the "o" of "old".
//
// BackSpace: 1 of 25 keys = 4.0 %, level (4 - 10) * -0.4 = 2.4 "Advanced".
// Words: "teh" against "the" is one swap, round(1 / 3 * 100) = 33 %, under
// 40, so it counts for "the" with a dotted underline; every other word is
// right. Keystrokes 3+4+3+4+4+5 = 23, characters 2+3+2+3+3+4 = 17, correct
// 2+3+2+0.67*3+3+4 = 16.01. Time: 23 * 0.5 + 2.5 = 14 units, so the speed
// is round(23 / (14 / 60)) = round(98.57) = 99 cpm, 19.8 -> 20 wpm, level
// (99 - 30) / 60 = 1.15 "Intermediate". Accuracy 100 * 16.01 / 17 = 94.176 %,
// score (94.176 - 90) * 10 = 41.76 -> "42 %", level 41.76 / 60 = 0.696
// "Beginner". Efficiency: a = 0.696 / 4, b = 1.15 / 4, 2ab / (a + b) =
// 0.2168 -> 22 %, level 0.88 "Beginner".
// Rhythm: the 2.5 interval meets a ring of nine 0.5 intervals, mean 0.7,
// and 2.5 >= 0.45 + 1.875 * 0.7 = 1.76: a hesitation, so "o" is charged.
// Key statistics after the exercise: o (4 typed, 1 error), d (3, 1: the
// key after BackSpace), h (1, 1) and e (2, 1) each rate 25..100 % damped
// by experience / 15 to a difficulty of 26.67, so the keys' level is
// 4 - 0.04 * 26.67 = 2.93.
// Commentator: levels accuracy 0.696, BackSpace 2.4, keys 2.93, speed 1.15;
// mean A = 1.795; accuracy is the weakest, W1 = 0.696 / 2 * A = 0.62 < 1.3,
// and W4 = 1.15 / 2 * A = 1.03 < 2, so the plain accuracy advice.
TEST_F(TextEventTest, ATypedTextGivesTheScoresWorkedOutByHand) {
  WriteBytes(sandbox / "dock.txt", "we sat on the old dock\r\n");
  auto loader = Loader("event=TEXT;1;FILE:dock.txt;TRUE");
  TBookMark bookmark;
  bookmark.Chapter = 2;
  bookmark.Exercise = 3;
  user->StudyTime = 5;
  int dottedMark = -1;
  std::string completedMessage;
  const int code = RunWith([&] { return loader->Execute(&bookmark); },
                           [&] {
                             TTextEvent* event = Running();
                             ASSERT_NE(event, nullptr);
                             EXPECT_TRUE(event->TypingCanvas->hasFocus());
                             clock.AdvanceUnits(40);  // reading the page costs nothing
                             Type("we sat on teh ");
                             dottedMark = event->TypingCanvas->Word(3)->Mark;
                             Type("o", 2.5);
                             Type("lx\bd dock\r");
                             EXPECT_EQ(event->State, kStateCompleted);
                             EXPECT_EQ(event->TypingCanvas->TypedText(), "");
                             completedMessage = Text(EventsStg->MsgLabel1);
                             clock.AdvanceUnits(3);
                             Press('\r');
                           });
  EXPECT_EQ(code, kNextStep);
  EXPECT_EQ(dottedMark, 2);
  EXPECT_EQ(completedMessage, "Exercise completed.");
  EXPECT_TRUE(Played("Theend.wav"));

  EXPECT_EQ(EfficiencyCalc.Keystrokes, 23);
  EXPECT_EQ(EfficiencyCalc.Characters, 17);
  EXPECT_NEAR(EfficiencyCalc.Correct, 16.01, 1e-9);
  EXPECT_EQ(EfficiencyCalc.Time, 14);
  EXPECT_EQ(EfficiencyCalc.Speed(), 99);
  EXPECT_EQ(BackSpaceCounter.Keys, 25);
  EXPECT_EQ(BackSpaceCounter.BackSpaces, 1);
  EXPECT_NEAR(KeyStats->Difficulty('o'), 26.667, 0.01);
  EXPECT_NEAR(KeyStats->Difficulty('d'), 26.667, 0.01);

  // The information page, opened as the lesson page would.
  ASSERT_TRUE(info->HasResults);
  info->OpenNonModal();
  const TChapterStgs& page = *ChapterStgs;
  EXPECT_EQ(Text(page.SpeedLbl), "20");
  EXPECT_EQ(Text(page.SpeedUnit), "wpm");
  EXPECT_EQ(Text(page.SpeedGradeLbl), "Intermediate");
  EXPECT_EQ(Text(page.ErrorsLbl), "42 %");
  EXPECT_EQ(Text(page.ErrorsGradeLbl), "Beginner");
  EXPECT_EQ(Text(page.EfficiencyLbl), "22 %");
  EXPECT_EQ(Text(page.EfficiencyGradeLbl), "Beginner");
  EXPECT_EQ(Text(page.BackSpaceLbl), "4.0 %");
  EXPECT_EQ(Text(page.BackSpaceGradeLbl), "Advanced");
  EXPECT_EQ(Text(page.TipLbl),
            "The errors you made decreased your efficiency. Your accuracy could improve greatly.");
  EXPECT_FALSE(info->HasResults);
  bool veto = false;
  info->Close(veto);

  // The student's record: last results, the lesson's results, study time.
  EXPECT_EQ(user->LastSpeed, 99);
  EXPECT_EQ(user->LastEfficiency, 22);
  EXPECT_NEAR(user->LastErrors, 41.76, 0.01);
  EXPECT_FLOAT_EQ(user->LastBackSpace, 4.0f);
  EXPECT_EQ(user->LessonResultExercise[2], 3);
  EXPECT_FLOAT_EQ(user->LessonSpeed[2], 99);
  EXPECT_FLOAT_EQ(user->LessonEfficiency[2], 22);
  EXPECT_NEAR(user->LessonAccuracy[2], 41.76, 0.01);
  // 40.5 + 14 + 3 units = 49.7 s: no minute yet, but more than 45 seconds.
  EXPECT_EQ(user->StudyTime, 6);
}

TEST_F(TextEventTest, TooLittleTypingGivesTheShortTimeMessage) {
  struct Case {
    const char* name;
    const char* typed;
    double interval;
  };
  const Case cases[] = {
      {"four words", "one two three four ", 1.0},
      {"five words in 9 units", "one two three four five ", 9.0 / 23},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    info->HasResults = true;  // left over from an earlier exercise
    auto loader = Loader("event=EXAM;1;one two three four five six seven;TRUE");
    sandbox.dialogs.Answer(qx::DialogAnswer::Yes);
    const int code = RunWith([&] { return loader->Execute(nullptr); },
                             [&] {
                               Type(c.typed, c.interval);
                               Click(BookForm->Next);
                             });
    EXPECT_EQ(code, kNextStep);
    EXPECT_FALSE(info->HasResults);
    info->OpenNonModal();
    for (QLabel* value : {ChapterStgs->SpeedLbl, ChapterStgs->ErrorsLbl, ChapterStgs->BackSpaceLbl,
                          ChapterStgs->EfficiencyLbl})
      EXPECT_EQ(Text(value), "-");
    EXPECT_EQ(Text(ChapterStgs->SpeedGradeLbl), "");
    EXPECT_TRUE(ChapterStgs->SpeedChange->Empty());
    EXPECT_EQ(Text(ChapterStgs->TipLbl), kShortTimeText);
    bool veto = false;
    info->Close(veto);
  }
}

TEST_F(TextEventTest, NextWhileRunningAsksWithTheClockPaused) {
  auto loader = Loader("event=TEXT;1;alpha beta gamma delta;TRUE");
  sandbox.dialogs.Answer(qx::DialogAnswer::No);
  sandbox.dialogs.Answer(qx::DialogAnswer::Yes);
  std::vector<std::string> states;
  sandbox.dialogs.onAsk = [&](const qx::DialogRequest&) {
    TTextEvent* event = Running();
    states.push_back(std::to_string(event->State) + (event->Timer->isActive() ? " ticking" : " stopped") +
                     (event->NervoGraph->Timer.isActive() ? " graph" : ""));
    clock.AdvanceUnits(30);  // the student thinks it over
  };
  int elapsedAfterNo = -1;
  const int code = RunWith([&] { return loader->Execute(nullptr); },
                           [&] {
                             TTextEvent* event = Running();
                             Type("alpha ", 1);
                             Click(BookForm->Next);
                             EXPECT_EQ(event->State, kStateRunning);
                             EXPECT_TRUE(event->Timer->isActive());
                             // 5 units typed; the 30 spent on the question do not count.
                             elapsedAfterNo = int(std::lrint((qx::Now() - event->ClockStart) * 100000));
                             PressKey(Qt::Key_N, Qt::AltModifier);
                           });
  EXPECT_EQ(code, kNextStep);
  EXPECT_EQ(elapsedAfterNo, 5);
  ASSERT_EQ(sandbox.dialogs.Asked().size(), 2u);
  EXPECT_EQ(sandbox.dialogs.Asked()[0].text, "You haven't finished this exercise yet, proceed anyway?");
  EXPECT_EQ(sandbox.dialogs.Asked()[0].buttons, qx::DialogButtons::YesNo);
  EXPECT_EQ(states, (std::vector<std::string>{"2 stopped", "2 stopped"}));
}

TEST_F(TextEventTest, LeavingBeforeTheFirstKeyAsksNothing) {
  struct Case {
    const char* name;
    std::function<void()> leave;
    int code;
  };
  const Case cases[] = {
      {"Next", [] { Click(BookForm->Next); }, kNextStep},
      {"Esc", [] { PressKey(Qt::Key_Escape); }, kCancelledBeforeDone},
      {"Alt+C", [] { PressKey(Qt::Key_C, Qt::AltModifier); }, kCancelledBeforeDone},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto loader = Loader("event=TEXT;1;some text;TRUE");
    EXPECT_EQ(RunWith([&] { return loader->Execute(nullptr); }, c.leave), c.code);
  }
  EXPECT_TRUE(sandbox.dialogs.Asked().empty());
}

TEST_F(TextEventTest, EnterEndsAWordWhileTypingAndGoesOnOnlyAfterCompletion) {
  auto loader = Loader("event=TEXT;1;first line\r\nsecond;TRUE");
  const int code = RunWith([&] { return loader->Execute(nullptr); },
                           [&] {
                             TTextEvent* event = Running();
                             Type("first line\r");
                             EXPECT_TRUE(event->Active);
                             EXPECT_EQ(event->State, kStateRunning);
                             EXPECT_EQ(event->ModelCanvas->WordAt(0), "second");
                             // Reading the next line starts after the CR, so a later run
                             // continues from it.
                             EXPECT_EQ(event->TextStart, 11);
                             Type("second\r");
                             EXPECT_EQ(event->State, kStateCompleted);
                             EXPECT_TRUE(EventsStg->EventMsg->isVisible());
                             EXPECT_FALSE(event->TypingCanvas->isEnabled());
                             Type("more");  // nothing happens once done
                             EXPECT_EQ(event->TypingCanvas->TypedWord->Text, "");
                             EXPECT_EQ(event->WordsTyped, 3);
                             Press('\r');
                           });
  EXPECT_EQ(code, kNextStep);
}

TEST_F(TextEventTest, ATimeLimitCompletesTheStep) {
  auto loader = Loader("event=TEXT;1;a long text that nobody finishes in time;TRUE", 10);
  std::vector<std::string> shown;
  const int code =
      RunWith([&] { return loader->Execute(nullptr); },
              [&] {
                TTextEvent* event = Running();
                shown.push_back(Text(EventsStg->TimeLabel));
                Type("a");
                clock.AdvanceUnits(5);
                event->Tick();
                shown.push_back(Text(EventsStg->TimeLabel));
                EXPECT_EQ(EventsStg->TimeGauge->MaxValue(), 10);
                clock.AdvanceUnits(5);
                // The real timer notices within 100 ms.
                EXPECT_TRUE(QTest::qWaitFor([&] { return event->State == kStateCompleted; }, 10000));
                shown.push_back(Text(EventsStg->TimeLabel));
                EXPECT_EQ(event->State, kStateCompleted);
                EXPECT_FALSE(event->Timer->isActive());
                EXPECT_EQ(Text(EventsStg->MsgLabel2), "Press Enter to continue.");
                PressKey(Qt::Key_Escape);
              });
  EXPECT_EQ(code, kCancelledAfterDone);
  EXPECT_EQ(shown, (std::vector<std::string>{"00:10", "00:05", "00:00"}));
  EXPECT_TRUE(sandbox.dialogs.Asked().empty());
}

// The wall clock set back or forward an hour in mid-exercise (a change of
// summer time, a teacher's correction) moves neither the time limit nor
// the typing time nor the minutes credited.
TEST_F(TextEventTest, AClockSetBackOrForwardLeavesTheTimedStepAlone) {
  for (const double jump : {0.0, -1.0 / 24, 1.0 / 24}) {
    SCOPED_TRACE(jump * 24);
    auto loader = Loader("event=TEXT;1;a long text that nobody finishes in time;TRUE", 70);
    user->StudyTime = 10;
    std::vector<std::string> shown;
    int state = -1;
    const int code = RunWith([&] { return loader->Execute(nullptr); },
                             [&] {
                               TTextEvent* event = Running();
                               Type("a lo");
                               clock.Jump(jump);
                               Type("ng ");
                               clock.AdvanceUnits(30);
                               event->Tick();
                               shown.push_back(Text(EventsStg->TimeLabel));
                               clock.AdvanceUnits(37);
                               event->Tick();
                               shown.push_back(Text(EventsStg->TimeLabel));
                               state = event->State;
                               Press('\r');
                             });
    EXPECT_EQ(code, kNextStep);
    EXPECT_EQ(state, kStateCompleted);
    // 7 keys 0.5 units apart: 3 units from the first, then 30 and 37 more.
    EXPECT_EQ(shown, (std::vector<std::string>{"00:37", "00:00"}));
    EXPECT_EQ(EfficiencyCalc.Time, 3);
    // 0.5 + 3 + 30 + 37 units from the page = 60.9 s: one minute.
    EXPECT_EQ(user->StudyTime, 11);
    EXPECT_TRUE(sandbox.dialogs.Asked().empty());
    clock.Jump(-jump);
  }
}

TEST_F(TextEventTest, UntimedClockCountsUpAndPauseHoldsIt) {
  auto loader = Loader("event=TEXT;1;one two three;TRUE");
  std::vector<std::string> shown;
  sandbox.dialogs.Answer(qx::DialogAnswer::Yes);
  RunWith([&] { return loader->Execute(nullptr); },
          [&] {
            TTextEvent* event = Running();
            shown.push_back(Text(EventsStg->TimeLabel));
            Type("o");
            clock.AdvanceUnits(75);
            event->Tick();
            shown.push_back(Text(EventsStg->TimeLabel));
            Click(EventsStg->Pause);
            EXPECT_EQ(event->State, kStatePaused);
            EXPECT_TRUE(EventsStg->EventMsg->isVisible());
            clock.AdvanceUnits(100);  // paused time does not count
            const int intervals = DeviationCalc.Total;
            Type("n", 0);                               // typing goes on
            EXPECT_EQ(DeviationCalc.Total, intervals);  // too long a gap for the rhythm
            EXPECT_EQ(event->State, kStateRunning);
            EXPECT_FALSE(EventsStg->EventMsg->isVisible());
            clock.AdvanceUnits(1);
            event->Tick();
            shown.push_back(Text(EventsStg->TimeLabel));
            Click(BookForm->Next);
          });
  EXPECT_EQ(shown, (std::vector<std::string>{"00:00", "01:15", "01:16"}));
}

TEST_F(TextEventTest, WordsTheModelDoesNotKnowShowTheWordCursor) {
  auto loader = Loader("event=TEXT;1;house garden street river;FALSE");
  sandbox.dialogs.Answer(qx::DialogAnswer::Yes);
  std::vector<bool> cursor;
  RunWith([&] { return loader->Execute(nullptr); },
          [&] {
            TTextEvent* event = Running();
            Type("house ");  // the first word leaves the page-start cursor
            cursor.push_back(event->ModelCanvas->ShowCursor);
            Type("xyzzy ");
            cursor.push_back(event->ModelCanvas->ShowCursor);
            Type("qwvkj ");
            cursor.push_back(event->ModelCanvas->ShowCursor);
            EXPECT_EQ(event->LostCount, 2);
            EXPECT_EQ(event->ModelCanvas->WordAt(0), "river");
            Click(BookForm->Next);
          });
  EXPECT_EQ(cursor, (std::vector<bool>{false, false, true}));
}

TEST_F(TextEventTest, BackSpaceAndSpaceOnAnEmptyWordChangeNothing) {
  auto loader = Loader("event=TEXT;1;cat dog;TRUE");
  sandbox.dialogs.Answer(qx::DialogAnswer::Yes);
  RunWith([&] { return loader->Execute(nullptr); },
          [&] {
            TTextEvent* event = Running();
            Type("cat ");
            sounds.played.clear();
            Type("\b");
            EXPECT_EQ(sounds.played, (std::vector<std::string>{"Error.wav"}));
            EXPECT_EQ(event->TypingCanvas->TypedText(), "");
            const int words = event->WordsTyped;
            const int keystrokes = EfficiencyCalc.Keystrokes;
            Type(" ");
            EXPECT_EQ(event->WordsTyped, words);
            EXPECT_EQ(EfficiencyCalc.Keystrokes, keystrokes);
            EXPECT_EQ(event->ModelCanvas->WordAt(0), "dog");
            Type("dgo\b\bog");
            EXPECT_EQ(event->TypingCanvas->TypedWord->Text, "dog");
            Click(BookForm->Next);
          });
}

TEST_F(TextEventTest, AStepWithoutTextEndsAtTheFirstWordEnd) {
  auto loader = Loader("event=TEXT;1;FILE:nowhere.txt;TRUE");
  const int code = RunWith([&] { return loader->Execute(nullptr); },
                           [&] {
                             TTextEvent* event = Running();
                             Type("x ");
                             EXPECT_EQ(event->State, kStateCompleted);
                             EXPECT_FALSE(event->Timer->isActive());
                             Press('\r');
                           });
  EXPECT_EQ(code, kNextStep);
  ASSERT_EQ(sandbox.dialogs.Asked().size(), 1u);
  EXPECT_NE(sandbox.dialogs.Asked()[0].text.find("File nowhere.txt missing or read error"),
            std::string::npos);
}

TEST_F(TextEventTest, TheControlsGoBackAndTheBookReturnsToTwoPages) {
  auto loader = Loader("event=TEXT;1;cat;TRUE");
  bool onPage = false;
  RunWith([&] { return loader->Execute(nullptr); },
          [&] {
            onPage = EventsStg->TypingScreen->parentWidget() == BookForm->WidePage &&
                     EventsStg->TimeLabel->parentWidget() == BookForm->WidePage && BookForm->Layout() == 1 &&
                     BookForm->ButtonMask() == (TBookForm::kNext | TBookForm::kCancel) &&
                     !BookForm->TitleConsole->isVisible() && EventsStg->SpeedTitle->isVisible();
            Click(BookForm->Cancel);
          });
  EXPECT_TRUE(onPage);
  EXPECT_EQ(EventsStg->TypingScreen->parentWidget(), EventsStg);
  EXPECT_EQ(EventsStg->TimeLabel->parentWidget(), EventsStg->EventConsole);
  EXPECT_FALSE(EventsStg->SpeedTitle->isVisibleTo(EventsStg->EventConsole));
  EXPECT_EQ(BookForm->Layout(), 2);
  EXPECT_EQ(BookForm->ButtonMask(), 0);
  EXPECT_TRUE(BookForm->TitleConsole->isVisible());
  EXPECT_FALSE(BookForm->OnKeyPress || BookForm->OnKeyDown);
  EXPECT_TRUE(BookForm->WidePage->findChildren<TExerciseCanvas*>().isEmpty());
}

}  // namespace

// SPDX-License-Identifier: GPL-3.0-or-later

#include <QImage>
#include <QLabel>
#include <chrono>

#include "EventSandbox.h"
#include "content/Event.h"
#include "content/EventLdr.h"
#include "content/TxtEvent.h"
#include "engine/Viewcanv.h"
#include "platform/Files.h"
#include "storage/BookMark.h"
#include "support/Timing.h"

namespace {

using qxtest::EventTest;
using qxtest::WriteBytes;

// ---- Descriptors and the type table -------------------------------------

TEST(EventLoaderCreate, ReadsTypeAndWeightWhateverTheLabelAndCase) {
  struct Case {
    const char* descriptor;
    const char* type;
    int weight;
  };
  const Case cases[] = {
      {"event=TEXT;1;FILE:Beg01a.txt;TRUE", "TEXT", 1},
      {"event=message;0;Hello, world;Title", "MESSAGE", 0},
      {"Zaro;Zaro;0;", "ZARO", 0},
      {"Text;Text;0;ask:*.exm;false", "TEXT", 0},
      {"anything=Exam; 12 ;x", "EXAM", 12},
      {"event=TEXT;-3;x", "TEXT", -3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.descriptor);
    auto loader = TEventLoader::Create(c.descriptor);
    ASSERT_NE(loader, nullptr);
    EXPECT_EQ(loader->EventType, c.type);
    EXPECT_EQ(loader->DurationWeight, c.weight);
    EXPECT_EQ(loader->Descriptor, c.descriptor);
    EXPECT_TRUE(loader->AllowCancel);
    EXPECT_EQ(loader->Seconds, 0);
    EXPECT_EQ(loader->NewKeysLevel, 0);
  }
}

TEST(EventLoaderCreate, AbandonsDescriptorsWithoutAWholeWeight) {
  for (const char* descriptor : {"", "event=TEXT", "event=TEXT;", "event=TEXT;one;x", "event=TEXT;1.5;x",
                                 "event=TEXT;99999999999;x", "event=TEXT;+;x"}) {
    SCOPED_TRACE(descriptor);
    EXPECT_EQ(TEventLoader::Create(descriptor), nullptr);
  }
}

TEST(EventLoaderExecute, UnknownTypesAreSkippedWithoutAWindow) {
  for (const char* descriptor :
       {"event=TEKST;1;FILE:x.txt"}) {
    SCOPED_TRACE(descriptor);
    auto loader = TEventLoader::Create(descriptor);
    ASSERT_NE(loader, nullptr);
    EXPECT_EQ(loader->Execute(nullptr), 0);
    EXPECT_EQ(ActiveView, nullptr);
  }
  EXPECT_TRUE(EventTypeKnown("message"));
  EXPECT_TRUE(EventTypeKnown("Exam"));
  EXPECT_TRUE(EventTypeKnown("Word"));
  EXPECT_FALSE(EventTypeKnown("WORDS"));
  for (const char* game : {"zarozira", "Bubbles", "Zaro", "bubb"}) EXPECT_TRUE(EventTypeKnown(game)) << game;
}

TEST(StudyTime, AStepCreditsWholeMinutesRoundedAfter45Seconds) {
  struct Case {
    double seconds;
    int minutes;
  };
  const Case cases[] = {{0, 0},    {45, 0},    {46, 1},    {59, 1},         {60, 1}, {710, 12},
                        {705, 11}, {3599, 60}, {3900, 60}, {3600 + 50, 61}, {-30, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.seconds);
    EXPECT_EQ(CreditedMinutes(c.seconds / 86400.0), c.minutes);
  }
}

// ---- Steps on the page --------------------------------------------------

class EventsTest : public EventTest {};

TEST_F(EventsTest, ClosingAStepCreditsItsTimeToTheStudent) {
  struct Case {
    double seconds;
    int minutes;
  };
  for (const Case& c : {Case{11 * 60 + 50, 12}, Case{65 * 60, 60}}) {
    SCOPED_TRACE(c.seconds);
    user->StudyTime = 100;
    user->LessonTime = 10;
    auto loader = TEventLoader::Create("event=MESSAGE;0;Read this.;A Title");
    const int code = RunWith([&] { return loader->Execute(nullptr); },
                             [&] {
                               clock.AdvanceSeconds(c.seconds);
                               PressKey(Qt::Key_Enter, Qt::KeypadModifier);
                             });
    EXPECT_EQ(code, kNextStep);
    EXPECT_EQ(user->StudyTime, 100 + c.minutes);
    EXPECT_EQ(user->LessonTime, 10 + c.minutes);
  }
}

TEST_F(EventsTest, AMessagePageShowsTitleTextAndPicture) {
  QImage picture(120, 90, QImage::Format_RGB32);
  picture.fill(Qt::darkCyan);
  ASSERT_TRUE(picture.save(QString::fromStdString(sandbox / "Sea.bmp"), "BMP"));
  WriteBytes(sandbox / "msg.txt", "First paragraph.\r\n\r\nSecond paragraph.\r\n");
  struct Case {
    const char* descriptor;
    QRect canvas;
    QRect picture;  // empty: no picture shown
  };
  const Case cases[] = {
      {"event=MESSAGE;0;file:msg.txt;The Sea", QRect(130, 50, 360, 363), QRect()},
      {"event=MESSAGE;0;file:msg.txt;The Sea;Missing.pic", QRect(130, 50, 360, 363), QRect()},
      {"event=MESSAGE;0;file:msg.txt;The Sea;sea.BMP", QRect(15, 50, 360, 363), QRect(583, 50, 120, 90)},
      {"event=MESSAGE;0;file:msg.txt;The Sea;Sea.bmp;left", QRect(150, 50, 360, 363), QRect(15, 50, 120, 90)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.descriptor);
    auto loader = TEventLoader::Create(c.descriptor);
    QRect canvas, shown;
    std::string title, text;
    int state = -1;
    const int code = RunWith([&] { return loader->Execute(nullptr); },
                             [&] {
                               auto* event = dynamic_cast<TMessageEvent*>(ActiveView);
                               ASSERT_NE(event, nullptr);
                               canvas = event->MessageCanvas->geometry();
                               if (event->MessagePicture->isVisible())
                                 shown = event->MessagePicture->geometry();
                               title = BookForm->Title->text().toStdString();
                               text = event->MessageCanvas->WordAt(0) + " " + event->MessageCanvas->WordAt(2);
                               state = event->State;
                               EXPECT_EQ(event->MessageCanvas->Mode(), 3);
                               EXPECT_EQ(BookForm->Layout(), 1);
                               EXPECT_TRUE(BookForm->TitleConsole->isVisible());
                               Press('\r');
                             });
    EXPECT_EQ(code, kNextStep);
    EXPECT_EQ(canvas, c.canvas);
    EXPECT_EQ(shown, c.picture);
    EXPECT_EQ(title, "The Sea");
    EXPECT_EQ(text, "First Second");
    EXPECT_EQ(state, kStateCompleted);
  }
  EXPECT_TRUE(sandbox.dialogs.Asked().empty());
}

TEST_F(EventsTest, AMessageWithoutATitleIsReportedAndStillShown) {
  auto loader = TEventLoader::Create("event=MESSAGE;0;Just text");
  const int code = RunWith([&] { return loader->Execute(nullptr); }, [] { Press('\r'); });
  EXPECT_EQ(code, kNextStep);
  ASSERT_EQ(sandbox.dialogs.Asked().size(), 1u);
  EXPECT_NE(sandbox.dialogs.Asked()[0].text.find("Message without a title"), std::string::npos);
}

TEST_F(EventsTest, TheLoaderHandsOnItsSettingsAndTranslatesResults) {
  user->NewKeys = {"fj", "dk", "sl"};
  struct Case {
    bool allowCancel;
    std::function<void()> leave;
    int code;
  };
  const Case cases[] = {
      {true, [] { Click(BookForm->Next); }, kNextStep},
      {true, [] { Click(BookForm->Cancel); }, kCancelledAfterDone},  // a message is done at once
      {false, [] { PressKey(Qt::Key_N, Qt::AltModifier); }, kNextStep},
      {true, [] {}, kLeaveStudying},
  };
  for (const Case& c : cases) {
    auto loader = TEventLoader::Create("event=MESSAGE;0;text;Title");
    loader->AllowCancel = c.allowCancel;
    loader->NewKeysLevel = 2;
    std::string keys;
    bool cancelShown = false;
    const int code = RunWith([&] { return loader->Execute(nullptr); },
                             [&] {
                               auto* event = dynamic_cast<TEvent*>(ActiveView);
                               keys = event->KnownKeys;
                               cancelShown = BookForm->Cancel->isVisible();
                               if (c.code == kLeaveStudying) {
                                 // The program is closing: the view closes without a button.
                                 bool veto = false;
                                 event->Close(veto);
                                 return;
                               }
                               c.leave();
                             });
    EXPECT_EQ(code, c.code);
    EXPECT_EQ(keys, "fjdk");
    EXPECT_EQ(cancelShown, c.allowCancel);
  }
}

TEST_F(EventsTest, TimedStepsGetTheLimitAndWithoutStudentTheLetters) {
  User = nullptr;
  auto loader = TEventLoader::Create("event=TEXT;1;abc;TRUE");
  loader->Seconds = 120;
  int limit = -1;
  std::string keys;
  RunWith([&] { return loader->Execute(nullptr); },
          [&] {
            auto* event = dynamic_cast<TTextEvent*>(ActiveView);
            limit = event->TimeLimit;
            keys = event->KnownKeys;
            Click(BookForm->Next);
          });
  EXPECT_EQ(limit, 120);
  EXPECT_EQ(keys, "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ");
  User = user.get();
}

TEST_F(EventsTest, FreshTextResultsReplaceTheLessonsResultsUnlessALaterExerciseHasThem) {
  struct Case {
    const char* name;
    const char* type;
    int storedExercise;  // LessonResultExercise of lesson 4 before
    bool withBookmark;
    bool typesEnough;
    bool replaced;
  };
  const Case cases[] = {
      {"same exercise", "TEXT", 2, true, true, true},   {"earlier exercise", "EXAM", 1, true, true, true},
      {"later exercise", "TEXT", 3, true, true, false}, {"no bookmark", "TEXT", 0, false, true, false},
      {"too short", "TEXT", 0, true, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    user->LessonResultExercise[4] = c.storedExercise;
    user->LessonSpeed[4] = user->LessonAccuracy[4] = user->LessonEfficiency[4] = -1;
    TBookMark bookmark;
    bookmark.Chapter = 4;
    bookmark.Exercise = 2;
    auto loader = TEventLoader::Create(std::string("event=") + c.type + ";1;aa bb cc dd ee ff;TRUE");
    const int code = RunWith([&] { return loader->Execute(c.withBookmark ? &bookmark : nullptr); },
                             [&] {
                               Type(c.typesEnough ? "aa bb cc dd ee ff " : "aa bb ", 1);
                               if (!c.typesEnough) sandbox.dialogs.Answer(qx::DialogAnswer::Yes);
                               Click(BookForm->Next);
                             });
    EXPECT_EQ(code, kNextStep);
    EXPECT_EQ(user->LessonResultExercise[4], c.replaced ? 2 : c.storedExercise);
    if (c.replaced) {
      // 18 keystrokes in 17 units.
      EXPECT_FLOAT_EQ(user->LessonSpeed[4], 64);
      EXPECT_FLOAT_EQ(user->LessonAccuracy[4], 100);
      EXPECT_FLOAT_EQ(user->LessonEfficiency[4], float(info->Efficiency));
    } else {
      EXPECT_FLOAT_EQ(user->LessonSpeed[4], -1);
    }
  }
}

TEST_F(EventsTest, LoadTextReadsFilesTheEfficiencyTextOrTheParameter) {
  WriteBytes(sandbox / "Lesson.txt", "from a file\r\n");
  WriteBytes(sandbox / "Effic.qxs", "efficiency text");
  struct Case {
    const char* parameter;
    const char* text;
    bool reported;
  };
  const Case cases[] = {
      {"FILE:Lesson.txt", "from a file\r\n", false},
      {"file:lesson.TXT", "from a file\r\n", false},
      {" File: Lesson.txt ", "from a file\r\n", false},
      {"EFFIC:", "efficiency text", false},
      {"effic:whatever", "efficiency text", false},
      {"RES:Text7", "", false},
      {"an inline text, with a comma", "an inline text, with a comma", false},
      {"nil", "kept", false},
      {"FILE:missing.txt", "", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.parameter);
    sandbox.dialogs.ClearAsked();
    TTextEvent event;
    event.CreateFromDescriptor("event=TEXT;1;x");
    event.EventText = "kept";
    EXPECT_EQ(event.LoadText(c.parameter), 1);
    EXPECT_EQ(event.EventText, c.text);
    EXPECT_FALSE(event.AskedForText);
    ASSERT_EQ(sandbox.dialogs.Asked().size(), c.reported ? 1u : 0u);
    if (c.reported) {
      EXPECT_NE(sandbox.dialogs.Asked()[0].text.find("File missing.txt missing or read error"),
                std::string::npos);
    }
  }
}

TEST_F(EventsTest, TheEventSplitsItsOwnFieldsKeepingCommas) {
  TMessageEvent event;
  event.CreateFromDescriptor("event=MESSAGE;0;One, two, three;A, B;pic.pic;Left");
  EXPECT_EQ(event.DescriptorFields, (std::vector<std::string>{"event", "MESSAGE", "0", "One, two, three",
                                                              "A, B", "pic.pic", "Left"}));
  EXPECT_TRUE(event.PictureLeft);
  EXPECT_TRUE(event.AllowCancel);
}

// The exercise clock is off until the first key and the caret blinks twice
// a second: a page waiting for the student costs next to no processor time.
TEST_F(EventsTest, AWaitingTextExerciseUsesAlmostNoProcessorTime) {
  qx::InstallClock(nullptr);  // real time, real timers
  WriteBytes(sandbox / "later.txt", "some words to type later\r\n");
  auto loader = TEventLoader::Create("event=TEXT;1;FILE:later.txt;TRUE");
  double cpuSeconds = -1, wallSeconds = 0;
  RunWith([&] { return loader->Execute(nullptr); },
          [&] {
            QTest::qWait(100);  // let the first paint settle
            const double before = qxtest::ThreadCpuMs();
            const auto start = std::chrono::steady_clock::now();
            QTest::qWait(1500);
            wallSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            cpuSeconds = (qxtest::ThreadCpuMs() - before) / 1000;
            Click(BookForm->Next);
          });
  qx::InstallClock(&clock);
  ASSERT_GE(cpuSeconds, 0);
  RecordProperty("cpu_ms", std::to_string(int(cpuSeconds * 1000)));
  // Polling would take a good share of the wait even on a loaded machine.
  EXPECT_LT(cpuSeconds, 0.05 * wallSeconds) << cpuSeconds * 1000 << " ms of CPU in " << wallSeconds << " s";
}

}  // namespace

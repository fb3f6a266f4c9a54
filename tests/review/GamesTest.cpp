// SPDX-License-Identifier: GPL-3.0-or-later
#include <QLabel>
#include <QLineEdit>
#include <algorithm>

#include "content/EventSandbox.h"
#include "review/Bubble.h"
#include "review/GamEvent.h"
#include "shell/Addviews.h"
#include "shell/Eviewstg.h"
#include "storage/FileObj.h"
#include "storage/Topten.h"
#include "support/TestFiles.h"

namespace {

using qxtest::WriteBytes;

using qxtest::EventTest;

// The timers stay on, but their ticks are the test's to give.
void HoldTimer(QTimer* timer) { QObject::disconnect(timer, &QTimer::timeout, nullptr, nullptr); }

TEST(ZaroZiraRules, LevelAndFallInterval) {
  struct Interval {
    float level;
    int letters, ms;
  };
  for (const Interval& c : {Interval{1, 5, 1170}, Interval{7, 5, 225}, Interval{1, 3, 910}, Interval{10, 5, 90}})
    EXPECT_EQ(ZaroFallInterval(c.level, c.letters), c.ms) << c.level;
  struct Level {
    float before;
    int lastRow, landed;
    float after;
  };
  for (const Level& c : {Level{1, 1, 0, 1.5f}, Level{5, 11, 0, 2.5f}, Level{3, 11, 2, 1.0f}, Level{9.8f, 1, 0, 10},
                         Level{1, 9, 0, 1.1f}, Level{1, 3, 5, 1.2f}})
    EXPECT_NEAR(ZaroLevelAfter(c.before, c.lastRow, c.landed), c.after, 1e-5) << c.before << " " << c.lastRow;
}

class GamesTest : public EventTest {
 protected:
  void Key(unsigned char c) { Press(char(c)); }
  void TypeWord(const std::string& word) {
    for (char c : word) Key(static_cast<unsigned char>(c));
  }
};

TEST_F(GamesTest, ZaroZiraPlaysFromTrimmedWordsToTheSixthLandedWord) {
  WriteBytes(sandbox / "Words.vcb", "  alpha\r\n\r\n\tbeta \r\n   \r\ngamma\r\ndelta\r\n");
  TZaroZiraEvent event;
  event.CreateFromDescriptor("event=ZAROZIRA;0;Words.vcb");
  const int result = RunWith([&] { return event.Run(); }, [&] {
    std::vector<std::string> words = event.Words;
    std::sort(words.begin(), words.end());
    EXPECT_EQ(words, (std::vector<std::string>{"alpha", "beta", "delta", "gamma"}));
    // Waiting for the first key costs nothing.
    EXPECT_FALSE(event.ZaroZiraTimer->isActive());
    EXPECT_FALSE(event.Timer->isActive());
    HoldTimer(event.ZaroZiraTimer.get());
    const std::string first = event.Words[0];
    const unsigned char expected = static_cast<unsigned char>(first[0]);
    Key('#');
    EXPECT_TRUE(event.Started);
    EXPECT_EQ(event.ZaroZiraTimer->interval(), 1000);
    EXPECT_EQ(KeyStats->ExerciseErrors[expected], 1);
    EXPECT_TRUE(Played("Error.wav"));
    EXPECT_EQ(event.CharPos, 1);
    // Typed in row 1: the level rises by 0.5 and the word scores 10.
    TypeWord(first);
    EXPECT_EQ(event.Score, 10);
    EXPECT_FLOAT_EQ(event.SpeedLevel, 1.5f);
    EXPECT_EQ(event.WordIndex, 1);
    EXPECT_EQ(event.FallRow, 1);
    EXPECT_EQ(event.ZaroZiraTimer->interval(), ZaroFallInterval(1.5f, int(event.Words[1].size())));
    EXPECT_EQ(EventsStg->PointsLabel->text(), QStringLiteral("10"));
    // A landed word costs 2.5 levels, never below 1.
    for (int step = 0; step < 10; ++step) event.FallStep();
    EXPECT_EQ(event.Landed.size(), 1u);
    EXPECT_FLOAT_EQ(event.SpeedLevel, 1.0f);
    EXPECT_EQ(event.WordIndex, 2);
    // With five landed words a word lands after passing row 5; the sixth
    // ends the game.
    int steps = 0;
    while (event.Landed.size() < 5 && steps < 100) event.FallStep(), ++steps;
    EXPECT_EQ(event.Rows[6], event.Landed[4]);
    EXPECT_FALSE(event.GameOver);
    EXPECT_EQ(event.WordIndex, 6 % 4);  // the list wrapped around
    for (int step = 0; step < 4; ++step) event.FallStep();
    EXPECT_EQ(event.FallRow, 5);
    EXPECT_FALSE(event.GameOver);
    event.FallStep();
    EXPECT_TRUE(event.GameOver);
    EXPECT_EQ(event.State, kStateCompleted);
    EXPECT_FALSE(event.ZaroZiraTimer->isActive());
    EXPECT_EQ(EventsStg->MsgLabel1->text(), QStringLiteral("Game over."));
    // Keys after the end change nothing.
    TypeWord("xyz");
    EXPECT_EQ(event.Score, 10);
    PressKey(Qt::Key_Return);
  });
  EXPECT_EQ(result, kResultNext);
  // Ten points do not reach the first ten.
  ASSERT_NE(TopTenView, nullptr);
  EXPECT_EQ(TopTenView->Rank, 0);
  EXPECT_TRUE(qx::FileExists(Settings->DataPath + "zarozira.qxt"));
}

TEST_F(GamesTest, ZaroZiraEndsWithTheTimeLimitAndRefusesAMissingVocabulary) {
  WriteBytes(sandbox / "Words.vcb", "ab\r\n");
  TZaroZiraEvent timed;
  timed.CreateFromDescriptor("event=ZAROZIRA;0;Words.vcb");
  timed.TakeLimits(10, 0);
  RunWith([&] { return timed.Run(); }, [&] {
    HoldTimer(timed.ZaroZiraTimer.get());
    Key('a');
    clock.AdvanceUnits(11);
    timed.Tick();
    EXPECT_TRUE(timed.GameOver);
    EXPECT_EQ(timed.State, kStateCompleted);
    PressKey(Qt::Key_Return);
  });

  sandbox.dialogs.ClearAsked();
  TZaroZiraEvent missing;
  missing.CreateFromDescriptor("event=ZAROZIRA;0;Nowhere.vcb");
  EXPECT_EQ(RunWith([&] { return missing.Run(); }, [] {}), kResultCancelled);
  ASSERT_EQ(sandbox.dialogs.Asked().size(), 1u);
  EXPECT_EQ(sandbox.dialogs.Asked()[0].text, "ZaroZira: Nowhere.vcb cannot be loaded, game cancelled.");
}

// A letter bubble in a column, as a launch would leave it.
void PlaceBubble(TBubbles& game, int column, char letter, int kind = 1, int y = 200) {
  Tbubble& b = *game.Columns[size_t(column)];
  b.Alive = true;
  b.BubbleKind = kind;
  b.Size = kind == 1 ? 40 : 45;
  b.Letter = static_cast<unsigned char>(letter);
  b.Rise = b.Step = 3;
  b.Y = y;
  game.ColumnLetters[size_t(column)] = letter;
}

TEST_F(GamesTest, BubblesBurstScoreAndRefuseWrongKeys) {
  TBubbles game;
  game.CreateFromDescriptor("Bubb;Bubb;0;0");
  game.KnownKeys = "asd";
  RunWith([&] { return game.Run(); }, [&] {
    EXPECT_EQ(game.PointsDivisor, 4);
    EXPECT_FALSE(game.BubbleTimer->isActive());
    HoldTimer(game.BubbleTimer.get());
    Key('q');  // only starts play
    EXPECT_EQ(game.State, kStateRunning);
    EXPECT_EQ(game.Score, 0);
    EXPECT_TRUE(game.BubbleTimer->isActive());
    game.LastLaunch = qx::Now();
    PlaceBubble(game, 0, 'a', 1);
    Key('a');
    EXPECT_EQ(game.Score, 1);  // (2 + 3) div 4
    EXPECT_FALSE(game.Columns[0]->Alive);
    EXPECT_EQ(KeyStats->ExerciseTyped['a'], 1);
    // One key bursts every bubble with its letter.
    PlaceBubble(game, 2, 's', 2);
    PlaceBubble(game, 7, 's', 1);
    Key('s');
    EXPECT_EQ(game.Score, 1 + 2 + 1);
    EXPECT_FALSE(game.Columns[2]->Alive || game.Columns[7]->Alive);
    // A wrong key costs points down to 0, and the next right key is no hit.
    game.SetScore(1);
    Key('d');
    EXPECT_EQ(game.Score, 0);
    EXPECT_TRUE(game.WrongKey);
    PlaceBubble(game, 1, 'd', 1);
    Key('d');
    EXPECT_EQ(KeyStats->ExerciseTyped['d'], 0);
    EXPECT_FALSE(game.WrongKey);
    // The score stops at 31999.
    game.PointsDivisor = 1;
    game.SetScore(30999);
    PlaceBubble(game, 3, 'a', 2);
    Key('a');
    EXPECT_EQ(game.Score, 31999);
    sandbox.dialogs.Answer(qx::DialogAnswer::Yes);
    PressKey(Qt::Key_Escape);
  });
}

TEST_F(GamesTest, BubblesLaunchRiseAndEndAtTheSixthEscape) {
  TBubbles game;
  game.CreateFromDescriptor("Bubb;Bubb;0;0");
  game.KnownKeys = "ab";
  RunWith([&] { return game.Run(); }, [&] {
    HoldTimer(game.BubbleTimer.get());
    Key('x');
    // A launch is due after the launch interval; a new bubble starts at
    // the bottom with the base step of level 1.
    clock.AdvanceUnits(2.1);
    game.BubbleTick();
    const auto alive = std::count_if(game.Columns.begin(), game.Columns.end(), [](auto& b) { return b->Alive; });
    ASSERT_EQ(alive, 1);
    const auto& launched = *std::find_if(game.Columns.begin(), game.Columns.end(), [](auto& b) { return b->Alive; });
    EXPECT_EQ(launched->Y, game.AreaHeight());
    EXPECT_EQ(launched->Step, launched->BubbleKind == 1 ? 3 : 4);
    EXPECT_TRUE(launched->Letter == 'a' || launched->Letter == 'b');
    // Every letter of the keys on screen: a new bubble repeats one.
    for (int c = 0; c < kBubbleColumns; ++c) game.Columns[size_t(c)]->Deactivate();
    game.ColumnLetters.assign(kBubbleColumns, '\n');
    game.ColumnLetters[0] = 'a';
    game.ColumnLetters[1] = 'b';
    game.ChooseLetter(5);
    EXPECT_TRUE(game.ColumnLetters[5] == 'a' || game.ColumnLetters[5] == 'b');
    game.ColumnLetters.assign(kBubbleColumns, '\n');

    // Escaping air bubbles never count; the sixth escaped letter ends it.
    auto air = std::make_unique<Tbubble>();
    air->IsAir = true;
    air->Size = 6;
    air->Launch(8, 0);
    game.AirBubbles.push_back(std::move(air));
    const char letters[] = "abcdef";
    for (int c = 0; c < 6; ++c) PlaceBubble(game, c, letters[c], 1, -39);
    game.LastLaunch = game.LastAir = qx::Now();
    game.BubbleTick();
    EXPECT_EQ(game.Missed, 6);
    EXPECT_EQ(game.State, kStateCompleted);
    EXPECT_FALSE(game.BubbleTimer->isActive());
    EXPECT_EQ(EventsStg->MsgLabel1->text(), QStringLiteral("Game over."));
    EXPECT_LT(game.GameLevel, 1.1f);
    PressKey(Qt::Key_Return);
  });
}

TEST_F(GamesTest, AWinnerNamesTheEntryAndAnEmptyNameIsAnonymous) {
  ASSERT_NE(TopTenView, nullptr);
  TopTenView->EnterScore("bubbles", "Tester", 200);
  EXPECT_EQ(TopTenView->Rank, 0);
  EXPECT_TRUE(EventViewStg->NameBox->isHidden());
  EXPECT_TRUE(EventViewStg->Congratulations->isHidden());

  TopTenView->EnterScore("bubbles", "Tester", 860);  // ties the second: ranks below it
  EXPECT_EQ(TopTenView->Rank, 3);
  EXPECT_FALSE(EventViewStg->NameBox->isHidden());
  EXPECT_EQ(EventViewStg->NameBox->text(), QStringLiteral("Tester"));
  EXPECT_EQ(TopTenView->NameLabels[2]->text(), QStringLiteral("Tester"));
  // Already in the file under the student's name, before any confirmation.
  TtopTen stored;
  ASSERT_EQ(stored.Load("bubbles"), kFileOpen);
  EXPECT_EQ(stored.Entries[3].Name, "Tester");
  EventViewStg->NameBox->clear();
  TopTenView->ConfirmName();
  EXPECT_TRUE(EventViewStg->NameBox->isHidden());
  stored.Load("bubbles");
  EXPECT_EQ(stored.Entries[3].Name, "Anonymous");
  EXPECT_EQ(stored.Entries[3].Score, 860);
  EXPECT_EQ(TopTenView->NameLabels[2]->text(), QStringLiteral("Anonymous"));
}

}  // namespace

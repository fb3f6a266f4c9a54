// SPDX-License-Identifier: GPL-3.0-or-later
#include <QLabel>

#include "EventSandbox.h"
#include "engine/Analyzer.h"

namespace {

class InfoPageTest : public qxtest::EventTest {
 protected:
  qx::Picture Trend(TImage* picture) const { return picture->BuiltIn(); }
  static std::string Text(QLabel* label) { return label->text().toStdString(); }
};

TEST_F(InfoPageTest, TrendsCompareWithTheValuesKeptAsPrevious) {
  info->SetSpeed(120);
  info->SetEfficiency(40);
  info->SetErrorRate(60);
  info->SetBackSpaceRate(8);
  // Nothing to compare with yet.
  for (TImage* trend : {ChapterStgs->SpeedChange, ChapterStgs->EfficiencyChange, ChapterStgs->ErrorsChange,
                        ChapterStgs->BackSpaceChange})
    EXPECT_EQ(Trend(trend), qx::Picture::ArrowClear);

  info->KeepAsPrevious();
  EXPECT_TRUE(info->HasPrevious);
  info->SetSpeed(120);        // same speed
  info->SetEfficiency(55);    // 15 points up, second set
  info->SetErrorRate(55);     // 5 points down
  info->SetBackSpaceRate(5);  // 3 points less BackSpace: a big rise
  EXPECT_EQ(Trend(ChapterStgs->SpeedChange), qx::Picture::ArrowHorizontal);
  EXPECT_EQ(Trend(ChapterStgs->EfficiencyChange), qx::Picture::ArrowUp2B);
  EXPECT_EQ(Trend(ChapterStgs->ErrorsChange), qx::Picture::ArrowDown1);
  EXPECT_EQ(Trend(ChapterStgs->BackSpaceChange), qx::Picture::ArrowUp2);
  EXPECT_EQ(Text(ChapterStgs->EfficiencyLbl), "55 %");
  EXPECT_EQ(Text(ChapterStgs->BackSpaceLbl), "5.0 %");
  EXPECT_EQ(user->LastEfficiency, 55);
  EXPECT_FLOAT_EQ(user->LastBackSpace, 5);
}

TEST_F(InfoPageTest, SpeedIsShownInTheStudentsUnit) {
  struct Case {
    bool wpm;
    int cpm;
    const char* shown;
    const char* unit;
  };
  const Case cases[] = {{true, 99, "20", "wpm"}, {true, 112, "22", "wpm"}, {false, 99, "99", "cpm"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.cpm);
    Settings->MeasuringWPM = c.wpm;
    info->HasResults = true;
    info->SetSpeed(c.cpm);
    info->OpenNonModal();
    EXPECT_EQ(ChapterStgs->Panel4->parentWidget(), BookForm->LeftPage);
    EXPECT_EQ(Text(ChapterStgs->SpeedLbl), c.shown);
    EXPECT_EQ(Text(ChapterStgs->SpeedUnit), c.unit);
    bool veto = false;
    info->Close(veto);
    EXPECT_EQ(ChapterStgs->Panel4->parentWidget(), ChapterStgs);
  }
}

TEST_F(InfoPageTest, TheLastSessionsResultsAreTheFirstComparison) {
  user->LastSpeed = 150;
  user->LastErrors = 80;
  user->LastBackSpace = -1;
  user->LastEfficiency = 60;
  info->ReceiveUserResults(*user);
  EXPECT_EQ(info->Speed, 150);
  EXPECT_FLOAT_EQ(info->ErrorRate, 80);
  EXPECT_EQ(Text(ChapterStgs->BackSpaceLbl), "-");
  info->KeepAsPrevious();
  info->SetSpeed(200);
  info->SetBackSpaceRate(2);
  EXPECT_EQ(Trend(ChapterStgs->SpeedChange), qx::Picture::ArrowUp2);
  EXPECT_EQ(Trend(ChapterStgs->BackSpaceChange), qx::Picture::ArrowClear);
  EXPECT_EQ(user->LastSpeed, 200);
}

TEST_F(InfoPageTest, OpeningWithoutResultsShowsTheShortTimeNote) {
  info->SetSpeed(100);
  info->SetSpeedGrade("Intermediate");
  info->KeepAsPrevious();
  info->SetSpeed(130);
  info->SetExerciseId("3.2");
  info->HasResults = false;
  info->OpenNonModal();
  EXPECT_EQ(Text(ChapterStgs->SpeedLbl), "-");
  EXPECT_EQ(Text(ChapterStgs->SpeedGradeLbl), "");
  EXPECT_TRUE(ChapterStgs->SpeedChange->Empty());
  EXPECT_EQ(Text(ChapterStgs->TipLbl), kShortTimeText);
  EXPECT_EQ(Text(ChapterStgs->ExerciseIDLbl), "Exercise 3.2");
  EXPECT_EQ(Text(ChapterStgs->InfoTitle), "R E S U L T S");
  EXPECT_EQ(Text(ChapterStgs->CommentatorTitle), "C O M M E N T A T O R");
  EXPECT_EQ(Text(ChapterStgs->SpeedUnitNote), "");
  bool veto = false;
  info->Close(veto);
}

}  // namespace

// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "engine/Analyzer.h"
#include "engine/Diffkeys.h"

namespace {

struct CommentCase {
  const char* name;
  float accuracy, backSpace, keys, speed;
  const char* text;
};

void PrintTo(const CommentCase& c, std::ostream* os) {
  *os << c.accuracy << ", " << c.backSpace << ", " << c.keys << ", " << c.speed;
}

class CommentatorTest : public testing::TestWithParam<CommentCase> {};

TEST_P(CommentatorTest, AdvisesOnTheWeakestAspect) {
  const CommentCase& c = GetParam();
  EXPECT_EQ(TStudyingTip::CommentFor(c.accuracy, c.backSpace, c.keys, c.speed), c.text);
}

const char kErrors[] =
    "errors you made decreased your efficiency. Your accuracy could improve greatly.";
const char kBackSpace[] =
    "used BackSpace often. You should use BackSpace less often to increase your typing "
    "efficiency.";
const char kKeys[] = "seem to find a single character difficult. Revision Wizard can help you.";
const char kSpeed[] = "should now increase your typing speed to reach higher efficiency levels.";

std::string Join(const char* a, const char* b) { return std::string(a) + b; }

const std::string kTexts[] = {
    Join("Your speed was very good, but the ", kErrors),
    Join("Your speed was quite good, but the ", kErrors),
    Join("The ", kErrors),
    Join("Your accuracy percentage was very good, but you ", kBackSpace),
    Join("You ", kBackSpace),
    Join("Your overall accuracy percentage was good, but you ", kKeys),
    Join("You ", kKeys),
    Join("As the other aspects of your typing are now in very good condition, you ", kSpeed),
    Join("As the other aspects of your typing are now in good condition, you ", kSpeed),
    Join("You ", kSpeed),
};

INSTANTIATE_TEST_SUITE_P(
    Levels, CommentatorTest,
    testing::Values(
        CommentCase{"AccuracyWeakSpeedVeryGood", 0.5f, 4, 4, 3.5f, kTexts[0].c_str()},
        CommentCase{"AccuracyWeakSpeedQuiteGood", 0.5f, 4, 4, 1.9f, kTexts[1].c_str()},
        CommentCase{"AccuracyWeakSpeedPoor", 0.2f, 4, 4, 0.5f, kTexts[2].c_str()},
        CommentCase{"AllZeroBlamesAccuracyFirst", 0, 0, 0, 0, kTexts[2].c_str()},
        CommentCase{"BackSpaceWeakAccuracyGood", 3.5f, 0.5f, 4, 4, kTexts[3].c_str()},
        CommentCase{"BackSpaceWeakAllPoor", 1, 0.5f, 1, 1, kTexts[4].c_str()},
        CommentCase{"BackSpaceBeforeKeysOnATie", 4, 0.5f, 0.5f, 4, kTexts[3].c_str()},
        CommentCase{"KeysWeakAccuracyGood", 2.5f, 4, 0, 4, kTexts[5].c_str()},
        CommentCase{"KeysWeakAccuracyPoor", 0.9f, 1, 0.1f, 1, kTexts[6].c_str()},
        CommentCase{"SpeedWeakRestVeryGood", 4, 4, 4, 0.5f, kTexts[7].c_str()},
        CommentCase{"SpeedWeakRestGood", 2.5f, 2.5f, 2.5f, 0.5f, kTexts[8].c_str()},
        CommentCase{"SpeedWeakRestPoor", 1, 1, 1, 0.2f, kTexts[9].c_str()},
        CommentCase{"NoneWeakAccuracyAboveSpeed", 4, 3.5f, 3.5f, 3,
                    "Your overall accuracy was very good. Great!"},
        CommentCase{"NoneWeakSpeedAboveAccuracy", 3, 3.5f, 3.5f, 4, "You typed very fast! Good!"},
        CommentCase{"NoneWeakAllEqual", 2, 2, 2, 2, "You typed fast! Good!"},
        CommentCase{"NoneWeakNothingToPraise", 1.7f, 1.7f, 1.7f, 1.7f, ""},
        CommentCase{"WeakNeedsALowWeight", 1.5f, 2.5f, 2.5f, 2.5f, "You typed fast! Good!"}),
    [](const testing::TestParamInfo<CommentCase>& info) { return info.param.name; });

TEST(Commentator, ReadsTheProgramsAnalysisAndKeyStatistics) {
  EfficiencyCalc.Reset();
  EfficiencyCalc.Characters = 100;
  EfficiencyCalc.Correct = 100;
  EfficiencyCalc.Keystrokes = 300;
  EfficiencyCalc.Time = 60;  // speed level 4
  BackSpaceCounter.Reset();

  KeyStats = nullptr;  // nobody's keys: no key is difficult
  EXPECT_EQ(StudyingTip.Comment(), "You typed very fast! Good!");

  TDifficultKeys keys;
  keys.TypedHistory['k'] = 20;
  keys.ErrorHistory['k'] = 5;
  keys.Experience['k'] = 100;  // difficulty 100: level 0
  KeyStats = &keys;
  EXPECT_EQ(StudyingTip.Comment(),
            Join("Your overall accuracy percentage was very good, but you ", kKeys));
  KeyStats = nullptr;
  EfficiencyCalc.Reset();
}

}  // namespace

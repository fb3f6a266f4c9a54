// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Topics of the manual that F1 and the Help buttons open. Topic n is the
// anchor "topic<n>" in help/index.html; a test checks every one is there.
namespace help {

inline constexpr int kContents = 0;  // the manual at its start
inline constexpr int kLogOn = 100;
inline constexpr int kNewUser = 110;
inline constexpr int kWelcome = 120;
inline constexpr int kProfile = 130;
inline constexpr int kGoodbye = 140;
inline constexpr int kLesson = 200;
inline constexpr int kResults = 210;
inline constexpr int kStep = 300;
inline constexpr int kMessage = 310;
inline constexpr int kNewKeys = 320;
inline constexpr int kKeyboardDrill = 330;
inline constexpr int kWordDrill = 340;
inline constexpr int kText = 350;
inline constexpr int kReviewStep = 360;
inline constexpr int kZaroZira = 370;
inline constexpr int kBubbles = 380;
inline constexpr int kReview = 400;
inline constexpr int kReviewWizard = 410;
inline constexpr int kReviewResults = 420;
inline constexpr int kStories = 430;
inline constexpr int kTopTen = 440;
inline constexpr int kStatistics = 500;
inline constexpr int kOptions = 600;
inline constexpr int kAbout = 700;
inline constexpr int kSmallScreen = 1010;

inline constexpr int kAll[] = {kLogOn,         kNewUser,    kWelcome,      kProfile,       kGoodbye,
                               kLesson,        kResults,    kStep,         kMessage,       kNewKeys,
                               kKeyboardDrill, kWordDrill,  kText,         kReviewStep,    kZaroZira,
                               kBubbles,       kReview,     kReviewWizard, kReviewResults, kStories,
                               kTopTen,        kStatistics, kOptions,      kAbout,         kSmallScreen};

}  // namespace help

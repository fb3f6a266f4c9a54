// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "platform/CodePage.h"

using namespace qx;

TEST(CodePage, EveryCodeSurvivesTheRoundTrip) {
  std::string all;
  for (int c = 0; c < 256; ++c) {
    EXPECT_EQ(UnicodeToCp1252(Cp1252ToUnicode(static_cast<unsigned char>(c))), c) << c;
    all += static_cast<char>(c);
  }
  EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
}

TEST(CodePage, HighBlockMapsToItsTypographicCharacters) {
  EXPECT_EQ(Cp1252ToUnicode(149), U'\u2022');  // bullet
  EXPECT_EQ(Cp1252ToUnicode(128), U'\u20AC');  // euro
  EXPECT_EQ(Cp1252ToUnicode(164), U'\u00A4');  // currency sign, the layout filler
  EXPECT_EQ(Cp1252ToUnicode(159), U'\u0178');
  EXPECT_EQ(Cp1252ToUtf8("\x95"), "\u2022");
  EXPECT_EQ(Cp1252ToUtf8("\xE4"), "\u00E4");
}

TEST(CodePage, CharactersOutsideTheCodePageAreDropped) {
  EXPECT_EQ(UnicodeToCp1252(U'\u0416'), -1);  // Cyrillic Zhe
  EXPECT_EQ(Utf8ToCp1252("a\u0416b\u20ACc"), "ab\x80" "c");
  EXPECT_EQ(Utf8ToCp1252("x\xFFy\xE2\x82"), "xy");  // malformed and truncated bytes
}

TEST(CodePage, CaseMappingCoversNationalLetters) {
  EXPECT_EQ(UpperCp1252(static_cast<unsigned char>('a')), 'A');
  EXPECT_EQ(UpperCp1252(static_cast<unsigned char>(0xE4)), 0xC4);  // ä
  EXPECT_EQ(UpperCp1252(static_cast<unsigned char>(0xF7)), 0xF7);  // division sign
  EXPECT_EQ(UpperCp1252(static_cast<unsigned char>(0xFF)), 0x9F);  // ÿ
  EXPECT_EQ(LowerCp1252(static_cast<unsigned char>(0xD7)), 0xD7);  // multiplication sign
  EXPECT_TRUE(SameTextCp1252("Userbase.QX4", "userbase.qx4"));
  EXPECT_FALSE(SameTextCp1252("abc", "abcd"));
}

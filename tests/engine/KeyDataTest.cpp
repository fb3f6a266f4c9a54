// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "engine/KeyData.h"
#include "storage/FileObj.h"
#include "support/TestFiles.h"

namespace {

const std::vector<std::string> kUsRows = {
    "`~ 1! 2@ 3# 4$ 5% 6^ 7& 8* 9( 0) -_ =+",
    "qQ wW eE rR tT yY uU iI oO pP [{ ]}",
    "aA sS dD fF gG hH jJ kK lL ;: '\" \\|",
    "\xa4 zZ xX cC vV bB nN mM ,< .> /?",
};

TEST(KeyData, FingersFollowTheFixedTable) {
  const std::map<int, std::vector<int>> table = {
      {1, {1, 2, 3, 14, 26, 38, 39}},
      {2, {4, 15, 27, 40}},
      {3, {5, 16, 28, 41}},
      {4, {6, 7, 17, 18, 29, 30, 42, 43}},
      {5, {8, 9, 19, 20, 31, 32, 44, 45}},
      {6, {10, 21, 33, 46}},
      {7, {11, 22, 34, 47}},
      {8, {12, 13, 23, 24, 25, 35, 36, 37, 48}},
  };
  int keys = 0;
  for (const auto& [finger, numbers] : table)
    for (int key : numbers) {
      EXPECT_EQ(TKeyData::FingerOfKey(key), finger) << "key " << key;
      ++keys;
    }
  EXPECT_EQ(keys, 48);
  EXPECT_EQ(TKeyData::FingerOfKey(0), 0);
  EXPECT_EQ(TKeyData::FingerOfKey(49), 0);
}

TEST(KeyData, NamesOfFingersAndShiftStates) {
  EXPECT_EQ(TKeyData::FingerName(1), "left little finger");
  EXPECT_EQ(TKeyData::FingerName(4), "left index finger");
  EXPECT_EQ(TKeyData::FingerName(8), "right little finger");
  EXPECT_EQ(TKeyData::FingerName(9), "thumb");
  EXPECT_EQ(TKeyData::FingerName(0), "-");
  EXPECT_EQ(TKeyData::FingerName(-1), "-");
  EXPECT_EQ(TKeyData::ShiftName(1), "Left Shift");
  EXPECT_EQ(TKeyData::ShiftName(2), "Right Shift");
  EXPECT_EQ(TKeyData::ShiftName(4), "Alt Gr");
  EXPECT_EQ(TKeyData::ShiftName(0), "");
  EXPECT_EQ(TKeyData::ShiftName(3), "");
}

TEST(KeyData, RowsAndTokensBecomeKeys) {
  TKeyData data;
  data.LoadLayoutLines(kUsRows);
  EXPECT_EQ(data.KeyOf('`'), 1);
  EXPECT_EQ(data.KeyOf('+'), 13);
  EXPECT_EQ(data.KeyOf('q'), 14);
  EXPECT_EQ(data.KeyOf('A'), 26);
  EXPECT_EQ(data.KeyOf('|'), 37);
  EXPECT_EQ(data.KeyOf('z'), 39);
  EXPECT_EQ(data.KeyOf('?'), 48);
  EXPECT_EQ(data.CharOf(1, 3, kShiftNone), 'a');
  EXPECT_EQ(data.CharOf(1, 3, kShiftLeft), 'A');
  EXPECT_EQ(data.CharOf(1, 3, kShiftRight), 'A');
  EXPECT_EQ(data.CharOf(1, 3, kShiftAltGr), ' ');
  EXPECT_EQ(data.CharOf(1, 3, 3), 0);
  EXPECT_EQ(data.CharOf(13, 2, kShiftNone), 0);  // row 2 has 12 keys
  EXPECT_EQ(data.CharOf(1, 5, kShiftNone), 0);
  EXPECT_EQ(data.CharOf(1, 4, kShiftNone), ' ');  // "\xa4": a key with nothing
}

TEST(KeyData, KeysFingersAndShiftsOfCharacters) {
  TKeyData data;
  data.LoadLayoutLines(kUsRows);
  EXPECT_EQ(data.KeyOf(' '), -1);
  EXPECT_EQ(data.KeyOf(13), -1);
  EXPECT_EQ(data.KeyOf(0xE9), -1);  // no key types it
  EXPECT_EQ(data.FingerOf(13), 8);
  EXPECT_EQ(data.FingerOf(' '), 9);
  EXPECT_EQ(data.FingerOf(0xE9), -1);
  EXPECT_EQ(data.FingerOf('f'), 4);
  EXPECT_EQ(data.FingerOf('J'), 5);
  EXPECT_EQ(data.ShiftFor('A'), kShiftRight);  // left hand: the right Shift
  EXPECT_EQ(data.ShiftFor('!'), kShiftRight);
  EXPECT_EQ(data.ShiftFor('J'), kShiftLeft);
  EXPECT_EQ(data.ShiftFor('?'), kShiftLeft);
  EXPECT_EQ(data.ShiftFor('a'), kShiftNone);
  EXPECT_EQ(data.ShiftFor(' '), kShiftNone);
  EXPECT_EQ(data.ShiftFor(0xE9), kShiftNone);
}

TEST(KeyData, NoCharMarkAndAltGrCharacters) {
  TKeyData data;
  // The tokens "¤A", "e¤€" and "¤¤@" in Windows-1252.
  data.LoadLayoutLines({std::string("\xa4") + "A e\xa4\x80 \xa4\xa4@"});
  EXPECT_EQ(data.KeyChars[1].Normal, ' ');
  EXPECT_EQ(data.KeyChars[1].Shifted, 'A');
  EXPECT_EQ(data.KeyChars[1].AltGr, ' ');
  EXPECT_EQ(data.KeyOf('A'), 1);
  EXPECT_EQ(data.ShiftFor('A'), kShiftRight);
  EXPECT_EQ(data.KeyChars[2].Shifted, ' ');
  EXPECT_EQ(data.KeyOf(0x80), 2);
  EXPECT_EQ(data.ShiftFor(0x80), kShiftAltGr);
  EXPECT_EQ(data.ShiftFor('@'), kShiftAltGr);
  EXPECT_EQ(data.KeyOf(kNoCharMark), -1);  // never a character of its own
  EXPECT_EQ(data.KeyOfChar[' '], 3);       // spaces are entered too, as the last key left them
}

TEST(KeyData, ExtraRowsAndTokensAreIgnored) {
  TKeyData data;
  data.LoadLayoutLines({"1 2 3 4 5 6 7 8 9 0 - = ! X",  // a 14th token
                        "",                             // an empty row
                        "aA",
                        "1 2 3 4 5 6 7 8 9 0 - Y",  // a 12th token
                        "Z"});                      // a fifth row
  EXPECT_EQ(data.KeyOf('X'), -1);
  EXPECT_EQ(data.KeyChars[14].Normal, ' ');
  EXPECT_EQ(data.KeyOf('a'), 26);
  EXPECT_EQ(data.KeyOf('Y'), -1);
  EXPECT_EQ(data.KeyOf('Z'), -1);
  EXPECT_EQ(data.KeyOf('1'), 38);  // a later key overwrites an earlier one
  EXPECT_EQ(data.KeyOf('='), 12);
}

TEST(KeyData, LoadingAnotherLayoutForgetsTheOldOne) {
  TKeyData data;
  data.LoadLayoutLines(kUsRows);
  data.LoadLayoutLines({"1! 2\""});
  EXPECT_EQ(data.KeyOf('q'), -1);
  EXPECT_EQ(data.KeyChars[14].Normal, ' ');
  EXPECT_EQ(data.KeyOf('"'), 2);
}

// The shipped layout, read through the file layer as the program reads it.
TEST(KeyData, ShippedUsLayoutHasEveryPrintableCharacter) {
  const std::string bytes = qxtest::ReadBytes(QX_DATA_SOURCE_DIR "/qwerty.kbd");
  ASSERT_FALSE(bytes.empty());
  size_t start = 0;
  for (size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2) {
  }
  EXPECT_EQ(start, bytes.size()) << "every line ends in CR LF";

  TKeyData data;
  ASSERT_EQ(data.LoadLayout(QX_DATA_SOURCE_DIR "/qwerty.kbd"), kFileOpen);
  for (int c = 33; c <= 126; ++c) EXPECT_GE(data.KeyOf(static_cast<unsigned char>(c)), 1) << c;
  EXPECT_EQ(data.KeyOf('\\'), 37);
  EXPECT_EQ(data.FingerOf('\\'), 8);
  EXPECT_EQ(data.KeyOf('%'), 6);
  EXPECT_EQ(data.ShiftFor('%'), kShiftRight);
  for (int c = 'A'; c <= 'Z'; ++c) {
    const int finger = data.FingerOf(static_cast<unsigned char>(c));
    EXPECT_EQ(data.ShiftFor(static_cast<unsigned char>(c)), finger <= 4 ? 2 : 1) << c;
  }
}

// Every shipped layout: a-z with their capitals, and the national letters
// that have a key of their own (Windows-1252), each typed by one key only.
TEST(KeyData, ShippedLayoutsHoldEveryLetterOnExactlyOneKey) {
  const struct {
    const char* file;
    const char* letters;
  } layouts[] = {
      {"qwerty.kbd", ""},
      {"uk.kbd", ""},
      {"finnish.kbd", "\xE5\xE4\xF6"},
      {"dutch.kbd", ""},
      {"spanish.kbd", "\xF1\xE7"},
      {"danish.kbd", "\xE5\xE6\xF8"},
      {"icelandic.kbd", "\xF0\xE6\xF6\xFE"},
      {"norwegian.kbd", "\xE5\xE6\xF8"},
      {"portuguese.kbd", "\xE7"},
      {"french.kbd", "\xE9\xE8\xE7\xE0\xF9"},
      {"german.kbd", "\xE4\xF6\xFC\xDF"},
      {"hungarian.kbd", "\xF6\xFC\xF3\xFA\xE9\xE1\xED"},
      {"italian.kbd", "\xE8\xF2\xE0\xF9\xEC"},
      {"swedish.kbd", "\xE5\xE4\xF6"},
      {"polish.kbd", ""},
  };
  for (const auto& layout : layouts) {
    SCOPED_TRACE(layout.file);
    const std::string path = std::string(QX_DATA_SOURCE_DIR "/") + layout.file;
    const std::string bytes = qxtest::ReadBytes(path);
    EXPECT_EQ(bytes.find('\n'), bytes.find("\r\n") + 1) << "lines end in CR LF";
    TKeyData data;
    ASSERT_EQ(data.LoadLayout(path), kFileOpen);
    std::string letters = layout.letters;
    for (char c = 'a'; c <= 'z'; ++c) letters += c;
    for (const char letter : letters) {
      const auto c = static_cast<unsigned char>(letter);
      int places = 0;
      for (int key = 1; key <= kCharacterKeys; ++key) {
        const TKeyChars& k = data.KeyChars[key];
        places += (k.Normal == c) + (k.Shifted == c) + (k.AltGr == c);
      }
      EXPECT_EQ(places, 1) << "letter " << int(c);
      const int key = data.KeyOf(c);
      ASSERT_GE(key, 1) << "letter " << int(c);
      EXPECT_EQ(data.KeyChars[key].Normal, c);
      EXPECT_EQ(data.ShiftFor(c), kShiftNone);
      if (c <= 'z') {
        EXPECT_EQ(data.KeyChars[key].Shifted, c - 'a' + 'A');
      }
    }
  }
}

}  // namespace

TEST(KeyData, AMissingLayoutFileChangesNoKey) {
  TKeyData data;
  data.LoadLayoutLines(kUsRows);
  EXPECT_EQ(data.LoadLayout("/nonexistent/layout.kbd"), kFileNotFound);
  EXPECT_EQ(data.KeyOf('q'), 14);
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <random>

#include "platform/Files.h"
#include "platform/Ini.h"
#include "support/TestFiles.h"

using qx::IniFile;
using qxtest::ReadBytes;
using qxtest::TempDir;
using qxtest::WriteBytes;

namespace {

const char* const kMessy =
    "stray=before any section\r\n"
    "[General Settings]\r\n"
    "  DataPath =  \\\\server\\qx\\  \r\n"
    "; PlaySounds=0\r\n"
    "# LastUser=nobody\r\n"
    "=blank key\r\n"
    "=\r\n"
    "no equals sign here\r\n"
    "LastUser=Anna=B\r\n"
    "lastuser=second\r\n"
    "\r\n"
    "[ keyboard layouts ]\r\n"
    "US English=qwerty.kbd\r\n"
    "English=uk.kbd\r\n"
    "[General Settings]\r\n"
    "PlayTheme=0\r\n"
    "LASTUSER=third\r\n"
    "[Keyboard Layouts]\r\n"
    "english=dup.kbd\r\n"
    "Finnish=fi.kbd";  // no final line end

}  // namespace

TEST(IniFile, ReadsWithProfileSemantics) {
  TempDir dir;
  WriteBytes(dir / "messy.ini", kMessy);
  IniFile ini(dir / "MESSY.INI");
  const std::pair<const char*, std::string> general[] = {
      {"DataPath", "\\\\server\\qx\\"},
      {"lastuser", "Anna=B"},  // the first occurrence wins
      {"PlayTheme", "0"},      // a repeated section adds to the first
      {"PlaySounds", ""},      // commented out
      {"stray", ""},           // before any section
      {"", ""},
  };
  for (const auto& [key, value] : general)
    EXPECT_EQ(ini.Read("general settings", key), value) << key;
  EXPECT_TRUE(ini.Contains("General Settings", "PLAYTHEME"));
  EXPECT_FALSE(ini.Contains("General Settings", "PlaySounds"));
  EXPECT_EQ(ini.Keys("Keyboard Layouts"),
            (std::vector<std::string>{"US English", "English", "Finnish"}));
  EXPECT_EQ(ini.SectionLines("KEYBOARD LAYOUTS"),
            (std::vector<std::string>{"US English=qwerty.kbd", "English=uk.kbd", "english=dup.kbd",
                                      "Finnish=fi.kbd"}));
  EXPECT_TRUE(ini.Keys("Missing").empty());

  IniFile none(dir / "none.ini");
  EXPECT_EQ(none.Read("General Settings", "DataPath"), "");
  EXPECT_TRUE(none.Keys("General Settings").empty());
}

TEST(IniFile, SeesChangesMadeByOthers) {
  TempDir dir;
  WriteBytes(dir / "c.ini", "[S]\r\nk=1\r\n");
  IniFile ini(dir / "c.ini");
  EXPECT_EQ(ini.Read("S", "k"), "1");
  WriteBytes(dir / "c.ini", "[S]\r\nk=22\r\n");
  EXPECT_EQ(ini.Read("S", "k"), "22");
  std::remove((dir / "c.ini").c_str());
  EXPECT_EQ(ini.Read("S", "k"), "");
}

TEST(IniFile, WriteChangesOneLineAndKeepsEveryOtherByte) {
  struct Case {
    const char* name;
    std::string before;
    const char* section;
    const char* key;
    const char* value;
    std::string after;
  };
  const Case cases[] = {
      {"replace, key spelled as in the file",
       "; c\r\n[General Settings]\r\nLastUser = Anna \r\nX=1\r\n", "general settings", "LASTUSER",
       "Bob", "; c\r\n[General Settings]\r\nLastUser=Bob\r\nX=1\r\n"},
      {"add after the section's last line", "[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n", "a", "z", "3",
       "[A]\r\nx=1\r\nz=3\r\n\r\n[B]\r\ny=2\r\n"},
      {"add to the first of two sections", "[A]\r\nx=1\r\n[B]\r\n[A]\r\ny=2\r\n", "A", "z", "3",
       "[A]\r\nx=1\r\nz=3\r\n[B]\r\n[A]\r\ny=2\r\n"},
      {"replace in the repeated section", "[A]\r\nx=1\r\n[A]\r\ny=2\r\n", "A", "y", "5",
       "[A]\r\nx=1\r\n[A]\r\ny=5\r\n"},
      {"new section", "[A]\r\nx=1\r\n", "B", "k", "v", "[A]\r\nx=1\r\n\r\n[B]\r\nk=v\r\n"},
      {"no final line end", "[A]\r\nx=1", "A", "y", "2", "[A]\r\nx=1\r\ny=2\r\n"},
      {"unix line ends stay", "[A]\nx=1\n", "A", "y", "2", "[A]\nx=1\ny=2\n"},
      {"empty file", "", "General Settings", "LastUser", "Anna",
       "[General Settings]\r\nLastUser=Anna\r\n"},
      {"a value is one line", "[A]\r\n", "A", "k", "one\r\n[B]\r\nx=y",
       "[A]\r\nk=one  [B]  x=y\r\n"},
      {"garbage around", "\x01\xFF=\r\n[A\r\n=\r\n", "A", "k", "v",
       "\x01\xFF=\r\n[A\r\n=\r\nk=v\r\n"},
  };
  TempDir dir;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteBytes(dir / "w.ini", c.before);
    IniFile ini(dir / "w.ini");
    EXPECT_TRUE(ini.Write(c.section, c.key, c.value));
    EXPECT_EQ(ReadBytes(dir / "w.ini"), c.after);
  }
}

TEST(IniFile, WriteCreatesTheFileAndLeavesNoTemporaryFiles) {
  TempDir dir;
  IniFile ini(dir / "QXLocal.ini");
  EXPECT_TRUE(ini.Write("General Settings", "LastUser", "Anna"));
  EXPECT_EQ(ini.Read("General Settings", "LastUser"), "Anna");
  EXPECT_TRUE(ini.Write("General Settings", "LastUser", "Anna"));
  EXPECT_EQ(qx::FindFiles(dir / "*").size(), 1u);
  std::error_code ec;
  size_t entries = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.Path(), ec))
    ++entries;
  EXPECT_EQ(entries, 1u);

  IniFile nowhere(dir / "missing/dir/x.ini");
  EXPECT_FALSE(nowhere.Write("A", "k", "v"));
  qx::EnsureDirectory(dir / "adir.ini");
  IniFile directory(dir / "adir.ini");
  EXPECT_FALSE(directory.Write("A", "k", "v"));  // never replaces what it cannot read
}

TEST(IniFile, GarbageAndHugeFilesNeverCrash) {
  TempDir dir;
  std::mt19937 gen(11);
  std::string garbage(256 * 1024, '\0');
  for (char& c : garbage) c = "[]=;\r\n\0ab "[gen() % 11];
  const std::string cases[] = {garbage, std::string(10 * 1024 * 1024, '='),
                               "[" + std::string(10 * 1024 * 1024, 'x')};
  for (const std::string& bytes : cases) {
    WriteBytes(dir / "g.ini", bytes);
    IniFile ini(dir / "g.ini");
    ini.Read("a", "b");
    ini.Keys("ab");
    EXPECT_TRUE(ini.Write("Keyboard Layouts", "English", "qwerty.kbd"));
    EXPECT_EQ(ini.Read("Keyboard Layouts", "English"), "qwerty.kbd");
  }
}

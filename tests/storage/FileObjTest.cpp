// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>
#include <cstdlib>
#include <random>

#include "platform/Files.h"
#include "platform/LockedFile.h"
#include "storage/FileObj.h"
#include "support/Children.h"
#include "support/TestFiles.h"

using qxtest::ReadBytes;
using qxtest::TempDir;
using qxtest::WriteBytes;

namespace {

struct FirstLine {
  int result;
  std::string text;
};

FirstLine ReadFirst(TTextFile& f) {
  std::string s;
  const int r = f.ReadLine(s);
  return {r, s};
}

}  // namespace

TEST(TextFile, HeaderRules) {
  const std::string sixteen = [] {
    std::string s;
    for (int i = 1; i <= 15; ++i) s += "$line" + std::to_string(i) + "=x\r\n";
    return s + "$sixteenth\r\nbody\r\n";
  }();
  struct Case {
    const char* name;
    std::string bytes;
    int open;
    std::string version;
    FirstLine first;
  };
  const Case cases[] = {
      {"no header", "Hello\r\n$version=1\r\n", 1, "", {1, "Hello"}},
      {"keyword case", "$Version=4.0\r\nBody\r\n", 1, "4.0", {1, "Body"}},
      {"blanks around =", "$version = 4.0\r\nBody\r\n", 1, "", {1, "Body"}},
      {"indented, with ;", " \t$VERSION=5;x\r\nBody\r\n", 1, "5", {1, "Body"}},
      {"16 $ lines", sixteen, 1, "", {1, "$sixteenth"}},
      {"header only", "$version=1\r\n$end\r\n", 1, "1", {0, ""}},
      {"unterminated header", "$version=1\r\n$end", -11, "1", {0, ""}},
      {"content without line end", "Hello", 1, "", {0, "Hello"}},
      {"header, content without line end", "$version=2\r\nHello", 1, "2", {0, "Hello"}},
      {"empty file", "", 1, "", {0, ""}},
  };
  TempDir dir;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteBytes(dir / "t.txt", c.bytes);
    TTextFile f;
    EXPECT_EQ(f.Open(dir / "t.txt", kTextRead), c.open);
    EXPECT_EQ(f.Version, c.version);
    if (c.open != 1) continue;
    const FirstLine got = ReadFirst(f);
    EXPECT_EQ(got.result, c.first.result);
    EXPECT_EQ(got.text, c.first.text);
  }
}

TEST(TextFile, HeaderFieldsAndEscapes) {
  TempDir dir;
  WriteBytes(dir / "h.exm",
             "$copyright=(c) Quill%;brand\r\n$longdesc=Long\r\n$description=Short\r\n"
             "$author=Ann\r\n$unknown=1\r\n$end\r\nText\r\n");
  TTextFile f;
  ASSERT_EQ(f.Open(dir / "H.EXM", kTextRead), 1);  // found without regard to case
  EXPECT_EQ(f.Copyright, "(c) Quill;brand");
  EXPECT_EQ(f.LongDesc, "Long");
  EXPECT_EQ(f.Description, "Short");
  EXPECT_EQ(f.Author, "Ann");
  EXPECT_FALSE(f.Crypted);
  EXPECT_EQ(ReadFirst(f).text, "Text");
}

TEST(TextFile, LastLineWithoutLineEndThenEndOfFile) {
  TempDir dir;
  WriteBytes(dir / "t.txt", "one\r\ntwo");
  TTextFile f;
  ASSERT_EQ(f.Open(dir / "t.txt", kTextRead), 1);
  std::string s;
  EXPECT_EQ(f.ReadLine(s), 1);
  EXPECT_EQ(s, "one");
  EXPECT_EQ(f.ReadLine(s), 0);
  EXPECT_EQ(s, "two");
  EXPECT_EQ(f.ReadLine(s), 0);
  EXPECT_EQ(s, "");
}

TEST(TextFile, LinesAreCutToMaxLenAnd255) {
  TempDir dir;
  WriteBytes(dir / "t.txt", "abcdef\r\n" + std::string(300, 'x') + "\r\n");
  TTextFile f;
  ASSERT_EQ(f.Open(dir / "t.txt", kTextRead), 1);
  std::string s;
  EXPECT_EQ(f.ReadLine(s, 3), 1);
  EXPECT_EQ(s, "abc");
  EXPECT_EQ(f.Position, 5);  // the cut line counts as a whole one
}

TEST(TextFile, OpenWhileOpenIsRefusedAndTheFileStaysReadable) {
  TempDir dir;
  WriteBytes(dir / "a.txt", "first\r\n");
  WriteBytes(dir / "b.txt", "other\r\n");
  TTextFile f;
  ASSERT_EQ(f.Open(dir / "a.txt", kTextRead), 1);
  EXPECT_EQ(f.Open(dir / "b.txt", kTextRead), -3);
  EXPECT_EQ(f.FileName, dir / "a.txt");
  EXPECT_EQ(ReadFirst(f).text, "first");
}

TEST(TextFile, FailedOpensAndClose) {
  TempDir dir;
  TTextFile missing;
  EXPECT_EQ(missing.Open(dir / "none.txt", kTextRead), -1);
  EXPECT_EQ(missing.FileSize, -1);
  EXPECT_EQ(missing.Position, -1);
  EXPECT_EQ(missing.Close(), -1);  // nothing to close

  TTextFile append;
  EXPECT_EQ(append.Open(dir / "none.txt", kTextAppend), -2);
  EXPECT_FALSE(qxtest::Exists(dir / "none.txt"));
  EXPECT_EQ(append.WriteLine("x"), -5);

  TTextFile never;
  EXPECT_EQ(never.Close(), 0);
}

TEST(TextFile, ReadAllThenCloseLetsTheFileGo) {
  TempDir dir;
  WriteBytes(dir / "t.txt", "$version=1\r\nBody text\r\nmore");
  TTextFile f;
  ASSERT_EQ(f.Open(dir / "t.txt", kTextRead), 1);
  std::string text;
  EXPECT_EQ(f.ReadAll(text), 1);
  EXPECT_EQ(text, "Body text\r\nmore");
  EXPECT_EQ(f.ReadAll(text), 2);
  EXPECT_EQ(text, "");
  EXPECT_EQ(f.Close(), 2);
  TRecFile exclusive;  // would be refused while the reader's lock lived on
  EXPECT_EQ(exclusive.Open(dir / "t.txt", kRecOpen, kShareExclusive), 1);
}

TEST(TextFile, CreateWriteAndAppend) {
  TempDir dir;
  WriteBytes(dir / "out.txt", "old content that must go\r\n");
  {
    TTextFile f;
    ASSERT_EQ(f.Open(dir / "out.txt", kTextCreate), 1);
    EXPECT_EQ(f.WriteLine("one"), 1);
    EXPECT_EQ(f.WriteLine(std::string(300, 'y')), 1);
  }
  {
    TTextFile f;
    ASSERT_EQ(f.Open(dir / "out.txt", kTextAppend), 1);
    EXPECT_EQ(f.Position, 262);
    EXPECT_EQ(f.WriteLine("two"), 1);
  }
  EXPECT_EQ(ReadBytes(dir / "out.txt"), "one\r\n" + std::string(255, 'y') + "\r\ntwo\r\n");

  TTextFile reader;
  ASSERT_EQ(reader.Open(dir / "out.txt", kTextRead), 1);
  EXPECT_EQ(reader.WriteLine("never"), -5);  // opened for reading only
}

TEST(TextFile, ALineOfTheFull255CharactersIsReadWhole) {
  const std::string longest(255, 'y');
  std::string scrambled = longest;
  for (char& c : scrambled) c = static_cast<char>(c ^ ScrambleKey);
  struct Case {
    const char* name;
    std::string bytes;
  };
  const Case cases[] = {
      {"plain", "one\r\n" + longest + "\r\ntwo\r\n"},
      {"crypted",
       "$fileformat=crypted\r\n" + std::string("\x70\x71\x7A") + "\r\n" + scrambled + "\r\n\x6B\x68\x70\r\n"},
  };
  TempDir dir;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteBytes(dir / "t.txt", c.bytes);
    TTextFile f;
    ASSERT_EQ(f.Open(dir / "t.txt", kTextRead), 1);
    for (const std::string& expected : {std::string("one"), longest, std::string("two")}) {
      const FirstLine got = ReadFirst(f);
      EXPECT_EQ(got.result, 1);
      EXPECT_EQ(got.text, expected);
    }
    EXPECT_EQ(ReadFirst(f).result, 0);
  }
}

TEST(TextFile, GarbageAndHugeFilesNeverCrash) {
  TempDir dir;
  std::mt19937 gen(7);
  std::string garbage(64 * 1024, '\0');
  for (char& c : garbage) c = static_cast<char>(gen());
  garbage.replace(0, 1, "$");
  struct Case {
    const char* name;
    std::string bytes;
  };
  const Case cases[] = {
      {"binary garbage", garbage},
      {"10 MB without line ends", std::string(10 * 1024 * 1024, 'x')},
      {"10 MB of $", std::string(10 * 1024 * 1024, '$')},
      {"crypted garbage", "$fileformat=crypted\r\n" + garbage},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteBytes(dir / "g.bin", c.bytes);
    TTextFile f;
    const int open = f.Open(dir / "g.bin", kTextRead);
    EXPECT_TRUE(open == 1 || open == -11) << open;
    std::string s;
    int lines = 0;
    while (f.ReadLine(s) == 1 && lines < 100000) ++lines;
    EXPECT_LE(s.size(), 255u);
    TTextFile whole;
    whole.Open(dir / "g.bin", kTextRead);
    std::string text;
    whole.ReadAll(text);
    EXPECT_LE(text.size(), c.bytes.size());
  }
}

TEST(CryptedFile, WrittenByTheToolAndReadBack) {
  TempDir dir;
  const std::string plain =
      "$version=2\r\n$fileformat=crypted\r\n$author=Ann\r\nLine one\r\n\xE4ngstr\xF6m%;\r\n";
  WriteBytes(dir / "plain.exm", plain);
  const std::string tool = qx::ProgramDir() + "qxcrypt";
  ASSERT_EQ(std::system((tool + " " + dir / "plain.exm" + " " + dir / "crypted.exm").c_str()), 0);

  const std::string raw = ReadBytes(dir / "crypted.exm");
  ASSERT_EQ(raw.size(), plain.size());
  EXPECT_EQ(raw.substr(0, 33), plain.substr(0, 33));
  EXPECT_NE(raw[33], plain[33]);  // plain up to the format line
  EXPECT_EQ(raw.find("Line one"), std::string::npos);
  EXPECT_EQ(raw.substr(raw.size() - 2), "\r\n");

  TTextFile f;
  ASSERT_EQ(f.Open(dir / "crypted.exm", kTextRead), 1);
  EXPECT_TRUE(f.Crypted);
  EXPECT_EQ(f.Version, "2");
  EXPECT_EQ(f.Author, "Ann");  // header lines after the format line are scrambled too
  EXPECT_EQ(ReadFirst(f).text, "Line one");
  EXPECT_EQ(ReadFirst(f).text, "\xE4ngstr\xF6m%;");

  TTextFile all;
  ASSERT_EQ(all.Open(dir / "crypted.exm", kTextRead), 1);
  std::string text;
  all.ReadAll(text);
  EXPECT_EQ(text, "Line one\r\n\xE4ngstr\xF6m%;\r\n");
}

TEST(CryptedFile, ToolRefusesAFileNoReaderCouldUnscramble) {
  TempDir dir;
  const std::string tool = qx::ProgramDir() + "qxcrypt";
  WriteBytes(dir / "nofmt.exm", "$version=2\r\nText\r\n");
  WriteBytes(dir / "ctrl.exm", "$fileformat=crypted\r\nbad \x12 byte\r\n");
  for (const char* name : {"nofmt.exm", "ctrl.exm"}) {
    const std::string cmd = tool + " " + dir / name + " " + dir / "out.exm" + " 2>/dev/null";
    EXPECT_NE(std::system(cmd.c_str()), 0) << name;
  }
  EXPECT_FALSE(qxtest::Exists(dir / "out.exm"));
}

TEST(RecFile, FieldEncodingsRoundTrip) {
  TempDir dir;
  const int16_t smalls[3] = {1, -2, 300};
  const unsigned char bytes[3] = {2, 'h', 'i'};
  {
    TRecFile f;
    ASSERT_EQ(f.Open(dir / "r.dat", kRecCreate, 0), 1);
    f.WriteInt(70000);  // only the low 16 bits are kept
    f.WriteInt(-10);
    f.WriteLong(-123456789);
    f.WriteBytes(bytes, 2);
    f.WriteSmalls(smalls, 2);
    EXPECT_EQ(f.WriteStr255("Anna"), 1);
  }
  const std::string raw = ReadBytes(dir / "r.dat");
  ASSERT_EQ(raw.size(), 2u + 2 + 4 + 3 + 6 + 256);
  EXPECT_EQ(raw.substr(0, 4), std::string("\x70\x11\xF6\xFF", 4));
  EXPECT_EQ(raw.substr(17, 5), std::string("\x04"
                                           "Anna",
                                           5));

  TRecFile f;
  ASSERT_EQ(f.Open(dir / "r.dat", kRecOpen, kShareReadOnly), 1);
  int a = 0, b = 0;
  int32_t l = 0;
  unsigned char gotBytes[3] = {};
  int16_t gotSmalls[3] = {};
  std::string s;
  f.ReadInt(a);
  f.ReadInt(b);
  f.ReadLong(l);
  f.ReadBytes(gotBytes, 2);
  f.ReadSmalls(gotSmalls, 2);
  EXPECT_EQ(f.ReadStr255(s), 1);
  EXPECT_EQ(a, 4464);
  EXPECT_EQ(b, -10);
  EXPECT_EQ(l, -123456789);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(gotBytes), 3), "\x02hi");
  EXPECT_EQ(gotSmalls[2], 300);
  EXPECT_EQ(gotSmalls[1], -2);
  EXPECT_EQ(s, "Anna");
  EXPECT_EQ(f.Position, static_cast<int>(raw.size()));
}

TEST(RecFile, SeekCountAndShortRead) {
  TempDir dir;
  WriteBytes(dir / "seven.dat", std::string("\x01\x00\x02\x00\x03\x00\x7F", 7));
  TRecFile f;
  ASSERT_EQ(f.Open(dir / "seven.dat", kRecOpen, kShareAll), 1);
  EXPECT_EQ(f.RecordCount(2), 3);
  EXPECT_FALSE(f.SizeFits(2));
  EXPECT_TRUE(f.SizeFits(7));
  EXPECT_EQ(f.Seek(7, 1), 1);  // the append position
  EXPECT_EQ(f.Seek(2, 4), -10);
  EXPECT_EQ(f.Position, 8);
  EXPECT_EQ(f.Seek(2, -1), -10);
  EXPECT_EQ(f.Seek(1, 2), 1);  // block number and size in either order
  int v = 0;
  EXPECT_EQ(f.ReadInt(v), 1);
  EXPECT_EQ(v, 2);

  ASSERT_EQ(f.Seek(2, 3), 1);
  EXPECT_EQ(f.ReadInt(v), 0);  // one byte of two
  EXPECT_EQ(v, 0x7F);
  EXPECT_EQ(f.Position, 8);
  EXPECT_EQ(f.ReadInt(v), 0);   // reads wait for status 1
  EXPECT_EQ(f.WriteInt(5), 0);  // writes still act at status 0
  EXPECT_EQ(ReadBytes(dir / "seven.dat").size(), 9u);

  TRecFile empty;
  WriteBytes(dir / "empty.dat", "");
  ASSERT_EQ(empty.Open(dir / "empty.dat", kRecOpen, kShareReadOnly), 1);
  EXPECT_EQ(empty.RecordCount(2504), 0);
  EXPECT_EQ(empty.WriteInt(1), -5);  // a read-only share cannot write
}

TEST(RecFile, OpenFailuresAndRefusals) {
  TempDir dir;
  TRecFile f;
  EXPECT_EQ(f.Open(dir / "none.dat", kRecOpen, kShareReadOnly), -1);
  EXPECT_EQ(f.Open(dir / "no/dir/x.dat", kRecCreate, 0), -2);
  EXPECT_EQ(f.FileSize, -1);
  EXPECT_EQ(f.Open(dir / "new.dat", 3, 0), -2);  // no such mode
  ASSERT_EQ(f.Open(dir / "new.dat", kRecCreate, 0), 1);
  EXPECT_EQ(f.Open(dir / "new.dat", kRecCreate, 0), -3);
}

TEST(RecFile, WholeRecordsAtTheirOffset) {
  TempDir dir;
  TRecordBuffer first;
  first.PutStr255("Visitor");
  first.PutInt(-1);
  first.PadTo(300);
  TRecordBuffer second;
  second.PutStr255("Anna");
  second.PutLong(42);
  second.PadTo(300);

  TRecFile f;
  ASSERT_EQ(f.Open(dir / "u.dat", kRecCreate, 0), 1);
  EXPECT_EQ(f.WriteRecordAt(0, first.Bytes().data(), 300), 1);
  EXPECT_EQ(f.WriteRecordAt(1, second.Bytes().data(), 300), 1);
  EXPECT_EQ(f.RecordCount(300), 2);
  EXPECT_EQ(f.WriteRecordAt(3, second.Bytes().data(), 300), -10);
  f.Close();
  EXPECT_EQ(ReadBytes(dir / "u.dat").size(), 600u);

  ASSERT_EQ(f.Open(dir / "u.dat", kRecOpen, kShareReadOnly), 1);
  ASSERT_EQ(f.Seek(300, 1), 1);
  std::string raw(300, '\0');
  EXPECT_EQ(f.ReadRecord(raw.data(), 300), 1);
  TRecordBuffer in(raw);
  EXPECT_EQ(in.GetStr255(), "Anna");
  EXPECT_EQ(in.GetLong(), 42);
  EXPECT_FALSE(in.Short());
  TRecordBuffer tiny(std::string("\x05", 1));
  EXPECT_EQ(tiny.GetInt(), 5);
  EXPECT_EQ(tiny.GetInt(), 0);
  EXPECT_TRUE(tiny.Short());
}

TEST(DataFiles, ListFilesCapitalizesNamesUpToTheFirstDot) {
  TempDir dir;
  WriteBytes(dir / "MY STORY.TXT", "");
  WriteBytes(dir / "other.txt", "");
  WriteBytes(dir / "two.dots.txt", "");
  WriteBytes(dir / ".hidden.txt", "");
  WriteBytes(dir / "notes.doc", "");
  EXPECT_EQ(ListFiles(dir / "*.txt"), (std::vector<std::string>{"My Story", "Other", "Two"}));
  EXPECT_EQ(ListFilesWith(dir / "*.doc", "(none)"), (std::vector<std::string>{"(none)", "Notes"}));
  EXPECT_TRUE(ListFiles(dir / "*.xyz").empty());
}

TEST(DataFiles, CopyDataFile) {
  TempDir dir;
  const std::string content = "[General Settings]\r\nDataPath=\r\n" + std::string(200000, 'z');
  WriteBytes(dir / "QXDef.ini", content);
  EXPECT_TRUE(CopyDataFile(dir / "qxdef.ini", dir / "QXLocal.ini"));
  EXPECT_EQ(ReadBytes(dir / "QXLocal.ini"), content);

  WriteBytes(dir / "keep.ini", "precious");
  EXPECT_FALSE(CopyDataFile(dir / "missing.ini", dir / "keep.ini"));
  EXPECT_EQ(ReadBytes(dir / "keep.ini"), "precious");
  EXPECT_FALSE(CopyDataFile(dir / "keep.ini", dir / "keep.ini"));
  EXPECT_EQ(ReadBytes(dir / "keep.ini"), "precious");
  EXPECT_TRUE(CopyDataFile(dir / "QXDef.ini", dir / "keep.ini"));
  EXPECT_EQ(ReadBytes(dir / "keep.ini"), content);
}

TEST(DataFiles, ACopyThatFailsHalfwayLeavesTheTargetAsItWas) {
  TempDir dir;
  WriteBytes(dir / "UserBase.org", std::string(300000, 'u'));
  WriteBytes(dir / "Userbase.qx4", "precious");
  // The disk "fills up" after 100000 bytes, for this process only.
  const pid_t child = qxtest::StartChild([&] {
    signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{100000, 100000};
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0) return 2;
    return CopyDataFile(dir / "UserBase.org", dir / "userbase.qx4") ? 1 : 0;
  });
  EXPECT_EQ(qxtest::WaitChild(child), 0);
  EXPECT_EQ(ReadBytes(dir / "Userbase.qx4"), "precious");
  // Nothing half-written is left beside it.
  EXPECT_EQ(qx::FindFiles(dir / "*"), (std::vector<std::string>{"UserBase.org", "Userbase.qx4"}));
}

TEST(DataFiles, AFailedOpenTellsWhy) {
  TempDir dir;
  qx::EnsureDirectory(dir / "folder.dat");
  WriteBytes(dir / "held.dat", "x");
  TRecFile holder;
  ASSERT_EQ(holder.Open(dir / "held.dat", kRecOpen, kShareExclusive), 1);
  struct Case {
    const char* name;
    std::string path;
    int mode;  // a record mode, or kTextCreate for a text file
    int status;
    int error;
    bool refused;
  };
  const Case cases[] = {
      {"create in a missing folder", dir / "no/x.dat", kRecCreate, -2, ENOENT, false},
      {"text create on a folder", dir / "folder.dat", kTextCreate, -2, EISDIR, false},
      {"held by another", dir / "held.dat", kRecOpen, -2, 0, true},
      {"missing", dir / "none.dat", kRecOpen, -1, ENOENT, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TTextFile text;
    TRecFile rec;
    TFile& f = c.mode == kTextCreate ? static_cast<TFile&>(text) : rec;
    EXPECT_EQ(c.mode == kTextCreate ? text.Open(c.path, c.mode) : rec.Open(c.path, c.mode, kShareReadOnly),
              c.status);
    EXPECT_EQ(f.OpenError, c.error);
    EXPECT_EQ(f.LockRefused, c.refused);
    EXPECT_EQ(f.OpenFailureText(), c.refused ? "locked by another user" : qx::SystemErrorText(c.error));
    EXPECT_EQ(f.Close(), c.status);  // a failed open leaves nothing to close
  }
  int error = 0;
  EXPECT_FALSE(qx::CreateEmptyFileIfMissing(dir / "no/x.dat", error));
  EXPECT_EQ(error, ENOENT);
  EXPECT_FALSE(qx::CreateEmptyFileIfMissing(dir / "folder.dat", error));
  EXPECT_EQ(error, EISDIR);
  EXPECT_TRUE(qx::CreateEmptyFileIfMissing(dir / "held.dat", error));
  EXPECT_EQ(error, 0);
}

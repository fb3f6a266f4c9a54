// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/Files.h"
#include "platform/KeyboardLayout.h"
#include "support/TestFiles.h"

using namespace qx;
using qxtest::TempDir;
using qxtest::WriteBytes;

TEST(Files, NamesResolveWithoutRegardToCaseWhenTheMatchIsUnique) {
  TempDir dir;
  WriteBytes(dir / "userbase.qx4", "x");
  EnsureDirectory(dir / "Stories");
  WriteBytes(dir / "Stories/Tale.TXT", "t");
  EXPECT_EQ(ResolveName(dir / "Userbase.qx4"), dir / "userbase.qx4");
  EXPECT_TRUE(FileExists(dir / "USERBASE.QX4"));
  EXPECT_TRUE(FileExists(dir.Path() + "stories\\tale.txt"));
  EXPECT_FALSE(FileExists(dir / "stories"));  // a directory is no file
  EXPECT_TRUE(DirectoryExists(dir / "STORIES"));
  // A new file keeps the name as given.
  EXPECT_EQ(ResolveName(dir / "New.txt"), dir / "New.txt");

  WriteBytes(dir / "Twin.txt", "1");
  WriteBytes(dir / "TWIN.txt", "2");
  EXPECT_EQ(ResolveName(dir / "twin.txt"), dir / "twin.txt");  // ambiguous: unresolved
}

TEST(Files, FindFilesMatchesMaskAndLeavesHiddenFilesOut) {
  TempDir dir;
  WriteBytes(dir / "MY STORY.TXT", "");
  WriteBytes(dir / "other.txt", "");
  WriteBytes(dir / ".secret.txt", "");
  WriteBytes(dir / "notes.text", "");
  EnsureDirectory(dir / "dir.txt");
  const auto names = FindFiles(dir / "*.txt");
  ASSERT_EQ(names.size(), 2u);
  EXPECT_EQ(names[0], "MY STORY.TXT");
  EXPECT_EQ(names[1], "other.txt");
  EXPECT_EQ(FindFiles(dir / "o?her.*").size(), 1u);
  EXPECT_TRUE(FindFiles(dir / "none/*.txt").empty());
}

TEST(Files, RenameAndPathPieces) {
  TempDir dir;
  WriteBytes(dir / "UserBase.org", "db");
  EXPECT_TRUE(RenameFile(dir / "userbase.ORG", dir / "Userbase.qx4"));
  EXPECT_TRUE(FileExists(dir / "Userbase.qx4"));
  EXPECT_FALSE(RenameFile(dir / "missing", dir / "other"));
  EXPECT_EQ(JoinPath("a\\b", "c.txt"), "a/b/c.txt");
  EXPECT_EQ(JoinPath("a/", "/abs"), "/abs");
  EXPECT_EQ(DirectoryOf("x/y/z.cnt"), "x/y/");
  EXPECT_EQ(BaseNameOf("x/y/Beginner.cnt"), "Beginner");
  EXPECT_EQ(WithTrailingSlash(".\\"), "./");
}

TEST(Files, ConfigDirFollowsTheEnvironment) {
  TempDir dir;
  setenv("QX_CONFIG_DIR", (dir / "cfg").c_str(), 1);
  EXPECT_EQ(ConfigDir(), dir / "cfg/");
  EXPECT_TRUE(DirectoryExists(dir / "cfg"));
  unsetenv("QX_CONFIG_DIR");
  setenv("XDG_CONFIG_HOME", (dir / "xdg").c_str(), 1);
  EXPECT_EQ(ConfigDir(), dir / "xdg/quillbrandex/");
  unsetenv("XDG_CONFIG_HOME");
}

TEST(Files, EnvironmentExpansion) {
  setenv("QX_SAMPLE", "value", 1);
  EXPECT_EQ(ExpandEnvironment("a%QX_SAMPLE%b"), "avalueb");
  EXPECT_EQ(ExpandEnvironment("%QX_UNKNOWN_NAME%x%QX_SAMPLE%"), "%QX_UNKNOWN_NAME%xvalue");
  EXPECT_EQ(ExpandEnvironment("100%"), "100%");
  const char* saved = std::getenv("USERNAME");
  const std::string keep = saved ? saved : "";
  unsetenv("USERNAME");
  EXPECT_EQ(ExpandEnvironment("%USERNAME%"), LoginName());
  EXPECT_FALSE(LoginName().empty());
  if (saved) setenv("USERNAME", keep.c_str(), 1);
}

TEST(KeyboardLayoutTable, XkbNamesMapToWindowsIdentifiers) {
  EXPECT_EQ(XkbLayoutToWindowsId("us"), "00000409");
  EXPECT_EQ(XkbLayoutToWindowsId("fi"), "0000040B");
  EXPECT_EQ(XkbLayoutToWindowsId("de"), "00000407");
  EXPECT_EQ(XkbLayoutToWindowsId("ch", "fr"), "0000100C");
  EXPECT_EQ(XkbLayoutToWindowsId("xx"), "00000000");
  std::string id;
  EXPECT_FALSE(KeyboardLayout().ActiveLayoutId(id));  // no display here
}

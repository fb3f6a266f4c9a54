// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include "platform/Files.h"
#include "setup/ServerSetup.h"
#include "storage/Topten.h"
#include "support/TestFiles.h"

namespace {

using qxtest::ReadBytes;
using qxtest::WriteBytes;

unsigned Mode(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
}

class ServerSetupTest : public ::testing::Test {
 protected:
  ServerSetupTest() {
    WriteBytes(material / "QXCommon.ini", "[General Settings]\r\nPlaySounds=\r\n");
    WriteBytes(material / "UserBase.org", "");
    setup.Folder = server / "classroom";
    setup.Material = material.Path();
  }
  std::string Shared(const std::string& name) { return server / ("classroom/" + name); }

  qxtest::TempDir material, server;
  TServerSetup setup;
};

TEST_F(ServerSetupTest, PreparesTheFolderWithStudentDataWritableAndSettingsAdminOnly) {
  ASSERT_TRUE(setup.Run()) << setup.Error;
  EXPECT_EQ(Mode(server / "classroom"), unsigned(S_ISGID | S_ISVTX | 0775));
  EXPECT_EQ(Mode(Shared("QXCommon.ini")), 0644u);
  for (const char* data : {"Userbase.qx4", "zarozira.qxt", "bubbles.qxt", "Errors.log"})
    EXPECT_EQ(Mode(Shared(data)), 0660u) << data;
  EXPECT_EQ(ReadBytes(Shared("QXCommon.ini")), ReadBytes(material / "QXCommon.ini"));
  // Ten default entries, as the games expect a fresh table to hold.
  EXPECT_EQ(ReadBytes(Shared("bubbles.qxt")).size(), 10u * kTopTenRecordSize);
  EXPECT_EQ(setup.WorkstationLines(),
            (std::vector<std::string>{"[General Settings]", "DataPath=" + server.Path() + "classroom/"}));
}

TEST_F(ServerSetupTest, RunningAgainKeepsTheSchoolsDataAndChangedSettings) {
  ASSERT_TRUE(setup.Run()) << setup.Error;
  const std::string students(2 * 2504, 's'), scores(12 * kTopTenRecordSize, 't');
  const std::string locks = "[General Settings]\r\nPlaySounds=0\r\n";
  WriteBytes(Shared("Userbase.qx4"), students);
  WriteBytes(Shared("zarozira.qxt"), scores);
  WriteBytes(Shared("Errors.log"), "log");
  WriteBytes(Shared("QXCommon.ini"), locks);
  ::chmod(Shared("Userbase.qx4").c_str(), 0600);

  TServerSetup again;
  again.Folder = setup.Folder;
  again.Material = material.Path();
  ASSERT_TRUE(again.Run()) << again.Error;
  EXPECT_EQ(ReadBytes(Shared("Userbase.qx4")), students);
  EXPECT_EQ(ReadBytes(Shared("zarozira.qxt")), scores);
  EXPECT_EQ(ReadBytes(Shared("Errors.log")), "log");
  EXPECT_EQ(ReadBytes(Shared("QXCommon.ini")), locks);
  // The shipped settings wait beside the school's; permissions are mended.
  EXPECT_EQ(ReadBytes(Shared("QXCommon.ini.new")), ReadBytes(material / "QXCommon.ini"));
  EXPECT_EQ(Mode(Shared("Userbase.qx4")), 0660u);
}

TEST_F(ServerSetupTest, RefusesAnUnknownGroupOrMissingMaterialAndCreatesNothing) {
  setup.Group = "no-such-group-here";
  EXPECT_FALSE(setup.Run());
  EXPECT_NE(setup.Error.find("no-such-group-here"), std::string::npos);
  EXPECT_FALSE(qx::DirectoryExists(setup.Folder));

  TServerSetup bare;
  bare.Folder = server / "other";
  bare.Material = server / "nothing";
  EXPECT_FALSE(bare.Run());
  EXPECT_FALSE(qx::DirectoryExists(bare.Folder));
}

// The program a script runs: the workstation's lines on standard output.
TEST_F(ServerSetupTest, CommandLinePrintsTheWorkstationLines) {
  const std::string command = qx::ExecutableDir() + "setup --folder " + server.Path() + "cli 2>/dev/null";
  FILE* out = ::popen(command.c_str(), "r");
  ASSERT_NE(out, nullptr);
  std::string printed;
  char buf[256];
  while (size_t n = std::fread(buf, 1, sizeof buf, out)) printed.append(buf, n);
  EXPECT_EQ(::pclose(out), 0);
  EXPECT_EQ(printed, "[General Settings]\nDataPath=" + server.Path() + "cli/\n");
  EXPECT_TRUE(qx::FileExists(server / "cli/Userbase.qx4"));
}

}  // namespace

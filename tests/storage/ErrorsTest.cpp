// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "StorageSandbox.h"
#include "platform/Clock.h"
#include "storage/Errors.h"
#include "storage/FileObj.h"
#include "storage/PrgSetup.h"

using qxtest::ReadBytes;
using qxtest::StorageSandbox;
using qxtest::WriteBytes;

TEST(ErrorMessage, TableAndUnknownCodes) {
  const std::pair<int, std::string> cases[] = {
      {0, "(0)"},
      {-1, "File not found"},
      {-11, "textfile field error"},
      {-801, "Time out while opening for exclusive write mode "},
      {-802, " Time out while opening for write-denied read mode"},
      {-1517, "Warning: Wrong Userbase file version, size mitsmatch"},
      {-6634, "Error when copying default userbase to:"},
      {-7, "Unknown error -7"},
      {1, "Unknown error 1"},
  };
  for (const auto& [code, text] : cases) EXPECT_EQ(ErrorMessage(code), text) << code;
}

class ErrorLogTest : public ::testing::Test {
 protected:
  ErrorLogTest() {
    WriteBytes(box / "QXDef.ini", "[General Settings]\r\n");
    WriteBytes(box / "QXCommon.ini", "[Keyboard Layouts]\r\nEnglish=qwerty.kbd\r\n");
    settings = std::make_unique<TProgramSettings>();
    settings->ProductVersion = "5.02";
    settings->BuildNumber = "311";
    settings->PlatformWord = "64Bit";
    settings->CompileDate = "26-11-30";
    Settings = settings.get();
    qx::InstallClock(&clock);
  }
  ~ErrorLogTest() override {
    qx::InstallClock(nullptr);
    Settings = nullptr;
  }
  std::string Record(const std::string& codeLine, const std::string& detailLine) const {
    return std::string(58, '-') + "\r\n" + qx::ShortDateText(clock.Now()) +
           " Build 311 (64Bit) compiled 26-11-30\r\n" + codeLine + "\r\n" + detailLine + "\r\n";
  }

  StorageSandbox box;
  std::unique_ptr<TProgramSettings> settings;
  qx::ManualClock clock{qx::EncodeDateTime(1999, 3, 12, 10, 30)};
};

TEST_F(ErrorLogTest, FirstReportCreatesTheLogWithItsHeaderLaterOnesAppend) {
  EXPECT_EQ(ReportError(-1505, "Userbase open failed."), 0);
  ASSERT_EQ(box.dialogs.Asked().size(), 1u);
  const qx::DialogRequest& shown = box.dialogs.Asked()[0];
  EXPECT_EQ(shown.icon, qx::DialogIcon::Error);
  EXPECT_EQ(shown.buttons, qx::DialogButtons::Ok);
  EXPECT_EQ(shown.text, "#-1505 Cannot open User database\n\rUserbase open failed.");

  const std::string header =
      "Quillbrandex 5.02 error file.  \r\n"
      "Please send this file to author: support@quillbrandex.invalid! \r\n";
  const std::string first = Record("#-1505  Cannot open User database", " - Userbase open failed.");
  EXPECT_EQ(ReadBytes(box / "Errors.log"), header + first);

  EXPECT_EQ(ReportError2(-1505, -2), 0);
  EXPECT_EQ(box.dialogs.Asked()[1].text, "#-1505 Cannot open User database\n\rFile open failed");
  EXPECT_EQ(
      ReadBytes(box / "Errors.log"),
      header + first + Record("#-1505  Cannot open User database", " - File open failed = -2"));
}

TEST_F(ErrorLogTest, UnknownCodesAndLongDetails) {
  ReportError(0, "No keyboard layouts defined in INI");
  ReportError2(-1517, -7);
  ReportError(-2, std::string(300, 'd'));
  const std::string log = ReadBytes(box / "Errors.log");
  EXPECT_NE(log.find("#0  (0)\r\n - No keyboard layouts defined in INI\r\n"), std::string::npos);
  EXPECT_NE(log.find(" - Unknown error -7 = -7\r\n"), std::string::npos);
  EXPECT_NE(log.find("\r\n - " + std::string(252, 'd') + "\r\n"), std::string::npos);
  EXPECT_EQ(log.find(std::string(253, 'd')), std::string::npos);
  EXPECT_EQ(box.dialogs.Asked()[1].text,
            "#-1517 Warning: Wrong Userbase file version, size mitsmatch\n\rUnknown error -7");
}

TEST_F(ErrorLogTest, ALogHeldForGoodIsPassedOverInSilenceAfterAShortWait) {
  WriteBytes(box / "errors.log", "kept\r\n");  // an existing log in another case
  TTextFile other;                             // stands for a workstation that never lets go
  ASSERT_EQ(other.Open(box / "Errors.log", kTextAppend), 1);
  qxtest::CountingPump pump;
  qx::InstallEventPump(&pump);
  EXPECT_EQ(ReportError(-2, "while locked"), 0);
  EXPECT_EQ(box.dialogs.Asked().size(), 1u);  // the box is shown all the same
  // Waited for, but not for long.
  EXPECT_GT(pump.waits, 0);
  EXPECT_LE(pump.waitedMs, 2000);
  other.Close();
  EXPECT_EQ(ReadBytes(box / "errors.log"), "kept\r\n");

  ReportError(-2, "after");
  EXPECT_EQ(ReadBytes(box / "errors.log"),
            "kept\r\n" + Record("#-2  File open failed", " - after"));
}

TEST(ErrorLog, WithoutSettingsTheVersionFieldsAreEmpty) {
  StorageSandbox box;
  ASSERT_EQ(Settings, nullptr);
  ReportError(-500, "qwerty.kbd");
  const std::string log = ReadBytes(box / "Errors.log");
  EXPECT_TRUE(log.starts_with("Quillbrandex  error file.  \r\n"));
  EXPECT_NE(log.find(" Build  () compiled \r\n#-500  Error in Main-procedure\r\n"),
            std::string::npos);
}

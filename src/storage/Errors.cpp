// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/Errors.h"

#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/EventPump.h"
#include "storage/FileObj.h"
#include "storage/PrgSetup.h"
#include "storage/ToolBox.h"

namespace {

constexpr const char* kLogName = "Errors.log";
constexpr const char* kSupportAddress = "support@quillbrandex.invalid";
// At most about two seconds of waiting for the log.
constexpr int kLogAttempts = 100;
constexpr int kLogRetryMs = 20;

struct Message {
  int code;
  const char* text;
};

// Texts as the users' logs have always shown them, blanks included.
constexpr Message kMessages[] = {
    {0, "(0)"},
    {-1, "File not found"},
    {-2, "File open failed"},
    {-3, "File already open"},
    {-5, "File write error"},
    {-6, "File close failed / write failed"},
    {-10, "out of file request"},
    {-11, "textfile field error"},
    {-500, "Error in Main-procedure"},
    {-501, "Error in Event"},
    {-801, "Time out while opening for exclusive write mode "},
    {-802, " Time out while opening for write-denied read mode"},
    {-1001, "User bookmark vs. Chapter data overflow"},
    {-1052, "Contents detected error"},
    {-1202, "User bookmark vs. exercise data overflow"},
    {-1505, "Cannot open User database"},
    {-1517, "Warning: Wrong Userbase file version, size mitsmatch"},
    {-3321, "Problems in Difficult Keys event"},
    {-5452, "WWW-browser/email software is not properly installed or file extension launch error"},
    {-5633, "Fatal Contents Error; Program halted"},
    {-5733, "Fatal Introduction file error"},
    {-6123, "Contents file(s) *.CNT not available, program halted"},
    {-6633, "Error when renaming default userbase to:"},
    {-6634, "Error when copying default userbase to:"},
};

std::string SettingText(std::string TProgramSettings::*field) {
  return Settings ? Settings->*field : std::string();
}

void ShowAndLog(int code, const std::string& second, const std::string& logDetail) {
  const std::string date = Cut255(qx::ShortDateText(qx::Now()));
  const std::string message = ErrorMessage(code);

  qx::DialogRequest box;
  box.icon = qx::DialogIcon::Error;
  box.buttons = qx::DialogButtons::Ok;
  box.text = "#" + std::to_string(code) + " " + message + "\n\r" + second;
  qx::Dialogs().Ask(box);

  // Created when missing, never truncated: whoever holds the lock on an
  // empty log writes its header, so no other process's record is lost.
  // Another workstation holds the lock only while it appends, so a few
  // short waits let this record in; after them it is given up, so that a
  // log held for good never stops the program.
  TTextFile log;
  // Beside the user database: the program's own folder may be read-only.
  const std::string path = SettingText(&TProgramSettings::DataPath) + kLogName;
  for (int attempt = 1; log.Open(path, kTextAppendNew) != kFileOpen; ++attempt) {
    if (!log.LockRefused || attempt >= kLogAttempts) return;  // unwritable or held: silence
    qx::EventPump().WaitWithoutInput(kLogRetryMs);
  }
  std::vector<std::string> lines;
  if (log.FileSize == 0) {
    lines.push_back("Quillbrandex " + SettingText(&TProgramSettings::ProductVersion) + " error file.  ");
    lines.push_back(std::string("Please send this file to author: ") + kSupportAddress + "! ");
  }
  lines.push_back(std::string(58, '-'));
  lines.push_back(date + " Build " + SettingText(&TProgramSettings::BuildNumber) + " (" +
                  SettingText(&TProgramSettings::PlatformWord) + ") compiled " +
                  SettingText(&TProgramSettings::CompileDate));
  lines.push_back("#" + std::to_string(code) + "  " + message);
  lines.push_back(" - " + logDetail);
  log.WriteLines(lines);
}

}  // namespace

std::string ErrorMessage(int code) {
  for (const auto& m : kMessages)
    if (m.code == code) return m.text;
  return "Unknown error " + std::to_string(code);
}

int ReportError(int code, const std::string& detail) {
  ShowAndLog(code, detail, detail);
  return 0;
}

int ReportError2(int code, int subcode) {
  const std::string subMessage = ErrorMessage(subcode);
  ShowAndLog(code, subMessage, subMessage + " = " + std::to_string(subcode));
  return 0;
}

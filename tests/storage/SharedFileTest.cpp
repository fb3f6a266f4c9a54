// SPDX-License-Identifier: GPL-3.0-or-later
// Sharing modes between processes, the busy-file retry policy and the
// error log under two writers.
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <chrono>
#include <functional>
#include <memory>
#include <set>

#include "StorageSandbox.h"
#include "platform/LockedFile.h"
#include "storage/Errors.h"
#include "storage/FileObj.h"
#include "support/Children.h"

using qxtest::CountingPump;
using qxtest::ReadBytes;
using qxtest::StorageSandbox;
using qxtest::WriteBytes;

namespace {

struct Mode {
  const char* name;
  bool text;
  int mode;
  int share;
};

const Mode kAsRecExclusive{"record, exclusive", false, kRecOpen, kShareExclusive};
const Mode kAsRecRead{"record, read", false, kRecOpen, kShareReadOnly};
const Mode kAsRecAll{"record, share 1", false, kRecOpen, kShareAll};
const Mode kAsTextRead{"text read", true, kTextRead, 0};
const Mode kAsTextCreate{"text create", true, kTextCreate, 0};
const Mode kAsTextAppend{"text append", true, kTextAppend, 0};

std::unique_ptr<TFile> OpenAs(const Mode& m, const std::string& path, int& status) {
  if (m.text) {
    auto f = std::make_unique<TTextFile>();
    status = f->Open(path, m.mode);
    return f;
  }
  auto f = std::make_unique<TRecFile>();
  status = f->Open(path, m.mode, m.share);
  return f;
}

// Another process that keeps a file open in one mode until it is released
// or, with holdMs >= 0, until that time has passed.
class Holder {
 public:
  Holder(const Mode& m, const std::string& path, int holdMs = -1) {
    if (pipe(ready_) != 0 || pipe(release_) != 0) ADD_FAILURE() << "pipe";
    pid_ = qxtest::StartChild([&] {
      close(ready_[0]);
      close(release_[1]);
      int status = 0;
      auto file = OpenAs(m, path, status);
      const char c = static_cast<char>(status + 100);
      if (write(ready_[1], &c, 1) != 1) return 1;
      pollfd p{release_[0], POLLIN, 0};
      poll(&p, 1, holdMs);
      return 0;
    });
    close(ready_[1]);
    close(release_[0]);
    char c = 0;
    if (read(ready_[0], &c, 1) == 1) status_ = c - 100;
  }
  ~Holder() {
    Release();
    close(ready_[0]);
  }
  int Status() const { return status_; }
  // Returns once the other process has gone, and its locks with it.
  void Release() {
    if (pid_ <= 0) return;
    close(release_[1]);
    qxtest::WaitChild(pid_);
    pid_ = -1;
  }

 private:
  int ready_[2] = {-1, -1};
  int release_[2] = {-1, -1};
  pid_t pid_ = -1;
  int status_ = -100;
};

std::vector<std::string> LogLines(const std::string& path) {
  std::vector<std::string> lines;
  const std::string raw = ReadBytes(path);
  size_t pos = 0;
  while (pos < raw.size()) {
    const size_t end = raw.find("\r\n", pos);
    if (end == std::string::npos) {
      lines.push_back(raw.substr(pos));
      break;
    }
    lines.push_back(raw.substr(pos, end - pos));
    pos = end + 2;
  }
  return lines;
}

}  // namespace

TEST(SharingModes, HoldBetweenProcesses) {
  struct Case {
    const Mode& held;
    const Mode& other;
    int expected;
  };
  const Case cases[] = {
      {kAsRecExclusive, kAsRecExclusive, -2},
      {kAsRecExclusive, kAsRecRead, -2},
      {kAsRecExclusive, kAsRecAll, -2},
      {kAsRecExclusive, kAsTextRead, -2},
      {kAsRecRead, kAsRecRead, 1},
      {kAsRecRead, kAsRecAll, 1},
      {kAsRecRead, kAsTextRead, 1},
      {kAsRecRead, kAsRecExclusive, -2},
      {kAsRecRead, kAsTextAppend, -2},
      {kAsRecAll, kAsRecAll, 1},
      {kAsRecAll, kAsRecExclusive, -2},
      {kAsTextRead, kAsTextCreate, -2},
      {kAsTextAppend, kAsTextAppend, -2},
      {kAsTextAppend, kAsRecRead, -2},
  };
  qxtest::TempDir dir;
  const std::string path = dir / "shared.dat";
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.held.name) + " held, then " + c.other.name);
    WriteBytes(path, "content\r\n");
    Holder holder(c.held, path);
    ASSERT_EQ(holder.Status(), 1);
    int status = 0;
    auto file = OpenAs(c.other, path, status);
    EXPECT_EQ(status, c.expected);
    EXPECT_EQ(file->Handle >= 0, c.expected == 1);
    // A refused create must not have truncated the holder's file.
    EXPECT_EQ(ReadBytes(path), "content\r\n");
  }
}

TEST(OpenWithRetry, ReturnsOnceTheHolderLetsGoWithoutAsking) {
  StorageSandbox box;
  CountingPump pump;
  qx::InstallEventPump(&pump);
  WriteBytes(box / "Userbase.qx4", std::string(2504, '\0'));
  Holder holder(kAsRecExclusive, box / "Userbase.qx4");
  pump.onWait = [&](int n) {
    if (n == 5) holder.Release();
  };
  TRecFile f;
  EXPECT_EQ(
      OpenWithRetry(f, box / "userbase.qx4", kShareExclusive, "Busy?", "Userbase open failed."), 1);
  EXPECT_EQ(f.Status, 1);
  EXPECT_EQ(pump.waits, 5);
  EXPECT_EQ(pump.waitedMs, 1000);
  EXPECT_TRUE(box.dialogs.Asked().empty());
}

TEST(OpenWithRetry, MissingFileIsReturnedAtOnce) {
  StorageSandbox box;
  CountingPump pump;
  qx::InstallEventPump(&pump);
  TRecFile f;
  EXPECT_EQ(OpenWithRetry(f, box / "none.qxt", kShareReadOnly, "Busy?", "x"), -1);
  EXPECT_EQ(pump.waits, 0);
}

TEST(OpenWithRetry, NoAfterTheBusyQuestionReportsTheTimeOut) {
  struct Case {
    int share;
    std::string box;
    std::string logLine;
  };
  const Case cases[] = {
      {kShareExclusive,
       "#-801 Time out while opening for exclusive write mode \n\rUserbase open failed.",
       "#-801  Time out while opening for exclusive write mode "},
      {kShareReadOnly,
       "#-802  Time out while opening for write-denied read mode\n\rUserbase open failed.",
       "#-802   Time out while opening for write-denied read mode"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.share);
    StorageSandbox box;
    CountingPump pump;
    qx::InstallEventPump(&pump);
    WriteBytes(box / "Userbase.qx4", "");
    Holder holder(kAsRecExclusive, box / "Userbase.qx4");
    box.dialogs.Answer(qx::DialogAnswer::No);
    TRecFile f;
    EXPECT_EQ(OpenWithRetry(
                  f, box / "Userbase.qx4", c.share,
                  "The network is currently busy because of other users, do you want to try again?",
                  "Userbase open failed."),
              -2);
    EXPECT_EQ(pump.waits, 14);
    const auto& asked = box.dialogs.Asked();
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0].icon, qx::DialogIcon::None);
    EXPECT_EQ(asked[0].buttons, qx::DialogButtons::YesNo);
    EXPECT_EQ(asked[0].text.substr(0, 11), "The network");
    EXPECT_EQ(asked[1].icon, qx::DialogIcon::Error);
    EXPECT_EQ(asked[1].text, c.box);
    const auto log = LogLines(box / "Errors.log");
    ASSERT_EQ(log.size(), 6u);
    EXPECT_EQ(log[4], c.logLine);
    EXPECT_EQ(log[5], " - Userbase open failed.");
  }
}

TEST(OpenWithRetry, YesStartsTheAttemptsAgain) {
  StorageSandbox box;
  CountingPump pump;
  qx::InstallEventPump(&pump);
  WriteBytes(box / "ZaroZira.qxt", "");
  Holder holder(kAsRecExclusive, box / "ZaroZira.qxt");
  box.dialogs.onAsk = [&](const qx::DialogRequest&) { holder.Release(); };
  box.dialogs.Answer(qx::DialogAnswer::Yes);
  TRecFile f;
  EXPECT_EQ(OpenWithRetry(f, box / "ZaroZira.qxt", kShareReadOnly, "Busy?", "x"), 1);
  EXPECT_EQ(box.dialogs.Asked().size(), 1u);
  EXPECT_EQ(pump.waits, 14);
}

// Runs body in a child process that permission bits bind (root is turned
// into nobody) and hands back what it wrote.
static std::string AsUnprivileged(const std::function<std::string()>& body) {
  int out[2];
  if (pipe(out) != 0) return "pipe";
  const pid_t pid = qxtest::StartChild([&] {
    close(out[0]);
    if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) return 1;
    const std::string text = body();
    return write(out[1], text.data(), text.size()) == static_cast<ssize_t>(text.size()) ? 0 : 1;
  });
  close(out[1]);
  std::string text;
  char buf[512];
  for (ssize_t n; (n = read(out[0], buf, sizeof buf)) > 0;) text.append(buf, static_cast<size_t>(n));
  close(out[0]);
  EXPECT_EQ(qxtest::WaitChild(pid), 0);
  return text;
}

TEST(OpenWithRetry, AReadOnlyFolderIsReportedAtOnceNotAskedAbout) {
  StorageSandbox box;
  CountingPump pump;
  qx::InstallEventPump(&pump);
  const std::string data = box.Root("data/");
  qx::EnsureDirectory(data);
  WriteBytes(data + "Userbase.qx4", std::string(2504, '\0'));
  chmod(box.Root("").c_str(), 0755);
  chmod((data + "Userbase.qx4").c_str(), 0444);
  chmod(data.c_str(), 0555);
  const std::string report = AsUnprivileged([&] {
    std::string r;
    TRecFile f;
    r += std::to_string(OpenWithRetry(f, data + "Userbase.qx4", kShareExclusive, "Busy?", "x")) + "|";
    r += std::to_string(pump.waits) + "|";
    for (const auto& asked : box.dialogs.Asked()) r += asked.text + "|";
    // Reading needs no write permission.
    TRecFile reader;
    r += std::to_string(OpenWithRetry(reader, data + "Userbase.qx4", kShareReadOnly, "Busy?", "x")) + "|";
    // Nothing new can be made in the folder, and each says why.
    TRecFile created;
    r += std::to_string(created.Open(data + "new.qxt", kRecCreate, 0));
    r += " " + created.OpenFailureText() + "|";
    TTextFile log;
    r += std::to_string(log.Open(data + "Errors.log", kTextCreate));
    r += " " + log.OpenFailureText() + "|";
    int error = 0;
    r += std::to_string(qx::CreateEmptyFileIfMissing(data + "t.qxt", error));
    r += " " + qx::SystemErrorText(error);
    return r;
  });
  chmod(data.c_str(), 0755);
  const std::string denied = qx::SystemErrorText(EACCES);
  EXPECT_EQ(report, "-2|0|#-2 File open failed\n\r" + data + "Userbase.qx4: " + denied + "|1|-2 " + denied +
                        "|-2 " + denied + "|0 " + denied);
}

TEST(OpenWithRetry, WaitsInRealTimeForAHolderThatLetsGo) {
  StorageSandbox box;
  WriteBytes(box / "Userbase.qx4", "");
  Holder holder(kAsRecExclusive, box / "Userbase.qx4", 500);
  const auto start = std::chrono::steady_clock::now();
  TRecFile f;
  EXPECT_EQ(OpenWithRetry(f, box / "Userbase.qx4", kShareExclusive, "Busy?", "x"), 1);
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                      std::chrono::steady_clock::now() - start)
                      .count();
  EXPECT_GE(ms, 400);
  // Opened within the retries, however busy the machine: nobody was asked.
  EXPECT_TRUE(box.dialogs.Asked().empty());
}

TEST(ErrorLog, TwoProcessesLoseNoRecordAndNeverInterleaveInsideOne) {
  StorageSandbox box;
  auto writer = [](const std::string& who) {
    return qxtest::StartChild([who] {
      for (int i = 0; i < 60; ++i) ReportError(-2, who + std::to_string(i));
      return 0;
    });
  };
  const pid_t a = writer("A");
  const pid_t b = writer("B");
  EXPECT_EQ(qxtest::WaitChild(a), 0);
  EXPECT_EQ(qxtest::WaitChild(b), 0);

  const auto lines = LogLines(box / "Errors.log");
  ASSERT_EQ(lines.size(), 2u + 120u * 4u);
  EXPECT_EQ(lines[0].substr(0, 13), "Quillbrandex ");
  EXPECT_EQ(lines[1].substr(0, 33), "Please send this file to author: ");
  std::set<std::string> details;
  for (size_t i = 2; i < lines.size(); i += 4) {
    SCOPED_TRACE(i);
    EXPECT_EQ(lines[i], std::string(58, '-'));
    EXPECT_NE(lines[i + 1].find(" Build "), std::string::npos);
    EXPECT_EQ(lines[i + 2], "#-2  File open failed");
    details.insert(lines[i + 3]);
  }
  // Each writer's records in full, none twice.
  for (const char* who : {"A", "B"})
    for (int i = 0; i < 60; ++i) EXPECT_EQ(details.count(" - " + std::string(who) + std::to_string(i)), 1u);
}

TEST(ErrorLog, ARecordThatMeetsAFullDiskLeavesTheLogAsItWas) {
  StorageSandbox box;
  const std::string before = "kept\r\n" + std::string(2000, 'x') + "\r\n";
  WriteBytes(box / "Errors.log", before);
  // Room for a few more bytes, not for a whole record.
  const pid_t child = qxtest::StartChild([&] {
    signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{before.size() + 40, before.size() + 40};
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0) return 2;
    return ReportError(-5, "disk full");
  });
  EXPECT_EQ(qxtest::WaitChild(child), 0);
  EXPECT_EQ(ReadBytes(box / "Errors.log"), before);
  ReportError(-5, "room again");
  EXPECT_TRUE(ReadBytes(box / "Errors.log").ends_with(" - room again\r\n"));
}

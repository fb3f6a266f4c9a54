// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/Topten.h"

#include <algorithm>

#include "platform/Clock.h"
#include "platform/Files.h"
#include "platform/LockedFile.h"
#include "storage/Errors.h"
#include "storage/FileObj.h"
#include "storage/PrgSetup.h"
#include "storage/ToolBox.h"

namespace {

const char* const kBusyQuestion =
    "The network is busy because of other users, do you want to try again?";

}  // namespace

TtopTen::TtopTen() {
  for (int i = 1; i <= kTopTenMaxEntries; ++i) SetDefault(i);
}

void TtopTen::SetDefault(int i) {
  Entries[i].Name = "Quillbrandex";
  Entries[i].Date = qx::ShortDateText(qx::Now());
  Entries[i].Score = i <= 10 ? 1000 - 70 * i : 300 - 2 * i;
}

int TtopTen::ReadEntries(TRecFile& file) {
  const int n = std::min(file.RecordCount(kTopTenRecordSize), kTopTenMaxEntries);
  // Only whole records count: a cut tail (an interrupted save) is left
  // alone, and a file without one whole record (one just created by
  // another workstation) is as good as missing.
  int read = 0;
  std::string record(kTopTenRecordSize, '\0');
  while (read < n && file.ReadRecord(record.data(), kTopTenRecordSize) == kFileOpen) {
    TRecordBuffer in(record);
    TEntry& e = Entries[++read];
    e.Name = in.GetStr255();
    e.Score = in.GetInt();
    e.Date = in.GetStr255();
  }
  return read;
}

int TtopTen::Load(const std::string& baseName) {
  FileName = Cut255((Settings ? Settings->DataPath : std::string("./")) + baseName + ".qxt");
  TRecFile file;
  int status =
      OpenWithRetry(file, FileName, kShareReadOnly, kBusyQuestion, FileName + " Topten open failed.");
  const int read = status == kFileOpen ? ReadEntries(file) : 0;
  file.Close();
  if (read > 0) {
    Count = read;
    return kFileOpen;
  }
  for (int i = 1; i <= Count; ++i) SetDefault(i);
  return status == kFileOpen ? kFileNotFound : status;
}

int TtopTen::Save(int count) {
  if (count > 0) Count = std::min(count, kTopTenMaxEntries);
  // Never wipes a table another workstation made.
  int error = 0;
  if (!qx::CreateEmptyFileIfMissing(FileName, error)) {
    // A table that cannot even be created is no busy network.
    ReportError(kFileOpenFailed, Cut255(FileName + ": " + qx::SystemErrorText(error)));
    return kFileOpenFailed;
  }
  TRecFile file;
  const int status =
      OpenWithRetry(file, FileName, kShareExclusive, kBusyQuestion, FileName + " Topten open failed.");
  if (status == kFileOpen) WriteEntries(file);
  file.Close();
  return status;
}

int TtopTen::WriteEntries(TRecFile& file) {
  // The whole table in one write, so that a reader never meets half of it.
  // A score beyond 16 bits is kept at the limit rather than wrapped to a
  // small or negative one.
  TRecordBuffer table;
  for (int i = 1; i <= Count; ++i) {
    table.PutStr255(Entries[i].Name);
    table.PutInt(std::clamp(Entries[i].Score, -32768, 32767));
    table.PutStr255(Entries[i].Date);
  }
  return file.WriteRecordAt(0, table.Bytes().data(), table.Size());
}

int TtopTen::OpenHeld(TRecFile& file) {
  int error = 0;
  if (!qx::CreateEmptyFileIfMissing(FileName, error)) {
    ReportError(kFileOpenFailed, Cut255(FileName + ": " + qx::SystemErrorText(error)));
    return kFileOpenFailed;
  }
  return OpenWithRetry(file, FileName, kShareExclusive, kBusyQuestion, FileName + " Topten open failed.");
}

int TtopTen::EnterScore(const std::string& baseName, int score, const std::string& name) {
  FileName = Cut255((Settings ? Settings->DataPath : std::string("./")) + baseName + ".qxt");
  TRecFile file;
  const int status = OpenHeld(file);
  const int read = status == kFileOpen ? ReadEntries(file) : 0;
  if (read > 0) {
    Count = read;
  } else {
    Count = 10;
    for (int i = 1; i <= kTopTenMaxEntries; ++i) SetDefault(i);
  }
  // The file keeps what the table can show: a score beyond 16 bits is
  // ranked as it will read back.
  const int rank = AddScore(std::clamp(score, -32768, 32767), name);
  if (status == kFileOpen) WriteEntries(file);
  file.Close();
  return status == kFileOpen ? rank : status;
}

int TtopTen::RenameEntry(const TEntry& entry, const std::string& name) {
  TRecFile file;
  const int status = OpenHeld(file);
  const int read = status == kFileOpen ? ReadEntries(file) : 0;
  if (read > 0) Count = read;
  // Entries made meanwhile only push it down; the first match at or below
  // its old place is it.
  int found = 0;
  for (int i = 1; i <= Count && !found; ++i)
    if (Entries[i].Name == entry.Name && Entries[i].Score == entry.Score && Entries[i].Date == entry.Date)
      found = i;
  if (found) SetName(found, name);
  if (status == kFileOpen && found) WriteEntries(file);
  file.Close();
  return status;
}

int TtopTen::AddScore(int score, const std::string& name) {
  if (Entries[Count].Score > score) return 0;
  int rank = Count;
  while (rank > 1 && Entries[rank - 1].Score < score) --rank;
  for (int i = Count; i > rank; --i) Entries[i] = Entries[i - 1];
  Entries[rank] = TEntry{Cut255(name), score, qx::ShortDateText(qx::Now())};
  return rank;
}

void TtopTen::SetName(int rank, const std::string& name) {
  if (rank >= 1 && rank <= Count) Entries[rank].Name = Cut255(name);
}

std::vector<std::string> TtopTen::GetList(int n) {
  if (n <= 0 || n > Count) n = Count;
  std::vector<std::string> lines;
  for (int i = 1; i <= n; ++i) {
    if (Entries[i].Name.find(';') != std::string::npos) Entries[i].Name = "the Winner";
    lines.push_back(Entries[i].Name + ";" + std::to_string(Entries[i].Score) + ";" + Entries[i].Date);
  }
  return lines;
}

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Data files: line-oriented text files with an optional "$" header and
// scrambled content, and files of fixed-size records opened with sharing
// modes that hold between processes. Ordinary failures are status codes,
// never exceptions.

// Status codes, shared with the error numbers of Errors.h.
constexpr int kFileOpen = 1;
constexpr int kFileClosed = 2;
constexpr int kFileEnd = 0;
constexpr int kFileNotFound = -1;
constexpr int kFileOpenFailed = -2;
constexpr int kFileAlreadyOpen = -3;
constexpr int kFileWriteError = -5;
constexpr int kFileCloseFailed = -6;
constexpr int kFileReadError = -7;
constexpr int kFileOutOfRange = -10;
constexpr int kFileHeaderError = -11;

// TTextFile::Open modes.
constexpr int kTextRead = 1;
constexpr int kTextCreate = 2;
constexpr int kTextAppend = 3;

// TRecFile::Open modes and shares.
constexpr int kRecOpen = 1;
constexpr int kRecCreate = 5;
constexpr int kShareReadOnly = -2;   // read only; others may read, not write
constexpr int kShareExclusive = -1;  // read and write; nobody else gets in
constexpr int kShareAll = 1;         // read and write; others may do anything

// The one-byte key of the scrambled ("crypted") text form.
constexpr unsigned char ScrambleKey = 0xA7;

class TFile {
 public:
  TFile() = default;
  virtual ~TFile();  // closes an open file
  TFile(const TFile&) = delete;
  TFile& operator=(const TFile&) = delete;

  int Handle = -1;
  bool Crypted = false;
  std::string FileName;
  std::string Version;
  int Status = 0;
  std::string LongDesc;
  std::string Description;
  std::string Author;
  std::string Copyright;
  int FileSize = 0;
  int Position = 0;

  int Close();
};

class TTextFile : public TFile {
 public:
  int Open(const std::string& name, int mode);
  int ReadLine(std::string& s, int maxLen = 255);
  // Everything from Position to the end; Status 2 when nothing was left.
  int ReadAll(std::string& text);
  int WriteLine(const std::string& s);
};

class TRecFile : public TFile {
 public:
  int Open(const std::string& name, int mode, int share);
  int Seek(int recordSize, int recordNo);
  int RecordCount(int recordSize) const;
  bool SizeFits(int recordSize) const;

  int ReadInt(int& v);                   // 16-bit, sign-extended
  int ReadSmall(int16_t& v);
  int ReadLong(int32_t& v);
  int ReadBytes(void* buf, int n);       // n + 1 bytes
  int ReadSmalls(int16_t* buf, int n);   // n + 1 values
  // A counted string of capacity 255 (256 bytes) as text.
  int ReadStr255(std::string& s);

  int WriteInt(int v);
  int WriteSmall(int16_t v);
  int WriteLong(int32_t v);
  int WriteBytes(const void* buf, int n);
  int WriteSmalls(const int16_t* buf, int n);
  int WriteStr255(const std::string& s);
  // A whole record assembled in memory, written with one call and flushed
  // to the disk, so that a crash cannot leave half of it behind.
  int WriteRecord(const void* buf, int size);
};

std::vector<std::string> ListFiles(const std::string& mask);
std::vector<std::string> ListFilesWith(const std::string& mask, const std::string& first);
bool CopyDataFile(const std::string& source, const std::string& target);

// Opens a shared record file, retrying while others hold it; see Files docs.
int OpenWithRetry(TRecFile& file, const std::string& name, int share,
                  const std::string& busyQuestion, const std::string& failureDetail);

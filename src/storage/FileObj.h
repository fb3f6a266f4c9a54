// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <string>
#include <utility>
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
// Append, creating the file when it is missing (the error log's way of
// never truncating what another process just wrote).
constexpr int kTextAppendNew = 4;

// TRecFile::Open modes and shares.
constexpr int kRecOpen = 1;
constexpr int kRecCreate = 5;
constexpr int kShareReadOnly = -2;   // read only; others may read, not write
constexpr int kShareExclusive = -1;  // read and write; nobody else gets in
constexpr int kShareAll = 1;         // read and write; others may do anything

// The one-byte key of the scrambled ("crypted") text form. Line ends stay
// plain, so the key is chosen such that no text character scrambles into
// a carriage return, a line feed or a zero byte: only the control codes
// 0x12, 0x15 and 0x1F do, and text files never hold them.
constexpr unsigned char ScrambleKey = 0x1F;
// A plain byte the reader could not get back from its scrambled form.
inline bool ScrambleCollides(unsigned char plain) {
  const unsigned char s = plain ^ ScrambleKey;
  return s == '\r' || s == '\n' || s == 0;
}

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
  // Why the last open failed: another holder's lock, or the system's errno
  // (0 for a lock or when it opened). Only a refused lock is worth a retry.
  bool LockRefused = false;
  int OpenError = 0;
  // "Permission denied", "locked by another user", ... for messages.
  std::string OpenFailureText() const;

  // Closes any open descriptor (also after ReadAll reported 2); a closed
  // or never-opened object stays as it is.
  int Close();
};

// Open on an object that is already open answers -3 and leaves the open
// file, and its Status, as they are.
class TTextFile : public TFile {
 public:
  int Open(const std::string& name, int mode);
  int ReadLine(std::string& s, int maxLen = 255);
  // Everything from Position to the end; Status 2 when nothing was left.
  int ReadAll(std::string& text);
  // The line (cut to 255) and its CR LF in one write.
  int WriteLine(const std::string& s);
  // Several lines (each cut to 255) in one write at the end of the file:
  // a reader never meets half of them, and a write that fails part-way
  // (a full disk) is taken back, so the file holds all or none of them.
  int WriteLines(const std::vector<std::string>& lines);

 private:
  int ReadHeader();
};

class TRecFile : public TFile {
 public:
  int Open(const std::string& name, int mode, int share);
  int Seek(int recordSize, int recordNo);
  int RecordCount(int recordSize) const;
  bool SizeFits(int recordSize) const;

  int ReadInt(int& v);  // 16-bit, sign-extended
  int ReadSmall(int16_t& v);
  int ReadLong(int32_t& v);
  int ReadBytes(void* buf, int n);      // n + 1 bytes
  int ReadSmalls(int16_t* buf, int n);  // n + 1 values
  // A counted string of capacity 255 (256 bytes) as text.
  int ReadStr255(std::string& s);

  int WriteInt(int v);
  int WriteSmall(int16_t v);
  int WriteLong(int32_t v);
  int WriteBytes(const void* buf, int n);
  int WriteSmalls(const int16_t* buf, int n);
  int WriteStr255(const std::string& s);
  // A whole record assembled in memory (TRecordBuffer), written with one
  // call at the handle (after Seek) and flushed to the disk, so that a
  // crash cannot leave half of it behind. Unlike the field writes it keeps
  // FileSize in step when the record extends the file.
  int WriteRecord(const void* buf, int size);
  // Seek to recordNo x size, then WriteRecord; -10 beyond the end.
  int WriteRecordAt(int recordNo, const void* buf, int size);
  // size bytes at the handle in one read; the same statuses as ReadBytes.
  int ReadRecord(void* buf, int size);

 private:
  int ReadRaw(void* buf, long long n);
  int WriteRaw(const void* buf, long long n);
};

// A record image in the encodings of the TRecFile field reads and writes:
// Put* append to the image, Get* read it from a cursor (past the end they
// give zeros and set Short()).
class TRecordBuffer {
 public:
  TRecordBuffer() = default;
  explicit TRecordBuffer(std::string bytes) : bytes_(std::move(bytes)) {}

  void PutInt(int v);  // low 16 bits
  void PutSmall(int16_t v) { PutInt(v); }
  void PutLong(int32_t v);
  void PutBytes(const void* buf, int n);  // n + 1 bytes
  void PutSmalls(const int16_t* buf, int n);
  void PutStr255(const std::string& s);
  void PadTo(int size);  // zeros up to a fixed record size

  int GetInt();  // sign-extended
  int16_t GetSmall() { return static_cast<int16_t>(GetInt()); }
  int32_t GetLong();
  void GetBytes(void* buf, int n);
  void GetSmalls(int16_t* buf, int n);
  std::string GetStr255();

  const std::string& Bytes() const { return bytes_; }
  std::string& Bytes() { return bytes_; }
  int Size() const { return static_cast<int>(bytes_.size()); }
  void Rewind() {
    cursor_ = 0;
    short_ = false;
  }
  bool Short() const { return short_; }

 private:
  void Take(void* out, size_t n);
  std::string bytes_;
  size_t cursor_ = 0;
  bool short_ = false;
};

std::vector<std::string> ListFiles(const std::string& mask);
std::vector<std::string> ListFilesWith(const std::string& mask, const std::string& first);
// Copies through a temporary file beside the target that replaces it only
// once complete, so a failed copy leaves the target as it was.
bool CopyDataFile(const std::string& source, const std::string& target);

// Opens a shared record file (mode 1) and retries while others hold it:
// 15 attempts 200 ms apart, then the busy question (Yes starts again), then
// error -801 (-802 for share -2) with the failure detail, returning -2.
// A failure other than a refused lock (no permission, a read-only disk...)
// cannot pass by waiting: it is reported at once as -2 "name: reason",
// and -2 returned without a question.
int OpenWithRetry(TRecFile& file, const std::string& name, int share,
                  const std::string& busyQuestion, const std::string& failureDetail);

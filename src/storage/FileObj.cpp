// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/FileObj.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>

#include "platform/CodePage.h"
#include "platform/Dialogs.h"
#include "platform/EventPump.h"
#include "platform/Files.h"
#include "platform/LockedFile.h"
#include "storage/Errors.h"
#include "storage/ToolBox.h"

namespace {

// Offsets are 32-bit; leave room for the line end arithmetic of ReadLine.
constexpr long long kMaxFileSize = INT_MAX - 4096;

int ClampToInt(long long v) { return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX)); }

void StoreLe(unsigned char* p, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) p[i] = static_cast<unsigned char>(v >> (8 * i));
}

uint32_t LoadLe(const unsigned char* p, int bytes) {
  uint32_t v = 0;
  for (int i = 0; i < bytes; ++i) v |= static_cast<uint32_t>(p[i]) << (8 * i);
  return v;
}

// Fills in the state of a successful open; false (and the descriptor
// closed) for a file too large for 32-bit offsets.
bool Adopt(TFile& f, int fd, bool atEnd) {
  const long long size = qx::FileSizeOf(fd);
  if (size < 0 || size > kMaxFileSize) {
    qx::CloseFile(fd);
    f.OpenError = size < 0 ? EIO : EFBIG;
    return false;
  }
  f.OpenError = 0;
  f.LockRefused = false;
  f.Handle = fd;
  f.FileSize = static_cast<int>(size);
  f.Position = atEnd ? f.FileSize : 0;
  if (atEnd) qx::SeekTo(fd, size);
  f.Status = kFileOpen;
  return true;
}

int FailOpen(TFile& f, int status, int error = 0, bool refused = false) {
  f.Handle = -1;
  f.FileSize = -1;
  f.Position = -1;
  f.Status = status;
  f.OpenError = error;
  f.LockRefused = refused;
  return status;
}

int FailOpen(TFile& f, const qx::LockedOpen& o) {
  return FailOpen(f, o.missing ? kFileNotFound : kFileOpenFailed, o.error, o.refused);
}

// A stale descriptor (end of file, a failed read) is let go before the
// object serves its next open.
void DropStaleHandle(TFile& f) {
  if (f.Handle >= 0) qx::CloseFile(f.Handle);
  f.Handle = -1;
}

}  // namespace

// ---- TFile --------------------------------------------------------------

TFile::~TFile() { Close(); }

std::string TFile::OpenFailureText() const {
  if (LockRefused) return "locked by another user";
  return qx::SystemErrorText(OpenError ? OpenError : EIO);
}

// Every open descriptor is closed, also after ReadAll reported 2 at the
// end of the file: a descriptor left open would keep its lock forever.
int TFile::Close() {
  if (Handle < 0) return Status;
  const bool ok = qx::CloseFile(Handle);
  Handle = -1;
  Status = ok ? kFileClosed : kFileCloseFailed;
  return Status;
}

// ---- TTextFile ----------------------------------------------------------

int TTextFile::Open(const std::string& name, int mode) {
  // The open file stays open and readable; only the answer says -3.
  if (Status == kFileOpen && Handle >= 0) return kFileAlreadyOpen;
  DropStaleHandle(*this);
  FileName = Cut255(name);
  Crypted = false;
  Version.clear();
  LongDesc.clear();
  Description.clear();
  Author.clear();
  Copyright.clear();

  using qx::FileAccess;
  using qx::FileLock;
  using qx::FileOpening;
  qx::LockedOpen o;
  switch (mode) {
    case kTextRead:
      if (!qx::FileExists(name)) return FailOpen(*this, kFileNotFound, ENOENT);
      o = qx::OpenLocked(name, FileAccess::Read, FileLock::Shared, FileOpening::Existing);
      if (o.fd < 0) return FailOpen(*this, o);
      if (!Adopt(*this, o.fd, false)) return FailOpen(*this, kFileOpenFailed, OpenError);
      return ReadHeader();
    case kTextCreate:
      o = qx::OpenLocked(name, FileAccess::Write, FileLock::Exclusive,
                         FileOpening::CreateOrTruncate);
      break;
    case kTextAppend:
      o = qx::OpenLocked(name, FileAccess::Write, FileLock::Exclusive, FileOpening::Append);
      break;
    case kTextAppendNew:
      o = qx::OpenLocked(name, FileAccess::Write, FileLock::Exclusive, FileOpening::CreateOrKeep);
      break;
    default:
      return FailOpen(*this, kFileOpenFailed, EINVAL);
  }
  if (o.fd < 0) return FailOpen(*this, kFileOpenFailed, o.error, o.refused);
  if (!Adopt(*this, o.fd, mode != kTextCreate)) return FailOpen(*this, kFileOpenFailed, OpenError);
  return Status;
}

int TTextFile::ReadHeader() {
  int saved = 0;
  bool unterminatedHeader = false;
  for (int counter = 1; counter < 16; ++counter) {
    std::string line;
    const int r = ReadLine(line, 255);
    if (r < 0) return Status;  // a read error is not hidden behind the header
    const bool unterminated = r != kFileOpen && Position > FileSize;
    line = TrimBlanks(line);
    if (line.empty() || line[0] != '$') break;
    // Only a header line without its line end is an error; plain content
    // without a final line end is a readable file.
    if (unterminated) unterminatedHeader = true;
    const auto fields = SplitFields(line, "=;");
    if (!fields.empty()) {
      std::string keyword = fields[0];
      for (char& c : keyword) c = static_cast<char>(qx::LowerCp1252(static_cast<unsigned char>(c)));
      const std::string value = fields.size() > 1 ? Cut255(fields[1]) : std::string();
      if (keyword == "$version") {
        Version = value;
      } else if (keyword == "$copyright") {
        Copyright = value;
      } else if (keyword == "$longdesc") {
        LongDesc = value;
      } else if (keyword == "$description") {
        Description = value;
      } else if (keyword == "$author") {
        Author = value;
      } else if (keyword == "$fileformat") {
        std::string v = value;
        for (char& c : v) c = static_cast<char>(qx::LowerCp1252(static_cast<unsigned char>(c)));
        Crypted = v == "crypted";
      }
    }
    saved = Position;
  }
  Position = saved;
  qx::SeekTo(Handle, saved);
  Status = unterminatedHeader ? kFileHeaderError : kFileOpen;
  return Status;
}

int TTextFile::ReadLine(std::string& s, int maxLen) {
  if (Position >= FileSize) {
    s.clear();
    Status = kFileEnd;
    return kFileEnd;
  }
  s.clear();
  if (Status != kFileOpen) return Status;
  const int p0 = Position;
  char buf[256];
  const long long n = qx::ReadFullyAt(Handle, buf, sizeof buf, p0);
  if (n < 0) {
    Status = kFileReadError;
    return Status;
  }
  // A line of the full 255 characters has its CR as the 256th byte.
  const std::string_view got(buf, static_cast<size_t>(n));
  const size_t cr = got.find('\r');
  const int result = cr != std::string_view::npos ? kFileOpen : kFileEnd;
  std::string_view line = cr != std::string_view::npos ? got.substr(0, cr) : got.substr(0, 255);
  line = line.substr(0, static_cast<size_t>(std::clamp(maxLen, 0, 255)));
  s.assign(line);
  if (Crypted)
    for (char& c : s) c = static_cast<char>(static_cast<unsigned char>(c) ^ ScrambleKey);
  // The two bytes passed over are the CR LF every line end consists of.
  Position = ClampToInt(static_cast<long long>(p0) + static_cast<long long>(s.size()) + 2);
  qx::SeekTo(Handle, Position);
  Status = result;
  return result;
}

int TTextFile::ReadAll(std::string& text) {
  if (Status != kFileOpen) return Status;
  text.clear();
  if (Position >= FileSize) {
    Status = kFileClosed;
    return Status;
  }
  text.resize(static_cast<size_t>(FileSize - Position));
  const long long n = qx::ReadFullyAt(Handle, text.data(), text.size(), Position);
  if (n < 0) {
    text.clear();
    Status = kFileReadError;
    return Status;
  }
  text.resize(static_cast<size_t>(n));
  Position += static_cast<int>(n);
  qx::SeekTo(Handle, Position);
  if (Crypted) {
    for (char& c : text) {
      if (c == '\0') break;
      if (c != '\r' && c != '\n')
        c = static_cast<char>(static_cast<unsigned char>(c) ^ ScrambleKey);
    }
  }
  return Status;
}

int TTextFile::WriteLine(const std::string& s) {
  if (Handle < 0) {
    Status = kFileWriteError;
    return Status;
  }
  const std::string line = Cut255(s) + "\r\n";
  if (qx::WriteFully(Handle, line.data(), line.size()) != static_cast<long long>(line.size()))
    Status = kFileWriteError;
  return Status;
}

int TTextFile::WriteLines(const std::vector<std::string>& lines) {
  if (Handle < 0) {
    Status = kFileWriteError;
    return Status;
  }
  std::string block;
  for (const std::string& s : lines) block += Cut255(s) + "\r\n";
  const long long before = qx::CurrentOffset(Handle);
  if (qx::WriteFully(Handle, block.data(), block.size()) != static_cast<long long>(block.size())) {
    if (before >= 0) qx::TruncateTo(Handle, before);
    Status = kFileWriteError;
  }
  return Status;
}

// ---- TRecFile -----------------------------------------------------------

int TRecFile::Open(const std::string& name, int mode, int share) {
  if (Status == kFileOpen && Handle >= 0) return kFileAlreadyOpen;
  DropStaleHandle(*this);
  FileName = Cut255(name);

  using qx::FileAccess;
  using qx::FileLock;
  using qx::FileOpening;
  qx::LockedOpen o;
  if (mode == kRecOpen || mode == 2) {
    if (!qx::FileExists(name)) return FailOpen(*this, kFileNotFound, ENOENT);
    // Share 1 lets everybody in, yet its shared lock keeps an exclusive
    // opener out while it is open.
    if (share == kShareReadOnly)
      o = qx::OpenLocked(name, FileAccess::Read, FileLock::Shared, FileOpening::Existing);
    else if (share == kShareExclusive)
      o = qx::OpenLocked(name, FileAccess::ReadWrite, FileLock::Exclusive, FileOpening::Existing);
    else
      o = qx::OpenLocked(name, FileAccess::ReadWrite, FileLock::Shared, FileOpening::Existing);
  } else if (mode == kRecCreate) {
    o = qx::OpenLocked(name, FileAccess::ReadWrite, FileLock::Exclusive,
                       FileOpening::CreateOrTruncate);
    if (o.fd < 0) return FailOpen(*this, kFileOpenFailed, o.error, o.refused);
  } else {
    return FailOpen(*this, kFileOpenFailed, EINVAL);
  }
  if (o.fd < 0) return FailOpen(*this, o);
  if (!Adopt(*this, o.fd, false)) return FailOpen(*this, kFileOpenFailed, OpenError);
  return Status;
}

int TRecFile::Seek(int recordSize, int recordNo) {
  const long long offset = static_cast<long long>(recordSize) * recordNo;
  Position = ClampToInt(offset);
  const bool moved = qx::SeekTo(Handle, offset);
  if (recordNo < 0 || offset < 0 || offset > FileSize) return kFileOutOfRange;
  return moved ? 1 : -1;
}

int TRecFile::RecordCount(int recordSize) const {
  if (FileSize <= 0 || recordSize <= 0) return 0;
  return FileSize / recordSize;
}

bool TRecFile::SizeFits(int recordSize) const {
  return recordSize > 0 && FileSize >= 0 && FileSize % recordSize == 0;
}

int TRecFile::ReadRaw(void* buf, long long n) {
  if (Status != kFileOpen) return Status;
  if (n <= 0) return Status;
  const long long r = qx::ReadFully(Handle, buf, static_cast<size_t>(n));
  Position = ClampToInt(static_cast<long long>(Position) + n);
  if (r < 0)
    Status = kFileReadError;
  else if (r < n)
    Status = kFileEnd;
  return Status;
}

int TRecFile::WriteRaw(const void* buf, long long n) {
  if (Status != kFileOpen && Status != kFileEnd) return Status;
  if (n <= 0) return Status;
  if (Handle < 0 || qx::WriteFully(Handle, buf, static_cast<size_t>(n)) != n)
    Status = kFileWriteError;
  return Status;
}

int TRecFile::ReadInt(int& v) {
  if (Status != kFileOpen) return Status;  // the variable keeps its value
  unsigned char b[2] = {};
  ReadRaw(b, 2);
  v = static_cast<int16_t>(LoadLe(b, 2));
  return Status;
}

int TRecFile::ReadSmall(int16_t& v) {
  int value = v;
  ReadInt(value);
  v = static_cast<int16_t>(value);
  return Status;
}

int TRecFile::ReadLong(int32_t& v) {
  if (Status != kFileOpen) return Status;  // the variable keeps its value
  unsigned char b[4] = {};
  ReadRaw(b, 4);
  v = static_cast<int32_t>(LoadLe(b, 4));
  return Status;
}

int TRecFile::ReadBytes(void* buf, int n) { return n < 0 ? Status : ReadRaw(buf, n + 1LL); }

int TRecFile::ReadSmalls(int16_t* buf, int n) {
  if (n < 0 || Status != kFileOpen) return Status;
  std::string raw(static_cast<size_t>(n + 1) * 2, '\0');
  std::memcpy(raw.data(), buf, raw.size());  // bytes that do not arrive stay as they were
  ReadRaw(raw.data(), static_cast<long long>(raw.size()));
  const auto* p = reinterpret_cast<const unsigned char*>(raw.data());
  for (int i = 0; i <= n; ++i) buf[i] = static_cast<int16_t>(LoadLe(p + 2 * i, 2));
  return Status;
}

int TRecFile::ReadStr255(std::string& s) {
  if (Status != kFileOpen) return Status;  // the variable keeps its value
  unsigned char b[256] = {};
  ReadRaw(b, 256);
  s.assign(reinterpret_cast<const char*>(b + 1), b[0]);
  return Status;
}

int TRecFile::WriteInt(int v) {
  unsigned char b[2];
  StoreLe(b, static_cast<uint32_t>(v), 2);
  return WriteRaw(b, 2);
}

int TRecFile::WriteSmall(int16_t v) { return WriteInt(v); }

int TRecFile::WriteLong(int32_t v) {
  unsigned char b[4];
  StoreLe(b, static_cast<uint32_t>(v), 4);
  return WriteRaw(b, 4);
}

int TRecFile::WriteBytes(const void* buf, int n) { return n < 0 ? Status : WriteRaw(buf, n + 1LL); }

int TRecFile::WriteSmalls(const int16_t* buf, int n) {
  if (n < 0) return Status;
  std::string raw(static_cast<size_t>(n + 1) * 2, '\0');
  auto* p = reinterpret_cast<unsigned char*>(raw.data());
  for (int i = 0; i <= n; ++i) StoreLe(p + 2 * i, static_cast<uint16_t>(buf[i]), 2);
  return WriteRaw(raw.data(), static_cast<long long>(raw.size()));
}

int TRecFile::WriteStr255(const std::string& s) {
  TRecordBuffer b;
  b.PutStr255(s);
  return WriteRaw(b.Bytes().data(), 256);
}

int TRecFile::WriteRecord(const void* buf, int size) {
  if (Status != kFileOpen && Status != kFileEnd) return Status;
  const long long at = Handle >= 0 ? qx::CurrentOffset(Handle) : -1;
  if (at < 0 || WriteRaw(buf, size) == kFileWriteError || !qx::FlushToDisk(Handle)) {
    // Whatever a failed write added beyond the old end (a full disk) goes
    // again: no half record is left for the next reader.
    if (at >= 0 && at + size > FileSize && FileSize >= 0) qx::TruncateTo(Handle, std::max<long long>(FileSize, at));
    Status = kFileWriteError;
    return Status;
  }
  FileSize = ClampToInt(std::max<long long>(FileSize, at + size));
  return Status;
}

int TRecFile::WriteRecordAt(int recordNo, const void* buf, int size) {
  const int r = Seek(size, recordNo);
  if (r != 1) return r;
  return WriteRecord(buf, size);
}

int TRecFile::ReadRecord(void* buf, int size) { return ReadRaw(buf, size); }

// ---- TRecordBuffer ------------------------------------------------------

void TRecordBuffer::PutInt(int v) {
  unsigned char b[2];
  StoreLe(b, static_cast<uint32_t>(v), 2);
  bytes_.append(reinterpret_cast<const char*>(b), 2);
}

void TRecordBuffer::PutLong(int32_t v) {
  unsigned char b[4];
  StoreLe(b, static_cast<uint32_t>(v), 4);
  bytes_.append(reinterpret_cast<const char*>(b), 4);
}

void TRecordBuffer::PutBytes(const void* buf, int n) {
  if (n >= 0) bytes_.append(static_cast<const char*>(buf), static_cast<size_t>(n) + 1);
}

void TRecordBuffer::PutSmalls(const int16_t* buf, int n) {
  for (int i = 0; i <= n; ++i) PutInt(buf[i]);
}

void TRecordBuffer::PutStr255(const std::string& s) {
  const std::string text = Cut255(s);
  bytes_ += static_cast<char>(text.size());
  bytes_ += text;
  bytes_.append(255 - text.size(), '\0');
}

void TRecordBuffer::PadTo(int size) {
  if (size > Size()) bytes_.append(static_cast<size_t>(size - Size()), '\0');
}

void TRecordBuffer::Take(void* out, size_t n) {
  const size_t have = cursor_ < bytes_.size() ? std::min(n, bytes_.size() - cursor_) : 0;
  std::memset(out, 0, n);
  std::memcpy(out, bytes_.data() + cursor_, have);
  if (have < n) short_ = true;
  cursor_ += n;
}

int TRecordBuffer::GetInt() {
  unsigned char b[2];
  Take(b, 2);
  return static_cast<int16_t>(LoadLe(b, 2));
}

int32_t TRecordBuffer::GetLong() {
  unsigned char b[4];
  Take(b, 4);
  return static_cast<int32_t>(LoadLe(b, 4));
}

void TRecordBuffer::GetBytes(void* buf, int n) {
  if (n >= 0) Take(buf, static_cast<size_t>(n) + 1);
}

void TRecordBuffer::GetSmalls(int16_t* buf, int n) {
  for (int i = 0; i <= n; ++i) buf[i] = GetSmall();
}

std::string TRecordBuffer::GetStr255() {
  unsigned char b[256];
  Take(b, 256);
  return std::string(reinterpret_cast<const char*>(b + 1), b[0]);
}

// ---- Unit routines ------------------------------------------------------

std::vector<std::string> ListFiles(const std::string& mask) {
  std::vector<std::string> list;
  for (const std::string& name : qx::FindFiles(mask))
    list.push_back(Capitalize(name.substr(0, name.find('.'))));
  return list;
}

std::vector<std::string> ListFilesWith(const std::string& mask, const std::string& first) {
  std::vector<std::string> list = ListFiles(mask);
  list.insert(list.begin(), first);
  return list;
}

namespace {

// A name beside the target that no other copy, here or on another
// workstation, picks at the same time.
std::string TemporaryBeside(const std::string& target) {
  static int serial = 0;
  return target + ".~" + qx::UniqueToken() + "-" + std::to_string(++serial);
}

}  // namespace

// The source is opened before anything is created, so a missing source
// never costs an existing target its content. An existing target is held
// exclusively meanwhile: one in use elsewhere is not replaced.
bool CopyDataFile(const std::string& source, const std::string& target) {
  TRecFile from;
  if (from.Open(source, 2, kShareReadOnly) != kFileOpen) return false;
  TRecFile old;
  if (qx::FileExists(target) && old.Open(target, kRecOpen, kShareExclusive) != kFileOpen) return false;
  const std::string temp = TemporaryBeside(target);
  bool ok = false;
  {
    TRecFile to;
    if (to.Open(temp, kRecCreate, 0) != kFileOpen) return false;
    std::string chunk(64 * 1024, '\0');
    long long n;
    while ((n = qx::ReadFully(from.Handle, chunk.data(), chunk.size())) > 0)
      if (qx::WriteFully(to.Handle, chunk.data(), static_cast<size_t>(n)) != n) break;
    ok = n == 0 && qx::FlushToDisk(to.Handle);
    ok = to.Close() == kFileClosed && ok;
  }
  ok = ok && qx::RenameFile(temp, target);
  if (!ok) qx::RemoveFile(temp);
  return ok;
}

int OpenWithRetry(TRecFile& file, const std::string& name, int share,
                  const std::string& busyQuestion, const std::string& failureDetail) {
  for (;;) {
    int result = file.Open(name, kRecOpen, share);
    for (int attempt = 1; result == kFileOpenFailed && file.LockRefused && attempt < 15; ++attempt) {
      // Windows keep painting, but a click or key now could start another
      // action in the middle of this one.
      qx::EventPump().ProcessPendingWithoutInput();
      qx::EventPump().WaitWithoutInput(200);
      file.Close();
      result = file.Open(name, kRecOpen, share);
    }
    if (result != kFileOpenFailed) return result;
    if (!file.LockRefused) {
      // Waiting does not cure a permission or a read-only disk.
      ReportError(kFileOpenFailed, Cut255(name + ": " + file.OpenFailureText()));
      return kFileOpenFailed;
    }
    file.Close();
    qx::DialogRequest question;
    question.icon = qx::DialogIcon::None;
    question.buttons = qx::DialogButtons::YesNo;
    question.text = busyQuestion;
    if (qx::Dialogs().Ask(question) == qx::DialogAnswer::Yes) continue;
    // Share 1 opens for writing too, so it times out as a writer.
    ReportError(share == kShareReadOnly ? -802 : -801, failureDetail);
    return kFileOpenFailed;
  }
}

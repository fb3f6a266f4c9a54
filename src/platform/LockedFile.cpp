// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/LockedFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/Files.h"

namespace qx {
namespace {

int OpenFlags(FileAccess access, FileOpening opening) {
  int flags = O_CLOEXEC;
  switch (access) {
    case FileAccess::Read:
      flags |= O_RDONLY;
      break;
    case FileAccess::Write:
      flags |= O_WRONLY;
      break;
    case FileAccess::ReadWrite:
      flags |= O_RDWR;
      break;
  }
  if (opening == FileOpening::CreateOrTruncate || opening == FileOpening::CreateOrKeep)
    flags |= O_CREAT;
  if (opening == FileOpening::Append) flags |= O_APPEND;
  return flags;
}

// False only when another open holds a conflicting lock. A file system
// without POSIX locks leaves the file unlocked rather than unusable.
bool TakeLock(int fd, FileLock lock) {
  struct flock fl {};
  fl.l_type = lock == FileLock::Exclusive ? F_WRLCK : F_RDLCK;
  fl.l_whence = SEEK_SET;
  fl.l_start = 0;
  fl.l_len = 0;  // the whole file, however it grows
  while (fcntl(fd, F_OFD_SETLK, &fl) != 0) {
    if (errno == EINTR) continue;
    return errno != EAGAIN && errno != EACCES;
  }
  return true;
}

}  // namespace

LockedOpen OpenLocked(const std::string& path, FileAccess access, FileLock lock,
                      FileOpening opening) {
  LockedOpen result;
  const std::string os = OsPath(path).string();
  int fd;
  do {
    fd = ::open(os.c_str(), OpenFlags(access, opening), 0666);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) {
    result.error = errno;
    result.missing = errno == ENOENT;
    return result;
  }
  struct stat st {};
  if (fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
    result.error = S_ISDIR(st.st_mode) ? EISDIR : errno;
    ::close(fd);
    return result;
  }
  if (!TakeLock(fd, lock)) {
    ::close(fd);
    result.refused = true;
    return result;
  }
  if (opening == FileOpening::CreateOrTruncate && ftruncate(fd, 0) != 0) {
    result.error = errno;
    ::close(fd);
    return result;
  }
  result.fd = fd;
  return result;
}

long long ReadFully(int fd, void* buf, size_t n) {
  size_t done = 0;
  auto* p = static_cast<char*>(buf);
  while (done < n) {
    const ssize_t r = ::read(fd, p + done, n - done);
    if (r < 0) {
      if (errno == EINTR) continue;
      return -1;
    }
    if (r == 0) break;
    done += static_cast<size_t>(r);
  }
  return static_cast<long long>(done);
}

long long ReadFullyAt(int fd, void* buf, size_t n, long long offset) {
  size_t done = 0;
  auto* p = static_cast<char*>(buf);
  while (done < n) {
    const ssize_t r = ::pread(fd, p + done, n - done, static_cast<off_t>(offset + done));
    if (r < 0) {
      if (errno == EINTR) continue;
      return -1;
    }
    if (r == 0) break;
    done += static_cast<size_t>(r);
  }
  return static_cast<long long>(done);
}

long long WriteFully(int fd, const void* buf, size_t n) {
  size_t done = 0;
  const auto* p = static_cast<const char*>(buf);
  while (done < n) {
    const ssize_t w = ::write(fd, p + done, n - done);
    if (w < 0) {
      if (errno == EINTR) continue;
      return done > 0 ? static_cast<long long>(done) : -1;
    }
    if (w == 0) break;
    done += static_cast<size_t>(w);
  }
  return static_cast<long long>(done);
}

long long FileSizeOf(int fd) {
  struct stat st {};
  if (fstat(fd, &st) != 0) return -1;
  return static_cast<long long>(st.st_size);
}

bool SeekTo(int fd, long long offset) {
  return offset >= 0 && lseek(fd, static_cast<off_t>(offset), SEEK_SET) == offset;
}

long long CurrentOffset(int fd) { return static_cast<long long>(lseek(fd, 0, SEEK_CUR)); }

bool FlushToDisk(int fd) { return fdatasync(fd) == 0; }

bool TruncateTo(int fd, long long size) {
  int r;
  do {
    r = ftruncate(fd, static_cast<off_t>(size));
  } while (r != 0 && errno == EINTR);
  return r == 0;
}

// The descriptor is gone after close() whatever it reports; EINTR must not
// lead to a second close of a number another open may already reuse.
bool CloseFile(int fd) { return ::close(fd) == 0 || errno == EINTR; }

std::string SystemErrorText(int error) {
  char buf[256] = {};
  // The GNU strerror_r may hand back a static text instead of filling buf.
  const char* text = strerror_r(error, buf, sizeof buf);
  return text ? text : "error " + std::to_string(error);
}

}  // namespace qx

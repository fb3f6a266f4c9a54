// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// Plain file descriptors with sharing modes that hold between processes:
// every open takes an open-file-description lock on the whole file, so
// two opens conflict even inside one process, as two Windows handles do.
namespace qx {

enum class FileAccess { Read, Write, ReadWrite };
// Shared: others may read (take shared locks), nobody may lock exclusively.
// Exclusive: nobody else may hold any lock.
enum class FileLock { Shared, Exclusive };
enum class FileOpening {
  Existing,          // fails when the file is missing
  CreateOrTruncate,  // truncated only once the lock is held
  CreateOrKeep,      // created empty when missing, else kept as is
  Append,            // existing file, every write goes to its end
};

struct LockedOpen {
  int fd = -1;
  bool missing = false;  // the file did not exist
  bool refused = false;  // another open holds a conflicting lock
  int error = 0;         // errno of any other failure
};

LockedOpen OpenLocked(const std::string& path, FileAccess access, FileLock lock,
                      FileOpening opening);

// Reads until n bytes or the end of the file; -1 on a system failure.
long long ReadFully(int fd, void* buf, size_t n);
long long ReadFullyAt(int fd, void* buf, size_t n, long long offset);
// Writes until all n bytes are out; the count written, -1 on a failure
// before any byte went out.
long long WriteFully(int fd, const void* buf, size_t n);
long long FileSizeOf(int fd);  // -1 on a failure
bool SeekTo(int fd, long long offset);
long long CurrentOffset(int fd);  // -1 on a failure
bool FlushToDisk(int fd);
// Cuts the file back to size bytes (what a failed append added).
bool TruncateTo(int fd, long long size);
bool CloseFile(int fd);
// The system's words for an errno value ("Permission denied").
std::string SystemErrorText(int error);

}  // namespace qx

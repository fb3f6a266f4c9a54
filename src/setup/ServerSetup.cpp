// SPDX-License-Identifier: GPL-3.0-or-later
#include "setup/ServerSetup.h"

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "platform/Files.h"
#include "platform/LockedFile.h"
#include "storage/FileObj.h"
#include "storage/Topten.h"

namespace fs = std::filesystem;

namespace {

// Group members may add files, but the sticky bit keeps them from
// removing or replacing the administrator's; new files take the group.
constexpr unsigned kFolderMode = S_ISGID | S_ISVTX | 0775;
constexpr unsigned kAdminMode = 0644;
constexpr unsigned kSharedMode = 0660;

std::string SystemError(int error) { return std::strerror(error); }

bool SameContent(const std::string& a, const std::string& b) {
  TRecFile fa, fb;
  if (fa.Open(a, 2, kShareReadOnly) != kFileOpen || fb.Open(b, 2, kShareReadOnly) != kFileOpen) return false;
  std::string ba(64 * 1024, '\0'), bb(64 * 1024, '\0');
  for (;;) {
    const long long na = qx::ReadFully(fa.Handle, ba.data(), ba.size());
    const long long nb = qx::ReadFully(fb.Handle, bb.data(), bb.size());
    if (na != nb || na < 0) return false;
    if (na == 0) return true;
    if (std::memcmp(ba.data(), bb.data(), static_cast<size_t>(na)) != 0) return false;
  }
}

}  // namespace

bool TServerSetup::Fail(const std::string& text) {
  Error = text;
  Log.push_back("Setup stopped: " + text);
  return false;
}

bool TServerSetup::Own(const std::string& path, unsigned mode) {
  const std::string os = qx::OsPath(path).string();
  if (::chown(os.c_str(), static_cast<uid_t>(-1), gid_) != 0)
    return Fail("cannot give " + path + " to the group " + Group + ": " + SystemError(errno));
  if (::chmod(os.c_str(), mode) != 0) return Fail("cannot set the permissions of " + path + ": " + SystemError(errno));
  return true;
}

// Copies a shipped file unless the folder has one. A shared file is the
// school's data and is only ever kept; the administrator's settings are
// kept too, with the shipped version put beside them when it differs.
bool TServerSetup::Place(const std::string& name, const std::string& from, bool shared) {
  const std::string target = Folder + name;
  if (!qx::FileExists(target)) {
    if (!CopyDataFile(from, target)) return Fail("cannot copy " + from + " to " + target);
    Log.push_back("Created " + target);
  } else if (!shared && !SameContent(from, target)) {
    const std::string fresh = target + ".new";
    if (!CopyDataFile(from, fresh)) return Fail("cannot copy " + from + " to " + fresh);
    if (!Own(fresh, kAdminMode)) return false;
    Log.push_back("Kept your " + target + "; the shipped version is " + fresh);
  } else {
    Log.push_back("Kept " + target);
  }
  return Own(target, shared ? kSharedMode : kAdminMode);
}

bool TServerSetup::PlaceTopTen(const std::string& table) {
  const std::string target = Folder + table + ".qxt";
  if (qx::FileExists(target)) {
    Log.push_back("Kept " + target);
  } else {
    TtopTen fresh;
    fresh.FileName = target;
    if (fresh.Save(10) != kFileOpen) return Fail("cannot create " + target);
    Log.push_back("Created " + target);
  }
  return Own(target, kSharedMode);
}

bool TServerSetup::Run() {
  Log.clear();
  Error.clear();
  if (Folder.empty()) return Fail("no shared data folder was given");
  std::error_code ec;
  Folder = qx::WithTrailingSlash(qx::NormalizeSeparators(Folder));
  if (Folder[0] != '/') Folder = qx::CurrentDirectory() + Folder;
  if (Material.empty()) Material = qx::ProgramDir();
  Material = qx::WithTrailingSlash(Material);

  if (Group.empty()) {
    const group* own = getgrgid(getgid());
    gid_ = getgid();
    Group = own ? own->gr_name : std::to_string(gid_);
  } else if (const group* named = getgrnam(Group.c_str())) {
    gid_ = named->gr_gid;
  } else {
    return Fail("there is no group named " + Group);
  }

  for (const char* shipped : {"QXCommon.ini", "UserBase.org"})
    if (!qx::FileExists(Material + shipped)) return Fail("the shipped " + Material + shipped + " is missing");
  if (!qx::EnsureDirectory(Folder)) return Fail("cannot create the folder " + Folder);
  if (!Own(Folder, kFolderMode)) return false;

  if (!Place("QXCommon.ini", Material + "QXCommon.ini", false)) return false;
  if (!Place("Userbase.qx4", Material + "UserBase.org", true)) return false;
  for (const char* table : kSharedTopTenTables)
    if (!PlaceTopTen(table)) return false;
  int error = 0;
  if (!qx::CreateEmptyFileIfMissing(Folder + "Errors.log", error))
    return Fail("cannot create " + Folder + "Errors.log: " + SystemError(error));
  if (!Own(Folder + "Errors.log", kSharedMode)) return false;
  Log.push_back("The group " + Group + " may write the student data; only you may change QXCommon.ini.");
  return true;
}

std::vector<std::string> TServerSetup::WorkstationLines() const {
  return {"[General Settings]", "DataPath=" + Folder};
}

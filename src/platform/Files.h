// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <filesystem>
#include <string>
#include <vector>

// Files and names as the program sees them: paths are Windows-1252 text in
// which "\" and "/" both separate directories, and a name that does not
// exist exactly is found through a single case-insensitive match in its
// directory.
namespace qx {

// "\" becomes "/".
std::string NormalizeSeparators(std::string path);

// The path with every component that does not exist exactly replaced by the
// one entry of its directory that matches it without regard to case. A
// component with no such entry, or with several, is kept as given (so a new
// file is created with the name as given).
std::string ResolveName(const std::string& path);

// The operating system's path for a program path: resolved, then UTF-8.
std::filesystem::path OsPath(const std::string& path);

bool FileExists(const std::string& path);       // an existing regular file
bool DirectoryExists(const std::string& path);
bool RenameFile(const std::string& from, const std::string& to);
bool RemoveFile(const std::string& path);
bool EnsureDirectory(const std::string& path);  // creates missing parents
// Creates an empty file unless one exists; never truncates, so two
// processes racing to create a shared file cannot wipe each other's data.
bool CreateEmptyFileIfMissing(const std::string& path);
// The same; error is the errno of a failure, 0 on success.
bool CreateEmptyFileIfMissing(const std::string& path, int& error);

// Names (without directory) of the regular, non-hidden files that match the
// mask's last component, "*" and "?" as wildcards, without regard to case.
// The mask may carry a directory. Sorted without regard to case.
std::vector<std::string> FindFiles(const std::string& mask);

// "dir" + "/" + "name" unless name is absolute or dir empty.
std::string JoinPath(const std::string& dir, const std::string& name);
// Directory part with its trailing "/", empty when there is none.
std::string DirectoryOf(const std::string& path);
std::string FileNameOf(const std::string& path);
// Name without its directory and without the extension from the last ".".
std::string BaseNameOf(const std::string& path);
// Ensures one trailing "/" (empty stays empty).
std::string WithTrailingSlash(std::string dir);

// The folder of the running executable, ending in "/".
std::string ExecutableDir();
// The folder of the program's read-only material, ending in "/": beside the
// executable in a build folder, share/quillbrandex/ of the prefix once
// installed. Tests may set it.
std::string ProgramDir();
void SetProgramDir(const std::string& dir, bool installed = false);
// True when the material lives apart from the executable, as after an
// install: that folder is never a place for student data.
bool RunsInstalled();

// The per-user data folder: $XDG_DATA_HOME/quillbrandex, else
// ~/.local/share/quillbrandex; ends in "/", created when missing.
std::string UserDataDir();

// Whether this process may write the file, or create it when it is missing.
bool CanWrite(const std::string& path);

// The per-user configuration directory that stands for the Windows
// directory: $QX_CONFIG_DIR, else $XDG_CONFIG_HOME/quillbrandex, else
// ~/.config/quillbrandex; ends in "/", created when missing.
std::string ConfigDir();

// The first existing "quillbrandex/" + name in the system configuration
// folders ($XDG_CONFIG_DIRS, else /etc/xdg), where an administrator puts
// defaults for every user of a machine; empty when there is none.
std::string SystemConfigFile(const std::string& name);

// Tells this process apart from every other, also on other machines that
// share a folder: host name and process id.
std::string UniqueToken();

bool ChangeDirectory(const std::string& dir);
std::string CurrentDirectory();  // ends in "/"

// %NAME% is replaced by the environment variable NAME; USERNAME falls back
// to the login name. Unknown variables stay as written.
std::string ExpandEnvironment(const std::string& text);
std::string LoginName();

}  // namespace qx

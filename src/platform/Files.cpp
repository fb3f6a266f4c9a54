// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Files.h"

#include <fcntl.h>
#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <system_error>

#include "platform/CodePage.h"

namespace fs = std::filesystem;

namespace qx {
namespace {

std::string g_programDir;
bool g_installed = false;

bool WildMatch(std::string_view mask, std::string_view name) {
  // Iterative matcher with backtracking on the last "*".
  size_t m = 0, n = 0, star = std::string_view::npos, mark = 0;
  while (n < name.size()) {
    if (m < mask.size() &&
        (mask[m] == '?' || UpperCp1252(static_cast<unsigned char>(mask[m])) ==
                               UpperCp1252(static_cast<unsigned char>(name[n])))) {
      ++m;
      ++n;
    } else if (m < mask.size() && mask[m] == '*') {
      star = m++;
      mark = n;
    } else if (star != std::string_view::npos) {
      m = star + 1;
      n = ++mark;
    } else {
      return false;
    }
  }
  while (m < mask.size() && mask[m] == '*') ++m;
  return m == mask.size();
}

bool LessNoCase(const std::string& a, const std::string& b) {
  const std::string ua = UpperCp1252(a), ub = UpperCp1252(b);
  return ua != ub ? ua < ub : a < b;
}

std::string FromOs(const fs::path& p) { return Utf8ToCp1252(p.string()); }

}  // namespace

std::string NormalizeSeparators(std::string path) {
  std::replace(path.begin(), path.end(), '\\', '/');
  return path;
}

std::string ResolveName(const std::string& path) {
  const std::string norm = NormalizeSeparators(path);
  if (norm.empty()) return norm;
  std::error_code ec;
  if (fs::exists(fs::path(Cp1252ToUtf8(norm)), ec)) return norm;

  std::string resolved;
  size_t pos = 0;
  if (norm[0] == '/') {
    resolved = "/";
    pos = 1;
  }
  while (pos <= norm.size()) {
    size_t slash = norm.find('/', pos);
    if (slash == std::string::npos) slash = norm.size();
    std::string part = norm.substr(pos, slash - pos);
    if (!part.empty() && part != "." && part != "..") {
      const std::string dir = resolved.empty() ? std::string(".") : resolved;
      const fs::path candidate = fs::path(Cp1252ToUtf8(resolved + part));
      if (!fs::exists(candidate, ec)) {
        std::string match;
        int matches = 0;
        for (const auto& entry : fs::directory_iterator(fs::path(Cp1252ToUtf8(dir)), ec)) {
          const std::string name = FromOs(entry.path().filename());
          if (SameTextCp1252(name, part)) {
            match = name;
            ++matches;
          }
        }
        if (matches == 1) part = match;
      }
    }
    resolved += part;
    if (slash < norm.size()) resolved += '/';
    pos = slash + 1;
  }
  return resolved;
}

fs::path OsPath(const std::string& path) { return fs::path(Cp1252ToUtf8(ResolveName(path))); }

bool FileExists(const std::string& path) {
  std::error_code ec;
  return !path.empty() && fs::is_regular_file(OsPath(path), ec);
}

bool DirectoryExists(const std::string& path) {
  std::error_code ec;
  return !path.empty() && fs::is_directory(OsPath(path), ec);
}

bool RenameFile(const std::string& from, const std::string& to) {
  std::error_code ec;
  fs::rename(OsPath(from), OsPath(to), ec);
  return !ec;
}

bool RemoveFile(const std::string& path) {
  std::error_code ec;
  return fs::remove(OsPath(path), ec);
}

bool EnsureDirectory(const std::string& path) {
  std::error_code ec;
  const fs::path p = OsPath(path);
  if (fs::is_directory(p, ec)) return true;
  fs::create_directories(p, ec);
  return fs::is_directory(p, ec);
}

bool CreateEmptyFileIfMissing(const std::string& path) {
  int error = 0;
  return CreateEmptyFileIfMissing(path, error);
}

bool CreateEmptyFileIfMissing(const std::string& path, int& error) {
  error = 0;
  int fd;
  do {
    fd = ::open(OsPath(path).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  } while (fd < 0 && errno == EINTR);
  if (fd >= 0) {
    ::close(fd);
    return true;
  }
  if (errno == EEXIST) {
    // A directory of that name is no file to use.
    if (FileExists(path)) return true;
    error = EISDIR;
    return false;
  }
  error = errno;
  return false;
}

std::vector<std::string> FindFiles(const std::string& mask) {
  const std::string norm = NormalizeSeparators(mask);
  const size_t slash = norm.rfind('/');
  const std::string dir = slash == std::string::npos ? std::string() : norm.substr(0, slash + 1);
  const std::string pattern = slash == std::string::npos ? norm : norm.substr(slash + 1);
  std::vector<std::string> names;
  std::error_code ec;
  const fs::path osDir = dir.empty() ? fs::path(".") : OsPath(dir);
  for (const auto& entry : fs::directory_iterator(osDir, ec)) {
    const std::string name = FromOs(entry.path().filename());
    if (name.empty() || name[0] == '.') continue;
    std::error_code ec2;
    if (!entry.is_regular_file(ec2)) continue;
    if (WildMatch(pattern, name)) names.push_back(name);
  }
  std::sort(names.begin(), names.end(), LessNoCase);
  return names;
}

std::string JoinPath(const std::string& dir, const std::string& name) {
  const std::string n = NormalizeSeparators(name);
  if (dir.empty() || (!n.empty() && n[0] == '/')) return n;
  return WithTrailingSlash(NormalizeSeparators(dir)) + n;
}

std::string DirectoryOf(const std::string& path) {
  const std::string norm = NormalizeSeparators(path);
  const size_t slash = norm.rfind('/');
  return slash == std::string::npos ? std::string() : norm.substr(0, slash + 1);
}

std::string FileNameOf(const std::string& path) {
  const std::string norm = NormalizeSeparators(path);
  const size_t slash = norm.rfind('/');
  return slash == std::string::npos ? norm : norm.substr(slash + 1);
}

std::string BaseNameOf(const std::string& path) {
  std::string name = FileNameOf(path);
  const size_t dot = name.rfind('.');
  if (dot != std::string::npos && dot > 0) name.erase(dot);
  return name;
}

std::string WithTrailingSlash(std::string dir) {
  dir = NormalizeSeparators(std::move(dir));
  if (!dir.empty() && dir.back() != '/') dir += '/';
  return dir;
}

std::string ExecutableDir() {
  static const std::string dir = [] {
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    return ec ? std::string("./") : WithTrailingSlash(FromOs(exe.parent_path()));
  }();
  return dir;
}

namespace {

// The material is known by its default settings file. Relative to the
// executable, so that a staged or relocated install finds its own copy.
std::string FindMaterial() {
  const std::string exe = ExecutableDir();
  for (const char* candidate : {"", "../share/quillbrandex/", "../../share/quillbrandex/"}) {
    const std::string dir = exe + candidate;
    std::error_code ec;
    if (!fs::is_regular_file(fs::path(Cp1252ToUtf8(dir + "QXDef.ini")), ec)) continue;
    g_installed = *candidate != '\0';
    return WithTrailingSlash(FromOs(fs::weakly_canonical(fs::path(Cp1252ToUtf8(dir)), ec)));
  }
  return exe;
}

}  // namespace

std::string ProgramDir() {
  if (g_programDir.empty()) g_programDir = FindMaterial();
  return g_programDir;
}

void SetProgramDir(const std::string& dir, bool installed) {
  g_programDir = WithTrailingSlash(dir);
  g_installed = installed;
}

bool RunsInstalled() {
  ProgramDir();
  return g_installed;
}

std::string UserDataDir() {
  std::string dir;
  if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg) {
    dir = JoinPath(Utf8ToCp1252(xdg), "quillbrandex");
  } else {
    const char* home = std::getenv("HOME");
    dir = JoinPath(home && *home ? Utf8ToCp1252(home) : std::string("."), ".local/share/quillbrandex");
  }
  dir = WithTrailingSlash(dir);
  EnsureDirectory(dir);
  return dir;
}

bool CanWrite(const std::string& path) {
  if (FileExists(path)) return ::access(OsPath(path).c_str(), W_OK) == 0;
  std::string dir = DirectoryOf(path);
  if (dir.empty()) dir = "./";
  return ::access(OsPath(dir).c_str(), W_OK | X_OK) == 0;
}

std::string ConfigDir() {
  std::string dir;
  if (const char* own = std::getenv("QX_CONFIG_DIR"); own && *own) {
    dir = Utf8ToCp1252(own);
  } else if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg) {
    dir = JoinPath(Utf8ToCp1252(xdg), "quillbrandex");
  } else {
    const char* home = std::getenv("HOME");
    dir = JoinPath(home && *home ? Utf8ToCp1252(home) : std::string("."), ".config/quillbrandex");
  }
  dir = WithTrailingSlash(dir);
  EnsureDirectory(dir);
  return dir;
}

std::string SystemConfigFile(const std::string& name) {
  const char* dirs = std::getenv("XDG_CONFIG_DIRS");
  const std::string list = dirs && *dirs ? Utf8ToCp1252(dirs) : std::string("/etc/xdg");
  size_t pos = 0;
  while (pos <= list.size()) {
    size_t colon = list.find(':', pos);
    if (colon == std::string::npos) colon = list.size();
    const std::string dir = list.substr(pos, colon - pos);
    pos = colon + 1;
    if (dir.empty() || dir[0] != '/') continue;  // relative entries are ignored, as the XDG rules say
    const std::string file = JoinPath(dir, "quillbrandex/" + name);
    if (FileExists(file)) return file;
  }
  return {};
}

std::string UniqueToken() {
  char host[256] = {};
  if (gethostname(host, sizeof host - 1) != 0) host[0] = '\0';
  std::string token = host;
  std::replace(token.begin(), token.end(), '/', '_');
  return token + "-" + std::to_string(getpid());
}

bool ChangeDirectory(const std::string& dir) {
  std::error_code ec;
  fs::current_path(OsPath(dir), ec);
  return !ec;
}

std::string CurrentDirectory() {
  std::error_code ec;
  return WithTrailingSlash(FromOs(fs::current_path(ec)));
}

std::string LoginName() {
  if (const char* user = std::getenv("USER"); user && *user) return Utf8ToCp1252(user);
  if (const char* logname = std::getenv("LOGNAME"); logname && *logname)
    return Utf8ToCp1252(logname);
  if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_name) return Utf8ToCp1252(pw->pw_name);
  return {};
}

std::string ExpandEnvironment(const std::string& text) {
  std::string out;
  size_t pos = 0;
  while (pos < text.size()) {
    const size_t open = text.find('%', pos);
    if (open == std::string::npos) break;
    const size_t close = text.find('%', open + 1);
    if (close == std::string::npos) break;
    const std::string name = text.substr(open + 1, close - open - 1);
    out += text.substr(pos, open - pos);
    std::string value;
    bool found = false;
    if (!name.empty()) {
      if (const char* v = std::getenv(Cp1252ToUtf8(name).c_str())) {
        value = Utf8ToCp1252(v);
        found = true;
      } else if (UpperCp1252(name) == "USERNAME") {
        value = LoginName();
        found = !value.empty();
      }
    }
    if (found) {
      out += value;
      pos = close + 1;
    } else {
      out += text.substr(open, close - open + 1);  // unknown names stay as written
      pos = close + 1;
    }
  }
  out += text.substr(pos);
  return out;
}

}  // namespace qx

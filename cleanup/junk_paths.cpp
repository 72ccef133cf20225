#include "cleanup/junk_paths.h"

#include <windows.h>
#include <shlobj.h>

#include "cleanup/path_text.h"
#include "system/shell.h"

namespace {
constexpr int kStartMenu = 5;
constexpr int kInternetCache = 12;

std::string WithTrailingBackslash(std::string path) {
  if (!path.empty() && path.back() != '\\') path += '\\';
  return path;
}

std::string TempDirectory() {
  char buffer[255 + 1] = {};
  DWORD length = GetTempPathA(255, buffer);
  if (length == 0 || length >= 255) return {};
  return buffer;
}

// Without the Windows directory there is no "temp" to name: "\temp" alone would
// mean a folder at the root of the current drive.
std::string WindowsTempDirectory() {
  char buffer[255 + 1] = {};
  UINT length = GetWindowsDirectoryA(buffer, 255);
  if (length == 0 || length >= 255) return {};
  return WithTrailingBackslash(buffer) + "temp";
}
}  // namespace

std::string GetShellPath(int code) {
  if (code == 0) code = 3;
  if (code == kInternetCache) {
    char buffer[MAX_PATH + 1] = {};
    if (!SHGetSpecialFolderPathA(nullptr, buffer, CSIDL_INTERNET_CACHE, FALSE)) return {};
    return WithTrailingBackslash(buffer);
  }
  if (code < 1 || code > 11) return {};
  return WithTrailingBackslash(GetSpecialFolder(code));
}

JunkPaths LocateJunkPaths() {
  JunkPaths paths;
  paths.tempPath = TempDirectory();
  paths.windowsTempPath = WindowsTempDirectory();
  paths.internetCachePath = GetShellPath(kInternetCache);
  // The profile folder holds the Start menu. Without it the three names would be
  // bare relative names ("Cookies"), resolved against the current directory: they
  // stay empty instead, which measures 0 and cleans nothing.
  std::string profileBase = ParentDirectory(GetShellPath(kStartMenu));
  if (IsAbsolutePath(profileBase)) {
    paths.historyPath = profileBase + "LOCAL SETTINGS\\History";
    paths.recentPath = profileBase + "Recent";
    paths.cookiesPath = profileBase + "Cookies";
  }
  return paths;
}

JunkPaths& LastJunkPaths() {
  static JunkPaths paths;
  return paths;
}

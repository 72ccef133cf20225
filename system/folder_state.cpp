#include "system/folder_state.h"

#include <windows.h>

#include <cstring>
#include <string>

#include "system/cp936.h"
#include "system/scoped.h"

namespace {
// The folder without its trailing backslash, except for a drive root ("C:\"),
// which needs it.
std::string Trimmed(std::string_view path) {
  std::string text(path);
  if (text.size() > 3 && cp936::LastBackslash(text) == text.size() - 1) text.pop_back();
  return text;
}
}  // namespace

bool FolderExists(std::string_view path) {
  if (path.empty()) return false;
  DWORD attributes = GetFileAttributesA(Trimmed(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderHasEntries(std::string_view path) {
  if (path.empty()) return false;
  std::string pattern(path);
  if (cp936::LastBackslash(pattern) != pattern.size() - 1) pattern += '\\';
  pattern += "*";
  WIN32_FIND_DATAA found;
  ScopedFind find(FindFirstFileA(pattern.c_str(), &found));
  if (!find) return false;
  do {
    if (std::strcmp(found.cFileName, ".") != 0 && std::strcmp(found.cFileName, "..") != 0) return true;
  } while (FindNextFileA(find.Get(), &found));
  return false;
}

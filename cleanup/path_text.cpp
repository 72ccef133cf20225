#include "cleanup/path_text.h"

#include "system/cp936.h"

std::string ParentDirectory(std::string_view path) {
  if (!path.empty() && path.back() == '\\' && cp936::LastBackslash(path) == path.size() - 1)
    path.remove_suffix(1);
  std::size_t last = cp936::LastBackslash(path);
  if (last == cp936::npos) return {};
  return std::string(path.substr(0, last + 1));
}

bool IsAbsolutePath(std::string_view path) {
  auto isLetter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
  if (path.size() >= 3 && isLetter(path[0]) && path[1] == ':' && path[2] == '\\') return true;
  return path.size() >= 3 && path[0] == '\\' && path[1] == '\\' && path[2] != '\\';
}

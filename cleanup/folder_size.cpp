#include "cleanup/folder_size.h"

#include <windows.h>

#include <cmath>
#include <string>
#include <vector>

#include "cleanup/path_text.h"
#include "system/automation.h"
#include "system/scoped.h"

namespace {
bool IsDotEntry(const char* name) { return name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0)); }

// False when the object, the folder or its Size cannot be had.
bool SizeFromAutomation(std::string_view path, std::uint64_t* bytes) {
  AutomationObject fileSystem = CreateAutomationObject("scripting.FileSystemObject");
  if (!fileSystem) return false;
  AutomationObject folder = CallAutomationMethod(fileSystem, "GetFolder", {path});
  if (!folder) return false;
  double size = 0;
  if (!TryReadAutomationNumber(folder, "Size", &size) || !(size >= 0) || !std::isfinite(size)) return false;
  *bytes = static_cast<std::uint64_t>(size);
  return true;
}
}  // namespace

std::uint64_t MeasureFolderByWalk(std::string_view path) {
  if (!IsAbsolutePath(path)) return 0;
  std::uint64_t total = 0;
  std::vector<std::string> pending;
  pending.emplace_back(path);
  if (pending.back().back() != '\\') pending.back() += '\\';
  while (!pending.empty()) {
    std::string folder = std::move(pending.back());
    pending.pop_back();
    WIN32_FIND_DATAA entry;
    ScopedFind find(FindFirstFileA((folder + "*").c_str(), &entry));
    if (!find) continue;
    do {
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        if (IsDotEntry(entry.cFileName) || (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) continue;
        pending.push_back(folder + entry.cFileName + '\\');
      } else {
        total += (static_cast<std::uint64_t>(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow;
      }
    } while (FindNextFileA(find.Get(), &entry));
  }
  return total;
}

std::uint64_t FolderSize(std::string_view path) {
  if (!IsAbsolutePath(path)) return 0;
  std::uint64_t bytes = 0;
  if (SizeFromAutomation(path, &bytes)) return bytes;
  return MeasureFolderByWalk(path);
}

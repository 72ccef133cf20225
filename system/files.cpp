#include "system/files.h"

#include <windows.h>

#include <string>
#include <vector>

#include "system/cp936.h"
#include "system/scoped.h"

bool WriteFileBytes(std::string_view path, std::initializer_list<ByteBlob> parts) {
  if (path.empty()) return false;
  ScopedFile file(CreateFileA(std::string(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  for (const ByteBlob& part : parts) {
    const unsigned char* next = part.bytes;
    std::size_t left = part.size;
    while (left > 0) {
      // WriteFile takes a DWORD count: a part larger than that goes in pieces.
      DWORD chunk = left > 0x40000000u ? 0x40000000u : static_cast<DWORD>(left);
      DWORD written = 0;
      if (!WriteFile(file.Get(), next, chunk, &written, nullptr) || written == 0) return false;
      next += written;
      left -= written;
    }
  }
  return true;
}

bool MakeDirectory(std::string_view path) {
  if (path.empty()) return false;
  return CreateDirectoryA(std::string(path).c_str(), nullptr) != FALSE;
}

namespace {

// The ANSI file functions take at most MAX_PATH - 1 characters. A longer name is
// never handed to them: they would fail at best, and a name cut to fit would
// name another file.
bool Fits(const std::string& path) { return path.size() < MAX_PATH; }

bool IsLink(DWORD attributes) { return (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0; }

struct Entry {
  std::string path;
  bool directory;
  bool link;
};

void EmptyDirectory(const std::string& directory);

// A link (junction, mount point, symbolic link) goes as itself: RemoveDirectoryA
// on a directory reparse point and DeleteFileA on a file one remove the link,
// never what it points at, so nothing outside the tree is reached.
void RemoveEntry(const Entry& entry) {
  if (entry.directory) {
    if (!entry.link) EmptyDirectory(entry.path);
    RemoveDirectoryA(entry.path.c_str());
  } else {
    DeleteFileA(entry.path.c_str());
  }
}

// Lists first, deletes after: deleting while a find handle walks the same
// directory may skip entries.
void EmptyDirectory(const std::string& directory) {
  std::string pattern = directory + "\\*.*";
  if (!Fits(pattern)) return;
  std::vector<Entry> entries;
  {
    WIN32_FIND_DATAA found;
    ScopedFind find(FindFirstFileA(pattern.c_str(), &found));
    if (!find) return;
    do {
      // Names that begin with a dot stay (. and .. among them).
      if (found.cFileName[0] == '.' || found.cFileName[0] == '\0') continue;
      std::string path = directory + "\\" + found.cFileName;
      if (!Fits(path)) continue;  // left alone; the directory then stays too
      entries.push_back({std::move(path), (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                         IsLink(found.dwFileAttributes)});
    } while (FindNextFileA(find.Get(), &found));
  }
  for (const Entry& entry : entries) RemoveEntry(entry);
}

bool IsDriveRoot(std::string_view path) {
  if (path.size() < 2 || path[1] != ':') return false;
  return path.size() == 2 || (path.size() == 3 && (path[2] == '\\' || path[2] == '/'));
}

}  // namespace

bool RemoveDirectoryTree(std::string_view path) {
  std::size_t start = path.find_first_not_of(' ');
  if (start == std::string_view::npos) return false;
  path.remove_prefix(start);
  if (IsDriveRoot(path)) return false;
  std::string directory(path);
  // One separator between the directory and its entries: drop a trailing one
  // (a real one, not the second byte of a double-byte character).
  if (directory.size() > 1 && cp936::LastBackslash(directory) == directory.size() - 1) directory.pop_back();
  if (!Fits(directory)) return false;
  DWORD attributes = GetFileAttributesA(directory.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
  // A directory named through a link is removed as the link, like a link inside.
  if (!IsLink(attributes)) EmptyDirectory(directory);
  return RemoveDirectoryA(directory.c_str()) != FALSE;
}

#include "system/files.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
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

void DropTrailingSeparators(std::string* path) {
  while (path->size() > 1 && (cp936::LastBackslash(*path) == path->size() - 1 || path->back() == '/'))
    path->pop_back();
}

// The absolute form, with no separator at the end.
std::string FullPath(const std::string& path) {
  std::string full(MAX_PATH, '\0');
  for (int attempt = 0; attempt < 3; ++attempt) {
    DWORD length = GetFullPathNameA(path.c_str(), static_cast<DWORD>(full.size()), &full[0], nullptr);
    if (length == 0) return std::string();
    if (length < full.size()) {
      full.resize(length);
      DropTrailingSeparators(&full);
      return full;
    }
    full.assign(length + 1, '\0');
  }
  return std::string();
}

// A drive or a network share itself, however it is spelled (D:, D:\x\.., a
// doubled separator, \\server\share): never emptied.
bool IsRoot(std::string full) {
  if (full.compare(0, 4, "\\\\?\\") == 0) full.erase(0, 4);
  if (full.size() == 2 && full[1] == ':') return true;
  if (full.compare(0, 2, "\\\\") != 0) return false;
  std::size_t server = cp936::FindChar(full, '\\', 2);
  if (server == cp936::npos) return true;
  return cp936::FindChar(full, '\\', server + 1) == cp936::npos;
}

}  // namespace

bool RemoveDirectoryTree(std::string_view path) {
  std::size_t start = path.find_first_not_of(' ');
  if (start == std::string_view::npos) return false;
  path.remove_prefix(start);
  if (IsDriveRoot(path)) return false;
  std::string directory = FullPath(std::string(path));
  if (directory.empty() || IsRoot(directory) || !Fits(directory)) return false;
  DWORD attributes = GetFileAttributesA(directory.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
  // A directory named through a link is removed as the link, like a link inside.
  if (!IsLink(attributes)) EmptyDirectory(directory);
  return RemoveDirectoryA(directory.c_str()) != FALSE;
}

bool FileHoldsBytes(std::string_view pathText, const ByteBlob& blob) {
  std::string path(pathText);
  ScopedFile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  LARGE_INTEGER size = {};
  if (!GetFileSizeEx(file.Get(), &size) || static_cast<ULONGLONG>(size.QuadPart) != blob.size) return false;
  std::vector<unsigned char> chunk(64 * 1024);
  std::size_t offset = 0;
  while (offset < blob.size) {
    DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(chunk.size(), blob.size - offset));
    DWORD got = 0;
    if (!ReadFile(file.Get(), chunk.data(), wanted, &got, nullptr) || got != wanted) return false;
    if (std::memcmp(chunk.data(), blob.bytes + offset, got) != 0) return false;
    offset += got;
  }
  return true;
}

#include "tests/support/host_files.h"

#include <windows.h>

std::string FromHost(const char* path) {
  std::string windows = std::string("Z:") + path;
  for (char& c : windows)
    if (c == '/') c = '\\';
  return windows;
}

bool ReadAll(const std::string& path, std::vector<unsigned char>* bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  bytes->assign(GetFileSize(file, nullptr), 0);
  DWORD got = 0;
  bool ok = bytes->empty() || (ReadFile(file, bytes->data(), static_cast<DWORD>(bytes->size()), &got, nullptr) &&
                               got == bytes->size());
  CloseHandle(file);
  return ok;
}

#include "cleanup/recycle_bin.h"

#include <windows.h>
#include <shellapi.h>

#include <string>

#if defined(_M_IX86) || defined(__i386__)
// The packed 32-bit layout: size, total size, item count.
static_assert(sizeof(SHQUERYRBINFO) == 20, "SHQUERYRBINFO must be the packed 20-byte structure");
#endif

namespace {
bool DriveBinHasItems(const std::string& root) {
  SHQUERYRBINFO info = {};
  info.cbSize = sizeof info;
  SHQueryRecycleBinA((root + "RECYCLER\\").c_str(), &info);
  return info.i64NumItems > 0;
}

// Asking a drive without media must not stop the program with a "no disk" box.
class QuietDriveErrors {
 public:
  QuietDriveErrors() : previous_(SetErrorMode(SEM_FAILCRITICALERRORS)) { SetErrorMode(previous_ | SEM_FAILCRITICALERRORS); }
  ~QuietDriveErrors() { SetErrorMode(previous_); }

 private:
  UINT previous_;
};
}  // namespace

bool RecycleBinsHaveItems() {
  char drives[256] = {};
  DWORD length = GetLogicalDriveStringsA(sizeof drives, drives);
  if (length == 0 || length >= sizeof drives) return false;
  QuietDriveErrors quiet;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= length; ++i) {
    if (i < length && drives[i] != 0) continue;
    if (i > start && DriveBinHasItems(std::string(drives + start, i - start))) return true;
    start = i + 1;
  }
  return false;
}

void EmptyRecycleBins(bool askFirst) {
  SHEmptyRecycleBinA(GetDesktopWindow(), "", askFirst ? 0 : SHERB_NOCONFIRMATION);
}

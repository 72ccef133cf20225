// Helpers for the profile tests: saved registry values put back afterwards,
// waiting for a condition that another process makes true, and closing the
// Explorer windows a relocation opens.
#pragma once
#include <windows.h>

#include <set>
#include <string>
#include <vector>

#include "tests/support/registry_probe.h"

// Remembers values (type and bytes, or their absence) and restores them when it goes.
class SavedValues {
 public:
  SavedValues(HKEY root, const std::string& key, std::vector<std::string> names);
  ~SavedValues();

 private:
  HKEY root_;
  std::string key_;
  std::vector<std::pair<std::string, StoredValue>> saved_;
};

// Polls every 100 ms until check() holds or the time is up; true when it held.
template <typename Check>
bool WaitUntil(Check check, DWORD timeoutMs = 20000) {
  for (DWORD waited = 0;; waited += 100) {
    if (check()) return true;
    if (waited >= timeoutMs) return false;
    Sleep(100);
  }
}

std::set<DWORD> ProcessIds(const char* exeName);
// Waits a while for an explorer.exe that was not running before and ends it by
// its id. False when none appeared.
bool CloseNewExplorer(const std::set<DWORD>& before, DWORD timeoutMs = 10000);

std::string Environment(const char* name);
std::string TextOf(const StoredValue& value);  // REG_SZ bytes without the terminating zero
std::wstring WideFromAnsi(const std::string& text);  // code page 936 to UTF-16

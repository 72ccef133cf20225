#include "tests/unit/windows/profile_fixture.h"

#include "tests/support/process_windows.h"

SavedValues::SavedValues(HKEY root, const std::string& key, std::vector<std::string> names) : root_(root), key_(key) {
  for (const std::string& name : names) saved_.push_back({name, ReadStoredValue(root, key, name)});
}

SavedValues::~SavedValues() {
  for (const auto& [name, value] : saved_) {
    if (value.present) {
      SetRaw(root_, key_, name, value.type, value.bytes.data(), static_cast<DWORD>(value.bytes.size()));
    } else {
      HKEY key;
      if (RegOpenKeyExA(root_, key_.c_str(), 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
        RegDeleteValueA(key, name.c_str());
        RegCloseKey(key);
      }
    }
  }
}

std::set<DWORD> ProcessIds(const char* exeName) {
  std::vector<DWORD> ids = ProcessesNamed(exeName);
  return std::set<DWORD>(ids.begin(), ids.end());
}

bool CloseNewExplorer(const std::set<DWORD>& before, DWORD timeoutMs) {
  std::set<DWORD> fresh;
  WaitUntil(
      [&] {
        for (DWORD id : ProcessIds("explorer.exe"))
          if (!before.count(id)) fresh.insert(id);
        return !fresh.empty();
      },
      timeoutMs);
  for (DWORD id : fresh) {
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id);
    if (!process) continue;
    TerminateProcess(process, 0);
    WaitForSingleObject(process, 5000);
    CloseHandle(process);
  }
  return !fresh.empty();
}

std::string Environment(const char* name) {
  char buffer[1024] = {};
  DWORD n = GetEnvironmentVariableA(name, buffer, sizeof buffer);
  return n < sizeof buffer ? std::string(buffer, n) : std::string();
}

std::string TextOf(const StoredValue& value) {
  std::string text(value.bytes.begin(), value.bytes.end());
  if (!text.empty() && text.back() == '\0') text.pop_back();
  return text;
}

std::wstring WideFromAnsi(const std::string& text) {
  int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(n, L'\0');
  if (n) MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &wide[0], n);
  return wide;
}

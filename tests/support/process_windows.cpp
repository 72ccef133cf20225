#include "tests/support/process_windows.h"

#include <tlhelp32.h>

namespace {
struct Search {
  DWORD processId;
  const char* className;
  bool visibleOnly;
  std::vector<HWND> found;
};

BOOL CALLBACK Collect(HWND window, LPARAM param) {
  Search* search = reinterpret_cast<Search*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid != search->processId || (search->visibleOnly && !IsWindowVisible(window))) return TRUE;
  if (search->className) {
    char cls[256] = {};
    GetClassNameA(window, cls, sizeof cls);
    if (lstrcmpA(cls, search->className) != 0) return TRUE;
  }
  search->found.push_back(window);
  return TRUE;
}
}  // namespace

std::vector<HWND> TopWindowsOf(DWORD processId, const char* className, bool visibleOnly) {
  Search search{processId, className, visibleOnly, {}};
  EnumWindows(Collect, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND TopWindowOf(DWORD processId, const char* className) {
  std::vector<HWND> windows = TopWindowsOf(processId, className);
  return windows.empty() ? nullptr : windows.front();
}

HWND WaitForTopWindow(DWORD processId, const char* className, DWORD timeoutMs, DWORD pollMs) {
  DWORD start = GetTickCount();
  for (;;) {
    if (HWND window = TopWindowOf(processId, className)) return window;
    if (GetTickCount() - start >= timeoutMs) return nullptr;
    Sleep(pollMs);
  }
}

std::vector<DWORD> ProcessesNamed(const char* exeName) {
  std::vector<DWORD> ids;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return ids;
  PROCESSENTRY32 entry = {};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry))
    if (lstrcmpiA(entry.szExeFile, exeName) == 0) ids.push_back(entry.th32ProcessID);
  CloseHandle(snapshot);
  return ids;
}

void CloseProgram(DWORD processId) {
  HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, processId);
  if (HWND window = TopWindowOf(processId)) PostMessageA(window, WM_CLOSE, 0, 0);
  if (!process) return;
  if (WaitForSingleObject(process, 5000) != WAIT_OBJECT_0) TerminateProcess(process, 1);
  WaitForSingleObject(process, 5000);
  CloseHandle(process);
}

void CloseAll(const char* exeName) {
  for (DWORD id : ProcessesNamed(exeName)) CloseProgram(id);
}

// The top-level windows and the processes of other programs, as tests see them from
// outside: find a process's windows by class, wait for one, close a program.
#pragma once
#include <windows.h>

#include <vector>

// The top-level windows of the process in Z order (topmost first), only the visible
// ones unless told otherwise; a class name narrows them when given.
std::vector<HWND> TopWindowsOf(DWORD processId, const char* className = nullptr, bool visibleOnly = true);
// The first visible top-level window of the process (of that class), or null.
HWND TopWindowOf(DWORD processId, const char* className = nullptr);
// Polls every pollMs until TopWindowOf finds a window or the time is up; null then.
HWND WaitForTopWindow(DWORD processId, const char* className = nullptr, DWORD timeoutMs = 10000, DWORD pollMs = 50);

// The ids of the running processes with that executable name (case ignored).
std::vector<DWORD> ProcessesNamed(const char* exeName);
// Closes the program's window as a user would; kills the process if it has not
// ended after 5 s.
void CloseProgram(DWORD processId);
// CloseProgram for every process of that executable name.
void CloseAll(const char* exeName);

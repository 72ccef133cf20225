// Finding a process's windows, and the cleanup window's reminder box.
#pragma once
#include <windows.h>

#include <string_view>
#include <vector>

#include "cleanup/texts.h"

struct WindowInfo {
  HWND handle;
  DWORD processId;
};

// Every visible top-level window, from the top of the Z order down. Collects into
// one process-wide list and hands it over: call on the user-interface thread only.
std::vector<WindowInfo> ListVisibleWindows();

// The topmost visible top-level window of the process, or null.
HWND FindProcessWindow(DWORD processId);

// MessageBoxA modal to its owner, the style as given. The pressed button counted
// from 0 (IDOK 0, IDCANCEL 1, ...); -1 when the box could not be shown.
int ShowReminder(std::string_view text, unsigned style, std::string_view caption, HWND owner);
// Owned by this process's topmost visible window; without one, by none.
int ShowReminder(std::string_view text, unsigned style = MB_ICONINFORMATION,
                 std::string_view caption = kReminderCaption);

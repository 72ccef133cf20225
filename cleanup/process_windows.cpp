#include "cleanup/process_windows.h"

#include <string>

namespace {
std::vector<WindowInfo>& WindowList() {
  static std::vector<WindowInfo> list;
  return list;
}

BOOL CALLBACK AppendVisibleWindow(HWND window, LPARAM) {
  if (IsWindowVisible(window)) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    WindowList().push_back({window, processId});
  }
  return TRUE;
}
}  // namespace

std::vector<WindowInfo> ListVisibleWindows() {
  EnumWindows(AppendVisibleWindow, 0);
  std::vector<WindowInfo> found;
  found.swap(WindowList());
  return found;
}

HWND FindProcessWindow(DWORD processId) {
  for (const WindowInfo& info : ListVisibleWindows())
    if (info.processId == processId) return info.handle;
  return nullptr;
}

int ShowReminder(std::string_view text, unsigned style, std::string_view caption, HWND owner) {
  return MessageBoxA(owner, std::string(text).c_str(), std::string(caption).c_str(), style) - 1;
}

int ShowReminder(std::string_view text, unsigned style, std::string_view caption) {
  return ShowReminder(text, style, caption, FindProcessWindow(GetCurrentProcessId()));
}

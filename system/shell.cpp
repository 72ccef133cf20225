#include "system/shell.h"

#include <windows.h>
#include <shlobj.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "system/cp936.h"
#include "system/wide_text.h"

namespace {

// GetWindowsDirectoryA and its kin: a size query, then the text; retried when the
// value grew in between.
template <typename Query>
std::string QueryText(Query query) {
  std::string text(MAX_PATH, '\0');
  for (int attempt = 0; attempt < 3; ++attempt) {
    UINT length = query(&text[0], static_cast<UINT>(text.size()));
    if (length == 0) return std::string();
    if (length < text.size()) {
      text.resize(length);
      return text;
    }
    text.assign(length + 1, '\0');
  }
  return std::string();
}

std::string ShellFolder(int csidl) {
  // SHGetSpecialFolderPathA writes at most MAX_PATH characters.
  char path[MAX_PATH + 1] = {};
  if (!SHGetSpecialFolderPathA(nullptr, path, csidl, FALSE)) return std::string();
  return path;
}

std::string ResolveFolder(SpecialFolder code) {
  switch (code) {
    case 1: return ShellFolder(CSIDL_PERSONAL);
    case 2: return ShellFolder(CSIDL_FAVORITES);
    case 3: return ShellFolder(CSIDL_DESKTOPDIRECTORY);
    case 4: return ShellFolder(CSIDL_FONTS);
    case 5: return ShellFolder(CSIDL_STARTMENU);
    case 6: return ShellFolder(CSIDL_PROGRAMS);
    case 7: return ShellFolder(CSIDL_STARTUP);
    case 8: return ShellFolder(CSIDL_APPDATA);
    case 9: return QueryText([](char* b, UINT n) { return GetWindowsDirectoryA(b, n); });
    case 10: return QueryText([](char* b, UINT n) { return GetSystemDirectoryA(b, n); });
    case 11: return QueryText([](char* b, UINT n) { return static_cast<UINT>(GetTempPathA(n, b)); });
    default: return std::string();
  }
}

struct RememberedWindow {
  HWND window;
  bool enabled;
};

struct WindowSearch {
  DWORD processId;
  std::vector<RememberedWindow>* windows;
};

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM parameter) {
  WindowSearch* search = reinterpret_cast<WindowSearch*>(parameter);
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  if (processId == search->processId && GetParent(window) == nullptr)
    search->windows->push_back({window, IsWindowEnabled(window) != FALSE});
  return TRUE;
}

std::string IdListPath(LPITEMIDLIST item) {
  // SHGetPathFromIDListA writes at most MAX_PATH characters.
  char path[MAX_PATH + 1] = {};
  std::string chosen;
  if (SHGetPathFromIDListA(item, path)) chosen = path;
  IMalloc* allocator = nullptr;
  if (SUCCEEDED(SHGetMalloc(&allocator)) && allocator) {
    allocator->Free(item);
    allocator->Release();
  }
  return chosen;
}

}  // namespace

std::string GetSpecialFolder(SpecialFolder code) {
  std::string folder = ResolveFolder(code);
  if (folder.empty()) return folder;
  // The last byte may be the second half of a double-byte character that happens to be 0x5C.
  if (cp936::LastBackslash(folder) != folder.size() - 1) folder += '\\';
  return folder;
}

std::string BrowseForFolder(std::string_view prompt, bool includeFiles) {
  HWND active = GetActiveWindow();
  if (active && !IsWindow(active)) active = nullptr;
  HWND foreground = GetForegroundWindow();

  std::vector<RememberedWindow> windows;
  WindowSearch search{GetCurrentProcessId(), &windows};
  EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&search));
  for (const RememberedWindow& w : windows) EnableWindow(w.window, FALSE);

  std::string title(prompt);
  char displayName[MAX_PATH + 1] = {};  // the shell writes at most MAX_PATH characters here
  BROWSEINFOA info = {};
  info.hwndOwner = active;
  info.pszDisplayName = displayName;
  info.lpszTitle = title.c_str();
  info.ulFlags = BIF_EDITBOX | (includeFiles ? BIF_BROWSEINCLUDEFILES : 0);
  LPITEMIDLIST chosen = SHBrowseForFolderA(&info);

  for (const RememberedWindow& w : windows)
    if (IsWindow(w.window)) EnableWindow(w.window, w.enabled ? TRUE : FALSE);
  if (foreground && IsWindow(foreground)) SetForegroundWindow(foreground);
  if (active && IsWindow(active)) SetActiveWindow(active);

  return chosen ? IdListPath(chosen) : std::string();
}

std::intptr_t ShellOpen(int verb, std::string_view file, std::string_view parameters,
                        std::string_view directory, int showMode) {
  static const char* const kVerbs[] = {"edit", "explore", "find", "open", "print"};
  static const int kShow[] = {SW_HIDE, SW_SHOWNORMAL, SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED, SW_SHOWNA, SW_MINIMIZE};
  const char* verbText = verb >= 1 && verb <= 5 ? kVerbs[verb - 1] : nullptr;
  int show = showMode >= 1 && showMode <= 6 ? kShow[showMode - 1] : SW_SHOWNORMAL;
  std::string fileText(file), parameterText(parameters), directoryText(directory);
  HINSTANCE result = ShellExecuteA(nullptr, verbText, fileText.c_str(),
                                   parameters.empty() ? nullptr : parameterText.c_str(),
                                   directoryText.c_str(), show);
  return reinterpret_cast<std::intptr_t>(result);
}

void OpenUrl(std::string_view url) {
  HWND owner = FindWindowExA(nullptr, nullptr, nullptr, "Microsoft Internet Explorer");
  ShellExecuteA(owner, "open", std::string(url).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

std::string ReadEnvironment(std::string_view name) {
  // Read in UTF-16 and converted here: Wine's GetEnvironmentVariableA counts the
  // value in characters, not bytes, and cuts a double-byte value short. Windows
  // compares the names without case either way.
  if (name.empty()) return std::string();
  std::wstring wideName = WideFromAnsi(name);
  if (wideName.empty()) return std::string();

  std::wstring value;
  DWORD size = GetEnvironmentVariableW(wideName.c_str(), nullptr, 0);
  for (int attempt = 0;; ++attempt) {
    if (size == 0 || attempt == 3) return std::string();
    value.assign(size, L'\0');
    DWORD length = GetEnvironmentVariableW(wideName.c_str(), &value[0], size);
    if (length < size) {
      value.resize(length);
      break;
    }
    size = length;  // grew in between
  }
  return AnsiFromWide(value);
}

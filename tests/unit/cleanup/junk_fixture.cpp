#include "tests/unit/cleanup/junk_fixture.h"

#include <doctest/doctest.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstdlib>

#include "cleanup/cleaning.h"
#include "tests/support/dialog_watch.h"
#include "tests/support/process_windows.h"

TestView::TestView(std::initializer_list<JunkKind> tickedKinds) {
  for (JunkKind kind : tickedKinds) ticked[static_cast<int>(kind)] = true;
}

void TestView::SetFigure(JunkKind kind, std::string_view text) {
  figures[static_cast<int>(kind)] = std::string(text);
  writes.push_back("figure " + std::to_string(static_cast<int>(kind) + 1));
}

void TestView::SetHint(std::string_view text) {
  hint = std::string(text);
  writes.push_back("hint");
}

bool MakeFolders(const std::string& path) {
  for (std::size_t at = 3; at <= path.size(); ++at) {
    if (at < path.size() && path[at] != '\\') continue;
    std::string part = path.substr(0, at);
    if (!CreateDirectoryA(part.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) return false;
  }
  return true;
}

bool WriteSizedFile(const std::string& path, std::uint64_t bytes, DWORD attributes) {
  std::size_t slash = path.rfind('\\');
  if (slash != std::string::npos && !MakeFolders(path.substr(0, slash))) return false;
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER end;
  end.QuadPart = static_cast<LONGLONG>(bytes);
  bool ok = SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && SetEndOfFile(file);
  CloseHandle(file);
  if (ok && attributes) ok = SetFileAttributesA(path.c_str(), attributes);
  return ok;
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

namespace {
std::string UnixFileName(const std::string& path) {
  typedef char*(CDECL * UnixName)(LPCWSTR);
  UnixName unixName = reinterpret_cast<UnixName>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32"), "wine_get_unix_file_name")));
  wchar_t wide[MAX_PATH];
  if (!unixName || !MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH)) return {};
  char* name = unixName(wide);
  if (!name) return {};
  std::string result = name;
  HeapFree(GetProcessHeap(), 0, name);
  return result;
}

// Wine starts a host program without a handle to wait on: wait for its effect.
void RunHostCommand(std::string command, bool (*done)(const std::string&), const std::string& path) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process;
  if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) return;
  for (int tries = 0; tries < 500 && !done(path); ++tries) Sleep(10);
}

bool IsLinkNow(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}
bool IsGone(const std::string& path) { return !Exists(path); }
}  // namespace

void RemoveTestTree(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return;
  std::string folder = path;
  if (folder.back() == '\\') folder.pop_back();
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) && !(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
      do {
        std::string name = entry.cFileName;
        if (name != "." && name != "..") RemoveTestTree(folder + "\\" + name);
      } while (FindNextFileA(find, &entry));
      FindClose(find);
    }
  }
  SetFileAttributesA(folder.c_str(), FILE_ATTRIBUTE_NORMAL);
  if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
    // A link: on Wine RemoveDirectoryA would remove an empty target, so unlink on the host.
    std::string name = UnixFileName(folder);
    if (!name.empty()) RunHostCommand("/bin/rm -f \"" + name + "\"", IsGone, folder);
    return;
  }
  if (attributes & FILE_ATTRIBUTE_DIRECTORY)
    RemoveDirectoryA(folder.c_str());
  else
    DeleteFileA(folder.c_str());
}

void ResetFolder(const std::string& path) {
  RemoveTestTree(path);
  MakeFolders(path.back() == '\\' ? path.substr(0, path.size() - 1) : path);
}


bool MakeDirectoryLink(const std::string& link, const std::string& target) {
  std::string unixTarget = UnixFileName(target);
  std::string unixLink = UnixFileName(link);
  if (unixTarget.empty() || unixLink.empty()) return false;
  RunHostCommand("/bin/ln -s \"" + unixTarget + "\" \"" + unixLink + "\"", IsLinkNow, link);
  return IsLinkNow(link);
}

void UseTempFolder(const std::string& folder) {
  SetEnvironmentVariableA("TMP", folder.c_str());
  SetEnvironmentVariableA("TEMP", folder.c_str());
}

bool RecycleBinBelongsToTests() {
  char value[1024] = {};
  DWORD length = GetEnvironmentVariableA("XDG_DATA_HOME", value, sizeof value);
  return length > 0 && length < sizeof value && std::string(value).find("/build/wine/") != std::string::npos;
}

bool MoveToRecycleBin(const std::string& path) {
  std::string from = path + '\0';
  SHFILEOPSTRUCTA operation = {};
  operation.wFunc = FO_DELETE;
  operation.pFrom = from.c_str();
  operation.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
  return SHFileOperationA(&operation) == 0 && !Exists(path);
}

std::int64_t RecycleBinItemCount() {
  SHQUERYRBINFO info = {};
  info.cbSize = sizeof info;
  if (FAILED(SHQueryRecycleBinA("C:\\", &info))) return -1;
  return info.i64NumItems;
}

void EmptyTestRecycleBin() {
  SHEmptyRecycleBinA(nullptr, "", SHERB_NOCONFIRMATION | SHERB_NOPROGRESSUI | SHERB_NOSOUND);
}

bool WaitForCleaningTasks(DWORD timeoutMs) {
  DWORD start = GetTickCount();
  while (RunningCleaningTasks() > 0) {
    if (GetTickCount() - start > timeoutMs) return false;
    Sleep(20);
  }
  return true;
}

std::string ShellFolder(int csidl) {
  char buffer[MAX_PATH] = {};
  if (!SHGetSpecialFolderPathA(nullptr, buffer, csidl, TRUE)) return {};  // made if missing
  std::string path = buffer;
  if (path.back() != '\\') path += '\\';
  return path;
}

std::string ProfileFolderOfStartMenu() {
  std::string startMenu = ShellFolder(CSIDL_STARTMENU);  // ASCII in the test prefix
  startMenu.pop_back();
  return startMenu.substr(0, startMenu.rfind('\\') + 1);
}

JunkFolders::JunkFolders(const std::string& tempFolder) : temp(tempFolder) {
  UseTempFolder(temp);
  char windows[MAX_PATH] = {};
  GetWindowsDirectoryA(windows, MAX_PATH);
  windowsTemp = std::string(windows) + "\\temp\\";
  cache = ShellFolder(CSIDL_INTERNET_CACHE);
  std::string profile = ProfileFolderOfStartMenu();
  cookies = profile + "Cookies\\";
  history = profile + "LOCAL SETTINGS\\History\\";
  recent = profile + "Recent\\";
  for (const std::string* folder : {&temp, &windowsTemp, &cache, &cookies, &history, &recent}) {
    REQUIRE(folder->rfind("C:\\", 0) == 0);  // inside the test prefix
    ResetFolder(*folder);
  }
}

ReminderWatch::ReminderWatch() : start_(GetTickCount()) { thread_ = CreateThread(nullptr, 0, Thread, this, 0, nullptr); }

ReminderWatch::~ReminderWatch() { Result(); }

SeenReminder ReminderWatch::Result() {
  if (thread_) {
    WaitForSingleObject(thread_, INFINITE);
    CloseHandle(thread_);
    thread_ = nullptr;
  }
  return seen_;
}

DWORD WINAPI ReminderWatch::Thread(void* self) {
  ReminderWatch* watch = static_cast<ReminderWatch*>(self);
  HWND box = nullptr;
  while (!box && GetTickCount() - watch->start_ < 15000) {
    box = TopWindowOf(GetCurrentProcessId(), "#32770");
    if (!box) Sleep(10);
  }
  if (!box) return 0;
  watch->seen_.shownAfterMs = GetTickCount() - watch->start_;
  watch->seen_.owner = GetWindow(box, GW_OWNER);
  SeenDialog dialog = AnswerDialog(GetCurrentProcessId(), IDOK, 5000);
  watch->seen_.found = dialog.found;
  watch->seen_.caption = dialog.caption;
  watch->seen_.text = dialog.text;
  watch->seen_.icon = dialog.icon;
  return 0;
}

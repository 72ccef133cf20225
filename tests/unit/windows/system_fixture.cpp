#include "tests/unit/windows/system_fixture.h"

#include <vector>

namespace {
const char kRoot[] = "C:\\prepkit-test-sys";

std::wstring Wide(const std::string& text) {
  int n = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
  std::wstring wide(n > 0 ? n : 1, L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, &wide[0], n);
  wide.resize(wcslen(wide.c_str()));
  return wide;
}

std::string UnixName(const std::string& windowsPath) {
  using ToUnix = char*(CDECL*)(const WCHAR*);
  ToUnix toUnix = reinterpret_cast<ToUnix>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32"), "wine_get_unix_file_name")));
  if (!toUnix) return std::string();
  char* unix = toUnix(Wide(windowsPath).c_str());
  if (!unix) return std::string();
  std::string name = unix;
  HeapFree(GetProcessHeap(), 0, unix);
  return name;
}

bool RunAndWait(std::string commandLine) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started = {};
  if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started))
    return false;
  WaitForSingleObject(started.hProcess, 30000);
  DWORD code = 1;
  GetExitCodeProcess(started.hProcess, &code);
  CloseHandle(started.hThread);
  CloseHandle(started.hProcess);
  return code == 0;
}

// Wine starts a Unix program from CreateProcess but hands back no process to wait
// for: the caller polls for the effect instead.
bool RunUnixUntil(std::string commandLine, bool (*done)(const std::string&), const std::string& path) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started = {};
  if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started))
    return false;
  for (int i = 0; i < 200 && !done(path); ++i) Sleep(50);
  return done(path);
}

bool IsLinkThere(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}
bool IsGone(const std::string& path) { return GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES; }
}  // namespace

ScratchFolder::ScratchFolder(const std::string& name) : path(std::string(kRoot) + "\\" + name) {
  CreateDirectoryA(kRoot, nullptr);
  WipeTree(L"\\\\?\\" + Wide(path));
  CreateDirectoryA(path.c_str(), nullptr);
}

ScratchFolder::~ScratchFolder() { WipeTree(L"\\\\?\\" + Wide(path)); }

bool RunningUnderWine() { return GetProcAddress(GetModuleHandleA("ntdll"), "wine_get_version") != nullptr; }

bool MakeDirectoryLink(const std::string& link, const std::string& target) {
  if (RunningUnderWine()) {
    std::string unixLink = UnixName(link), unixTarget = UnixName(target);
    if (unixLink.empty() || unixTarget.empty()) return false;
    // wine_get_unix_file_name names a missing final component too.
    return RunUnixUntil("/bin/ln -s \"" + unixTarget + "\" \"" + unixLink + "\"", IsLinkThere, link);
  }
  return RunAndWait("cmd /c mklink /j \"" + link + "\" \"" + target + "\"");
}

bool MapDrive(char letter, const std::string& target) {
  std::string drive = std::string(1, letter) + ":\\";
  if (!RunningUnderWine()) return DefineDosDeviceA(0, drive.substr(0, 2).c_str(), target.c_str()) != FALSE;
  // Wine's drives are links in the prefix's dosdevices folder, beside c:.
  std::string cDrive = UnixName("C:\\");
  std::size_t cut = cDrive.rfind("/c:");
  if (cut == std::string::npos) return false;
  std::string link = cDrive.substr(0, cut + 1) + static_cast<char>(letter | 0x20) + ":";
  return RunUnixUntil("/bin/ln -s \"" + UnixName(target) + "\" \"" + link + "\"",
                      [](const std::string& d) { return !IsGone(d); }, drive);
}

void UnmapDrive(char letter) {
  std::string drive = std::string(1, letter) + ":\\";
  if (!RunningUnderWine()) {
    DefineDosDeviceA(DDD_REMOVE_DEFINITION, drive.substr(0, 2).c_str(), nullptr);
    return;
  }
  std::string cDrive = UnixName("C:\\");
  std::size_t cut = cDrive.rfind("/c:");
  if (cut == std::string::npos) return;
  std::string link = cDrive.substr(0, cut + 1) + static_cast<char>(letter | 0x20) + ":";
  RunUnixUntil("/bin/rm -f \"" + link + "\"", IsGone, drive);
}

bool MakeFile(const std::string& path, const std::string& bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == bytes.size();
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string ReadWholeFile(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                            nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::string();
  std::string bytes;
  char chunk[4096];
  DWORD read = 0;
  while (ReadFile(file, chunk, sizeof chunk, &read, nullptr) && read > 0) bytes.append(chunk, read);
  CloseHandle(file);
  return bytes;
}

namespace {
std::string Narrow(const std::wstring& wide) {
  std::wstring plain = wide.compare(0, 4, L"\\\\?\\") == 0 ? wide.substr(4) : wide;
  int n = WideCharToMultiByte(CP_ACP, 0, plain.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string narrow(n > 0 ? n : 1, '\0');
  WideCharToMultiByte(CP_ACP, 0, plain.c_str(), -1, &narrow[0], n, nullptr, nullptr);
  narrow.resize(strlen(narrow.c_str()));
  return narrow;
}

std::vector<std::pair<std::wstring, DWORD>> List(const std::wstring& path) {
  std::vector<std::pair<std::wstring, DWORD>> entries;
  WIN32_FIND_DATAW found;
  HANDLE find = FindFirstFileW((path + L"\\*").c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return entries;
  do {
    if (wcscmp(found.cFileName, L".") && wcscmp(found.cFileName, L".."))
      entries.push_back({path + L"\\" + found.cFileName, found.dwFileAttributes});
  } while (FindNextFileW(find, &found));
  FindClose(find);
  return entries;
}

// Links first, everywhere in the tree: Wine deletes through a directory link, and
// a link whose target went first can no longer be seen to be one.
void UnlinkAll(const std::wstring& path) {
  for (const auto& entry : List(path)) {
    if (entry.second & FILE_ATTRIBUTE_REPARSE_POINT) {
      if (RunningUnderWine()) {
        std::string unixLink = UnixName(Narrow(entry.first));
        if (!unixLink.empty()) RunUnixUntil("/bin/rm -f \"" + unixLink + "\"", IsGone, Narrow(entry.first));
      } else {
        RemoveDirectoryW(entry.first.c_str());
      }
    } else if (entry.second & FILE_ATTRIBUTE_DIRECTORY) {
      UnlinkAll(entry.first);
    }
  }
}

void WipeRest(const std::wstring& path, DWORD attributes) {
  if (attributes & FILE_ATTRIBUTE_DIRECTORY)
    for (const auto& entry : List(path)) WipeRest(entry.first, entry.second);
  SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) RemoveDirectoryW(path.c_str());
  else DeleteFileW(path.c_str());
}
}  // namespace

void WipeTree(const std::wstring& path) {
  DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return;
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) UnlinkAll(path);
  WipeRest(path, attributes);
}

#include <doctest/doctest.h>

#include <windows.h>

#include <string>

#include "system/processes.h"
#include "tests/unit/windows/system_fixture.h"

namespace {
// The child program is built beside the test program.
std::string Child() {
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string path = self;
  return "\"" + path.substr(0, path.rfind('\\') + 1) + "system_child.exe\"";
}

DWORD ReadProcessId(const std::string& file) {
  for (int i = 0; i < 200; ++i) {
    std::string text = ReadWholeFile(file);
    if (!text.empty()) return std::stoul(text);
    Sleep(50);
  }
  return 0;
}
}  // namespace

TEST_CASE("RunProgram hands the child the window show mode its table gives") {
  ScratchFolder scratch("show");
  std::string report = scratch / "report.txt";
  struct Case {
    int showMode;  // -1: argument omitted
    unsigned expected;
  } cases[] = {
      {-1, SW_SHOWNORMAL}, {0, SW_HIDE},          {1, SW_HIDE},           {2, SW_SHOWNORMAL},
      {3, SW_SHOWMINIMIZED}, {4, SW_SHOWMAXIMIZED}, {5, SW_SHOWNOACTIVATE}, {6, SW_MINIMIZE},
      {9, SW_MINIMIZE},
  };
  for (const Case& c : cases) {
    CAPTURE(c.showMode);
    DeleteFileA(report.c_str());
    std::string line = Child() + " report \"" + report + "\"";
    bool started = c.showMode < 0 ? RunProgram(line, true) : RunProgram(line, true, c.showMode);
    CHECK(started);
    CHECK(ReadWholeFile(report) == std::to_string(STARTF_USESHOWWINDOW) + " " + std::to_string(c.expected));
  }
}

TEST_CASE("RunProgram without wait returns while the program runs on, and hands it no handles") {
  ScratchFolder scratch("nowait");
  std::string pidFile = scratch / "pid.txt";
  SECURITY_ATTRIBUTES inheritable = {sizeof inheritable, nullptr, TRUE};
  HANDLE readEnd = nullptr, writeEnd = nullptr;
  REQUIRE(CreatePipe(&readEnd, &writeEnd, &inheritable, 0));

  CHECK(RunProgram(Child() + " linger \"" + pidFile + "\" 60000", false));
  DWORD childId = ReadProcessId(pidFile);
  REQUIRE(childId != 0);
  HANDLE child = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, childId);
  REQUIRE(child != nullptr);
  CHECK(WaitForSingleObject(child, 0) == WAIT_TIMEOUT);  // still running

  // Had the child inherited the pipe's write end, the pipe would not break.
  CloseHandle(writeEnd);
  DWORD available = 0;
  CHECK_FALSE(PeekNamedPipe(readEnd, nullptr, 0, nullptr, &available, nullptr));
  CHECK(GetLastError() == ERROR_BROKEN_PIPE);
  CloseHandle(readEnd);

  TerminateProcess(child, 0);
  WaitForSingleObject(child, 10000);
  CloseHandle(child);
}

TEST_CASE("a command line that cannot start gives false") {
  unsigned long code = 12345;
  const char* lines[] = {"", "C:\\no\\such\\program.exe", "\"C:\\no such\\x.exe\" arg"};
  for (const char* line : lines) {
    CAPTURE(line);
    CHECK_FALSE(RunProgram(line, false));
    CHECK_FALSE(RunProgram(line, true, 1));
    CHECK_FALSE(RunProgramAndWait(line, 1, &code));
  }
  CHECK(code == 12345);
}

namespace {
int paints = 0;
LRESULT CALLBACK CountPaints(HWND window, UINT message, WPARAM w, LPARAM l) {
  if (message == WM_PAINT) {
    ++paints;
    PAINTSTRUCT ps;
    BeginPaint(window, &ps);
    EndPaint(window, &ps);
    return 0;
  }
  return DefWindowProcA(window, message, w, l);
}
}  // namespace

TEST_CASE("RunProgramAndWait gives the exit code and repaints meanwhile, leaving other messages queued") {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = CountPaints;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "PrepKitPaintCounter";
  RegisterClassA(&windowClass);
  HWND window = CreateWindowA("PrepKitPaintCounter", "t", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                              nullptr, GetModuleHandleA(nullptr), nullptr);
  REQUIRE(window);
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);

  const unsigned long codes[] = {0, 7, 300};
  for (unsigned long expected : codes) {
    CAPTURE(expected);
    paints = 0;
    InvalidateRect(window, nullptr, TRUE);
    PostMessageA(window, WM_APP + 1, 42, 0);
    unsigned long code = 99999;
    CHECK(RunProgramAndWait(Child() + " exit " + std::to_string(expected), 1, &code));
    CHECK(code == expected);
    CHECK(paints >= 1);
    // A posted command is not the wait's to act on: it is still there afterwards.
    CHECK(PeekMessageA(&message, window, WM_APP + 1, WM_APP + 1, PM_REMOVE));
  }
  DestroyWindow(window);
}

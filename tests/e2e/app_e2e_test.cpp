// End to end: PrepKit.exe runs as its own process; these tests work it through
// its windows and check what it did to the registry and to its windows.
#include <doctest/doctest.h>

#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <map>
#include <string>

#include "optimise/catalogue.h"
#include "system/registry_path.h"
#include "tests/e2e/driver.h"
#include "tests/support/dialog_watch.h"
#include "tests/support/process_windows.h"
#include "tests/support/registry_probe.h"

namespace {
constexpr FormId kMain = FormId::Main;
constexpr FormId kCleanup = FormId::Cleanup;
constexpr const char* kWinlogon = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";

std::string Upper(std::string s) {
  if (!s.empty()) CharUpperBuffA(&s[0], static_cast<DWORD>(s.size()));
  return s;
}

struct PlacedSize {
  int width, height;
};
PlacedSize OuterSize(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  return {r.right - r.left, r.bottom - r.top};
}

bool IsCentred(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  int dx = (r.left + r.right) / 2 - GetSystemMetrics(SM_CXSCREEN) / 2;
  int dy = (r.top + r.bottom) / 2 - GetSystemMetrics(SM_CYSCREEN) / 2;
  return dx >= -1 && dx <= 1 && dy >= -1 && dy <= 1;
}

std::string SpecialFolder(int csidl) {
  char path[MAX_PATH] = {};
  if (!SHGetSpecialFolderPathA(nullptr, path, csidl, FALSE)) return {};
  std::string text = path;
  if (!text.empty() && text.back() != '\\') text += '\\';
  return text;
}

std::string Environment(const char* name) {
  char value[MAX_PATH] = {};
  DWORD length = GetEnvironmentVariableA(name, value, MAX_PATH);
  return length < MAX_PATH ? std::string(value, length) : std::string();
}
}  // namespace

TEST_CASE("select all, then start: every action lands, items 0-8 are cleared, the start button stays enabled") {
  // Each catalogue path ends as its last action leaves it; plant something at
  // each first, so that a write or delete that never happened shows.
  struct Expected {
    int root;
    std::string key, value;
    const RegistryAction* last;
  };
  std::map<std::string, Expected> expected;
  int count = 0;
  const RegistryAction* actions = AllCatalogueActions(&count);
  REQUIRE(count == 111);
  for (int i = 0; i < count; ++i) {
    RegistryPathParts parts = SplitRegistryPath(actions[i].path);
    expected[std::to_string(actions[i].root) + "|" + Upper(actions[i].path)] = {actions[i].root, parts.keyPath,
                                                                                 parts.valueName, &actions[i]};
  }
  const unsigned char planted[] = {0xDE, 0xAD};
  for (const auto& entry : expected)
    SetRaw(RootHandle(entry.second.root), entry.second.key, entry.second.value, REG_BINARY, planted, sizeof planted);

  RunningApp app;
  REQUIRE(app.Started());
  HWND main = app.MainWindow();
  HWND list = Control(main, kMain, "选择列表框1");
  HWND start = Control(main, kMain, "按钮1");
  REQUIRE(list);
  REQUIRE(start);
  CHECK(CheckListCount(list) == kOptimisationCount);
  CHECK_FALSE(IsWindowEnabled(start));

  Click(Control(main, kMain, "按钮2"));
  for (int i = 0; i < kOptimisationCount; ++i) CHECK(CheckListTicked(list, i));
  CHECK(IsWindowEnabled(start));

  ClickLater(start);
  SeenDialog box = AnswerDialog(app.ProcessId(), IDOK, 20000);
  REQUIRE(box.found);
  CHECK(box.caption == "优化完成：");
  CHECK(box.text == "优化成功");

  for (const auto& entry : expected) {
    const Expected& e = entry.second;
    CAPTURE(e.last->path);
    StoredValue stored = ReadStoredValue(RootHandle(e.root), e.key, e.value);
    if (e.last->kind == ActionKind::Delete) {
      CHECK_FALSE(stored.present);
      continue;
    }
    RegistryValue value = ActionValue(*e.last);
    REQUIRE(stored.present);
    if (value.kind == RegistryValue::Kind::Dword) {
      CHECK(stored.type == REG_DWORD);
      CHECK(stored.bytes == DwordBytes(value.dword));
    } else {
      CHECK(stored.type == REG_SZ);
      CHECK(stored.bytes == SzBytes(value.text));
    }
  }
  // The box has closed: the handler has finished its clearing.
  REQUIRE(WaitFor([&] { return !CheckListTicked(list, 8); }));
  for (int i = 0; i < kOptimisationCount; ++i) {
    CAPTURE(i);
    CHECK(CheckListTicked(list, i) == (i >= 9));
  }
  // The program's own untickings raised no check-state event: nothing is
  // current, so such an event would have disabled the button.
  CHECK(CheckListCurrent(list) == -1);
  CHECK(IsWindowEnabled(start));
}

TEST_CASE("the start button: clear all keeps it disabled; a tick with the mouse or the space bar enables it") {
  RunningApp app;
  REQUIRE(app.Started());
  HWND main = app.MainWindow();
  HWND list = Control(main, kMain, "选择列表框1");
  HWND start = Control(main, kMain, "按钮1");

  Click(Control(main, kMain, "按钮3"));
  CHECK_FALSE(IsWindowEnabled(start));
  CHECK(CheckListCurrent(list) == -1);

  ClickCheckListBox(list, 3);
  CHECK(WaitFor([&] { return IsWindowEnabled(start); }));
  CHECK(CheckListTicked(list, 3));
  CHECK(CheckListCurrent(list) == 3);

  // Clearing the last tick keeps the button enabled: an item is still current.
  ClickCheckListBox(list, 3);
  CHECK(WaitFor([&] { return !CheckListTicked(list, 3); }));
  CHECK(IsWindowEnabled(start));

  Click(Control(main, kMain, "按钮3"));
  CHECK_FALSE(IsWindowEnabled(start));
  PostMessageA(list, WM_KEYDOWN, VK_SPACE, 0);
  CHECK(WaitFor([&] { return CheckListTicked(list, 3); }));
  CHECK(IsWindowEnabled(start));
  for (int i = 0; i < kOptimisationCount; ++i)
    if (i != 3) CHECK_FALSE(CheckListTicked(list, i));
}

TEST_CASE("the cleanup window opens modally from 按钮12, disables the main window and starts afresh each time") {
  RunningApp app;
  REQUIRE(app.Started());
  HWND main = app.MainWindow();
  CHECK(OuterSize(main).width == 447);
  CHECK(OuterSize(main).height == 483);
  CHECK(IsCentred(main));

  HWND tab = Control(main, kMain, "选择夹1");
  HWND button = Control(main, kMain, "按钮12");
  CHECK_FALSE(IsWindowVisible(button));
  ShowPage(tab, 2);
  CHECK(IsWindowVisible(button));
  CHECK_FALSE(IsWindowVisible(Control(main, kMain, "选择列表框1")));
  CHECK(IsWindowVisible(Control(main, kMain, "标签6")));  // the status strip is on no page

  const char* boxes[] = {"系统清理1", "系统清理2", "系统清理3", "系统清理4", "系统清理5", "系统清理6"};
  const char* labels[] = {"系统清理标签1", "系统清理标签2", "系统清理标签3", "系统清理标签4", "系统清理标签5"};
  for (int opening = 0; opening < 2; ++opening) {
    CAPTURE(opening);
    ClickLater(button);
    HWND cleanup = FindFormWindow(app.ProcessId(), kCleanup);
    REQUIRE(cleanup);
    CHECK(OuterSize(cleanup).width == 192);
    CHECK(OuterSize(cleanup).height == 214);
    CHECK(IsCentred(cleanup));
    CHECK((GetWindowLongA(cleanup, GWL_STYLE) & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME)) == 0);
    CHECK_FALSE(IsWindowEnabled(main));
    for (const char* name : boxes) {
      CAPTURE(name);
      CHECK_FALSE(IsTicked(Control(cleanup, kCleanup, name)));
    }
    for (const char* name : labels) CHECK(TextOf(Control(cleanup, kCleanup, name)).empty());
    CHECK(TextOf(Control(cleanup, kCleanup, "标签1")) == "先打钩分析在点清理");

    // Leave traces that a reused window would show at the next opening.
    Click(Control(cleanup, kCleanup, "系统清理1"));
    Click(Control(cleanup, kCleanup, "系统清理6"));
    CHECK(IsTicked(Control(cleanup, kCleanup, "系统清理6")));
    SendMessageA(Control(cleanup, kCleanup, "系统清理标签1"), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("12.5 MB"));

    PostMessageA(cleanup, WM_CLOSE, 0, 0);
    CHECK(WaitFor([&] { return !IsWindow(cleanup); }));
    CHECK(WaitFor([&] { return IsWindowEnabled(main) != FALSE; }));
  }
}

TEST_CASE("the creation step fills the folder labels and the user name") {
  struct Case {
    const char* userName;  // null: no DefaultUserName value
  };
  const Case cases[] = {{"测试用户"}, {nullptr}};
  StoredValue saved = ReadStoredValue(HKEY_LOCAL_MACHINE, kWinlogon, "DefaultUserName");
  for (const Case& c : cases) {
    CAPTURE(c.userName ? c.userName : "(none)");
    if (c.userName) {
      std::vector<unsigned char> bytes = SzBytes(c.userName);
      SetRaw(HKEY_LOCAL_MACHINE, kWinlogon, "DefaultUserName", REG_SZ, bytes.data(), static_cast<DWORD>(bytes.size()));
    } else {
      HKEY key;
      if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kWinlogon, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
        RegDeleteValueA(key, "DefaultUserName");
        RegCloseKey(key);
      }
    }
    RunningApp app;
    REQUIRE(app.Started());
    HWND main = app.MainWindow();
    CHECK(TextOf(Control(main, kMain, "编辑框2")) == (c.userName ? c.userName : ""));
    CHECK(TextOf(Control(main, kMain, "标签1")) == SpecialFolder(CSIDL_PERSONAL));
    CHECK(TextOf(Control(main, kMain, "标签2")) == SpecialFolder(CSIDL_FAVORITES));
    CHECK(TextOf(Control(main, kMain, "标签3")) == Environment("USERPROFILE") + "\\Cookies");
    CHECK(TextOf(Control(main, kMain, "标签4")) == SpecialFolder(CSIDL_DESKTOPDIRECTORY));
    for (const char* box : {"选择框_文档", "选择框_收藏夹", "选择框_Cookies", "选择框_桌面"}) {
      CAPTURE(box);
      CHECK(IsTicked(Control(main, kMain, box)));
    }
    CHECK_FALSE(IsWindowEnabled(Control(main, kMain, "按钮1")));
  }
  if (saved.present)
    SetRaw(HKEY_LOCAL_MACHINE, kWinlogon, "DefaultUserName", saved.type, saved.bytes.data(),
           static_cast<DWORD>(saved.bytes.size()));
}

namespace {
struct Closer {
  RunningApp* app;
  bool closed = false;
  static DWORD WINAPI Run(void* self) {
    Closer* closer = static_cast<Closer*>(self);
    if (closer->app->WaitForMainWindow()) {
      Sleep(300);
      closer->closed = PostMessageA(closer->app->MainWindow(), WM_CLOSE, 0, 0) != FALSE;
    }
    return 0;
  }
};

}  // namespace

TEST_CASE("closing the main window ends the program, with the exit clean-up run once after the windows are gone") {
  // The program runs under this thread as its debugger, which hears the note the
  // clean-up leaves.
  RunningApp app(true);
  Closer closer{&app};
  HANDLE thread = CreateThread(nullptr, 0, Closer::Run, &closer, 0, nullptr);
  REQUIRE(thread);

  int cleanups = 0;
  int formWindowsAtCleanup = -1;
  DWORD exitCode = STILL_ACTIVE;
  DWORD start = GetTickCount();
  bool ended = false;
  while (!ended && GetTickCount() - start < 60000) {
    DEBUG_EVENT event;
    if (!WaitForDebugEvent(&event, 1000)) continue;
    DWORD status = DBG_CONTINUE;
    switch (event.dwDebugEventCode) {
      case CREATE_PROCESS_DEBUG_EVENT:
        if (event.u.CreateProcessInfo.hFile) CloseHandle(event.u.CreateProcessInfo.hFile);
        break;
      case LOAD_DLL_DEBUG_EVENT:
        if (event.u.LoadDll.hFile) CloseHandle(event.u.LoadDll.hFile);
        break;
      case OUTPUT_DEBUG_STRING_EVENT: {
        char text[128] = {};
        SIZE_T got = 0;
        SIZE_T length = std::min<SIZE_T>(event.u.DebugString.nDebugStringLength, sizeof text - 1);
        ReadProcessMemory(app.Process(), event.u.DebugString.lpDebugStringData, text, length, &got);
        if (std::string(text) == "PrepKit: exit clean-up") {
          ++cleanups;
          formWindowsAtCleanup = static_cast<int>(TopWindowsOf(app.ProcessId(), "PrepKitForm", false).size());
        }
        break;
      }
      case EXCEPTION_DEBUG_EVENT:
        if (event.u.Exception.ExceptionRecord.ExceptionCode != EXCEPTION_BREAKPOINT) status = DBG_EXCEPTION_NOT_HANDLED;
        break;
      case EXIT_PROCESS_DEBUG_EVENT:
        exitCode = event.u.ExitProcess.dwExitCode;
        ended = true;
        break;
    }
    ContinueDebugEvent(event.dwProcessId, event.dwThreadId, status);
  }
  WaitForSingleObject(thread, 10000);
  CloseHandle(thread);
  CHECK(closer.closed);
  CHECK(ended);
  CHECK(exitCode == 0);
  CHECK(cleanups == 1);
  CHECK(formWindowsAtCleanup == 0);
}

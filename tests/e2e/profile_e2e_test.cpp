// End to end: the relocation, automatic-logon and hidden-files buttons of the
// running program, worked through its windows.
#include <doctest/doctest.h>

#include <windows.h>

#include <string>

#include "tests/e2e/driver.h"
#include "tests/support/dialog_watch.h"
#include "tests/support/registry_probe.h"
#include "tests/unit/windows/profile_fixture.h"

namespace {
constexpr FormId kMain = FormId::Main;
const char* const kWinlogon = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
const char* const kUserShellFolders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
const char* const kShellFolders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const char* const kEntry = "CLSID\\{00000000-0000-0000-0000-000000000012}";
const char* const kHandler = "Directory\\Background\\shellex\\ContextMenuHandlers\\SuperHidden";

void SetText(HWND control, const char* text) { SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)); }
StoredValue Sz(const std::string& text) { return {true, REG_SZ, SzBytes(text)}; }
}  // namespace

TEST_CASE("the logon buttons write the typed password and take it away again") {
  SavedValues saved{HKEY_LOCAL_MACHINE, kWinlogon, {"AutoAdminLogon", "DefaultPassword", "DefaultUserName"}};
  SetRaw(HKEY_LOCAL_MACHINE, kWinlogon, "DefaultUserName", REG_SZ, "维护员", 7);
  RunningApp app;
  REQUIRE(app.Started());
  HWND window = app.MainWindow();
  CHECK(TextOf(Control(window, kMain, "编辑框2")) == "维护员");

  SetText(Control(window, kMain, "编辑框2"), "someone else");
  SetText(Control(window, kMain, "编辑框3"), "密码 1");
  Click(Control(window, kMain, "按钮8"));
  CHECK(ReadStoredValue(HKEY_LOCAL_MACHINE, kWinlogon, "AutoAdminLogon") == Sz("1"));
  CHECK(ReadStoredValue(HKEY_LOCAL_MACHINE, kWinlogon, "DefaultPassword") == Sz("密码 1"));
  CHECK(ReadStoredValue(HKEY_LOCAL_MACHINE, kWinlogon, "DefaultUserName") == Sz("维护员"));

  Click(Control(window, kMain, "按钮9"));
  CHECK(ReadStoredValue(HKEY_LOCAL_MACHINE, kWinlogon, "AutoAdminLogon") == Sz("0"));
  CHECK_FALSE(ReadStoredValue(HKEY_LOCAL_MACHINE, kWinlogon, "DefaultPassword").present);
}

TEST_CASE("relocation page: no target yet, a cancelled picker, and restore defaults of Cookies alone") {
  SavedValues userShellFolders{HKEY_CURRENT_USER, kUserShellFolders, {"Desktop", "Personal", "Favorites", "Cookies"}};
  SavedValues shellFolders{HKEY_CURRENT_USER, kShellFolders, {"Cookies"}};
  StoredValue desktopBefore = ReadStoredValue(HKEY_CURRENT_USER, kUserShellFolders, "Desktop");
  std::set<DWORD> explorers = ProcessIds("explorer.exe");
  RunningApp app;
  REQUIRE(app.Started());
  HWND window = app.MainWindow();
  HWND target = Control(window, kMain, "标签5");
  std::string targetBefore = TextOf(target);

  ClickLater(Control(window, kMain, "按钮5"));
  SeenDialog box = AnswerDialog(app.ProcessId(), IDOK, 20000);
  CHECK(box.text == "没有设置保存路径！");

  ClickLater(Control(window, kMain, "按钮4"));
  SeenDialog picker = AnswerDialog(app.ProcessId(), IDCANCEL, 20000);
  CHECK(picker.found);
  Sleep(300);
  CHECK(TextOf(target) == targetBefore);

  for (const char* box : {"选择框_文档", "选择框_收藏夹", "选择框_桌面"}) Click(Control(window, kMain, box));
  Click(Control(window, kMain, "按钮7"));
  CHECK(TextOf(Control(window, kMain, "标签1")) == "恭喜，转移完成！\r\n新路径为:" + Environment("USERPROFILE") + "\\");
  CHECK(TextOf(ReadStoredValue(HKEY_CURRENT_USER, kUserShellFolders, "Cookies")) == "D:\\My Documents\\Cookies");
  CHECK(ReadStoredValue(HKEY_CURRENT_USER, kUserShellFolders, "Desktop") == desktopBefore);
  app.Close();
  CloseNewExplorer(explorers);
}

TEST_CASE("the hidden-files button reports the change its script makes") {
  auto clean = [] {
    RemoveTree(HKEY_CLASSES_ROOT, kEntry);
    RemoveTree(HKEY_CLASSES_ROOT, kHandler);
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    DeleteFileA((std::string(windows) + "\\SuperHidden.vbs").c_str());
  };
  clean();
  RunningApp app;
  REQUIRE(app.Started());
  HWND button = Control(app.MainWindow(), kMain, "按钮11");
  ClickLater(button);
  CHECK(AnswerDialog(app.ProcessId(), IDOK, 20000).text == "添加成功");
  CHECK(WaitUntil([] { return KeyExists(HKEY_CLASSES_ROOT, std::string(kEntry) + "\\Instance\\InitPropertyBag"); }));
  ClickLater(button);
  CHECK(AnswerDialog(app.ProcessId(), IDOK, 20000).text == "删除成功");
  CHECK(WaitUntil([] { return !KeyExists(HKEY_CLASSES_ROOT, kEntry); }));
  app.Close();
  clean();
}

#include <doctest/doctest.h>

#include <windows.h>
#include <ole2.h>
#include <shlobj.h>
#include <commctrl.h>

#include <string>

#include "system/message_box.h"
#include "system/shell.h"
#include "tests/support/dialog_watch.h"
#include "tests/support/process_windows.h"
#include "tests/unit/windows/system_fixture.h"

namespace {
// Top-level windows of the test's own: two enabled (one made active), one disabled.
struct TestWindows {
  HWND enabled, disabled, bystander;
  TestWindows() {
    bystander = CreateWindowA("STATIC", "bystander", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300, 0, 200, 100, nullptr,
                              nullptr, nullptr, nullptr);
    enabled = CreateWindowA("STATIC", "enabled", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr,
                            nullptr, nullptr);
    disabled = CreateWindowA("STATIC", "disabled", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 200, 200, 100, nullptr,
                             nullptr, nullptr, nullptr);
    EnableWindow(disabled, FALSE);
  }
  ~TestWindows() {
    DestroyWindow(enabled);
    DestroyWindow(disabled);
    DestroyWindow(bystander);
  }
};

HWND WaitForDialog() { return WaitForTopWindow(GetCurrentProcessId(), "#32770", 10000); }

// What a user sees and does while the box or picker is open, from a second thread.
struct Visit {
  HWND watched = nullptr;  // a test window (not the active one) read while the dialog is open
  int button = IDOK;
  bool picker = false;
  std::string select;      // the picker: a folder to select before pressing the button
  std::string shownAs;     // ... and a part of its name in the tree
  bool seen = false;
  bool watchedEnabled = true;
  SeenDialog box;
};

// The tree may still be filling when the dialog first shows, and a selection made
// too early is undone: select until the tree's selected item shows the wanted
// text twice in a row.
std::string SelectedText(HWND tree) {
  HTREEITEM item = TreeView_GetSelection(tree);
  if (!item) return std::string();
  char text[MAX_PATH] = {};
  TVITEMA data = {};
  data.mask = TVIF_TEXT;
  data.hItem = item;
  data.pszText = text;
  data.cchTextMax = MAX_PATH;
  SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&data));
  return text;
}

void SelectInPicker(HWND dialog, const std::string& folder, const std::string& shownAs) {
  HWND tree = GetDlgItem(dialog, 14145);
  int confirmed = 0;
  for (int i = 0; i < 40 && confirmed < 2; ++i) {
    if (SelectedText(tree).find(shownAs) != std::string::npos) {
      ++confirmed;
    } else {
      confirmed = 0;
      SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(folder.c_str()));
    }
    Sleep(250);
  }
}

DWORD WINAPI VisitDialog(void* parameter) {
  Visit* visit = static_cast<Visit*>(parameter);
  HWND dialog = WaitForDialog();
  if (!dialog) return 0;
  visit->seen = true;
  visit->watchedEnabled = IsWindowEnabled(visit->watched) != FALSE;
  if (visit->picker) {
    if (!visit->select.empty()) SelectInPicker(dialog, visit->select, visit->shownAs);
    PostMessageA(dialog, WM_COMMAND, visit->button, 0);
  } else {
    visit->box = AnswerDialog(GetCurrentProcessId(), visit->button);
  }
  return 0;
}

HANDLE StartVisit(Visit* visit) { return CreateThread(nullptr, 0, VisitDialog, visit, 0, nullptr); }

void Finish(HANDLE thread) {
  WaitForSingleObject(thread, 20000);
  CloseHandle(thread);
}
}  // namespace

TEST_CASE("ShowMessage shows a task-modal box with the caption and text, numbering buttons from 0") {
  TestWindows windows;
  struct Case {
    unsigned style;
    const char* caption;  // nullptr: none given
    int press;
    int expected;
    bool othersEnabled;  // the thread's other windows while the box is open
  } cases[] = {
      {MB_OK, nullptr, IDOK, 0, false},
      {MB_ICONHAND, "出错：", IDOK, 0, false},
      {MB_OKCANCEL | MB_ICONINFORMATION, "标题", IDCANCEL, 1, false},
      {MB_ABORTRETRYIGNORE, "t", IDABORT, 2, false},
      {MB_ABORTRETRYIGNORE, "t", IDRETRY, 3, false},
      {MB_ABORTRETRYIGNORE, "t", IDIGNORE, 4, false},
      {MB_YESNO, "t", IDYES, 5, false},
      {MB_YESNO, "t", IDNO, 6, false},
      // System-modal boxes are not made task-modal: with no owner, nothing is disabled.
      {MB_OK | MB_SYSTEMMODAL, "t", IDOK, 0, true},
  };
  for (std::size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
    const Case& c = cases[i];
    CAPTURE(i);
    Visit visit;
    visit.watched = windows.bystander;
    visit.button = c.press;
    HANDLE thread = StartVisit(&visit);
    int result = c.caption ? ShowMessage("优化成功\r\n第二行", c.style, c.caption) : ShowMessage("优化成功\r\n第二行", c.style);
    Finish(thread);
    CHECK(visit.seen);
    CHECK(result == c.expected);
    CHECK(visit.box.caption == (c.caption ? c.caption : "信息："));
    CHECK(visit.box.text == "优化成功\r\n第二行");
    CHECK(visit.watchedEnabled == c.othersEnabled);
    CHECK(IsWindowEnabled(windows.enabled));
    CHECK(IsWindowEnabled(windows.bystander));
    CHECK_FALSE(IsWindowEnabled(windows.disabled));
  }
}

TEST_CASE("BrowseForFolder gives the chosen folder, empty when cancelled, and restores the windows' states") {
  OleInitialize(nullptr);
  ScratchFolder scratch("browse");
  REQUIRE(CreateDirectoryA((scratch / "选中").c_str(), nullptr));
  REQUIRE(CreateDirectoryA((scratch / "pick").c_str(), nullptr));
  TestWindows windows;
  SetActiveWindow(windows.enabled);
  struct Case {
    int button;
    std::string select;
    std::string shownAs;
    std::string expected;
  } cases[] = {
      {IDCANCEL, "", "", ""},
      {IDOK, scratch / "pick", "pick", scratch / "pick"},
      {IDOK, scratch / "选中", "选中", scratch / "选中"},
      {IDOK, "C:\\", "C:", "C:\\"},  // a drive root keeps its backslash
  };
  for (std::size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
    const Case& c = cases[i];
    CAPTURE(i);
    Visit visit;
    visit.watched = windows.bystander;
    visit.button = c.button;
    visit.picker = true;
    visit.select = c.select;
    visit.shownAs = c.shownAs;
    HANDLE thread = StartVisit(&visit);
    std::string chosen = BrowseForFolder("请选择保存路径");
    Finish(thread);
    CHECK(visit.seen);
    CHECK_FALSE(visit.watchedEnabled);
    CHECK(chosen == c.expected);
    CHECK(IsWindowEnabled(windows.enabled));
    CHECK(IsWindowEnabled(windows.bystander));
    CHECK(GetActiveWindow() == windows.enabled);
    CHECK_FALSE(IsWindowEnabled(windows.disabled));
  }
  OleUninitialize();
}

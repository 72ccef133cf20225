#include "tests/e2e/driver.h"

#include <commctrl.h>

#include <vector>

#include "tests/support/process_windows.h"

namespace {
struct ChildSearch {
  int id;
  HWND found;
};

BOOL CALLBACK FindChild(HWND child, LPARAM param) {
  ChildSearch* search = reinterpret_cast<ChildSearch*>(param);
  if (GetDlgCtrlID(child) == search->id) {
    search->found = child;
    return FALSE;
  }
  return TRUE;
}

// Gives posted input time to be handled. A sent message alone would not do:
// the receiving thread takes sent messages before posted ones.
void Settle(HWND window) {
  DWORD_PTR ignored;
  PostMessageA(window, WM_NULL, 0, 0);
  Sleep(100);
  SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored);
}
}  // namespace

std::string ProgramPath() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string text = path;
  for (int level = 0; level < 2; ++level) text.resize(text.find_last_of('\\'));
  return text + "\\PrepKit.exe";
}

RunningApp::RunningApp(bool debugged) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  std::string commandLine = "\"" + ProgramPath() + "\"";
  if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, debugged ? DEBUG_ONLY_THIS_PROCESS : 0,
                      nullptr, nullptr, &startup, &process_)) {
    process_ = {};
    return;
  }
  if (!debugged) WaitForMainWindow();
}

HWND RunningApp::WaitForMainWindow(DWORD timeoutMs) {
  mainWindow_ = FindFormWindow(process_.dwProcessId, FormId::Main, timeoutMs);
  if (mainWindow_) WaitForInputIdle(process_.hProcess, 5000);
  return mainWindow_;
}

bool RunningApp::Close(DWORD timeoutMs) {
  if (!process_.hProcess) return true;
  if (mainWindow_ && IsWindow(mainWindow_)) PostMessageA(mainWindow_, WM_CLOSE, 0, 0);
  return WaitForSingleObject(process_.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

RunningApp::~RunningApp() {
  if (!process_.hProcess) return;
  if (!Close(10000)) {
    TerminateProcess(process_.hProcess, 1);
    WaitForSingleObject(process_.hProcess, 5000);
  }
  CloseHandle(process_.hThread);
  CloseHandle(process_.hProcess);
}

HWND FindFormWindow(DWORD processId, FormId form, DWORD timeoutMs) {
  const char* caption = FormOf(form).caption;
  HWND found = nullptr;
  WaitFor([&] {
    for (HWND window : TopWindowsOf(processId, "PrepKitForm"))
      if (TextOf(window) == caption) {
        found = window;
        return true;
      }
    return false;
  }, timeoutMs);
  return found;
}

HWND Control(HWND window, FormId form, const char* name) {
  int index = ControlIndex(FormOf(form), name);
  if (index < 0) return nullptr;
  ChildSearch search{kFirstControlId + index, nullptr};
  EnumChildWindows(window, FindChild, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::string TextOf(HWND window) {
  char text[4096] = {};
  DWORD_PTR length = 0;
  SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 5000, &length);
  return text;
}

void Click(HWND button) {
  DWORD_PTR ignored;
  SendMessageTimeoutA(button, BM_CLICK, 0, 0, SMTO_NORMAL, 10000, &ignored);
}

void ClickLater(HWND button) { PostMessageA(button, BM_CLICK, 0, 0); }

bool IsTicked(HWND checkBox) { return SendMessageA(checkBox, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void ShowPage(HWND tabControl, int page) {
  for (int step = 0; step < 8; ++step) {
    int current = static_cast<int>(SendMessageA(tabControl, TCM_GETCURSEL, 0, 0));
    if (current == page) break;
    PostMessageA(tabControl, WM_KEYDOWN, current < page ? VK_RIGHT : VK_LEFT, 0);
    Settle(tabControl);
  }
}

int CheckListCount(HWND list) { return static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0)); }
bool CheckListTicked(HWND list, int index) { return SendMessageA(list, LB_GETITEMDATA, index, 0) == 1; }
int CheckListCurrent(HWND list) { return static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0)); }

void ClickCheckListBox(HWND list, int index) {
  int height = static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
  int top = static_cast<int>(SendMessageA(list, LB_GETTOPINDEX, 0, 0));
  LPARAM point = MAKELPARAM(8, (index - top) * height + height / 2);
  PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, point);
  PostMessageA(list, WM_LBUTTONUP, 0, point);
  Settle(list);
}

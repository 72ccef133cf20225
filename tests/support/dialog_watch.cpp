#include "tests/support/dialog_watch.h"

namespace {
struct Search {
  DWORD processId;
  HWND found;
};

BOOL CALLBACK FindDialog(HWND window, LPARAM param) {
  Search* search = reinterpret_cast<Search*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  char cls[64] = {};
  GetClassNameA(window, cls, sizeof cls);
  if (pid == search->processId && IsWindowVisible(window) && lstrcmpA(cls, "#32770") == 0) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

std::string WindowText(HWND window) {
  int length = GetWindowTextLengthA(window);
  std::string text(length + 1, '\0');
  GetWindowTextA(window, &text[0], length + 1);
  text.resize(lstrlenA(text.c_str()));
  return text;
}
// The icon static's id differs between Windows (0x14) and Wine: look for the style instead.
BOOL CALLBACK FindIconChild(HWND child, LPARAM param) {
  if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
    *reinterpret_cast<HICON*>(param) = reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
    return FALSE;
  }
  return TRUE;
}

HICON FindIcon(HWND box) {
  HICON icon = nullptr;
  EnumChildWindows(box, FindIconChild, reinterpret_cast<LPARAM>(&icon));
  return icon;
}
}  // namespace

SeenDialog AnswerDialog(DWORD processId, int button, DWORD timeoutMs) {
  SeenDialog seen;
  DWORD start = GetTickCount();
  Search search{processId, nullptr};
  while (GetTickCount() - start < timeoutMs) {
    search.found = nullptr;
    EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&search));
    if (search.found) break;
    Sleep(50);
  }
  if (!search.found) return seen;
  Sleep(100);  // let the box finish laying out its controls
  seen.found = true;
  seen.caption = WindowText(search.found);
  HWND textControl = GetDlgItem(search.found, 0xFFFF);
  if (textControl) seen.text = WindowText(textControl);
  seen.icon = FindIcon(search.found);
  HWND pressed = GetDlgItem(search.found, button);
  if (pressed) SendMessageA(pressed, BM_CLICK, 0, 0);
  else PostMessageA(search.found, WM_COMMAND, button, 0);
  return seen;
}

DialogAnswerer::DialogAnswerer(int button, DWORD timeoutMs) : button_(button), timeoutMs_(timeoutMs) {
  thread_ = CreateThread(nullptr, 0, Thread, this, 0, nullptr);
}

DialogAnswerer::~DialogAnswerer() { Result(); }

SeenDialog DialogAnswerer::Result() {
  if (thread_) {
    WaitForSingleObject(thread_, INFINITE);
    CloseHandle(thread_);
    thread_ = nullptr;
  }
  return seen_;
}

DWORD WINAPI DialogAnswerer::Thread(void* self) {
  DialogAnswerer* me = static_cast<DialogAnswerer*>(self);
  me->seen_ = AnswerDialog(GetCurrentProcessId(), me->button_, me->timeoutMs_);
  return 0;
}

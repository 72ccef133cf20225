#include "tests/support/dialog_watch.h"

#include "tests/support/process_windows.h"

namespace {
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
  HWND box = WaitForTopWindow(processId, "#32770", timeoutMs);
  if (!box) return seen;
  Sleep(100);  // let the box finish laying out its controls
  seen.found = true;
  seen.caption = WindowText(box);
  HWND textControl = GetDlgItem(box, 0xFFFF);
  if (textControl) seen.text = WindowText(textControl);
  seen.icon = FindIcon(box);
  HWND pressed = GetDlgItem(box, button);
  if (pressed) SendMessageA(pressed, BM_CLICK, 0, 0);
  else PostMessageA(box, WM_COMMAND, button, 0);
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

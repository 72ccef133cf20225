#include "app/program.h"

#include <cstdlib>

#include "app/form_window.h"
#include "app/forms.h"

HFONT buttonFont = nullptr;

int ProgramMain() {
  // The process-wide objects come first; the skin library is mapped before any
  // window exists, so the main window's creation step can attach the skin.
  std::atexit(ExitCleanup);
  buttonFont = CreateFontA(12, 0, 0, 0, FW_NORMAL, 0, 0, 0, GB2312_CHARSET, 0, 0, 0, 0, "宋体");
  OpenWindow(FormId::Main, false);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (TranslateFormMessage(&message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}

void ExitCleanup() {
  static bool done = false;
  if (done) return;
  done = true;
  // Tells a watching debugger (the end-to-end tests) that the clean-up ran.
  OutputDebugStringA("PrepKit: exit clean-up");
}

#include "system/processes.h"

#include <windows.h>

#include <new>
#include <string>
#include <vector>

#include "system/scoped.h"

namespace {

WORD ShowWindowFor(int showMode) {
  static const WORD kShow[] = {SW_HIDE, SW_SHOWNORMAL, SW_SHOWMINIMIZED,
                               SW_SHOWMAXIMIZED, SW_SHOWNOACTIVATE, SW_MINIMIZE};
  if (showMode < 1) showMode = 1;
  if (showMode > 6) showMode = 6;
  return kShow[showMode - 1];
}

// No inherited handles: a child holding the parent's pipes open keeps them from
// ever reporting their end.
bool Start(std::string_view commandLine, int showMode, PROCESS_INFORMATION* started) {
  if (commandLine.empty()) return false;
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = ShowWindowFor(showMode);
  // CreateProcessA may write into the command line: it gets a copy of its own.
  std::vector<char> line(commandLine.begin(), commandLine.end());
  line.push_back('\0');
  *started = {};
  return CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        started) != FALSE;
}

// Input arriving while the thread waits is dropped, as clicks on a disabled window
// are: left queued it would act on the program once the wait ends. Paint and timer
// messages go through so that the windows keep drawing themselves and the clock
// keeps ticking. Sent messages are handled by every PeekMessage call.
void DispatchWhileWaiting() {
  MSG message;
  // A window that never validates itself would keep its WM_PAINT coming: a bounded
  // number per wake keeps the wait from spinning inside this loop.
  for (int i = 0; i < 256 && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE | PM_QS_INPUT); ++i) {}
  for (int i = 0; i < 64 && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE | PM_QS_PAINT); ++i)
    DispatchMessageA(&message);
  for (int i = 0; i < 64 && PeekMessageA(&message, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE); ++i)
    DispatchMessageA(&message);
}

struct ThreadStart {
  ThreadProcedure procedure;
  void* context;
};

DWORD WINAPI RunThread(void* parameter) {
  ThreadStart start = *static_cast<ThreadStart*>(parameter);
  delete static_cast<ThreadStart*>(parameter);
  try {
    start.procedure(start.context);
  } catch (...) {
    // nothing may leave a thread routine
  }
  return 0;
}

}  // namespace

bool RunProgram(std::string_view commandLine, bool wait, int showMode) {
  PROCESS_INFORMATION started;
  if (!Start(commandLine, showMode, &started)) return false;
  ScopedHandle thread(started.hThread);
  ScopedHandle process(started.hProcess);
  if (wait) WaitForSingleObject(process.Get(), INFINITE);
  else WaitForInputIdle(process.Get(), 1000);  // a console program ends this wait at once
  thread.Reset();
  return true;
}

bool RunProgramAndWait(std::string_view commandLine, int showMode, unsigned long* exitCode) {
  PROCESS_INFORMATION started;
  if (!Start(commandLine, showMode, &started)) return false;
  ScopedHandle thread(started.hThread);
  ScopedHandle process(started.hProcess);
  HANDLE waitFor = process.Get();
  for (;;) {
    DWORD woke = MsgWaitForMultipleObjects(1, &waitFor, FALSE, INFINITE,
                                           QS_PAINT | QS_TIMER | QS_SENDMESSAGE | QS_INPUT);
    if (woke == WAIT_OBJECT_0) break;
    if (woke != WAIT_OBJECT_0 + 1) return false;
    DispatchWhileWaiting();
  }
  DWORD code = 0;
  if (!GetExitCodeProcess(process.Get(), &code)) return false;
  if (exitCode) *exitCode = code;
  return true;
}

bool StartThread(ThreadProcedure procedure, void* context) {
  if (!procedure) return false;
  ThreadStart* start = new (std::nothrow) ThreadStart{procedure, context};
  if (!start) return false;
  HANDLE thread = CreateThread(nullptr, 0, RunThread, start, 0, nullptr);
  if (!thread) {
    delete start;
    return false;
  }
  CloseHandle(thread);
  return true;
}

void Pause(int milliseconds) { Sleep(milliseconds < 0 ? 0 : static_cast<DWORD>(milliseconds)); }

// Drives a running PrepKit.exe from another process, through its windows, as a
// user would: finds windows and controls, clicks, ticks, switches pages, reads.
#pragma once
#include <windows.h>

#include <string>

#include "app/forms.h"

// The PrepKit.exe beside the folder of this test program (build/<arch>/).
std::string ProgramPath();

class RunningApp {
 public:
  // Starts the program (optionally under this thread as its debugger) and waits
  // until its main window is shown and idle.
  explicit RunningApp(bool debugged = false);
  ~RunningApp();  // closes the program if it still runs; kills it if it will not end
  RunningApp(const RunningApp&) = delete;
  RunningApp& operator=(const RunningApp&) = delete;

  bool Started() const { return mainWindow_ != nullptr; }
  DWORD ProcessId() const { return process_.dwProcessId; }
  HANDLE Process() const { return process_.hProcess; }
  HWND MainWindow() const { return mainWindow_; }
  // Waits for the main window (a debugged program needs its events pumped first).
  HWND WaitForMainWindow(DWORD timeoutMs = 20000);
  // Posts WM_CLOSE to the main window and waits for the process to end.
  bool Close(DWORD timeoutMs = 15000);

 private:
  PROCESS_INFORMATION process_ = {};
  HWND mainWindow_ = nullptr;
};

// A visible top-level window of the process built from the given form, or null.
HWND FindFormWindow(DWORD processId, FormId form, DWORD timeoutMs = 10000);
// The control of a live window by the name its form gives it (any depth), or null.
HWND Control(HWND window, FormId form, const char* name);

std::string TextOf(HWND window);
// A click that returns when the handler has returned; for handlers that do not block.
void Click(HWND button);
// A click that does not wait: for handlers that show a box or a modal window.
void ClickLater(HWND button);
bool IsTicked(HWND checkBox);

// Page switching the way the keyboard does it on the tab control.
void ShowPage(HWND tabControl, int page);

// The check list, read and worked through its own messages.
int CheckListCount(HWND list);
bool CheckListTicked(HWND list, int index);
int CheckListCurrent(HWND list);
// Presses and releases the left button on the item's tick box.
void ClickCheckListBox(HWND list, int index);

// Polls `done` every 50 ms until it holds or the time is up.
template <typename Condition>
bool WaitFor(Condition done, DWORD timeoutMs = 5000) {
  DWORD start = GetTickCount();
  for (;;) {
    if (done()) return true;
    if (GetTickCount() - start > timeoutMs) return false;
    Sleep(50);
  }
}

// Finds a message box (#32770) of a given process, reads it and presses a button:
// what a user would do, for tests that run code which shows a task-modal box.
#pragma once
#include <windows.h>

#include <string>

struct SeenDialog {
  bool found = false;
  std::string caption;
  std::string text;  // the static control with id 0xFFFF
  HICON icon = nullptr;  // compare with LoadIcon(nullptr, IDI_HAND / IDI_ASTERISK)
};

// Waits up to timeoutMs for a visible #32770 of the process, reads it and presses `button`.
SeenDialog AnswerDialog(DWORD processId, int button = IDOK, DWORD timeoutMs = 10000);

// Runs AnswerDialog for this process on a thread of its own, so that the calling
// thread can run code that blocks in a message box; Result() joins the thread.
class DialogAnswerer {
 public:
  explicit DialogAnswerer(int button = IDOK, DWORD timeoutMs = 10000);
  ~DialogAnswerer();
  SeenDialog Result();

 private:
  static DWORD WINAPI Thread(void* self);
  int button_;
  DWORD timeoutMs_;
  SeenDialog seen_;
  HANDLE thread_ = nullptr;
};

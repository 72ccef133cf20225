// Starting programs and threads.
#pragma once
#include <string_view>

// Show modes: 1 hide, 2 normal (default), 3 minimised, 4 maximised, 5 no-activate,
// 6 minimise; above 6 counts as 6, below 1 as 1. Handles are not inherited.
// Without wait, waits at most 1000 ms for the program to become idle.
// True when the process was created.
bool RunProgram(std::string_view commandLine, bool wait, int showMode = 2);

// Starts the command line and waits for it to end while the calling thread keeps
// dispatching paint and timer messages, so its windows repaint. Keyboard and mouse
// input arriving meanwhile is dropped, as on a disabled window; other posted
// messages stay queued. True with *exitCode set when the process ran to its end.
bool RunProgramAndWait(std::string_view commandLine, int showMode, unsigned long* exitCode);

using ThreadProcedure = void (*)(void* context);
// A detached thread running procedure(context); nothing waits for it.
bool StartThread(ThreadProcedure procedure, void* context = nullptr);

// Sleep; a negative count is taken as 0.
void Pause(int milliseconds);

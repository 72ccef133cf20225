// Start-up and the end of the program.
#pragma once
#include <windows.h>

// The fallback caption font of the icon buttons; lives until the process ends.
extern HFONT buttonFont;

// Creates the process-wide objects, opens the main window and runs the message
// loop; returns 0 once the last window has gone. OLE must already be initialised
// on this thread and the current directory be the program's folder.
int ProgramMain();

// Releases the process-wide objects that own memory; registered by ProgramMain,
// runs once at program end.
void ExitCleanup();

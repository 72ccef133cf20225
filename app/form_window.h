// Building live windows from their forms, and opening them.
#pragma once
#include <windows.h>

#include "app/forms.h"

// A new instance of the window with every control as the form gives it; its
// Created handler has run; not yet shown. Null on failure.
HWND BuildWindow(FormId id);

// Builds the window anew and shows it centred on the screen. Modal: returns once
// the window is closed, and every other top-level window of the program takes no
// input meanwhile.
void OpenWindow(FormId id, bool modal);

// Sends the message on to the dialog manager of the window's form, for keyboard
// navigation; true when it was used up.
bool TranslateFormMessage(MSG* message);

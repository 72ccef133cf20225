// The few UxTheme calls the program uses, looked up at run time so that the
// program also starts where uxtheme.dll is missing or themes are unavailable.
#pragma once
#include <windows.h>

// Opaque theme handle (HTHEME).
using ThemeHandle = HANDLE;

// Null when the library or the call is unavailable, themes are off, or the
// window has theming switched off.
ThemeHandle OpenButtonTheme(HWND window);
// False when the call is unavailable or fails.
bool DrawThemedBackground(ThemeHandle theme, HDC dc, int part, int state, const RECT& rect);
void CloseTheme(ThemeHandle theme);
// Switches visual styles off for one window (SetWindowTheme with blank names: empty
// ones are refused by some implementations);
// false when the call is unavailable.
bool SwitchOffWindowTheme(HWND window);

// The cleanup window's two buttons, bound to the junk analysis and cleaning.
#pragma once
#include <windows.h>

void OnAnalyseJunk(HWND window, HWND control);
void OnCleanJunk(HWND window, HWND control);

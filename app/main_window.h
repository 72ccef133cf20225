// The shell's own handlers of the main window.
#pragma once
#include <windows.h>

// The web page the credit label opens.
extern const char* const kMakerPageUrl;

// The main window's creation step: initial control states, clock, IP, user name, countdown.
void OnMainWindowCreated(HWND window, HWND control);
// 按钮12: the cleanup window, modal, built anew each time.
void OpenCleanupWindow(HWND window, HWND control);
// 标签12: the maker's page in the browser.
void OpenMakerPage(HWND window, HWND control);

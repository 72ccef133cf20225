// The miscellany tab's tool buttons, bound to the carried-tool launcher.
#pragma once
#include <windows.h>

void OnStartUninstaller(HWND window, HWND control);          // 按钮13
void OnStartInputMethodManager(HWND window, HWND control);   // 按钮14
void OnStartAdministratorCheck(HWND window, HWND control);   // 按钮15
void OnReregisterMediaPlayerBand(HWND window, HWND control);  // 按钮16
void OnStartFileSystemConverter(HWND window, HWND control);  // 按钮17
void OnStartDiskDefragmenter(HWND window, HWND control);     // 按钮18

// The main window's status strip, hover tips and icon buttons, bound to its
// controls by name: steps of the creation step and the event handlers.
#pragma once
#include <windows.h>

// Creation step: the external IP into 标签7 (waits for the download).
void ShowExternalIp(HWND window);
// Creation step: the first countdown into 编辑框4, before the first tick.
void ShowFirstCountdown(HWND window);
// Creation step: the eight tool buttons become violet icon buttons, and the
// balloon-tip component gets its settings.
void SetUpToolButtons(HWND window);

// 时钟1 tick: the clock into 标签6.
void TickClock(HWND window, HWND control);
// 时钟2 tick: the countdown into 编辑框4.
void TickCountdown(HWND window, HWND control);
// Mouse moved over one of 按钮11 to 按钮18: (re)registers its help text.
void ShowToolButtonTip(HWND window, HWND control);

// For the hidden-files handler of 按钮11: its tip reads "禁止" until the pointer
// next moves over it. `window` may be the main window or any control in it.
void ForbidHiddenFilesTip(HWND window);

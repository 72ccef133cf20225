#include "app/tool_handlers.h"

#include "tools/launcher.h"

// The launcher takes nothing from the window.
void OnStartUninstaller(HWND, HWND) { StartUninstaller(); }
void OnStartInputMethodManager(HWND, HWND) { StartInputMethodManager(); }
void OnStartAdministratorCheck(HWND, HWND) { StartAdministratorCheck(); }
void OnReregisterMediaPlayerBand(HWND, HWND) { ReregisterMediaPlayerBand(); }
void OnStartFileSystemConverter(HWND, HWND) { StartFileSystemConverter(); }
void OnStartDiskDefragmenter(HWND, HWND) { StartDiskDefragmenter(); }

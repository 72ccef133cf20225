// The relocation, automatic-logon and hidden-files buttons, bound to profile/.
#pragma once
#include <windows.h>

void OnChooseRelocationTarget(HWND window, HWND control);  // 按钮4
void OnRelocateFolders(HWND window, HWND control);         // 按钮5
void OnCreateDocumentsFolder(HWND window, HWND control);   // 按钮6
void OnRestoreDefaultFolders(HWND window, HWND control);   // 按钮7
void OnSetAutoLogon(HWND window, HWND control);            // 按钮8
void OnCancelAutoLogon(HWND window, HWND control);         // 按钮9
void OnOpenUserAccounts(HWND window, HWND control);        // 按钮10
void OnToggleHiddenFilesMenu(HWND window, HWND control);   // 按钮11

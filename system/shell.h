// Special folders, the folder picker, the shell, the environment.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// 1 My Documents, 2 Favorites, 3 desktop directory, 4 fonts, 5 Start menu,
// 6 Programs, 7 Startup, 8 application data, 9 Windows, 10 system, 11 temporary.
using SpecialFolder = int;

// The directory with exactly one trailing backslash; empty for other codes or failure.
std::string GetSpecialFolder(SpecialFolder code);

// The chosen folder as the shell spells it; empty when cancelled or not a
// file-system folder. The program's top-level windows are disabled meanwhile.
std::string BrowseForFolder(std::string_view prompt, bool includeFiles = false);

// Verbs: 1 edit, 2 explore, 3 find, 4 open, 5 print, other: the default verb.
// Show modes: 1 hide, 2 normal, 3 minimised, 4 maximised, 5 show-NA, 6 minimise;
// other values normal. Returns what ShellExecuteA returns.
std::intptr_t ShellOpen(int verb, std::string_view file, std::string_view parameters = {},
                        std::string_view directory = {}, int showMode = 0);

void OpenUrl(std::string_view url);

// The value the process started with; the name compares without case. Empty when unset.
std::string ReadEnvironment(std::string_view name);

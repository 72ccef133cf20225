// Path texts in code page 936. Portable: no Windows calls.
#pragma once
#include <string>
#include <string_view>

// The folder holding the path's last element, with its trailing backslash:
// "X:\Profiles\Admin\Start Menu\" gives "X:\Profiles\Admin\". A trailing
// backslash of the path is dropped first; a second byte 0x5C of a double-byte
// character is never taken for a separator. Empty when there is no backslash.
std::string ParentDirectory(std::string_view path);

// "X:\..." or "\\server\...": never a name that would resolve against the
// current directory or the current drive.
bool IsAbsolutePath(std::string_view path);

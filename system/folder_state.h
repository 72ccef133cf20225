// Questions about a folder on disk, asked without changing anything.
#pragma once
#include <string_view>

// True when the path names an existing directory (a trailing backslash is allowed).
bool FolderExists(std::string_view path);

// True when the directory holds at least one file or folder; false when it is
// empty, missing or unreadable.
bool FolderHasEntries(std::string_view path);

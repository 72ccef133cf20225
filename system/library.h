// Calling an export of a DLL on disk.
#pragma once
#include <string_view>

// Loads the library, calls its argument-less stdcall export (a COM self-registration
// entry such as DllRegisterServer) when it has one, and unloads it again.
// True when the export was found and called.
bool CallLibraryExport(std::string_view libraryPath, const char* exportName);

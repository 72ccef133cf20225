// Where each kind of junk lives.
#pragma once
#include <string>

struct JunkPaths {
  std::string tempPath;           // GetTempPathA, with its trailing backslash
  std::string windowsTempPath;    // the Windows directory's "temp", no trailing backslash
  std::string internetCachePath;  // Temporary Internet Files, with a trailing backslash
  std::string historyPath;        // the three below sit in the profile folder,
  std::string recentPath;         // the parent of the Start menu; all three are
  std::string cookiesPath;        // empty when that folder cannot be found
};

// 0 counts as 3; 1 to 11 as GetSpecialFolder resolves them; 12 the Temporary
// Internet Files folder. Ends with a backslash; empty for other codes or failure.
std::string GetShellPath(int code);

// Works the six locations out afresh. A location that cannot be found stays empty.
JunkPaths LocateJunkPaths();

// The locations of the last analysis in this process, empty before the first.
// Written and read on the user-interface thread only; cleaning tasks get copies.
JunkPaths& LastJunkPaths();

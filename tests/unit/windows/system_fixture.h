// Scratch folders, Unix links and small file helpers for the system-service tests.
#pragma once
#include <windows.h>

#include <string>

// Folders live under C:\prepkit-test-sys\<name>, made fresh by the constructor
// and removed (through the wide API, independent of the code under test) after.
struct ScratchFolder {
  explicit ScratchFolder(const std::string& name);
  ~ScratchFolder();
  std::string path;  // no trailing backslash
  std::string operator/(const std::string& entry) const { return path + "\\" + entry; }
};

bool RunningUnderWine();

// A directory link at `link` pointing at `target` (both ASCII Windows paths): a
// Unix symbolic link under Wine (seen as a directory reparse point), a junction
// on Windows.
bool MakeDirectoryLink(const std::string& link, const std::string& target);

// A drive letter whose root is `target` (a dosdevices link under Wine).
bool MapDrive(char letter, const std::string& target);
void UnmapDrive(char letter);

bool MakeFile(const std::string& path, const std::string& bytes = "x");
bool Exists(const std::string& path);
std::string ReadWholeFile(const std::string& path);
// Removes a tree through the wide API without following links (test clean-up only).
void WipeTree(const std::wstring& path);

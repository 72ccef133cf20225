// Real folders, links and recycle-bin items for the cleanup tests, made inside the
// Wine prefix; and a stand-in for the cleanup window's controls.
#pragma once
#include <windows.h>
#include <ole2.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "cleanup/cleanup_view.h"

// The six boxes, the five figures and the hint, with every write recorded.
class TestView : public CleanupView {
 public:
  TestView(std::initializer_list<JunkKind> tickedKinds = {});
  bool IsTicked(JunkKind kind) const override { return ticked[static_cast<int>(kind)]; }
  void SetFigure(JunkKind kind, std::string_view text) override;
  void SetHint(std::string_view text) override;

  bool ticked[kJunkKindCount] = {};
  std::string figures[kJunkKindCount];
  std::string hint;
  std::vector<std::string> writes;  // "figure N" or "hint", in order
};

// OLE on the test thread, as the program's user-interface thread has it.
struct OleSession {
  OleSession() { OleInitialize(nullptr); }
  ~OleSession() { OleUninitialize(); }
};

// A file of exactly `bytes` bytes (sparse where the host allows), its folders made.
bool WriteSizedFile(const std::string& path, std::uint64_t bytes, DWORD attributes = 0);
bool MakeFolders(const std::string& path);
bool Exists(const std::string& path);
// Everything inside the folder and the folder itself; links are removed, not entered.
void RemoveTestTree(const std::string& path);
// Empties the folder, or creates it empty.
void ResetFolder(const std::string& path);
// A directory symbolic link, made on the host side (Wine reports it as a reparse point).
bool MakeDirectoryLink(const std::string& link, const std::string& target);

// Redirects GetTempPathA of this process to the folder (TMP and TEMP).
void UseTempFolder(const std::string& folder);

// The recycle bin is the host's XDG trash: only touch it when the test environment
// has put that trash under the build tree.
bool RecycleBinBelongsToTests();
bool MoveToRecycleBin(const std::string& path);
std::int64_t RecycleBinItemCount();
void EmptyTestRecycleBin();

// Waits until every cleaning task has ended; false after the time limit.
bool WaitForCleaningTasks(DWORD timeoutMs = 30000);

// Folders as the shell reports them, each with a trailing backslash; made if missing.
std::string ShellFolder(int csidl);
// The folder holding the Start menu, where cookies, history and recent documents live.
std::string ProfileFolderOfStartMenu();

// The junk folders of the test prefix, emptied, with the temp folder of this process
// (and of the programs it starts) redirected to `temp`.
struct JunkFolders {
  explicit JunkFolders(const std::string& tempFolder);
  std::string temp, windowsTemp, cache, cookies, history, recent;
};

// A watcher for a message box of this process: when it appeared, its owner and
// what it said; it presses OK.
struct SeenReminder {
  bool found = false;
  DWORD shownAfterMs = 0;
  HWND owner = nullptr;
  std::string caption, text;
  HICON icon = nullptr;
};
class ReminderWatch {
 public:
  ReminderWatch();
  ~ReminderWatch();
  SeenReminder Result();

 private:
  static DWORD WINAPI Thread(void* self);
  DWORD start_;
  SeenReminder seen_;
  HANDLE thread_;
};

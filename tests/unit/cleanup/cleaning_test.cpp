#include <doctest/doctest.h>

#include <windows.h>
#include <shlobj.h>

#include <string>

#include "cleanup/analysis.h"
#include "cleanup/cleaning.h"
#include "cleanup/junk_paths.h"
#include "cleanup/process_windows.h"
#include "cleanup/texts.h"
#include "tests/support/registry_probe.h"
#include "tests/unit/cleanup/junk_fixture.h"

namespace {
const std::string kTemp = "C:\\prepkit-cleanup\\temp\\";
const std::string kOutside = "C:\\prepkit-cleanup\\outside\\";

std::string WindowsTemp() {
  char windows[MAX_PATH] = {};
  GetWindowsDirectoryA(windows, MAX_PATH);
  return std::string(windows) + "\\temp\\";
}

// A visible top-level window standing in for the cleanup window.
struct StandInWindow {
  HWND handle;
  StandInWindow() {
    handle = CreateWindowExA(0, "STATIC", "垃圾清理释放磁盘空间", WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, 100, 100, 192, 214,
                             nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  }
  ~StandInWindow() { DestroyWindow(handle); }
};

void CleanAndAnswer(CleanupView& view, SeenReminder* seen = nullptr) {
  ReminderWatch watch;
  CleanJunk(view);
  SeenReminder result = watch.Result();
  if (seen) *seen = result;
  CHECK(result.found);
  CHECK(WaitForCleaningTasks());
}
}  // namespace

TEST_CASE("Cleaning temporary files empties both temp folders and never follows a link") {
  OleSession ole;
  UseTempFolder(kTemp);
  const std::string windowsTemp = WindowsTemp();
  ResetFolder(kTemp);
  ResetFolder(windowsTemp);
  ResetFolder(kOutside);
  const char* goes[] = {"a.tmp", "sub\\b.tmp", "sub\\deeper\\c.tmp", "hidden.tmp", "keep\\deletable.tmp",
                        "dots\\other.tmp"};
  for (const char* name : goes) REQUIRE(WriteSizedFile(kTemp + name, 1000));
  REQUIRE(SetFileAttributesA((kTemp + "hidden.tmp").c_str(), FILE_ATTRIBUTE_HIDDEN));
  REQUIRE(MakeFolders(kTemp + "empty\\emptier"));
  REQUIRE(WriteSizedFile(kTemp + "keep\\locked.txt", 10, FILE_ATTRIBUTE_READONLY));
  REQUIRE(WriteSizedFile(kTemp + "dots\\.config", 10));
  REQUIRE(WriteSizedFile(windowsTemp + "w.tmp", 1000));
  REQUIRE(WriteSizedFile(windowsTemp + "wsub\\x.tmp", 1000));
  // The canary: a folder outside the junk, reached through a link inside it.
  REQUIRE(WriteSizedFile(kOutside + "precious.txt", 1234));
  REQUIRE(WriteSizedFile(kOutside + "inner\\precious2.txt", 99));
  REQUIRE(MakeDirectoryLink(kTemp + "link to outside", kOutside));

  TestView analysing;
  AnalyseJunk(analysing);
  // The window is closed and opened again: new boxes, the analysis still counts.
  TestView reopened{JunkKind::TempFiles};
  CleanAndAnswer(reopened);

  for (const char* name : goes) CHECK_MESSAGE(!Exists(kTemp + name), name);
  CHECK(!Exists(kTemp + "sub"));
  CHECK(!Exists(kTemp + "empty"));
  // Windows removes the link itself; Wine refuses to remove a link to a folder
  // that is not empty. Either way what it points at stays whole.
  CHECK(Exists(kTemp + "keep\\locked.txt"));
  CHECK(Exists(kTemp + "dots\\.config"));
  CHECK(!Exists(windowsTemp));  // emptied, then removed itself
  CHECK(Exists(kOutside + "precious.txt"));
  CHECK(Exists(kOutside + "inner\\precious2.txt"));
  CHECK(reopened.writes.empty());

  RemoveTestTree(kTemp);
  RemoveTestTree(kOutside);
  MakeFolders(windowsTemp.substr(0, windowsTemp.size() - 1));
}

TEST_CASE("Each of cookies, history and recent documents is cleaned by its own box only") {
  OleSession ole;
  UseTempFolder(kTemp);
  std::string profile = ProfileFolderOfStartMenu();
  struct Case {
    JunkKind kind;
    std::string folder;
  } cases[] = {
      {JunkKind::Cookies, profile + "Cookies\\"},
      {JunkKind::History, profile + "LOCAL SETTINGS\\History\\"},
      {JunkKind::RecentDocuments, profile + "Recent\\"},
  };
  for (const Case& ticked : cases) {
    CAPTURE(ticked.folder);
    for (const Case& c : cases) {
      ResetFolder(c.folder);
      REQUIRE(WriteSizedFile(c.folder + "item.dat", 100));
      REQUIRE(WriteSizedFile(c.folder + "sub\\item2.dat", 100));
    }
    TestView analysing;
    AnalyseJunk(analysing);
    TestView view{ticked.kind};
    CleanAndAnswer(view);
    for (const Case& c : cases) CHECK_MESSAGE(Exists(c.folder) == (c.kind != ticked.kind), c.folder);
  }
  for (const Case& c : cases) ResetFolder(c.folder);
}

TEST_CASE("A running task keeps the locations it was started with") {
  OleSession ole;
  UseTempFolder(kTemp);
  const std::string decoy = "C:\\prepkit-cleanup\\decoy\\";
  ResetFolder(kTemp);
  ResetFolder(decoy);
  for (int i = 0; i < 200; ++i) REQUIRE(WriteSizedFile(kTemp + "f" + std::to_string(i) + ".tmp", 10));
  REQUIRE(WriteSizedFile(decoy + "must stay.txt", 10));
  TestView analysing;
  AnalyseJunk(analysing);

  bool ticked[kJunkKindCount] = {true, false, false, false, false, false};
  StartCleaningTasks(ticked, LastJunkPaths());
  // A new analysis (here: new locations) while the task runs must not redirect it.
  LastJunkPaths() = {decoy, decoy, decoy, decoy, decoy, decoy};
  REQUIRE(WaitForCleaningTasks());
  CHECK(!Exists(kTemp));
  CHECK(Exists(decoy + "must stay.txt"));
  RemoveTestTree(decoy);
  MakeFolders(WindowsTemp().substr(0, WindowsTemp().size() - 1));
}

TEST_CASE("With nothing ticked 清理完毕 comes after half a second, owned by the window, and nothing goes") {
  OleSession ole;
  UseTempFolder(kTemp);
  ResetFolder(kTemp);
  REQUIRE(WriteSizedFile(kTemp + "a.tmp", 10));
  REQUIRE(WriteSizedFile(WindowsTemp() + "w.tmp", 10));
  std::string cache = ShellFolder(CSIDL_INTERNET_CACHE);
  REQUIRE(WriteSizedFile(cache + "page.htm", 10));
  TestView analysing;
  AnalyseJunk(analysing);

  StandInWindow window;
  REQUIRE(window.handle);
  TestView view;
  SeenReminder seen;
  CleanAndAnswer(view, &seen);
  CHECK(seen.text == kCleaningDone);
  CHECK(seen.caption == kReminderCaption);
  CHECK(seen.icon == LoadIcon(nullptr, IDI_ASTERISK));
  CHECK(seen.owner == window.handle);
  CHECK(seen.shownAfterMs >= 450);
  CHECK(Exists(kTemp + "a.tmp"));
  CHECK(Exists(WindowsTemp() + "w.tmp"));
  CHECK(Exists(cache + "page.htm"));
  CHECK(view.writes.empty());
  RemoveTestTree(kTemp);
  DeleteFileA((WindowsTemp() + "w.tmp").c_str());
  DeleteFileA((cache + "page.htm").c_str());
}

TEST_CASE("The reminder is owned by the topmost visible window of the process, or by none") {
  CHECK(FindProcessWindow(GetCurrentProcessId()) == nullptr);
  {
    SeenReminder seen;
    ReminderWatch watch;
    CHECK(ShowReminder("x") == 0);
    seen = watch.Result();
    CHECK(seen.found);
    CHECK(seen.owner == nullptr);
  }
  StandInWindow lower, upper;
  SetWindowPos(upper.handle, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  CHECK(FindProcessWindow(GetCurrentProcessId()) == upper.handle);
  ShowWindow(upper.handle, SW_HIDE);
  CHECK(FindProcessWindow(GetCurrentProcessId()) == lower.handle);
  CHECK(FindProcessWindow(0xFFFFFFF0u) == nullptr);

  // The process-wide list is handed over and emptied each time.
  size_t first = ListVisibleWindows().size();
  CHECK(first > 0);
  CHECK(ListVisibleWindows().size() == first);
  for (const WindowInfo& info : ListVisibleWindows()) CHECK(IsWindowVisible(info.handle));
}

TEST_CASE("The recycle-bin task empties every bin without asking") {
  if (!RecycleBinBelongsToTests()) {
    MESSAGE("skipped: the recycle bin is not the test environment's own (run through run-in-wine.sh)");
    return;
  }
  OleSession ole;
  UseTempFolder(kTemp);
  ResetFolder(kTemp);
  for (const char* name : {"one.txt", "two.txt"}) {
    REQUIRE(WriteSizedFile(kTemp + name, 10));
    REQUIRE(MoveToRecycleBin(kTemp + name));
  }
  REQUIRE(RecycleBinItemCount() >= 2);
  TestView view{JunkKind::RecycleBins};
  CleanAndAnswer(view);  // a confirmation question would keep the task from ending
  CHECK(RecycleBinItemCount() == 0);
  CHECK(Exists(kTemp));
  RemoveTestTree(kTemp);
}

namespace {
// Makes the shell unable to resolve the Start menu, and puts it back.
class StartMenuUnresolvable {
 public:
  StartMenuUnresolvable() : saved_(ReadStoredValue(HKEY_CURRENT_USER, kFolders, "Start Menu")) {
    const char relative[] = "Start Menu";
    SetRaw(HKEY_CURRENT_USER, kFolders, "Start Menu", REG_EXPAND_SZ, relative, sizeof relative);
  }
  ~StartMenuUnresolvable() {
    if (saved_.present)
      SetRaw(HKEY_CURRENT_USER, kFolders, "Start Menu", saved_.type, saved_.bytes.data(),
             static_cast<DWORD>(saved_.bytes.size()));
  }

 private:
  static constexpr const char* kFolders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
  StoredValue saved_;
};
}  // namespace

TEST_CASE("Without a profile folder cookies, history and recent documents measure 0 and nothing is cleaned") {
  OleSession ole;
  UseTempFolder(kTemp);
  // What the three bare names would reach from the current directory.
  const std::string current = "C:\\prepkit-cleanup\\current\\";
  const char* bystanders[] = {"Cookies\\c.txt", "Recent\\r.lnk", "LOCAL SETTINGS\\History\\h.dat"};
  ResetFolder(current);
  for (const char* name : bystanders) REQUIRE(WriteSizedFile(current + name, 4096));
  char previous[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, previous);
  REQUIRE(SetCurrentDirectoryA(current.c_str()));
  {
    StartMenuUnresolvable unresolvable;
    REQUIRE(ShellFolder(CSIDL_STARTMENU).empty());
    TestView view{JunkKind::Cookies, JunkKind::History, JunkKind::RecentDocuments};
    AnalyseJunk(view);
    CHECK(LastJunkPaths().cookiesPath.empty());
    CHECK(LastJunkPaths().historyPath.empty());
    CHECK(LastJunkPaths().recentPath.empty());
    CHECK(view.figures[2] == "0字节");
    CHECK(view.figures[3] == "0字节");
    CHECK(view.figures[4] == "0字节");
    CleanAndAnswer(view);
  }
  SetCurrentDirectoryA(previous);
  for (const char* name : bystanders) CHECK_MESSAGE(Exists(current + name), name);
  CHECK(!ShellFolder(CSIDL_STARTMENU).empty());
  RemoveTestTree(current);
}

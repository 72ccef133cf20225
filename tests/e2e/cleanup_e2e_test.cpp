// End to end: the cleanup window of a running PrepKit.exe, ticked, analysed and
// cleaned through its controls; the effects checked on disk and on screen.
#include <doctest/doctest.h>

#include <windows.h>
#include <shlobj.h>

#include <string>

#include "tests/e2e/driver.h"
#include "tests/support/dialog_watch.h"
#include "tests/support/process_windows.h"
#include "tests/unit/cleanup/junk_fixture.h"

namespace {
constexpr FormId kMain = FormId::Main;
constexpr FormId kCleanup = FormId::Cleanup;
constexpr std::uint64_t MB = 1048576;

// The program inherits this process's environment: its temp folder is ours.
const char* const kTemp = "C:\\prepkit-cleanup\\e2e\\temp\\";

HWND OpenCleanupWindow(RunningApp& app) {
  HWND main = app.MainWindow();
  ShowPage(Control(main, kMain, "选择夹1"), 2);
  ClickLater(Control(main, kMain, "按钮12"));
  return FindFormWindow(app.ProcessId(), kCleanup);
}

void CloseCleanupWindow(HWND cleanup) {
  PostMessageA(cleanup, WM_CLOSE, 0, 0);
  CHECK(WaitFor([&] { return !IsWindow(cleanup); }));
}

std::string Label(HWND cleanup, const char* name) { return TextOf(Control(cleanup, kCleanup, name)); }
void Tick(HWND cleanup, const char* box, bool ticked) {
  HWND control = Control(cleanup, kCleanup, box);
  if (IsTicked(control) != ticked) Click(control);
  CHECK(IsTicked(control) == ticked);
}

// Presses 清理 and answers the reminder; its owner and what it said.
struct Reminder {
  HWND owner = nullptr;
  DWORD afterMs = 0;
  SeenDialog dialog;
};
Reminder CleanAndAnswer(RunningApp& app, HWND cleanup) {
  Reminder reminder;
  DWORD start = GetTickCount();
  ClickLater(Control(cleanup, kCleanup, "系统清理"));
  HWND box = nullptr;
  WaitFor([&] { return (box = TopWindowOf(app.ProcessId(), "#32770")) != nullptr; }, 10000);
  reminder.afterMs = GetTickCount() - start;
  if (box) reminder.owner = GetWindow(box, GW_OWNER);
  reminder.dialog = AnswerDialog(app.ProcessId());
  return reminder;
}
}  // namespace

TEST_CASE("the cleanup window analyses what is ticked and cleans with the paths of the last analysis") {
  JunkFolders junk(kTemp);
  if (RecycleBinBelongsToTests()) EmptyTestRecycleBin();
  REQUIRE(WriteSizedFile(junk.temp + "a.tmp", 3 * MB));
  REQUIRE(WriteSizedFile(junk.windowsTemp + "sub\\w.tmp", MB * 14 / 10));
  REQUIRE(WriteSizedFile(junk.cookies + "admin@site[1].txt", 53248));
  REQUIRE(WriteSizedFile(junk.recent + "doc.lnk", 517));
  REQUIRE(WriteSizedFile(junk.temp + "keep\\locked.txt", 10, FILE_ATTRIBUTE_READONLY));

  RunningApp app;
  REQUIRE(app.Started());
  HWND cleanup = OpenCleanupWindow(app);
  REQUIRE(cleanup);

  // Nothing ticked: only the hint changes.
  Click(Control(cleanup, kCleanup, "系统清理分析"));
  const char* labels[] = {"系统清理标签1", "系统清理标签2", "系统清理标签3", "系统清理标签4", "系统清理标签5"};
  for (const char* name : labels) CHECK(Label(cleanup, name).empty());
  if (RecycleBinBelongsToTests()) CHECK(Label(cleanup, "标签1") == "回收站是空的！");
  CHECK(Label(cleanup, "标签1") != "先打钩分析在点清理");

  Tick(cleanup, "系统清理1", true);
  Tick(cleanup, "系统清理3", true);
  Tick(cleanup, "系统清理5", true);
  Click(Control(cleanup, kCleanup, "系统清理分析"));
  CHECK(Label(cleanup, "系统清理标签1") == "4MB");
  CHECK(Label(cleanup, "系统清理标签2").empty());
  CHECK(Label(cleanup, "系统清理标签3") == "53248字节");
  CHECK(Label(cleanup, "系统清理标签5") == "517字节");

  // A box unticked between two analyses keeps its figure.
  REQUIRE(WriteSizedFile(junk.cookies + "more.txt", 100));
  REQUIRE(WriteSizedFile(junk.recent + "more.lnk", 100));
  Tick(cleanup, "系统清理3", false);
  Click(Control(cleanup, kCleanup, "系统清理分析"));
  CHECK(Label(cleanup, "系统清理标签3") == "53248字节");
  CHECK(Label(cleanup, "系统清理标签5") == "617字节");

  // Nothing ticked: the reminder after half a second, owned by the cleanup window, nothing deleted.
  for (const char* box : {"系统清理1", "系统清理5"}) Tick(cleanup, box, false);
  Reminder idle = CleanAndAnswer(app, cleanup);
  CHECK(idle.dialog.found);
  CHECK(idle.dialog.caption == "友情提醒");
  CHECK(idle.dialog.text == "清理完毕");
  // Which icon is checked in process by the cleaning tests: icon handles differ between processes.
  CHECK(idle.dialog.icon != nullptr);
  CHECK(idle.owner == cleanup);
  CHECK(idle.afterMs >= 450);
  Sleep(500);
  CHECK(Exists(junk.temp + "a.tmp"));
  CHECK(Exists(junk.recent + "doc.lnk"));

  // Reopened: empty labels, yet the last analysis still tells the cleaning where to go.
  CloseCleanupWindow(cleanup);
  cleanup = OpenCleanupWindow(app);
  REQUIRE(cleanup);
  for (const char* name : labels) CHECK(Label(cleanup, name).empty());
  CHECK(Label(cleanup, "标签1") == "先打钩分析在点清理");
  Tick(cleanup, "系统清理1", true);
  Reminder done = CleanAndAnswer(app, cleanup);
  CHECK(done.dialog.text == "清理完毕");
  CHECK(done.owner == cleanup);
  CHECK(WaitFor([&] { return !Exists(junk.temp + "a.tmp") && !Exists(junk.windowsTemp); }, 20000));
  CHECK(Exists(junk.temp + "keep\\locked.txt"));
  CHECK(Exists(junk.cookies + "admin@site[1].txt"));
  CHECK(Exists(junk.recent + "doc.lnk"));
  for (const char* name : labels) CHECK(Label(cleanup, name).empty());  // the cleaning writes no figure

  CloseCleanupWindow(cleanup);
  CHECK(app.Close());
  RemoveTestTree("C:\\prepkit-cleanup\\e2e\\");
  MakeFolders(junk.windowsTemp.substr(0, junk.windowsTemp.size() - 1));
}

TEST_CASE("before any analysis, cleaning with every box ticked touches only the browser cache and the recycle bins") {
  JunkFolders junk(kTemp);
  for (const std::string* folder : {&junk.temp, &junk.windowsTemp, &junk.cookies, &junk.history, &junk.recent})
    REQUIRE(WriteSizedFile(*folder + "junk.dat", 100));
  REQUIRE(WriteSizedFile(junk.cache + "Content.IE5\\X1\\page.htm", 100));
  bool binIsOurs = RecycleBinBelongsToTests();
  if (binIsOurs) {
    REQUIRE(WriteSizedFile(junk.temp + "binned.txt", 10));
    REQUIRE(MoveToRecycleBin(junk.temp + "binned.txt"));
    REQUIRE(RecycleBinItemCount() > 0);
  }

  RunningApp app;
  REQUIRE(app.Started());
  HWND cleanup = OpenCleanupWindow(app);
  REQUIRE(cleanup);
  for (const char* box : {"系统清理1", "系统清理2", "系统清理3", "系统清理4", "系统清理5"}) Tick(cleanup, box, true);
  Tick(cleanup, "系统清理6", binIsOurs);
  Reminder done = CleanAndAnswer(app, cleanup);
  CHECK(done.dialog.text == "清理完毕");
  CHECK(WaitFor([&] { return !Exists(junk.cache + "Content.IE5"); }, 20000));
  if (binIsOurs) CHECK(WaitFor([&] { return RecycleBinItemCount() == 0; }, 20000));
  for (const std::string* folder : {&junk.temp, &junk.windowsTemp, &junk.cookies, &junk.history, &junk.recent})
    CHECK_MESSAGE(Exists(*folder + "junk.dat"), *folder);

  CloseCleanupWindow(cleanup);
  CHECK(app.Close());
  RemoveTestTree("C:\\prepkit-cleanup\\e2e\\");
}

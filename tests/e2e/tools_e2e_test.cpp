// End to end: the tool buttons of the miscellany page, clicked in a running PrepKit.exe.
#include <doctest/doctest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "tests/e2e/driver.h"
#include "tests/support/dialog_watch.h"
#include "tests/support/host_files.h"
#include "tests/support/process_windows.h"

namespace {
constexpr FormId kMain = FormId::Main;
constexpr int kMiscellanyPage = 2;

using Bytes = std::vector<unsigned char>;

struct Cleanup {
  std::string program, file;
  ~Cleanup() {
    CloseAll(program.c_str());
    DeleteFileA(file.c_str());
  }
};
}  // namespace

TEST_CASE("the tool buttons start the carried tools, and 按钮16 only says it is done") {
  struct Row {
    const char* button;
    const char* fileName;
    const char* built;
    const char* title;
  };
  const Row rows[] = {
      {"按钮13", "MyUninst.exe", BUILT_UNINSTALLER, "功能强大的软件卸载"},
      {"按钮14", "输入法管理器.exe", BUILT_INPUT_METHODS, "输入法管理器"},
      {"按钮15", "本地管理员检查工具.exe", BUILT_ADMINISTRATORS, "本地管理员检查工具"},
      {"按钮17", "NTFS互换FAT32.exe", BUILT_FILE_SYSTEM, "FAT32格式转换NTFS"},
      {"按钮18", "整理磁盘.exe", BUILT_DEFRAGMENTER, "高效磁盘整理"},
  };
  RunningApp app;
  REQUIRE(app.Started());
  HWND main = app.MainWindow();
  ShowPage(Control(main, kMain, "选择夹1"), kMiscellanyPage);
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);

  for (int i = 0; i < static_cast<int>(sizeof rows / sizeof rows[0]); ++i) {
    const Row& row = rows[i];
    CAPTURE(i);
    const std::string path = std::string(temp) + row.fileName;
    Cleanup cleanup{row.fileName, path};
    DeleteFileA(path.c_str());
    HWND button = Control(main, kMain, row.button);
    REQUIRE(button);
    REQUIRE(IsWindowVisible(button));

    Click(button);

    Bytes built, written;
    REQUIRE(ReadAll(FromHost(row.built), &built));
    CHECK((ReadAll(path, &written) && written == built));
    std::vector<DWORD> started = ProcessesNamed(row.fileName);
    REQUIRE(started.size() == 1);
    HWND window = nullptr;
    CHECK(WaitFor([&] { return (window = TopWindowOf(started[0])) != nullptr; }, 10000));
    if (window) CHECK(TextOf(window) == row.title);
    CHECK(IsWindowEnabled(main));
  }

  // No band library in the prefix: the box is all that happens.
  ClickLater(Control(main, kMain, "按钮16"));
  SeenDialog seen = AnswerDialog(app.ProcessId());
  CHECK(seen.found);
  CHECK(seen.text == "已完成");
  CHECK(seen.caption == "信息：");
  CHECK(WaitFor([&] { return IsWindowEnabled(main) != FALSE; }));
}

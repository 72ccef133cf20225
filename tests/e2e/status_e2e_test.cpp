// End to end: the status strip, the hover tips and the icon buttons of the
// running program, worked with real pointer moves (xdotool) under Xvfb.
#include <doctest/doctest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "app/status_text.h"
#include "tests/e2e/driver.h"

namespace {
constexpr FormId kMain = FormId::Main;
const char* const kToolButtons[] = {"按钮11", "按钮12", "按钮13", "按钮14", "按钮15", "按钮16", "按钮17", "按钮18"};
const char* const kTips[] = {
    "在鼠标右键添加一个快捷功能，点1下添加.在点1下删除.循环使用(兼容XP与WIN7)",
    "清理垃圾防止木马钻系统痕迹的空子，还可以释放磁盘空间",
    "小巧精致功能却很强大，同类程序真没有能比过他的。用了就知道。",
    "可调节输入法上下位置还可以自定义快捷键！",
    "将拥有 Administrator 权限的帐号列出,检查是否有克隆管理員与影子管理員",
    "解决Winodws Media Player 11 无法最小化到任务栏模式",
    "NTFS与FAT32互转工具真正的在这2种格式之间进行互相转换！而且是无损的哦！",
    "快速整理电脑磁盘的碎片。Windows自带的磁盘整理程序一直都不是很完美。",
};

// Wine starts a Unix program without a process handle: wait for the effect instead.
void Xdotool(const std::string& arguments) {
  std::string command = "/usr/bin/xdotool " + arguments;
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) return;
  if (process.hProcess) {
    WaitForSingleObject(process.hProcess, 5000);
    CloseHandle(process.hProcess);
  }
  if (process.hThread) CloseHandle(process.hThread);
}

bool MovePointer(int x, int y) {
  Xdotool("mousemove " + std::to_string(x) + " " + std::to_string(y));
  return WaitFor([=] {
    POINT at = {};
    GetCursorPos(&at);
    return at.x == x && at.y == y;
  });
}

POINT MiddleOf(HWND control) {
  RECT r;
  GetWindowRect(control, &r);
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

struct TipSearch {
  HWND owner;
  HWND found;
};
BOOL CALLBACK FindTip(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<TipSearch*>(param);
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  if (lstrcmpiA(name, TOOLTIPS_CLASSA) == 0 && GetWindow(window, GW_OWNER) == search->owner &&
      (GetWindowLongPtrA(window, GWL_STYLE) & TTS_BALLOON)) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}
// The main window's balloon-tip component: a tooltip window it owns.
HWND TipComponent(HWND main) {
  TipSearch search{main, nullptr};
  EnumWindows(FindTip, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

struct ButtonSearch {
  std::vector<HWND> buttons;
};
BOOL CALLBACK CollectButtons(HWND window, LPARAM param) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  if (lstrcmpA(name, "Button") == 0) reinterpret_cast<ButtonSearch*>(param)->buttons.push_back(window);
  return TRUE;
}

int Look(HWND button) { return static_cast<int>(reinterpret_cast<LONG_PTR>(GetPropA(button, "Vireo_DrawState"))); }

// Screen pixels of a control of another process, as Xvfb shows them.
int CountOnScreen(HWND control, COLORREF colour) {
  RECT r;
  GetWindowRect(control, &r);
  HDC screen = GetDC(nullptr);
  int n = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) n += GetPixel(screen, x, y) == colour;
  ReleaseDC(nullptr, screen);
  return n;
}
}  // namespace

TEST_CASE("the status strip: the countdown from the start, a ticking clock, an external IP that is empty or an address") {
  DWORD start = GetTickCount();
  RunningApp app;
  REQUIRE(app.Started());
  MESSAGE("main window shown after " << (GetTickCount() - start) << " ms");
  HWND main = app.MainWindow();
  const std::string leadIn = "\r\n距离微软停止支持XP系统还有：\r\n";
  CHECK(TextOf(Control(main, kMain, "编辑框4")).rfind(leadIn, 0) == 0);

  // The sandbox answers no outside address with the page, so the label is empty
  // here; with a network it holds the address alone. Never the form's text.
  const std::string ip = TextOf(Control(main, kMain, "标签7"));
  CHECK((ip.empty() || LooksLikeIpAddress(ip)));

  HWND clock = Control(main, kMain, "标签6");
  REQUIRE(WaitFor([&] { return TextOf(clock).find("年") != std::string::npos; }, 5000));
  const std::string first = TextOf(clock);
  CHECK(WaitFor([&] { return TextOf(clock) != first; }, 5000));
  const std::string countdown = TextOf(Control(main, kMain, "编辑框4"));
  CHECK(WaitFor([&] { return TextOf(Control(main, kMain, "编辑框4")) != countdown; }, 5000));
}

TEST_CASE("the eight tool buttons, and nothing else, are violet icon buttons that follow the pointer") {
  RunningApp app;
  REQUIRE(app.Started());
  HWND main = app.MainWindow();
  ShowPage(Control(main, kMain, "选择夹1"), 2);

  std::vector<HWND> tools;
  for (const char* name : kToolButtons) tools.push_back(Control(main, kMain, name));
  ButtonSearch all;
  EnumChildWindows(main, CollectButtons, reinterpret_cast<LPARAM>(&all));
  int installed = 0;
  for (HWND button : all.buttons) {
    bool isTool = false;
    for (HWND tool : tools) isTool = isTool || tool == button;
    bool hasProc = GetPropA(button, "ButtonIcon_Proc") != nullptr;
    CAPTURE(GetDlgCtrlID(button));
    CHECK(hasProc == isTool);
    installed += hasProc;
    if (isTool) {
      CHECK(static_cast<COLORREF>(reinterpret_cast<ULONG_PTR>(GetPropA(button, "ButtonIcon_TextColor1"))) == 0xFF0090);
      CHECK(static_cast<COLORREF>(reinterpret_cast<ULONG_PTR>(GetPropA(button, "ButtonIcon_TextColor2"))) == 0xFFFFFFFF);
      CHECK((GetWindowLongPtrA(button, GWL_STYLE) & BS_TYPEMASK) == BS_OWNERDRAW);
    }
  }
  CHECK(installed == 8);
  CHECK(GetPropA(Control(main, kMain, "分组框3"), "ButtonIcon_ParentProc") != nullptr);
  CHECK(CountOnScreen(tools[0], 0xFF0090) > 0);

  RECT window;
  GetWindowRect(main, &window);
  REQUIRE(MovePointer(window.left + 5, window.bottom - 5));
  POINT middle = MiddleOf(tools[5]);
  REQUIRE(MovePointer(middle.x, middle.y));
  CHECK(WaitFor([&] { return Look(tools[5]) == 2; }, 3000));
  REQUIRE(MovePointer(window.left + 5, window.bottom - 5));
  CHECK(WaitFor([&] { return Look(tools[5]) == 0; }, 3000));
}

TEST_CASE("hover tips: one tool per button however often the pointer passes, each showing its own text") {
  RunningApp app;
  REQUIRE(app.Started());
  HWND main = app.MainWindow();
  ShowPage(Control(main, kMain, "选择夹1"), 2);
  HWND tip = TipComponent(main);
  REQUIRE(tip);
  CHECK(SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0) == 0);
  CHECK(SendMessageA(tip, TTM_GETDELAYTIME, TTDT_INITIAL, 0) == 600);
  CHECK(SendMessageA(tip, TTM_GETDELAYTIME, TTDT_AUTOPOP, 0) == 3000);
  CHECK(SendMessageA(tip, TTM_GETTIPBKCOLOR, 0, 0) == 0xE1FFFF);

  for (int round = 0; round < 3; ++round)
    for (const char* name : kToolButtons) {
      POINT middle = MiddleOf(Control(main, kMain, name));
      MovePointer(middle.x, middle.y);
      MovePointer(middle.x + 3, middle.y + 1);
    }
  CHECK(WaitFor([&] { return SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0) == 8; }, 3000));

  RECT window;
  GetWindowRect(main, &window);
  for (int i = 0; i < 8; ++i) {
    CAPTURE(kToolButtons[i]);
    MovePointer(window.left + 5, window.bottom - 5);
    WaitFor([&] { return !IsWindowVisible(tip); }, 3000);
    POINT middle = MiddleOf(Control(main, kMain, kToolButtons[i]));
    MovePointer(middle.x, middle.y);
    MovePointer(middle.x + 2, middle.y + 1);
    CHECK(WaitFor([&] { return IsWindowVisible(tip) && TextOf(tip) == kTips[i]; }, 3000));
  }
  CHECK(SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0) == 8);
}

#include <doctest/doctest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "app/hover_tip.h"
#include "tests/unit/windows/status_test_support.h"

namespace {

constexpr int kHostX = 100, kHostY = 100;

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM w, LPARAM l) {
  return DefWindowProcA(window, message, w, l);
}

// A window at a known place on the screen with the eight tool buttons in two columns.
struct Host {
  HWND window;
  HWND buttons[kToolButtonCount];
  HWND tip;

  Host() {
    WNDCLASSA host = {};
    host.lpfnWndProc = HostProc;
    host.hInstance = GetModuleHandleA(nullptr);
    host.hCursor = LoadCursor(nullptr, IDC_ARROW);
    host.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    host.lpszClassName = "HoverTipTestHost";
    RegisterClassA(&host);
    window = CreateWindowExA(0, "HoverTipTestHost", "host", WS_POPUP | WS_VISIBLE, kHostX, kHostY, 420, 300, nullptr,
                             nullptr, GetModuleHandleA(nullptr), nullptr);
    for (std::size_t i = 0; i < kToolButtonCount; ++i)
      buttons[i] = CreateWindowA("Button", kToolButtonTips[i].caption, WS_CHILD | WS_VISIBLE, Left(i), Top(i), 160,
                                 40, window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(11 + i)),
                                 GetModuleHandleA(nullptr), nullptr);
    tip = CreateHoverTipComponent(window);
    Pump(50);
  }
  ~Host() {
    DestroyWindow(window);
    Pump(20);
  }
  static int Left(std::size_t i) { return i % 2 ? 225 : 16; }
  static int Top(std::size_t i) { return 16 + 65 * static_cast<int>(i / 2); }
  POINT Middle(std::size_t i) const { return POINT{kHostX + Left(i) + 80, kHostY + Top(i) + 20}; }
};

std::string ToolText(HWND tip, HWND control) {
  char text[1024] = {};
  TOOLINFOA tool = {};
  tool.cbSize = sizeof tool;
  tool.hwnd = GetParent(control);
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = text;
  SendMessageA(tip, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
  return text;
}

int ToolCount(HWND tip) { return static_cast<int>(SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0)); }

}  // namespace

TEST_CASE("the tip component waits 600 ms, shows 3 s, light yellow balloon with black 9-point 宋体 text") {
  Host host;
  REQUIRE(host.tip);
  CHECK(SendMessageA(host.tip, TTM_GETDELAYTIME, TTDT_INITIAL, 0) == 600);
  CHECK(SendMessageA(host.tip, TTM_GETDELAYTIME, TTDT_AUTOPOP, 0) == 3000);
  CHECK(SendMessageA(host.tip, TTM_GETTIPBKCOLOR, 0, 0) == 0xE1FFFF);
  CHECK(SendMessageA(host.tip, TTM_GETTIPTEXTCOLOR, 0, 0) == 0x000000);
  CHECK((GetWindowLongPtrA(host.tip, GWL_STYLE) & TTS_BALLOON) != 0);
  CHECK(ToolCount(host.tip) == 0);

  HFONT font = reinterpret_cast<HFONT>(SendMessageA(host.tip, WM_GETFONT, 0, 0));
  REQUIRE(font);
  LOGFONTA face = {};
  REQUIRE(GetObjectA(font, sizeof face, &face));
  CHECK(std::string(face.lfFaceName) == "宋体");
  HDC screen = GetDC(nullptr);
  CHECK(face.lfHeight == -MulDiv(9, GetDeviceCaps(screen, LOGPIXELSY), 72));
  ReleaseDC(nullptr, screen);
}

TEST_CASE("each button is one tool whose text is replaced in place, also by the forbidden notice") {
  Host host;
  for (int round = 0; round < 5; ++round)
    for (std::size_t i = 0; i < kToolButtonCount; ++i) SetHoverTip(host.tip, host.buttons[i], kToolButtonTips[i].tip, -1);
  CHECK(ToolCount(host.tip) == 8);
  for (std::size_t i = 0; i < kToolButtonCount; ++i) {
    CAPTURE(i);
    CHECK(ToolText(host.tip, host.buttons[i]) == kToolButtonTips[i].tip);
  }

  SetForbiddenHoverTip(host.tip, host.buttons[0]);
  CHECK(ToolCount(host.tip) == 8);
  CHECK(ToolText(host.tip, host.buttons[0]) == "禁止");
  CHECK(ToolText(host.tip, host.buttons[1]) == kToolButtonTips[1].tip);

  SetHoverTip(host.tip, host.buttons[0], kToolButtonTips[0].tip, -1);
  CHECK(ToolText(host.tip, host.buttons[0]) == kToolButtonTips[0].tip);
  CHECK(ToolCount(host.tip) == 8);
}

TEST_CASE("resting the pointer on a button shows its own tip; moving to the next shows the next one's") {
  Host host;
  for (std::size_t i = 0; i < kToolButtonCount; ++i) SetHoverTip(host.tip, host.buttons[i], kToolButtonTips[i].tip, -1);
  REQUIRE(MovePointer(kHostX + 410, kHostY + 290));
  Pump(200);

  auto shownFor = [&](std::size_t i) {
    return [&, i] {
      if (!IsWindowVisible(host.tip)) return false;
      char text[1024] = {};
      TOOLINFOA tool = {};
      tool.cbSize = sizeof tool;
      tool.lpszText = text;
      return SendMessageA(host.tip, TTM_GETCURRENTTOOLA, 0, reinterpret_cast<LPARAM>(&tool)) &&
             tool.uId == reinterpret_cast<UINT_PTR>(host.buttons[i]) && std::string(text) == kToolButtonTips[i].tip;
    };
  };
  POINT at = host.Middle(7);
  REQUIRE(MovePointer(at.x, at.y));
  CHECK(PumpUntil(shownFor(7), 2500));

  // From 按钮13 straight onto 按钮14.
  at = host.Middle(2);
  REQUIRE(MovePointer(at.x, at.y));
  CHECK(PumpUntil(shownFor(2), 2500));
  at = host.Middle(3);
  REQUIRE(MovePointer(at.x, at.y));
  CHECK(PumpUntil(shownFor(3), 2500));

  MovePointer(kHostX + 410, kHostY + 290);
  CHECK(PumpUntil([&] { return !IsWindowVisible(host.tip); }, 2500));
}

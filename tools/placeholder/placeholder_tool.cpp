// Stand-in for a carried maintenance tool whose own program is not built yet:
// one source built once per tool (PLACEHOLDER_TOOL picks the row), so that the
// launcher always carries and starts a real program of ours under the right name.
#include <windows.h>

#ifndef PLACEHOLDER_TOOL
#error "PLACEHOLDER_TOOL must name the tool's row"
#endif

namespace {

struct ToolTitle {
  const char* title;
};

// In the order of the tool buttons.
constexpr ToolTitle kTitles[] = {
    {"功能强大的软件卸载"},
    {"输入法管理器"},
    {"本地管理员检查工具"},
    {"FAT32格式转换NTFS"},
    {"高效磁盘整理"},
};
static_assert(PLACEHOLDER_TOOL >= 0 && PLACEHOLDER_TOOL < sizeof kTitles / sizeof kTitles[0],
              "PLACEHOLDER_TOOL out of range");

constexpr const char* kNotYetAvailable = "此工具尚未提供。";
constexpr const char* kClassName = "PrepKitPlaceholderTool";
constexpr int kTextId = 100;
constexpr int kCloseId = IDOK;

LRESULT CALLBACK ToolProc(HWND window, UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_CREATE: {
      HINSTANCE instance = reinterpret_cast<CREATESTRUCTA*>(l)->hInstance;
      HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
      HWND text = CreateWindowA("STATIC", kNotYetAvailable, WS_CHILD | WS_VISIBLE | SS_CENTER, 10, 24, 300, 20,
                                window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kTextId)), instance, nullptr);
      HWND close = CreateWindowA("BUTTON", "关闭", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 120, 60, 80,
                                 26, window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kCloseId)), instance, nullptr);
      SendMessageA(text, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
      SendMessageA(close, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
      return 0;
    }
    case WM_COMMAND:
      if (LOWORD(w) == kCloseId || LOWORD(w) == IDCANCEL) DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcA(window, message, w, l);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = ToolProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kClassName;
  if (!RegisterClassA(&wc)) return 1;
  RECT frame = {0, 0, 320, 100};
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  AdjustWindowRect(&frame, style, FALSE);
  HWND window = CreateWindowA(kClassName, kTitles[PLACEHOLDER_TOOL].title, style, CW_USEDEFAULT, CW_USEDEFAULT,
                              frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
  if (!window) return 1;
  ShowWindow(window, show);
  UpdateWindow(window);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (IsDialogMessageA(window, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}

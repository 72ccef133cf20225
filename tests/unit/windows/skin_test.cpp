// The skin library under Wine: windows that exist at the attach and windows
// created after it are drawn from the skin data. Pixels are read back from the
// screen (Xvfb), so these checks see what a user would see.
#include <doctest/doctest.h>
#include <windows.h>

#include <cstdint>
#include <string>

#include "loader/window_skin.h"
#include "skin/skin_data.h"

namespace {

SkinLook Look() {
  SkinLook look;
  REQUIRE(ParseSkin(skinDataBlob.bytes, skinDataBlob.size, look));
  return look;
}

COLORREF Ref(std::uint32_t rgb) { return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

#if !defined(__i386__)
using AttachFunction = int(WINAPI*)(const unsigned char*, int, const char*, int, int, int);

// A 64-bit test process cannot map the 32-bit library from memory, so it loads
// the 64-bit build of the same library through the system from a file.
AttachFunction SystemLoadedAttach() {
  static AttachFunction attach = [] {
    char folder[MAX_PATH], path[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    GetTempFileNameA(folder, "skn", 0, path);
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, skinLibraryBlob.bytes, static_cast<DWORD>(skinLibraryBlob.size), &written, nullptr);
    CloseHandle(file);
    HMODULE library = LoadLibraryA(path);
    return reinterpret_cast<AttachFunction>(reinterpret_cast<void*>(GetProcAddress(library, "SkinH_AttachRes")));
  }();
  return attach;
}
#endif

// Hands skin data to the library the way the program does.
std::uint32_t Attach(const ByteBlob& data) {
#if defined(__i386__)
  if (!skinModule) {
    CreateSkinModule();
    REQUIRE(MapSkinLibrary());
  }
  return AttachSkin(data, "", 0, 0, 0);
#else
  AttachFunction attach = SystemLoadedAttach();
  REQUIRE(reinterpret_cast<void*>(attach) != nullptr);
  return static_cast<std::uint32_t>(attach(data.bytes, static_cast<int>(data.size), nullptr, 0, 0, 0));
#endif
}

const COLORREF kOwnerDrawn = RGB(255, 0, 255);

LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM w, LPARAM l) {
  if (message == WM_DRAWITEM) {
    const DRAWITEMSTRUCT* item = reinterpret_cast<const DRAWITEMSTRUCT*>(l);
    HBRUSH brush = CreateSolidBrush(kOwnerDrawn);
    FillRect(item->hDC, &item->rcItem, brush);
    DeleteObject(brush);
    return TRUE;
  }
  return DefWindowProcA(window, message, w, l);
}

const char* FrameClass() {
  static const char* name = [] {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = FrameProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = "SkinTestFrame";
    RegisterClassA(&wc);
    return "SkinTestFrame";
  }();
  return name;
}

void Pump() {
  for (int round = 0; round < 10; ++round) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    Sleep(20);
  }
}

struct TestWindow {
  HWND frame = nullptr, label = nullptr, button = nullptr, edit = nullptr, check = nullptr, ownerDrawn = nullptr;
};

TestWindow OpenWindow(int x, int y, const char* caption) {
  TestWindow t;
  t.frame = CreateWindowA(FrameClass(), caption, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, x, y, 320,
                          220, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  REQUIRE(t.frame != nullptr);
  auto child = [&](const char* cls, const char* text, DWORD style, int cx, int cy, int w, int h) {
    return CreateWindowA(cls, text, WS_CHILD | WS_VISIBLE | style, cx, cy, w, h, t.frame, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
  };
  t.label = child("STATIC", "L", SS_LEFT, 10, 10, 200, 20);
  t.button = child("BUTTON", "OK", BS_PUSHBUTTON, 10, 40, 100, 28);
  t.edit = child("EDIT", "", WS_BORDER, 10, 80, 200, 22);
  t.check = child("BUTTON", "C", BS_AUTOCHECKBOX, 10, 110, 200, 20);
  t.ownerDrawn = child("BUTTON", "", BS_OWNERDRAW, 120, 40, 60, 28);
  ShowWindow(t.frame, SW_SHOW);
  SetForegroundWindow(t.frame);
  UpdateWindow(t.frame);
  Pump();
  return t;
}

COLORREF ScreenPixel(int x, int y) {
  HDC screen = GetDC(nullptr);
  COLORREF c = GetPixel(screen, x, y);
  ReleaseDC(nullptr, screen);
  return c;
}

// A point of the caption bar left of its text. The frame is read through
// PrintWindow: without a window manager Wine leaves the frame off the screen
// (it expects one to draw it), but still paints it into a printed copy.
COLORREF CaptionPixel(HWND frame) {
  RECT r;
  GetWindowRect(frame, &r);
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, r.right - r.left, r.bottom - r.top);
  HGDIOBJ old = SelectObject(memory, bitmap);
  PrintWindow(frame, memory, 0);
  int border = GetSystemMetrics(SM_CXFIXEDFRAME);
  COLORREF c = GetPixel(memory, border + 2, border + 2);
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return c;
}

// A point inside a child control, `dx` pixels from its right edge.
COLORREF ChildPixel(HWND child, int dx, int dy) {
  RECT r;
  GetWindowRect(child, &r);
  return ScreenPixel(r.right - dx, r.top + dy);
}

COLORREF ClientPixel(HWND frame, int x, int y) {
  POINT p = {x, y};
  ClientToScreen(frame, &p);
  return ScreenPixel(p.x, p.y);
}

void Close(TestWindow& t) {
  if (IsWindow(t.frame)) DestroyWindow(t.frame);
  Pump();
}

}  // namespace

// Runs first (doctest keeps file order): nothing is skinned yet in this process.
TEST_CASE("skin data that is refused leaves the windows with their plain look") {
  const SkinLook look = Look();
  std::string truncated(reinterpret_cast<const char*>(skinDataBlob.bytes), skinDataBlob.size / 2);
  ByteBlob broken = {reinterpret_cast<const unsigned char*>(truncated.data()), truncated.size()};
  CHECK(Attach(broken) == 0);
  TestWindow t = OpenWindow(40, 40, "plain");
  COLORREF caption = CaptionPixel(t.frame);  // the system's own caption, whatever the theme
  CHECK(caption != CLR_INVALID);
  CHECK(caption != Ref(look.captionActive));
  CHECK(ClientPixel(t.frame, 300, 180) == GetSysColor(COLOR_BTNFACE));
  Close(t);
}

TEST_CASE("windows that exist at the attach and windows created after it are skinned") {
  const SkinLook look = Look();
  TestWindow before = OpenWindow(40, 40, "before");
  REQUIRE(Attach(skinDataBlob) == 1);
  SetForegroundWindow(before.frame);
  Pump();
  CHECK(CaptionPixel(before.frame) == Ref(look.captionActive));
  CHECK(ClientPixel(before.frame, 300, 180) == Ref(look.window));

  TestWindow after = OpenWindow(400, 40, "after");
  CHECK(CaptionPixel(after.frame) == Ref(look.captionActive));
  CHECK(CaptionPixel(before.frame) == Ref(look.captionInactive));
  // Window background, label, check box, edit box, push button, owner-drawn button.
  CHECK(ClientPixel(after.frame, 300, 180) == Ref(look.window));
  CHECK(ChildPixel(after.label, 5, 10) == Ref(look.window));
  CHECK(ChildPixel(after.check, 5, 10) == Ref(look.window));
  CHECK(ChildPixel(after.edit, 8, 11) == Ref(look.edit));
  CHECK(ChildPixel(after.button, 5, 5) == Ref(look.button));
  CHECK(ChildPixel(after.button, 1, 14) == Ref(look.buttonBorder));
  CHECK(ChildPixel(after.ownerDrawn, 5, 5) == kOwnerDrawn);
  Close(before);
  Close(after);
}

TEST_CASE("the skinned caption buttons minimise and close the window") {
  REQUIRE(Attach(skinDataBlob) == 1);
  TestWindow t = OpenWindow(40, 300, "buttons");
  struct Case {
    LRESULT hit;
    int fromRight;  // a point inside the button, counted from the window's right edge
  } cases[] = {{HTMINBUTTON, 0}, {HTCLOSE, 0}};
  RECT r;
  GetWindowRect(t.frame, &r);
  int border = GetSystemMetrics(SM_CXFIXEDFRAME);
  int size = GetSystemMetrics(SM_CYCAPTION) - 1 - 4;
  cases[0].fromRight = border + 2 + (size + 2) + 2 + (size + 2) / 2;
  cases[1].fromRight = border + 2 + (size + 2) / 2;
  for (const Case& c : cases) {
    CAPTURE(c.hit);
    POINT p = {r.right - c.fromRight, r.top + border + GetSystemMetrics(SM_CYCAPTION) / 2};
    REQUIRE(SendMessageA(t.frame, WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y)) == c.hit);
    SendMessageA(t.frame, WM_NCLBUTTONDOWN, c.hit, MAKELPARAM(p.x, p.y));
    CHECK(GetCapture() == t.frame);
    POINT client = p;
    ScreenToClient(t.frame, &client);
    SendMessageA(t.frame, WM_LBUTTONUP, 0, MAKELPARAM(client.x, client.y));
    Pump();
    if (c.hit == HTMINBUTTON) {
      CHECK(IsIconic(t.frame));
      ShowWindow(t.frame, SW_RESTORE);
      Pump();
      GetWindowRect(t.frame, &r);
    } else {
      CHECK_FALSE(IsWindow(t.frame));
    }
  }
  if (IsWindow(t.frame)) Close(t);
}

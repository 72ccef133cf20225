#include "tests/unit/windows/status_test_support.h"

#include <cstring>
#include <vector>

Picture::Picture(int w, int h) : w_(w), h_(h) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = -h;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  dc_ = CreateCompatibleDC(screen);
  bitmap_ = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  ReleaseDC(nullptr, screen);
  bits_ = static_cast<std::uint32_t*>(bits);
  old_ = SelectObject(dc_, bitmap_);
}

Picture::~Picture() {
  SelectObject(dc_, old_);
  DeleteObject(bitmap_);
  DeleteDC(dc_);
}

COLORREF Picture::At(int x, int y) const {
  GdiFlush();
  std::uint32_t p = bits_[y * w_ + x];
  return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

void Picture::Fill(COLORREF colour) {
  HBRUSH brush = CreateSolidBrush(colour);
  RECT all = {0, 0, w_, h_};
  FillRect(dc_, &all, brush);
  DeleteObject(brush);
}

Box Picture::BoxOf(COLORREF colour) const {
  Box box;
  box.left = w_, box.top = h_;
  for (int y = 0; y < h_; ++y)
    for (int x = 0; x < w_; ++x)
      if (At(x, y) == colour) {
        if (x < box.left) box.left = x;
        if (x > box.right) box.right = x;
        if (y < box.top) box.top = y;
        if (y > box.bottom) box.bottom = y;
      }
  return box;
}

int Picture::Count(COLORREF colour) const {
  int n = 0;
  for (int y = 0; y < h_; ++y)
    for (int x = 0; x < w_; ++x) n += At(x, y) == colour;
  return n;
}

bool Picture::SameAs(const Picture& other) const {
  GdiFlush();
  return w_ == other.w_ && h_ == other.h_ && std::memcmp(bits_, other.bits_, sizeof(std::uint32_t) * w_ * h_) == 0;
}

HICON MakeSolidIcon(COLORREF colour, int bitsPerPixel) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = 16;
  info.bmiHeader.biHeight = 16;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = static_cast<WORD>(bitsPerPixel);
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HBITMAP colourBitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  ReleaseDC(nullptr, screen);
  const int stride = ((16 * bitsPerPixel + 31) / 32) * 4;
  auto* row = static_cast<unsigned char*>(bits);
  for (int y = 0; y < 16; ++y, row += stride)
    for (int x = 0; x < 16; ++x) {
      unsigned char* p = row + x * (bitsPerPixel / 8);
      p[0] = GetBValue(colour), p[1] = GetGValue(colour), p[2] = GetRValue(colour);
      if (bitsPerPixel == 32) p[3] = 0xFF;
    }
  std::vector<unsigned char> maskBits(2 * 16, 0);  // all opaque
  HBITMAP mask = CreateBitmap(16, 16, 1, 1, maskBits.data());
  ICONINFO icon = {TRUE, 0, 0, mask, colourBitmap};
  HICON result = CreateIconIndirect(&icon);
  DeleteObject(mask);
  DeleteObject(colourBitmap);
  return result;
}

void Pump(DWORD milliseconds) {
  DWORD start = GetTickCount();
  do {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  } while (GetTickCount() - start < milliseconds);
}

// Wine starts a Unix program without giving back a process handle, so there is
// nothing to wait on: callers wait for the effect instead.
bool Xdotool(const std::string& arguments) {
  std::string command = "/usr/bin/xdotool " + arguments;
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return false;
  if (process.hProcess) {
    MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, 5000, 0);
    CloseHandle(process.hProcess);
  }
  if (process.hThread) CloseHandle(process.hThread);
  Pump(50);
  return true;
}

bool MovePointer(int x, int y) {
  if (!Xdotool("mousemove " + std::to_string(x) + " " + std::to_string(y))) return false;
  return PumpUntil(
      [=] {
        POINT at = {};
        GetCursorPos(&at);
        return at.x == x && at.y == y;
      },
      5000);
}

// Small helpers for the status strip, tip and icon button tests: a picture to
// paint into and read back, test icons, message pumping and real pointer input
// through xdotool (Xvfb has no window manager, so screen coordinates are exact).
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

struct Box {
  int left = 0, top = 0, right = -1, bottom = -1;  // inclusive; empty when right < left
  bool Empty() const { return right < left; }
};

// A 32-bit top-down DIB selected into a memory DC.
class Picture {
 public:
  Picture(int w, int h);
  ~Picture();
  Picture(const Picture&) = delete;
  Picture& operator=(const Picture&) = delete;
  HDC Dc() const { return dc_; }
  int Width() const { return w_; }
  int Height() const { return h_; }
  COLORREF At(int x, int y) const;  // as a COLORREF (0x00BBGGRR)
  void Fill(COLORREF colour);
  Box BoxOf(COLORREF colour) const;
  int Count(COLORREF colour) const;
  bool SameAs(const Picture& other) const;

 private:
  int w_, h_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
  std::uint32_t* bits_ = nullptr;
};

// A 16 × 16 icon of one opaque colour, with 24 or 32 bits per pixel.
HICON MakeSolidIcon(COLORREF colour, int bitsPerPixel);

// Dispatches this thread's messages for about `milliseconds`.
void Pump(DWORD milliseconds);

// Pumps until `done` holds or about `milliseconds` have passed; returns `done`'s last value.
template <typename Done>
bool PumpUntil(Done done, DWORD milliseconds) {
  DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > milliseconds) return done();
    Pump(10);
  }
  return true;
}

// Starts /usr/bin/xdotool with the arguments (false when it cannot be started).
bool Xdotool(const std::string& arguments);
// Moves the pointer and pumps until Windows sees it there.
bool MovePointer(int x, int y);

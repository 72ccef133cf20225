#include "app/icon_button.h"

#include <cstring>
#include <string>

#include "app/ux_theme.h"

namespace {

using namespace icon_button;

// The button for which hover and leave tracking was last requested.
HWND trackedButton = nullptr;
HFONT buttonFont = nullptr;

constexpr int kIconGap = 5;
constexpr DWORD kHoverMilliseconds = 50;
constexpr int kPushButtonPart = 1;  // BP_PUSHBUTTON

// Per IconDrawState: the theme state (PBS_NORMAL, PBS_DEFAULTED, PBS_HOT, PBS_PRESSED,
// PBS_DISABLED) and the classic frame flags added to DFCS_BUTTONPUSH.
constexpr int kThemeStates[] = {1, 5, 2, 3, 4};
constexpr UINT kClassicFlags[] = {0, DFCS_HOT, DFCS_HOT, DFCS_PUSHED, DFCS_INACTIVE};

HANDLE AsProperty(LONG_PTR value) { return reinterpret_cast<HANDLE>(value); }
HANDLE ColourProperty(COLORREF colour) { return reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(colour)); }
COLORREF ReadColour(HWND button, const char* name) {
  return static_cast<COLORREF>(reinterpret_cast<ULONG_PTR>(GetPropA(button, name)));
}

bool IsButtonClass(HWND window) {
  char name[256] = {};
  GetClassNameA(window, name, 255);
  return std::strcmp(name, "Button") == 0;
}

HICON ButtonIcon(HWND button) {
  return reinterpret_cast<HICON>(SendMessageA(button, BM_GETIMAGE, IMAGE_ICON, 0));
}

// Visits `window`, then each child with its whole subtree, in GetWindow order.
template <typename Visit>
void WalkTree(HWND window, Visit& visit) {
  visit(window);
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) WalkTree(child, visit);
}

LRESULT CallPrevious(HWND window, const char* property, UINT message, WPARAM wParam, LPARAM lParam) {
  WNDPROC previous = reinterpret_cast<WNDPROC>(GetPropA(window, property));
  if (!previous) return DefWindowProcA(window, message, wParam, lParam);
  return CallWindowProcA(previous, window, message, wParam, lParam);
}

std::string WindowText(HWND window) {
  int length = GetWindowTextLengthA(window);
  if (length <= 0) return {};
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  int copied = GetWindowTextA(window, &text[0], length + 1);
  text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
  return text;
}

// A memory DC with a w × h bitmap compatible with `dc`; everything it selected
// goes back, and both objects are deleted, when it goes.
class OffScreen {
 public:
  OffScreen(HDC dc, int w, int h)
      : dc_(CreateCompatibleDC(dc)), bitmap_(CreateCompatibleBitmap(dc, w > 0 ? w : 1, h > 0 ? h : 1)) {
    if (dc_ && bitmap_) oldBitmap_ = SelectObject(dc_, bitmap_);
  }
  ~OffScreen() {
    if (oldFont_) SelectObject(dc_, oldFont_);
    if (oldBitmap_) SelectObject(dc_, oldBitmap_);
    if (bitmap_) DeleteObject(bitmap_);
    if (dc_) DeleteDC(dc_);
  }
  OffScreen(const OffScreen&) = delete;
  OffScreen& operator=(const OffScreen&) = delete;
  bool Ready() const { return oldBitmap_ != nullptr; }
  HDC Dc() const { return dc_; }
  void UseFont(HFONT font) {
    if (font) oldFont_ = SelectObject(dc_, font);
  }

 private:
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ oldBitmap_ = nullptr;
  HGDIOBJ oldFont_ = nullptr;
};

void DrawFace(HWND button, HDC dc, const RECT& rect, int state) {
  ThemeHandle theme = OpenButtonTheme(button);
  if (theme) {
    DrawThemedBackground(theme, dc, kPushButtonPart, kThemeStates[state], rect);
    CloseTheme(theme);
  } else {
    RECT frame = rect;
    DrawFrameControl(dc, &frame, DFC_BUTTON, DFCS_BUTTONPUSH | kClassicFlags[state]);
  }
}

// Draws the icon centred with the caption block; returns where the caption starts.
int DrawIcon(HWND button, HDC dc, int w, int h, int tw, int state, int tx) {
  HICON icon = ButtonIcon(button);
  if (!icon) return tx;
  ICONINFO info = {};
  if (!GetIconInfo(icon, &info)) return tx;
  BITMAP bitmap = {};
  int iw = 0, ih = 0;
  if (info.hbmColor && GetObjectA(info.hbmColor, sizeof bitmap, &bitmap)) {
    iw = bitmap.bmWidth, ih = bitmap.bmHeight;
  } else if (info.hbmMask && GetObjectA(info.hbmMask, sizeof bitmap, &bitmap)) {
    iw = bitmap.bmWidth, ih = bitmap.bmHeight / 2;  // a monochrome icon: AND and XOR masks stacked
  }
  const int ix = (w - (tw + iw + kIconGap)) / 2;
  const int iy = (h - ih) / 2;
  if (state == static_cast<int>(IconDrawState::Disabled))
    DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(icon), 0, ix, iy, iw, ih, DST_ICON | DSS_DISABLED);
  else if (state == static_cast<int>(IconDrawState::Pressed))
    DrawIconEx(dc, ix + 1, iy + 1, icon, iw, ih, 0, nullptr, DI_NORMAL);
  else
    DrawIconEx(dc, ix, iy, icon, iw, ih, 0, nullptr, DI_NORMAL);
  if (info.hbmMask) DeleteObject(info.hbmMask);
  if (info.hbmColor) DeleteObject(info.hbmColor);
  return ix + iw + kIconGap;
}

}  // namespace

void SetIconButtonFont(HFONT font) { buttonFont = font; }

void SetDrawState(HWND button, IconDrawState state) {
  SetPropA(button, kDrawStateProperty, AsProperty(static_cast<LONG_PTR>(state)));
  InvalidateRect(button, nullptr, FALSE);
}

IconDrawState GetDrawState(HWND button) {
  LONG_PTR value = reinterpret_cast<LONG_PTR>(GetPropA(button, kDrawStateProperty));
  return value >= 0 && value <= 4 ? static_cast<IconDrawState>(value) : IconDrawState::Normal;
}

void InstallIconButton(HWND button) {
  if (!GetPropA(button, kProcProperty)) {
    LONG_PTR previous = SetWindowLongPtrA(button, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&IconButtonProc));
    SetPropA(button, kProcProperty, AsProperty(previous));
    LONG_PTR style = GetWindowLongPtrA(button, GWL_STYLE);
    if ((style | BS_OWNERDRAW) != style) SetWindowLongPtrA(button, GWL_STYLE, style | BS_OWNERDRAW);
    SetPropA(button, kTextColour1Property, ColourProperty(kSystemColour));
    SetPropA(button, kTextColour2Property, ColourProperty(kSystemColour));
    if (!IsWindowEnabled(button)) SetDrawState(button, IconDrawState::Disabled);
  }
  HWND parent = GetParent(button);
  if (parent && !GetPropA(parent, kParentProcProperty)) {
    LONG_PTR previous = SetWindowLongPtrA(parent, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&IconButtonParentProc));
    SetPropA(parent, kParentProcProperty, AsProperty(previous));
  }
}

void AttachIconButtons(HWND window) {
  auto visit = [](HWND w) {
    if (IsButtonClass(w) && ButtonIcon(w)) {
      InstallIconButton(w);
      InvalidateRect(w, nullptr, FALSE);
    }
  };
  WalkTree(window, visit);
}

void SetIconButtonColours(HWND window, COLORREF colour1, COLORREF colour2, bool colour2Given) {
  if (!colour2Given) colour2 = kSystemColour;
  auto visit = [&](HWND w) {
    if (!IsButtonClass(w)) return;
    InstallIconButton(w);
    SetPropA(w, kTextColour1Property, ColourProperty(colour1));
    SetPropA(w, kTextColour2Property, ColourProperty(colour2));
    InvalidateRect(w, nullptr, FALSE);
  };
  WalkTree(window, visit);
}

void PaintIconButton(HWND button, HDC dc) {
  HDC ownDc = nullptr;
  if (!dc) dc = ownDc = GetDC(button);
  if (!dc) return;
  RECT client = {};
  GetClientRect(button, &client);
  const int w = client.right - client.left;
  const int h = client.bottom - client.top;
  {
    OffScreen off(dc, w, h);
    if (off.Ready()) {
      HDC mem = off.Dc();
      HFONT font = reinterpret_cast<HFONT>(SendMessageA(button, WM_GETFONT, 0, 0));
      off.UseFont(font ? font : buttonFont);
      SetBkMode(mem, TRANSPARENT);
      FillRect(mem, &client, GetSysColorBrush(COLOR_BTNFACE));
      const int state = static_cast<int>(GetDrawState(button));
      DrawFace(button, mem, client, state);

      const std::string text = WindowText(button);
      int tw = 0, th = 0, tx = 0;
      if (!text.empty()) {
        RECT measured = client;
        DrawTextA(mem, text.c_str(), -1, &measured, DT_SINGLELINE | DT_CALCRECT);
        tw = measured.right - measured.left;
        th = measured.bottom - measured.top;
        tx = (w - tw) / 2;
      }
      tx = DrawIcon(button, mem, w, h, tw, state, tx);

      if (!text.empty()) {
        const bool disabled = state == static_cast<int>(IconDrawState::Disabled);
        COLORREF colour = ReadColour(button, disabled ? kTextColour2Property : kTextColour1Property);
        int ty = (h - th) / 2;
        const WPARAM length = text.size();
        if (disabled && colour == kSystemColour) {
          DrawStateA(mem, nullptr, nullptr, reinterpret_cast<LPARAM>(text.c_str()), length, tx, ty, tw, th,
                     DST_PREFIXTEXT | DSS_DISABLED);
        } else {
          if (colour == kSystemColour) colour = GetSysColor(COLOR_BTNTEXT);
          SetTextColor(mem, colour);
          if (state == static_cast<int>(IconDrawState::Pressed)) ++tx, ++ty;
          DrawStateA(mem, nullptr, nullptr, reinterpret_cast<LPARAM>(text.c_str()), length, tx, ty, tw, th,
                     DST_PREFIXTEXT);
        }
      }
      BitBlt(dc, 0, 0, w, h, mem, 0, 0, SRCCOPY);
    }
  }
  if (ownDc) ReleaseDC(button, ownDc);
}

LRESULT CALLBACK IconButtonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(button, &paint);
      PaintIconButton(button, dc);
      EndPaint(button, &paint);
      return 1;
    }
    case WM_MOUSEMOVE: {
      LRESULT result = CallPrevious(button, kProcProperty, message, wParam, lParam);
      // Tracking is requested only when the pointer comes from elsewhere, so a
      // button turns hot once per entry and further moves do not re-arm it.
      if (trackedButton != button) {
        trackedButton = button;
        TRACKMOUSEEVENT track = {};
        track.cbSize = sizeof track;
        track.dwFlags = TME_HOVER | TME_LEAVE;
        track.hwndTrack = button;
        track.dwHoverTime = kHoverMilliseconds;
        TrackMouseEvent(&track);
      }
      return result;
    }
    case WM_MOUSEHOVER: {
      LRESULT result = CallPrevious(button, kProcProperty, message, wParam, lParam);
      SetDrawState(button, IconDrawState::Hot);
      return result;
    }
    case WM_MOUSELEAVE: {
      trackedButton = nullptr;
      LRESULT result = CallPrevious(button, kProcProperty, message, wParam, lParam);
      SetDrawState(button, IconDrawState::Normal);
      return result;
    }
    case WM_LBUTTONDOWN: {
      LRESULT result = CallPrevious(button, kProcProperty, message, wParam, lParam);
      SetDrawState(button, IconDrawState::Pressed);
      return result;
    }
    case WM_LBUTTONUP: {
      // The button reports its click inside this call: the handler has run to its end after it.
      LRESULT result = CallPrevious(button, kProcProperty, message, wParam, lParam);
      if (!IsWindow(button)) return result;
      SetDrawState(button, GetDrawState(button) == IconDrawState::Pressed ? IconDrawState::Hot : IconDrawState::Normal);
      return result;
    }
    case WM_ENABLE: {
      LRESULT result = CallPrevious(button, kProcProperty, message, wParam, lParam);
      SetDrawState(button, wParam ? IconDrawState::Normal : IconDrawState::Disabled);
      return result;
    }
    default:
      return CallPrevious(button, kProcProperty, message, wParam, lParam);
  }
}

LRESULT CALLBACK IconButtonParentProc(HWND parent, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DRAWITEM && lParam) {
    const DRAWITEMSTRUCT* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    if (item->hwndItem && GetPropA(item->hwndItem, kProcProperty)) {
      PaintIconButton(item->hwndItem, item->hDC);
      return TRUE;
    }
  }
  return CallPrevious(parent, kParentProcProperty, message, wParam, lParam);
}

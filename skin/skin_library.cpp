// PrepKit's window-skin library. It is built without a C runtime and expects to
// be mapped from memory by the program's own loader: it has no module handle
// (its entry receives 0), so it uses only a thread-local hook and window
// subclassing, which need none. It writes no file and no registry value.
#include <windows.h>

#include "skin/skin_data.h"
#include "skin/skin_paint.h"

namespace {

SkinLook look;
HBRUSH windowBrush;
HBRUSH editBrush;
HHOOK creationHook;
// The caption button held down (one user-interface thread, one mouse).
HWND pressedWindow;
WPARAM pressedHit;

const char kOldProc[] = "PrepKitSkin.OldProc";
const char kInactive[] = "PrepKitSkin.Inactive";

enum class Role { None, Container, Button };

bool SameText(const char* a, const char* b) {
  while (*a && *a == *b) ++a, ++b;
  return *a == *b;
}

// Dialogs, tab controls and the program's own window classes are containers
// (backgrounds and control colours); BUTTON controls may be push buttons;
// every other system class draws itself.
Role RoleOf(HWND window) {
  char name[64];
  if (!GetClassNameA(window, name, sizeof name)) return Role::None;
  if (SameText(name, "Button")) return Role::Button;
  if (SameText(name, "#32770") || SameText(name, "SysTabControl32")) return Role::Container;
  HINSTANCE owner = reinterpret_cast<HINSTANCE>(GetClassLongPtrA(window, GCLP_HMODULE));
  return owner == GetModuleHandleA(nullptr) ? Role::Container : Role::None;
}

WNDPROC OldProc(HWND window) { return reinterpret_cast<WNDPROC>(GetPropA(window, kOldProc)); }

LRESULT CALLBACK ContainerProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK ButtonProc(HWND, UINT, WPARAM, LPARAM);

void Subclass(HWND window) {
  if (GetPropA(window, kOldProc)) return;
  Role role = RoleOf(window);
  if (role == Role::None) return;
  WNDPROC proc = role == Role::Button ? ButtonProc : ContainerProc;
  LONG_PTR old = SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc));
  if (old) SetPropA(window, kOldProc, reinterpret_cast<HANDLE>(old));
}

void Unsubclass(HWND window) {
  WNDPROC old = OldProc(window);
  if (!old) return;
  SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
  RemovePropA(window, kOldProc);
  RemovePropA(window, kInactive);
}

bool HasSkinnedFrame(HWND window) {
  LONG_PTR style = GetWindowLongPtrA(window, GWL_STYLE);
  return !(style & WS_CHILD) && (style & WS_CAPTION) == WS_CAPTION;
}

bool IsActiveFrame(HWND window) { return GetPropA(window, kInactive) == nullptr; }

void RepaintFrame(HWND window) {
  if (IsWindowVisible(window)) PaintFrame(window, look, IsActiveFrame(window), pressedWindow == window ? pressedHit : 0);
}

bool IsDefaultBrush(LRESULT brush) {
  HBRUSH b = reinterpret_cast<HBRUSH>(brush);
  return b == nullptr || b == GetSysColorBrush(COLOR_BTNFACE) || b == GetSysColorBrush(COLOR_WINDOW) ||
         b == GetStockObject(WHITE_BRUSH);
}

LRESULT ColourControl(UINT message, HDC dc) {
  if (message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX) {
    SetTextColor(dc, ToColorRef(look.editText));
    SetBkColor(dc, ToColorRef(look.edit));
    return reinterpret_cast<LRESULT>(editBrush);
  }
  SetTextColor(dc, ToColorRef(message == WM_CTLCOLORBTN ? look.buttonText : look.text));
  SetBkColor(dc, ToColorRef(look.window));
  return reinterpret_cast<LRESULT>(windowBrush);
}

// Caption, border and caption buttons of a top-level window. True when the
// message was answered here.
bool HandleFrame(HWND window, UINT message, WPARAM w, LPARAM l, WNDPROC old, LRESULT& result) {
  switch (message) {
    case WM_NCPAINT:
    case WM_SETTEXT:
    case WM_NCACTIVATE:
      if (message == WM_NCACTIVATE) {
        if (w) RemovePropA(window, kInactive);
        else SetPropA(window, kInactive, reinterpret_cast<HANDLE>(1));
      }
      // The default drawing goes first (menu bar, scroll bars), ours over it.
      result = CallWindowProcA(old, window, message, w, l);
      RepaintFrame(window);
      return true;
    case WM_PRINT:
      // PrintWindow and window animations: the frame is drawn into their DC.
      result = CallWindowProcA(old, window, message, w, l);
      if (l & PRF_NONCLIENT)
        PaintFrame(window, look, IsActiveFrame(window), 0, reinterpret_cast<HDC>(w));
      return true;
    case WM_NCHITTEST:
      result = CallWindowProcA(old, window, message, w, l);
      if (result == HTCAPTION || result == HTCLOSE || result == HTMINBUTTON || result == HTMAXBUTTON ||
          result == HTSYSMENU || result == HTHELP) {
        POINT p = {static_cast<short>(LOWORD(l)), static_cast<short>(HIWORD(l))};
        result = HitTestCaption(window, p);
      }
      return true;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
      if (w != HTCLOSE && w != HTMINBUTTON) return false;
      pressedWindow = window;
      pressedHit = w;
      SetCapture(window);
      RepaintFrame(window);
      result = 0;
      return true;
    case WM_LBUTTONUP:
      if (pressedWindow != window) return false;
      {
        WPARAM hit = pressedHit;
        POINT p = {static_cast<short>(LOWORD(l)), static_cast<short>(HIWORD(l))};
        ClientToScreen(window, &p);
        ReleaseCapture();
        if (HitTestCaption(window, p) == static_cast<LRESULT>(hit))
          SendMessageA(window, WM_SYSCOMMAND, hit == HTCLOSE ? SC_CLOSE : SC_MINIMIZE, 0);
      }
      result = 0;
      return true;
    case WM_CAPTURECHANGED:
      if (pressedWindow == window) {
        pressedWindow = nullptr;
        pressedHit = 0;
        if (IsWindow(window)) RepaintFrame(window);
      }
      return false;
  }
  return false;
}

LRESULT CALLBACK ContainerProc(HWND window, UINT message, WPARAM w, LPARAM l) {
  WNDPROC old = OldProc(window);
  if (!old) return DefWindowProcA(window, message, w, l);
  switch (message) {
    case WM_NCDESTROY:
      if (pressedWindow == window) pressedWindow = nullptr;
      Unsubclass(window);
      return CallWindowProcA(old, window, message, w, l);
    case WM_ERASEBKGND:
      // A class without a background brush paints its own.
      if (GetClassLongPtrA(window, GCLP_HBRBACKGROUND)) {
        RECT r;
        GetClientRect(window, &r);
        FillRect(reinterpret_cast<HDC>(w), &r, windowBrush);
        return 1;
      }
      break;
    case WM_CTLCOLORDLG:
      SetBkColor(reinterpret_cast<HDC>(w), ToColorRef(look.window));
      return reinterpret_cast<LRESULT>(windowBrush);
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX: {
      // A window that picks its own colours (a transparent label) keeps them.
      LRESULT brush = CallWindowProcA(old, window, message, w, l);
      return IsDefaultBrush(brush) ? ColourControl(message, reinterpret_cast<HDC>(w)) : brush;
    }
  }
  LRESULT result;
  if (HasSkinnedFrame(window) && HandleFrame(window, message, w, l, old, result)) return result;
  return CallWindowProcA(old, window, message, w, l);
}

bool IsTextPushButton(HWND button) {
  LONG_PTR style = GetWindowLongPtrA(button, GWL_STYLE);
  LONG_PTR type = style & BS_TYPEMASK;
  return (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON) && !(style & (BS_BITMAP | BS_ICON));
}

LRESULT CALLBACK ButtonProc(HWND button, UINT message, WPARAM w, LPARAM l) {
  WNDPROC old = OldProc(button);
  if (!old) return DefWindowProcA(button, message, w, l);
  if (message == WM_NCDESTROY) {
    Unsubclass(button);
    return CallWindowProcA(old, button, message, w, l);
  }
  // Check boxes, radio buttons, group boxes take their colours from the parent;
  // owner-drawn buttons draw themselves.
  if (!IsTextPushButton(button)) return CallWindowProcA(old, button, message, w, l);
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(button, &ps);
      PaintPushButton(button, dc, look);
      EndPaint(button, &ps);
      return 0;
    }
    case WM_PRINTCLIENT:
      PaintPushButton(button, reinterpret_cast<HDC>(w), look);
      return 0;
    case BM_SETSTATE:
    case BM_SETSTYLE:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case WM_SETTEXT:
    case WM_UPDATEUISTATE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_MOUSEMOVE:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CAPTURECHANGED: {
      // The button draws its state straight away on these; ours follows.
      LRESULT result = CallWindowProcA(old, button, message, w, l);
      InvalidateRect(button, nullptr, FALSE);
      return result;
    }
  }
  return CallWindowProcA(old, button, message, w, l);
}

LRESULT CALLBACK CreationHook(int code, WPARAM w, LPARAM l) {
  if (code == HCBT_CREATEWND) Subclass(reinterpret_cast<HWND>(w));
  return CallNextHookEx(creationHook, code, w, l);
}

BOOL CALLBACK SkinChild(HWND window, LPARAM) {
  Subclass(window);
  return TRUE;
}

BOOL CALLBACK SkinTopLevel(HWND window, LPARAM) {
  Subclass(window);
  EnumChildWindows(window, SkinChild, 0);
  RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  return TRUE;
}

BOOL CALLBACK RestoreChild(HWND window, LPARAM) {
  Unsubclass(window);
  return TRUE;
}

BOOL CALLBACK RestoreTopLevel(HWND window, LPARAM) {
  EnumChildWindows(window, RestoreChild, 0);
  Unsubclass(window);
  RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  return TRUE;
}

void ReplaceBrush(HBRUSH& brush, std::uint32_t rgb) {
  if (brush) DeleteObject(brush);
  brush = CreateSolidBrush(ToColorRef(rgb));
}

}  // namespace

// Skins every window of the calling thread, now and from now on, with the look
// in `data` (FORMAT.md). `text` and the three integers are reserved. Returns 1,
// or 0 when the data is refused (nothing changes then).
extern "C" __declspec(dllexport) int WINAPI SkinH_AttachRes(const unsigned char* data, int size, const char* text,
                                                          int reserved1, int reserved2, int reserved3) {
  (void)text, (void)reserved1, (void)reserved2, (void)reserved3;
  SkinLook parsed;
  if (!data || size <= 0 || !ParseSkin(data, static_cast<std::size_t>(size), parsed)) return 0;
  look = parsed;
  ReplaceBrush(windowBrush, look.window);
  ReplaceBrush(editBrush, look.edit);
  if (!creationHook) creationHook = SetWindowsHookExA(WH_CBT, CreationHook, nullptr, GetCurrentThreadId());
  EnumThreadWindows(GetCurrentThreadId(), SkinTopLevel, 0);
  return 1;
}

// No C runtime: this is the entry point itself. On detach the windows get their
// own procedures back, since this code is about to go away.
extern "C" BOOL WINAPI DllMainCRTStartup(HINSTANCE, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_DETACH && creationHook) {
    UnhookWindowsHookEx(creationHook);
    creationHook = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), RestoreTopLevel, 0);
  }
  return TRUE;
}

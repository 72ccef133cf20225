#include "skin/skin_paint.h"

namespace {

void Fill(HDC dc, const RECT& r, std::uint32_t rgb) {
  HBRUSH brush = CreateSolidBrush(ToColorRef(rgb));
  FillRect(dc, &r, brush);
  DeleteObject(brush);
}

void Frame(HDC dc, RECT r, std::uint32_t rgb, int width) {
  HBRUSH brush = CreateSolidBrush(ToColorRef(rgb));
  for (int i = 0; i < width; ++i) {
    FrameRect(dc, &r, brush);
    InflateRect(&r, -1, -1);
  }
  DeleteObject(brush);
}

void Line(HDC dc, int x0, int y0, int x1, int y1) {
  MoveToEx(dc, x0, y0, nullptr);
  LineTo(dc, x1, y1);
}

void PaintCaptionButton(HDC dc, const RECT& r, const SkinLook& look, bool pressed, bool close) {
  if (IsRectEmpty(&r)) return;
  Fill(dc, r, pressed ? look.captionButtonPressed : look.captionButton);
  HPEN pen = CreatePen(PS_SOLID, 2, ToColorRef(look.captionGlyph));
  HGDIOBJ old = SelectObject(dc, pen);
  int w = r.right - r.left, h = r.bottom - r.top;
  int m = (h < w ? h : w) / 4 + 1;
  if (close) {
    Line(dc, r.left + m, r.top + m, r.right - m, r.bottom - m);
    Line(dc, r.right - m, r.top + m, r.left + m, r.bottom - m);
  } else {
    Line(dc, r.left + m, r.bottom - m - 1, r.right - m, r.bottom - m - 1);
  }
  SelectObject(dc, old);
  DeleteObject(pen);
}

HFONT CreateCaptionFont() {
  NONCLIENTMETRICSA metrics;
  ZeroMemory(&metrics, sizeof metrics);
  metrics.cbSize = sizeof metrics;
  if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return nullptr;
  return CreateFontIndirectA(&metrics.lfCaptionFont);
}

}  // namespace

COLORREF ToColorRef(std::uint32_t rgb) { return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

FrameLayout LayoutFrame(HWND window) {
  FrameLayout layout;
  ZeroMemory(&layout, sizeof layout);
  RECT w;
  GetWindowRect(window, &w);
  LONG_PTR style = GetWindowLongPtrA(window, GWL_STYLE);
  LONG_PTR exStyle = GetWindowLongPtrA(window, GWL_EXSTYLE);
  layout.border = GetSystemMetrics((style & WS_THICKFRAME) ? SM_CXSIZEFRAME : SM_CXFIXEDFRAME);
  int captionHeight = GetSystemMetrics((exStyle & WS_EX_TOOLWINDOW) ? SM_CYSMCAPTION : SM_CYCAPTION) - 1;
  int width = w.right - w.left;
  SetRect(&layout.caption, layout.border, layout.border, width - layout.border, layout.border + captionHeight);
  int size = captionHeight - 4;
  if (size < 6) size = 6;
  int top = layout.caption.top + (captionHeight - size) / 2;
  int right = layout.caption.right - 2;
  SetRect(&layout.close, right - size - 2, top, right, top + size);
  if (style & WS_MINIMIZEBOX) {
    right = layout.close.left - 2;
    SetRect(&layout.minimise, right - size - 2, top, right, top + size);
  }
  return layout;
}

void PaintFrame(HWND window, const SkinLook& look, bool active, WPARAM pressedHit, HDC target) {
  HDC dc = target ? target : GetWindowDC(window);
  if (!dc) return;
  RECT w;
  GetWindowRect(window, &w);
  const int width = w.right - w.left, height = w.bottom - w.top;
  FrameLayout layout = LayoutFrame(window);

  // The border ring, then the caption bar inside it.
  const int b = layout.border;
  RECT edges[] = {{0, 0, width, b}, {0, 0, b, height}, {width - b, 0, width, height}, {0, height - b, width, height}};
  for (const RECT& e : edges) Fill(dc, e, look.frame);
  Fill(dc, layout.caption, active ? look.captionActive : look.captionInactive);

  // Between the caption and the client area (no menu bar there): frame colour too.
  POINT origin = {0, 0};
  ClientToScreen(window, &origin);
  int clientTop = origin.y - w.top;
  if (!GetMenu(window) && clientTop > layout.caption.bottom) {
    RECT gap = {b, layout.caption.bottom, width - b, clientTop};
    Fill(dc, gap, look.frame);
  }

  char text[256];
  int length = GetWindowTextA(window, text, sizeof text);
  if (length > 0) {
    HFONT font = CreateCaptionFont();
    HGDIOBJ oldFont = font ? SelectObject(dc, font) : nullptr;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ToColorRef(active ? look.captionText : look.captionInactiveText));
    RECT textRect = layout.caption;
    textRect.left += 6;
    textRect.right = (IsRectEmpty(&layout.minimise) ? layout.close.left : layout.minimise.left) - 4;
    DrawTextA(dc, text, length, &textRect, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    if (font) {
      SelectObject(dc, oldFont);
      DeleteObject(font);
    }
  }
  PaintCaptionButton(dc, layout.minimise, look, pressedHit == HTMINBUTTON, false);
  PaintCaptionButton(dc, layout.close, look, pressedHit == HTCLOSE, true);
  if (!target) ReleaseDC(window, dc);
}

LRESULT HitTestCaption(HWND window, POINT screen) {
  RECT w;
  GetWindowRect(window, &w);
  POINT p = {screen.x - w.left, screen.y - w.top};
  FrameLayout layout = LayoutFrame(window);
  if (PtInRect(&layout.close, p)) return HTCLOSE;
  if (PtInRect(&layout.minimise, p)) return HTMINBUTTON;
  return HTCAPTION;
}

void PaintPushButton(HWND button, HDC dc, const SkinLook& look) {
  RECT r;
  GetClientRect(button, &r);
  LRESULT state = SendMessageA(button, BM_GETSTATE, 0, 0);
  bool pressed = (state & BST_PUSHED) != 0;
  bool enabled = IsWindowEnabled(button) != FALSE;
  bool isDefault = (GetWindowLongPtrA(button, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
  Fill(dc, r, pressed ? look.buttonPressed : look.button);
  Frame(dc, r, look.buttonBorder, isDefault ? 2 : 1);

  char text[256];
  int length = GetWindowTextA(button, text, sizeof text);
  HFONT font = reinterpret_cast<HFONT>(SendMessageA(button, WM_GETFONT, 0, 0));
  HGDIOBJ oldFont = font ? SelectObject(dc, font) : nullptr;
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ToColorRef(enabled ? look.buttonText : look.buttonDisabledText));
  RECT textRect = r;
  if (pressed) OffsetRect(&textRect, 1, 1);
  UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
  if (GetWindowLongPtrA(button, GWL_STYLE) & BS_MULTILINE) format = DT_CENTER | DT_WORDBREAK;
  DrawTextA(dc, text, length, &textRect, format);
  if (oldFont) SelectObject(dc, oldFont);
  if ((state & BST_FOCUS) && !(SendMessageA(button, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS)) {
    RECT focus = r;
    InflateRect(&focus, -3, -3);
    DrawFocusRect(dc, &focus);
  }
}

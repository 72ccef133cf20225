// Drawing of the skinned parts: a top-level window's frame and caption, and
// push buttons. Geometry follows the system's metrics, so the client area
// stays where the window expects it.
#pragma once
#include <windows.h>

#include "skin/skin_data.h"

struct FrameLayout {
  RECT caption;   // in window coordinates
  RECT close;
  RECT minimise;  // empty when the window has no minimise box
  int border;
};

FrameLayout LayoutFrame(HWND window);
// Paints the border and the caption bar over whatever the default drawing left,
// on `dc` (window coordinates) or, when it is null, on the window itself.
// `pressedHit` is HTCLOSE or HTMINBUTTON while that button is held, else 0.
void PaintFrame(HWND window, const SkinLook& look, bool active, WPARAM pressedHit, HDC dc = nullptr);
// Which caption part lies under a screen point: HTCLOSE, HTMINBUTTON or HTCAPTION.
LRESULT HitTestCaption(HWND window, POINT screen);
void PaintPushButton(HWND button, HDC dc, const SkinLook& look);
COLORREF ToColorRef(std::uint32_t rgb);

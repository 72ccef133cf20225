// The state of one live window built from a form (internal to the window engine).
#pragma once
#include <windows.h>

#include <vector>

#include "app/forms.h"

struct FormInstance {
  const WindowForm* form = nullptr;
  std::vector<HWND> controls;     // by form index; null for timers
  std::vector<HFONT> ownFonts;    // deleted with the window
  std::vector<HGDIOBJ> images;    // icons and bitmaps the controls show, released with the window
  std::vector<HCURSOR> cursors;   // by form index; null: the class cursor
  std::vector<HBRUSH> brushes;    // by form index; background brushes of coloured controls
  int page = 0;                   // the page of 选择夹1 being shown
};

// The instance of the top-level window that holds `window`; null for a window
// that was not built from a form.
FormInstance* InstanceOf(HWND window);

// The control's index in its window's form, or -1.
int IndexOfControl(const FormInstance& instance, HWND control);

// The program's two windows, held as forms (tables of controls), and access to
// their controls by the names the forms give them.
//
// How another area binds its behaviour to the windows:
//  - Write the handler in a file of your own as `void Name(HWND window, HWND control)`
//    (`window` is the top-level window the event came from, `control` the control,
//    null for a timer or the window itself), declare it in your header, and put its
//    name into its row of the wiring table in app/wiring.cpp. Every event of both
//    windows has a row there; a row with a null handler is an event nobody handles yet.
//  - A window message the table has no event for (WM_DRAWITEM of owner-drawn buttons,
//    say) goes through a MessageHook row of the same file.
//  - Inside a handler, reach controls by name; each window has its own names, so
//    `FindControl(cleanupWindow, "标签1")` and `FindControl(mainWindow, "标签1")` differ:
//      HWND FindControl(HWND window, const char* name)    null when the name is unknown
//      ControlText / SetControlText                          caption or text, replaced whole
//      IsControlTicked / SetControlTicked                    check boxes
//      IsControlEnabled / SetControlEnabled
//      SetTimerPeriod(window, "时钟1", ms)                   0 stops the timer
//    `window` may be the top-level window or any control in it.
//  - The check list 选择列表框1 is reached through app/check_list_box.h.
#pragma once
#include <windows.h>

#include <string>

enum class FormId { Main, Cleanup };

enum class ControlKind {
  TabControl,        // pages are given by `items`
  CheckList,         // items are the optimisation catalogue's captions
  Button,
  IconButton,        // a push button carrying a 16 x 16 icon (`image`)
  CheckBox,
  Label,
  TransparentLabel,  // a label drawn without a background
  Edit,
  MultiLineEdit,
  GroupBox,
  Picture,           // shows the bitmap `image`, clipped to the control
  Timer,             // no window; `timerPeriod` ms, 0 stopped
  BalloonTip,        // a hidden balloon tool-tip window
};

enum ControlFlag : unsigned {
  kDisabled = 1u << 0,
  kNoBorder = 1u << 1,
  kNoTabStop = 1u << 2,
  kSunkenBorder = 1u << 3,
};

constexpr unsigned long kSystemColour = 0xFFFFFFFFul;

struct FontForm {
  const char* face;
  int height;  // CreateFontA height: negative for a character height
  int weight;
};

struct ControlForm {
  const char* name;
  ControlKind kind;
  const char* parent;  // name of the parent control; null: the window itself
  int page;            // for a child of 选择夹1, its page; -1 otherwise
  int x, y, width, height;
  const char* text;
  const FontForm* font = nullptr;  // null: DEFAULT_GUI_FONT
  unsigned flags = 0;
  unsigned long textColour = kSystemColour;
  unsigned long backColour = kSystemColour;
  int image = 0;   // resource id of the icon or bitmap
  int cursor = 0;  // resource id of the control's own cursor
  int timerPeriod = 0;
  const char* const* items = nullptr;
  int itemCount = 0;
};

struct WindowForm {
  FormId id;
  const char* caption;
  int width, height;  // outer size
  bool minimiseBox;
  int icon;  // resource id, 0 none
  const ControlForm* controls;
  int controlCount;
};

const WindowForm& FormOf(FormId id);

// Index of the named control in the form, or -1; the window identifier of a
// control with a window is kFirstControlId + that index.
int ControlIndex(const WindowForm& form, const char* name);
constexpr int kFirstControlId = 1000;

// --- Control access (the controls of a live window) ---
HWND FindControl(HWND window, const char* name);
std::string ControlText(HWND window, const char* name);
void SetControlText(HWND window, const char* name, const std::string& text);
bool IsControlTicked(HWND window, const char* name);
void SetControlTicked(HWND window, const char* name, bool ticked);
bool IsControlEnabled(HWND window, const char* name);
void SetControlEnabled(HWND window, const char* name, bool enabled);
void SetTimerPeriod(HWND window, const char* name, unsigned milliseconds);

// The form a live top-level window was built from; null for any other window.
const WindowForm* FormOfWindow(HWND window);

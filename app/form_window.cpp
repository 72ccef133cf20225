// The window engine: builds a live window from its form, routes control events
// to the wiring table, shows the pages of the tab control, opens windows.
#include "app/form_window.h"

#include <commctrl.h>

#include <string>
#include <vector>

#include "app/check_list_box.h"
#include "app/form_instance.h"
#include "app/wiring.h"
#include "optimise/catalogue.h"

namespace {
constexpr const char* kFormClass = "PrepKitForm";
constexpr const char* kOldProcProperty = "PrepKit.Form.OldProc";

int liveWindows = 0;  // windows built from forms that still exist

const ControlForm* RowOf(const FormInstance& instance, int index) {
  if (index < 0 || index >= instance.form->controlCount) return nullptr;
  return &instance.form->controls[index];
}

void Raise(HWND window, const char* control, ControlEvent event, HWND controlWindow) {
  const WindowForm* form = FormOfWindow(window);
  if (!form) return;
  if (EventHandler handler = FindHandler(form->id, control, event)) handler(window, controlWindow);
}

// --- Controls inside other controls ----------------------------------------
// The tab control and the group boxes hold controls of their own. Their
// notifications must reach the window, which owns the wiring; and a control with
// a cursor of its own shows it.

WNDPROC OldProc(HWND control) { return reinterpret_cast<WNDPROC>(GetPropA(control, kOldProcProperty)); }

bool IsForwarded(UINT message) {
  switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
      return true;
  }
  return false;
}

// A disabled edit box draws its text grey whatever colour its parent asks for;
// one whose form gives a text colour is drawn here instead.
void PaintDisabledEdit(HWND edit, const ControlForm& row) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(edit, &paint);
  RECT area;
  GetClientRect(edit, &area);
  COLORREF back = row.backColour != kSystemColour ? row.backColour : GetSysColor(COLOR_WINDOW);
  SetBkColor(dc, back);
  ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &area, nullptr, 0, nullptr);
  RECT format = area;
  SendMessageA(edit, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
  HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(edit, WM_GETFONT, 0, 0)));
  SetTextColor(dc, row.textColour);
  SetBkMode(dc, TRANSPARENT);
  int length = GetWindowTextLengthA(edit);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  GetWindowTextA(edit, &text[0], length + 1);
  UINT flags = DT_NOPREFIX | DT_EXPANDTABS | DT_EDITCONTROL | (row.kind == ControlKind::MultiLineEdit ? DT_WORDBREAK : DT_SINGLELINE);
  DrawTextA(dc, text.c_str(), -1, &format, flags);
  SelectObject(dc, oldFont);
  EndPaint(edit, &paint);
}

bool IsColouredEdit(const ControlForm& row) {
  return (row.kind == ControlKind::Edit || row.kind == ControlKind::MultiLineEdit) && row.textColour != kSystemColour;
}

LRESULT CALLBACK ControlProc(HWND control, UINT message, WPARAM w, LPARAM l) {
  WNDPROC old = OldProc(control);
  FormInstance* instance = InstanceOf(control);
  int index = instance ? IndexOfControl(*instance, control) : -1;
  const ControlForm* row = instance ? RowOf(*instance, index) : nullptr;
  if (row) {
    bool container = row->kind == ControlKind::TabControl || row->kind == ControlKind::GroupBox;
    if (container && IsForwarded(message)) return SendMessageA(GetAncestor(control, GA_ROOT), message, w, l);
    switch (message) {
      case WM_SETCURSOR:
        // Only over the control itself: its children ask it first for theirs.
        if (reinterpret_cast<HWND>(w) == control && instance->cursors[index]) {
          SetCursor(instance->cursors[index]);
          return TRUE;
        }
        break;
      case WM_ERASEBKGND:
        if (row->kind == ControlKind::GroupBox) {
          RECT area;
          GetClientRect(control, &area);
          FillRect(reinterpret_cast<HDC>(w), &area, GetSysColorBrush(COLOR_BTNFACE));
          return TRUE;
        }
        break;
      case WM_PAINT:
        if (IsColouredEdit(*row) && !IsWindowEnabled(control)) {
          PaintDisabledEdit(control, *row);
          return 0;
        }
        break;
      case WM_LBUTTONDOWN:
        Raise(control, row->name, ControlEvent::LeftButtonDown, control);
        break;
      case WM_MOUSEMOVE:
        Raise(control, row->name, ControlEvent::MouseMove, control);
        break;
      case WM_NCDESTROY:
        RemovePropA(control, kOldProcProperty);
        SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
        return CallWindowProcA(old, control, message, w, l);
    }
  }
  return CallWindowProcA(old, control, message, w, l);
}

void Subclass(HWND control) {
  SetPropA(control, kOldProcProperty,
           reinterpret_cast<HANDLE>(SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ControlProc))));
}

// --- Building ---------------------------------------------------------------

struct ClassAndStyle {
  const char* className;
  DWORD style;
  DWORD exStyle;
};

ClassAndStyle ClassFor(const ControlForm& row, const WindowForm& form) {
  const DWORD child = WS_CHILD | WS_VISIBLE;
  DWORD tabStop = (row.flags & kNoTabStop) ? 0 : WS_TABSTOP;
  DWORD exBorder = (row.flags & kSunkenBorder) ? WS_EX_CLIENTEDGE : 0;
  switch (row.kind) {
    case ControlKind::TabControl:
      return {WC_TABCONTROLA, child | tabStop | WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT};
    case ControlKind::Button:
    case ControlKind::IconButton:
      return {"BUTTON", child | tabStop | BS_PUSHBUTTON | BS_MULTILINE, 0};
    case ControlKind::CheckBox:
      return {"BUTTON", child | tabStop | BS_AUTOCHECKBOX, 0};
    case ControlKind::Label:
    case ControlKind::TransparentLabel: {
      // A label answers the mouse only where something listens to it.
      bool notify = row.cursor || HasEvent(form.id, row.name, ControlEvent::LeftButtonDown) ||
                    HasEvent(form.id, row.name, ControlEvent::MouseMove);
      return {"STATIC", child | SS_LEFT | SS_NOPREFIX | (notify ? SS_NOTIFY : 0), 0};
    }
    case ControlKind::Edit:
      return {"EDIT", child | tabStop | ES_AUTOHSCROLL, exBorder};
    case ControlKind::MultiLineEdit:
      return {"EDIT", child | tabStop | ES_MULTILINE, exBorder};
    case ControlKind::GroupBox:
      return {"BUTTON", child | BS_GROUPBOX | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT};
    case ControlKind::Picture:
      return {"STATIC", child | SS_BITMAP, 0};
    default:
      return {nullptr, 0, 0};
  }
}

HFONT FontFor(FormInstance& instance, const ControlForm& row) {
  if (!row.font) return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  HFONT font = CreateFontA(row.font->height, 0, 0, 0, row.font->weight, 0, 0, 0, GB2312_CHARSET, 0, 0, 0, 0,
                           row.font->face);
  if (!font) return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  instance.ownFonts.push_back(font);
  return font;
}

HWND ParentOf(const FormInstance& instance, HWND window, const ControlForm& row) {
  if (!row.parent) return window;
  int index = ControlIndex(*instance.form, row.parent);
  return index >= 0 && instance.controls[index] ? instance.controls[index] : window;
}

void FillItems(HWND control, const ControlForm& row) {
  if (row.kind == ControlKind::TabControl) {
    for (int i = 0; i < row.itemCount; ++i) {
      TCITEMA item = {};
      item.mask = TCIF_TEXT;
      item.pszText = const_cast<char*>(row.items[i]);
      SendMessageA(control, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
    }
  } else if (row.kind == ControlKind::CheckList) {
    const Catalogue& catalogue = OptimisationCatalogue();
    for (int i = 0; i < catalogue.count; ++i) AddCheckListItem(control, catalogue[i].caption);
  }
}

void ShowImage(FormInstance& instance, HWND control, const ControlForm& row) {
  HINSTANCE module = GetModuleHandleA(nullptr);
  if (row.kind == ControlKind::IconButton) {
    HANDLE icon = LoadImageA(module, MAKEINTRESOURCEA(row.image), IMAGE_ICON, 16, 16, 0);
    if (!icon) return;
    instance.images.push_back(icon);
    SendMessageA(control, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
  } else if (row.kind == ControlKind::Picture) {
    HANDLE bitmap = LoadImageA(module, MAKEINTRESOURCEA(row.image), IMAGE_BITMAP, 0, 0, 0);
    if (!bitmap) return;
    instance.images.push_back(bitmap);
    SendMessageA(control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
    // The static grows to the bitmap; the form's size clips it.
    SetWindowPos(control, nullptr, 0, 0, row.width, row.height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

HWND CreateControl(FormInstance& instance, HWND window, int index) {
  const ControlForm& row = instance.form->controls[index];
  HWND parent = ParentOf(instance, window, row);
  int id = kFirstControlId + index;
  HMENU menuId = reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
  HWND control = nullptr;
  if (row.kind == ControlKind::Timer) {
    if (row.timerPeriod > 0) SetTimer(window, static_cast<UINT_PTR>(id), static_cast<UINT>(row.timerPeriod), nullptr);
    return nullptr;
  }
  if (row.kind == ControlKind::BalloonTip) {
    control = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                              WS_POPUP | TTS_BALLOON | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, window, nullptr, GetModuleHandleA(nullptr), nullptr);
    return control;
  }
  if (row.kind == ControlKind::CheckList) {
    control = CreateCheckListBox(parent, id, row.x, row.y, row.width, row.height);
  } else {
    ClassAndStyle cs = ClassFor(row, *instance.form);
    if (!cs.className) return nullptr;
    DWORD style = cs.style | ((row.flags & kDisabled) ? WS_DISABLED : 0);
    control = CreateWindowExA(cs.exStyle, cs.className, row.text, style, row.x, row.y, row.width, row.height, parent,
                              menuId, GetModuleHandleA(nullptr), nullptr);
  }
  if (!control) return nullptr;
  SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(instance, row)), FALSE);
  FillItems(control, row);
  ShowImage(instance, control, row);
  if (row.cursor)
    instance.cursors[index] = static_cast<HCURSOR>(
        LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(row.cursor), IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE));
  if (row.backColour != kSystemColour) instance.brushes[index] = CreateSolidBrush(row.backColour);
  if (row.kind != ControlKind::CheckList) Subclass(control);
  return control;
}

// Shows the controls of the current page of 选择夹1 and hides the others.
void ShowPage(FormInstance& instance, int page) {
  instance.page = page;
  for (int i = 0; i < instance.form->controlCount; ++i) {
    const ControlForm& row = instance.form->controls[i];
    if (row.page < 0 || !instance.controls[i] || row.kind == ControlKind::BalloonTip) continue;
    ShowWindow(instance.controls[i], row.page == page ? SW_SHOWNA : SW_HIDE);
  }
}

void ReleaseInstance(FormInstance* instance) {
  for (HFONT font : instance->ownFonts) DeleteObject(font);
  for (HBRUSH brush : instance->brushes)
    if (brush) DeleteObject(brush);
  for (HCURSOR cursor : instance->cursors)
    if (cursor) DestroyCursor(cursor);
  for (size_t i = 0; i < instance->images.size(); ++i) {
    // Icons go with DestroyIcon, bitmaps with DeleteObject.
    if (GetObjectType(instance->images[i]) == OBJ_BITMAP) DeleteObject(instance->images[i]);
    else DestroyIcon(static_cast<HICON>(instance->images[i]));
  }
  delete instance;
}

// --- The window procedure ---------------------------------------------------

LRESULT ColourControl(FormInstance& instance, HDC dc, HWND control) {
  int index = IndexOfControl(instance, control);
  const ControlForm* row = RowOf(instance, index);
  if (!row) return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
  if (row->kind == ControlKind::TransparentLabel) {
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
  }
  if (row->textColour != kSystemColour) SetTextColor(dc, row->textColour);
  if (instance.brushes[index]) {
    SetBkColor(dc, row->backColour);
    return reinterpret_cast<LRESULT>(instance.brushes[index]);
  }
  if (row->kind == ControlKind::Edit || row->kind == ControlKind::MultiLineEdit) {
    if (IsWindowEnabled(control)) return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
  }
  SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
  return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

LRESULT CALLBACK FormProc(HWND window, UINT message, WPARAM w, LPARAM l) {
  FormInstance* instance = reinterpret_cast<FormInstance*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (instance) {
    std::size_t hookCount = 0;
    const MessageHookRow* hooks = MessageHookRows(&hookCount);
    for (std::size_t i = 0; i < hookCount; ++i) {
      LRESULT result = 0;
      if (hooks[i].hook && hooks[i].window == instance->form->id && hooks[i].hook(window, message, w, l, &result))
        return result;
    }
  }
  switch (message) {
    case WM_COMMAND: {
      if (!instance || !l) break;
      int index = LOWORD(w) - kFirstControlId;
      const ControlForm* row = RowOf(*instance, index);
      if (!row || instance->controls[index] != reinterpret_cast<HWND>(l)) break;
      if (HIWORD(w) == BN_CLICKED &&
          (row->kind == ControlKind::Button || row->kind == ControlKind::IconButton || row->kind == ControlKind::CheckBox))
        Raise(window, row->name, ControlEvent::Clicked, instance->controls[index]);
      else if (HIWORD(w) == kCheckListChanged && row->kind == ControlKind::CheckList)
        Raise(window, row->name, ControlEvent::CheckChanged, instance->controls[index]);
      return 0;
    }
    case WM_TIMER: {
      const ControlForm* row = instance ? RowOf(*instance, static_cast<int>(w) - kFirstControlId) : nullptr;
      if (row && row->kind == ControlKind::Timer) Raise(window, row->name, ControlEvent::Tick, nullptr);
      return 0;
    }
    case WM_NOTIFY: {
      const NMHDR* header = reinterpret_cast<const NMHDR*>(l);
      if (instance && header->code == static_cast<UINT>(TCN_SELCHANGE))
        ShowPage(*instance, static_cast<int>(SendMessageA(header->hwndFrom, TCM_GETCURSEL, 0, 0)));
      break;
    }
    case WM_DRAWITEM: {
      const DRAWITEMSTRUCT* item = reinterpret_cast<const DRAWITEMSTRUCT*>(l);
      if (item->CtlType == ODT_LISTBOX) {
        DrawCheckListItem(*item);
        return TRUE;
      }
      break;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
      if (instance) return ColourControl(*instance, reinterpret_cast<HDC>(w), reinterpret_cast<HWND>(l));
      break;
    case WM_DESTROY:
      if (--liveWindows == 0) PostQuitMessage(0);
      break;
    case WM_NCDESTROY:
      SetWindowLongPtrA(window, GWLP_USERDATA, 0);
      if (instance) ReleaseInstance(instance);
      break;
  }
  return DefWindowProcA(window, message, w, l);
}

bool RegisterFormClass() {
  static bool registered = false;
  if (registered) return true;
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_TAB_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  WNDCLASSEXA wc = {};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = FormProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kFormClass;
  registered = RegisterClassExA(&wc) != 0;
  return registered;
}

POINT CentredOrigin(int width, int height) {
  return {(GetSystemMetrics(SM_CXSCREEN) - width) / 2, (GetSystemMetrics(SM_CYSCREEN) - height) / 2};
}

struct ThreadWindows {
  HWND except;
  std::vector<HWND> disabled;
};

BOOL CALLBACK DisableOne(HWND window, LPARAM param) {
  ThreadWindows* windows = reinterpret_cast<ThreadWindows*>(param);
  if (window != windows->except && IsWindowEnabled(window)) {
    EnableWindow(window, FALSE);
    windows->disabled.push_back(window);
  }
  return TRUE;
}
}  // namespace

HWND BuildWindow(FormId id) {
  if (!RegisterFormClass()) return nullptr;
  const WindowForm& form = FormOf(id);
  DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN | (form.minimiseBox ? WS_MINIMIZEBOX : 0);
  POINT origin = CentredOrigin(form.width, form.height);
  HWND window = CreateWindowExA(WS_EX_CONTROLPARENT, kFormClass, form.caption, style, origin.x, origin.y, form.width,
                                form.height, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  if (!window) return nullptr;
  ++liveWindows;
  FormInstance* instance = new FormInstance;
  instance->form = &form;
  instance->controls.assign(form.controlCount, nullptr);
  instance->cursors.assign(form.controlCount, nullptr);
  instance->brushes.assign(form.controlCount, nullptr);
  SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(instance));
  if (form.icon) {
    HANDLE icon = LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(form.icon), IMAGE_ICON, 16, 16, 0);
    if (icon) {
      instance->images.push_back(icon);
      SendMessageA(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    }
  }
  for (int i = 0; i < form.controlCount; ++i) instance->controls[i] = CreateControl(*instance, window, i);
  ShowPage(*instance, 0);
  Raise(window, nullptr, ControlEvent::Created, nullptr);
  return window;
}

void OpenWindow(FormId id, bool modal) {
  HWND window = BuildWindow(id);
  if (!window) return;
  if (!modal) {
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    return;
  }
  HWND previouslyActive = GetActiveWindow();
  ThreadWindows others{window, {}};
  EnumThreadWindows(GetCurrentThreadId(), DisableOne, reinterpret_cast<LPARAM>(&others));
  ShowWindow(window, SW_SHOWNORMAL);
  UpdateWindow(window);
  MSG message;
  bool quit = false;
  while (IsWindow(window)) {
    int got = GetMessageA(&message, nullptr, 0, 0);
    if (got <= 0) {
      quit = got == 0;
      break;
    }
    if (TranslateFormMessage(&message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  for (HWND other : others.disabled)
    if (IsWindow(other)) EnableWindow(other, TRUE);
  if (previouslyActive && IsWindow(previouslyActive)) SetActiveWindow(previouslyActive);
  if (quit) PostQuitMessage(static_cast<int>(message.wParam));
}

bool TranslateFormMessage(MSG* message) {
  if (!message->hwnd) return false;
  HWND root = GetAncestor(message->hwnd, GA_ROOT);
  if (!root || !FormOfWindow(root)) return false;
  return IsDialogMessageA(root, message) != FALSE;
}

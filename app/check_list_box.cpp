#include "app/check_list_box.h"

namespace {
constexpr int kItemHeight = 18;
constexpr int kBoxSize = 13;
constexpr int kBoxLeft = 3;
constexpr int kTextLeft = kBoxLeft + kBoxSize + 5;
constexpr const char* kOldProcProperty = "PrepKit.CheckList.OldProc";

WNDPROC OldProc(HWND list) { return reinterpret_cast<WNDPROC>(GetPropA(list, kOldProcProperty)); }

int Count(HWND list) { return static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0)); }

bool Ticked(HWND list, int index) {
  if (index < 0 || index >= Count(list)) return false;
  return SendMessageA(list, LB_GETITEMDATA, index, 0) == 1;
}

void StoreTick(HWND list, int index, bool ticked) {
  if (index < 0 || index >= Count(list)) return;
  SendMessageA(list, LB_SETITEMDATA, index, ticked ? 1 : 0);
  RECT box;
  if (SendMessageA(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&box)) != LB_ERR)
    InvalidateRect(list, &box, FALSE);
}

void ToggleByUser(HWND list, int index) {
  if (index < 0 || index >= Count(list)) return;
  StoreTick(list, index, !Ticked(list, index));
  SendMessageA(GetParent(list), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), kCheckListChanged),
               reinterpret_cast<LPARAM>(list));
}

// The item whose box lies under a client point, or -1.
int BoxAt(HWND list, int x, int y) {
  if (x < 0 || x >= kTextLeft - 2) return -1;
  LRESULT hit = SendMessageA(list, LB_ITEMFROMPOINT, 0, MAKELPARAM(x, y));
  if (HIWORD(hit) != 0) return -1;  // below the last item
  return LOWORD(hit);
}

LRESULT CALLBACK CheckListProc(HWND list, UINT message, WPARAM w, LPARAM l) {
  WNDPROC old = OldProc(list);
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      // The list box selects the item first, so the ticked item is current when
      // the parent hears of the change.
      LRESULT result = CallWindowProcA(old, list, message, w, l);
      int index = BoxAt(list, static_cast<short>(LOWORD(l)), static_cast<short>(HIWORD(l)));
      if (index >= 0) ToggleByUser(list, index);
      return result;
    }
    case WM_KEYDOWN:
      if (w == VK_SPACE) {
        ToggleByUser(list, static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0)));
        return 0;
      }
      break;
    case WM_CHAR:
      if (w == ' ') return 0;  // not a search for items beginning with a blank
      break;
    case WM_NCDESTROY:
      RemovePropA(list, kOldProcProperty);
      SetWindowLongPtrA(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
      break;
  }
  return CallWindowProcA(old, list, message, w, l);
}
}  // namespace

HWND CreateCheckListBox(HWND parent, int id, int x, int y, int width, int height) {
  HWND list = CreateWindowExA(WS_EX_CLIENTEDGE, "LISTBOX", "",
                              WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS |
                                  LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                              x, y, width, height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                              GetModuleHandleA(nullptr), nullptr);
  if (!list) return nullptr;
  SendMessageA(list, LB_SETITEMHEIGHT, 0, kItemHeight);
  SetPropA(list, kOldProcProperty,
           reinterpret_cast<HANDLE>(SetWindowLongPtrA(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CheckListProc))));
  return list;
}

void AddCheckListItem(HWND list, const char* caption) {
  LRESULT index = SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(caption));
  if (index >= 0) SendMessageA(list, LB_SETITEMDATA, index, 0);
}

void DrawCheckListItem(const DRAWITEMSTRUCT& item) {
  if (item.itemID == static_cast<UINT>(-1)) return;
  HDC dc = item.hDC;
  RECT row = item.rcItem;
  bool selected = (item.itemState & ODS_SELECTED) != 0;
  FillRect(dc, &row, GetSysColorBrush(COLOR_WINDOW));

  RECT box = {row.left + kBoxLeft, row.top + (row.bottom - row.top - kBoxSize) / 2, 0, 0};
  box.right = box.left + kBoxSize;
  box.bottom = box.top + kBoxSize;
  UINT state = DFCS_BUTTONCHECK | DFCS_FLAT | (item.itemData == 1 ? DFCS_CHECKED : 0);
  DrawFrameControl(dc, &box, DFC_BUTTON, state);

  char text[512] = {};
  LRESULT length = SendMessageA(item.hwndItem, LB_GETTEXTLEN, item.itemID, 0);
  if (length >= 0 && length < static_cast<LRESULT>(sizeof text))
    SendMessageA(item.hwndItem, LB_GETTEXT, item.itemID, reinterpret_cast<LPARAM>(text));
  RECT label = row;
  label.left += kTextLeft - 2;
  SIZE extent = {};
  GetTextExtentPoint32A(dc, text, lstrlenA(text), &extent);
  label.right = label.left + extent.cx + 4 < row.right ? label.left + extent.cx + 4 : row.right;
  if (selected) FillRect(dc, &label, GetSysColorBrush(COLOR_HIGHLIGHT));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  RECT textRect = label;
  textRect.left += 2;
  DrawTextA(dc, text, -1, &textRect, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &label);
}

int CheckListControl::ItemCount() const { return Count(list_); }
bool CheckListControl::IsTicked(int index) const { return Ticked(list_, index); }
void CheckListControl::SetTick(int index, bool ticked) { StoreTick(list_, index, ticked); }
int CheckListControl::CurrentItem() const { return static_cast<int>(SendMessageA(list_, LB_GETCURSEL, 0, 0)); }

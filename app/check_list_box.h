// A list box whose items each carry a tick box: the check list 选择列表框1.
//
// The user ticks or clears an item with a click on its box or with the space bar
// on the current item; each such change sends the parent WM_COMMAND with the
// notification code kCheckListChanged. Ticks set by the program raise nothing.
// The current item is the list box's selection: -1 until the user picks an item.
// Each item's tick is its item data (1 ticked, 0 not), so LB_GETITEMDATA reads it
// from any process.
#pragma once
#include <windows.h>

#include "optimise/check_list.h"

constexpr WORD kCheckListChanged = 0x0F01;

HWND CreateCheckListBox(HWND parent, int id, int x, int y, int width, int height);
void AddCheckListItem(HWND list, const char* caption);
// Draws one item; the window that receives WM_DRAWITEM for the list calls it.
void DrawCheckListItem(const DRAWITEMSTRUCT& item);

// The optimisation handlers' view of a live check list.
class CheckListControl : public CheckList {
 public:
  explicit CheckListControl(HWND list) : list_(list) {}
  int ItemCount() const override;
  bool IsTicked(int index) const override;
  void SetTick(int index, bool ticked) override;
  int CurrentItem() const override;

 private:
  HWND list_;
};

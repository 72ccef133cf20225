#include "app/optimise_handlers.h"

#include "app/check_list_box.h"
#include "app/forms.h"
#include "optimise/run.h"

namespace {
class StartButtonControl : public StartButton {
 public:
  explicit StartButtonControl(HWND window) : window_(window) {}
  void SetEnabled(bool enabled) override { SetControlEnabled(window_, "按钮1", enabled); }

 private:
  HWND window_;
};

CheckListControl ListOf(HWND window) { return CheckListControl(FindControl(window, "选择列表框1")); }
}  // namespace

void OnOptimisationTicked(HWND window, HWND) {
  StartButtonControl start(window);
  UpdateStartButton(ListOf(window), start);
}

void OnStartOptimisation(HWND window, HWND) {
  CheckListControl list = ListOf(window);
  RunOptimisations(list);
}

void OnSelectAllOptimisations(HWND window, HWND) {
  CheckListControl list = ListOf(window);
  StartButtonControl start(window);
  SelectAllOptimisations(list, start);
}

void OnClearAllOptimisations(HWND window, HWND) {
  CheckListControl list = ListOf(window);
  StartButtonControl start(window);
  ClearAllOptimisations(list, start);
}

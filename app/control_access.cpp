// Reading and setting controls by the names the forms give them.
#include <string>

#include "app/form_instance.h"
#include "app/forms.h"

namespace {
HWND Root(HWND window) { return window ? GetAncestor(window, GA_ROOT) : nullptr; }
}  // namespace

FormInstance* InstanceOf(HWND window) {
  HWND root = Root(window);
  if (!root) return nullptr;
  char cls[32] = {};
  GetClassNameA(root, cls, sizeof cls);
  if (lstrcmpA(cls, "PrepKitForm") != 0) return nullptr;
  return reinterpret_cast<FormInstance*>(GetWindowLongPtrA(root, GWLP_USERDATA));
}

int IndexOfControl(const FormInstance& instance, HWND control) {
  for (size_t i = 0; i < instance.controls.size(); ++i)
    if (instance.controls[i] && instance.controls[i] == control) return static_cast<int>(i);
  return -1;
}

const WindowForm* FormOfWindow(HWND window) {
  FormInstance* instance = InstanceOf(window);
  return instance ? instance->form : nullptr;
}

HWND FindControl(HWND window, const char* name) {
  FormInstance* instance = InstanceOf(window);
  if (!instance) return nullptr;
  int index = ControlIndex(*instance->form, name);
  if (index < 0 || index >= static_cast<int>(instance->controls.size())) return nullptr;
  return instance->controls[index];
}

std::string ControlText(HWND window, const char* name) {
  HWND control = FindControl(window, name);
  if (!control) return {};
  int length = GetWindowTextLengthA(control);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  int got = GetWindowTextA(control, &text[0], length + 1);
  text.resize(got > 0 ? static_cast<size_t>(got) : 0);
  return text;
}

void SetControlText(HWND window, const char* name, const std::string& text) {
  HWND control = FindControl(window, name);
  if (!control) return;
  SetWindowTextA(control, text.c_str());
  // A label drawn without a background keeps the old glyphs under the new ones.
  InvalidateRect(control, nullptr, TRUE);
}

bool IsControlTicked(HWND window, const char* name) {
  HWND control = FindControl(window, name);
  return control && SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void SetControlTicked(HWND window, const char* name, bool ticked) {
  HWND control = FindControl(window, name);
  if (control) SendMessageA(control, BM_SETCHECK, ticked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool IsControlEnabled(HWND window, const char* name) {
  HWND control = FindControl(window, name);
  return control && IsWindowEnabled(control);
}

void SetControlEnabled(HWND window, const char* name, bool enabled) {
  HWND control = FindControl(window, name);
  if (control) EnableWindow(control, enabled ? TRUE : FALSE);
}

void SetTimerPeriod(HWND window, const char* name, unsigned milliseconds) {
  FormInstance* instance = InstanceOf(window);
  if (!instance) return;
  int index = ControlIndex(*instance->form, name);
  if (index < 0 || instance->form->controls[index].kind != ControlKind::Timer) return;
  HWND root = GetAncestor(window, GA_ROOT);
  UINT_PTR id = static_cast<UINT_PTR>(kFirstControlId + index);
  if (milliseconds == 0) KillTimer(root, id);
  else SetTimer(root, id, milliseconds, nullptr);
}

#include "app/main_window.h"

#include "app/form_window.h"
#include "app/forms.h"
#include "system/registry.h"

const char* const kMakerPageUrl = "https://prepkit.example.org/";

namespace {
constexpr const char* kDefaultUserName = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon\\DefaultUserName";
constexpr RootKey kLocalMachine = 4;
}  // namespace

void OnMainWindowCreated(HWND window, HWND) {
  // The skin is attached first, before any later step paints a control.
  SetControlEnabled(window, "按钮1", false);
  for (const char* box : {"选择框_桌面", "选择框_文档", "选择框_收藏夹", "选择框_Cookies"})
    SetControlTicked(window, box, true);
  SetTimerPeriod(window, "时钟1", 1000);
  SetControlText(window, "编辑框2", ReadRegistryText(kLocalMachine, kDefaultUserName));
}

void OpenCleanupWindow(HWND, HWND) { OpenWindow(FormId::Cleanup, true); }

void OpenMakerPage(HWND, HWND) {}

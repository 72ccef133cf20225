#include "app/main_window.h"

#include "app/form_window.h"
#include "app/forms.h"
#include "system/registry.h"
#include "system/shell.h"

const char* const kMakerPageUrl = "https://prepkit.example.org/";

namespace {
constexpr const char* kDefaultUserName = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon\\DefaultUserName";
constexpr RootKey kLocalMachine = 4;
}  // namespace

void OnMainWindowCreated(HWND window, HWND) {
  // The skin is attached here, first, before any later step paints a control.
  SetControlEnabled(window, "按钮1", false);
  for (const char* box : {"选择框_桌面", "选择框_文档", "选择框_收藏夹", "选择框_Cookies"})
    SetControlTicked(window, box, true);
  // The relocation reads these labels back as the folders' current places.
  SetControlText(window, "标签1", GetSpecialFolder(1));
  SetControlText(window, "标签2", GetSpecialFolder(2));
  SetControlText(window, "标签3", ReadEnvironment("USERPROFILE") + "\\Cookies");
  SetControlText(window, "标签4", GetSpecialFolder(3));
  SetTimerPeriod(window, "时钟1", 1000);
  // The external IP goes into 标签7 here; the window waits for the download.
  SetControlText(window, "编辑框2", ReadRegistryText(kLocalMachine, kDefaultUserName));
  // Then the first countdown into 编辑框4, so it shows from the first paint, and
  // last the eight tool buttons become icon buttons with their caption colour.
}

void OpenCleanupWindow(HWND, HWND) { OpenWindow(FormId::Cleanup, true); }

void OpenMakerPage(HWND, HWND) { OpenUrl(kMakerPageUrl); }

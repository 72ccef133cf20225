#include "app/main_window.h"

#include "app/form_window.h"
#include "app/forms.h"
#include "app/status_wiring.h"
#include "loader/window_skin.h"
#include "system/registry.h"
#include "system/shell.h"

const char* const kMakerPageUrl = "https://prepkit.example.org/";

namespace {
constexpr const char* kDefaultUserName = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon\\DefaultUserName";
constexpr RootKey kLocalMachine = 4;
}  // namespace

void OnMainWindowCreated(HWND window, HWND) {
  // The skin is attached here, first, before any later step paints a control.
  AttachSkin(skinDataBlob, "", 0, 0, 0);
  SetControlEnabled(window, "按钮1", false);
  for (const char* box : {"选择框_桌面", "选择框_文档", "选择框_收藏夹", "选择框_Cookies"})
    SetControlTicked(window, box, true);
  // The relocation reads these labels back as the folders' current places.
  SetControlText(window, "标签1", GetSpecialFolder(1));
  SetControlText(window, "标签2", GetSpecialFolder(2));
  SetControlText(window, "标签3", ReadEnvironment("USERPROFILE") + "\\Cookies");
  SetControlText(window, "标签4", GetSpecialFolder(3));
  SetTimerPeriod(window, "时钟1", 1000);
  ShowExternalIp(window);  // the window waits for the download
  SetControlText(window, "编辑框2", ReadRegistryText(kLocalMachine, kDefaultUserName));
  ShowFirstCountdown(window);  // so that it shows from the first paint
  SetUpToolButtons(window);
}

void OpenCleanupWindow(HWND, HWND) { OpenWindow(FormId::Cleanup, true); }

void OpenMakerPage(HWND, HWND) { OpenUrl(kMakerPageUrl); }

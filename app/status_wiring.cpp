#include "app/status_wiring.h"

#include <cstddef>

#include "app/forms.h"
#include "app/hover_tip.h"
#include "app/icon_button.h"
#include "app/program.h"
#include "app/status_line.h"

namespace {

constexpr COLORREF kToolButtonColour = 0xFF0090;  // violet: red 0x90, blue 0xFF
constexpr const char* kTipComponent = "气球提示框1";

// In the order of kToolButtonTips.
constexpr const char* kToolButtonNames[] = {"按钮11", "按钮12", "按钮13", "按钮14",
                                            "按钮15", "按钮16", "按钮17", "按钮18"};
static_assert(sizeof kToolButtonNames / sizeof kToolButtonNames[0] == kToolButtonCount, "one name per tip");

}  // namespace

void ShowExternalIp(HWND window) { SetControlText(window, "标签7", FetchExternalIp()); }

void ShowFirstCountdown(HWND window) { UpdateCountdown(FindControl(window, "编辑框4")); }

void SetUpToolButtons(HWND window) {
  SetIconButtonFont(buttonFont);
  AttachIconButtons(window);
  for (const char* name : kToolButtonNames)
    if (HWND button = FindControl(window, name)) SetIconButtonColours(button, kToolButtonColour, 0, false);
  ConfigureHoverTipComponent(FindControl(window, kTipComponent));
}

void TickClock(HWND window, HWND) { UpdateClock(FindControl(window, "标签6")); }

void TickCountdown(HWND window, HWND) { UpdateCountdown(FindControl(window, "编辑框4")); }

void ShowToolButtonTip(HWND window, HWND control) {
  for (std::size_t i = 0; i < kToolButtonCount; ++i)
    if (FindControl(window, kToolButtonNames[i]) == control) {
      SetHoverTip(FindControl(window, kTipComponent), control, kToolButtonTips[i].tip, -1);
      return;
    }
}

void ForbidHiddenFilesTip(HWND window) {
  SetForbiddenHoverTip(FindControl(window, kTipComponent), FindControl(window, "按钮11"));
}

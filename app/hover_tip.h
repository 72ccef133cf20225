// Balloon help tips for the tool buttons: one tooltip window per owner, one
// tool per control covering the whole control, whose text is replaced in place
// when the control is registered again.
#pragma once
#include <windows.h>

#include <cstddef>

// Creates the hidden balloon-tip component of `owner`: 600 ms before a tip
// shows, 3000 ms on screen, light yellow (0xE1FFFF) background, black 9-point
// "宋体" text, no icon. Null when the tooltip window cannot be created.
HWND CreateHoverTipComponent(HWND owner);
// Gives an existing tooltip window those settings.
void ConfigureHoverTipComponent(HWND tip);

// Adds `control` as a tool of `component` with `text`, or replaces the text of
// the tool it already is. iconIndex −1 means no icon (the only value in use;
// the component carries no image list, so any other value shows none either).
void SetHoverTip(HWND component, HWND control, const char* text, int iconIndex);

// The tool buttons in the order of the page (按钮11 to 按钮18): caption and help.
struct ToolButtonTip {
  const char* caption;
  const char* tip;
};
extern const ToolButtonTip kToolButtonTips[8];
constexpr std::size_t kToolButtonCount = sizeof kToolButtonTips / sizeof kToolButtonTips[0];

// Tells the user the hidden-files entry cannot be toggled now: the tip of its
// button reads "禁止" until the pointer next moves over the button.
extern const char kForbiddenTip[];
void SetForbiddenHoverTip(HWND component, HWND button);

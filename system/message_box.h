// Task-modal message boxes without an owner window.
#pragma once
#include <string_view>

constexpr const char* kDefaultMessageCaption = "信息：";

// MessageBoxA with the style plus MB_TASKMODAL (unless MB_SYSTEMMODAL is set).
// Result: the pressed button counted from 0 (IDOK 0, IDCANCEL 1, ... IDNO 6); 0 on failure.
int ShowMessage(std::string_view text, unsigned style, std::string_view caption = kDefaultMessageCaption);

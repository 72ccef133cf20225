// The context-menu entry that shows or hides hidden files and extensions: the
// program writes its batch script to the temporary folder and lets the shell run
// it hidden; the script itself adds the entry or takes it away.
#pragma once
#include "profile/profile_view.h"

// The value that exists exactly while the entry is installed (HKCR).
constexpr const char* kHiddenFilesEntryValue =
    "CLSID\\{00000000-0000-0000-0000-000000000012}\\Instance\\InitPropertyBag\\command";

// 按钮11: writes "cmd.bat", starts it without waiting, reports "添加成功" or
// "删除成功" by the state found before the start, then sets the button's tip.
void ToggleHiddenFilesMenu(HiddenFilesView& view);

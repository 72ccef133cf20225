// The batch script that adds or removes the hidden-files entry of the desktop's
// context menu: code page 936 text, CR LF line ends, no byte-order mark, no
// terminating zero. The script itself decides whether to add or to remove, by
// the presence of its menu script "%windir%\SuperHidden.vbs".
#pragma once
#include <string_view>

extern const std::string_view kHiddenFilesScript;

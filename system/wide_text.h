// Code page 936 (the ANSI code page) to UTF-16 and back, for the few calls that
// only work right in their wide forms. Empty on failure.
#pragma once
#include <string>
#include <string_view>

std::wstring WideFromAnsi(std::string_view text);
std::string AnsiFromWide(std::wstring_view text);

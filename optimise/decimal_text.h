// Reading a number from the start of a text the way the catalogue's value texts
// are read: leading blanks, an optional sign, digits with an optional fraction
// and exponent; stops at the first character that does not continue the number;
// a text that does not begin with a number reads as 0. Portable.
#pragma once
#include <string_view>

double ReadDecimalNumber(std::string_view text);

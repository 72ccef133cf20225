#include <doctest/doctest.h>

#include <cstdint>
#include <string>

#include "optimise/decimal_text.h"
#include "system/cp936.h"
#include "system/registry_path.h"

// "\x95\x5C" is one code page 936 character whose second byte is a backslash.
TEST_CASE("a registry path splits at its last real backslash, stepping over double-byte characters") {
  struct Case {
    const char* path;
    const char* key;
    const char* value;
  } cases[] = {
      {"Control Panel\\desktop\\MenuShowDelay", "Control Panel\\desktop", "MenuShowDelay"},
      {"AutoRun", "", "AutoRun"},
      {"Software\\Key\\", "Software\\Key", ""},
      {"", "", ""},
      {"Soft\\a\x95\x5C" "b", "Soft", "a\x95\x5C" "b"},
      {"Soft\\a\x95\x5C", "Soft", "a\x95\x5C"},
      {"Soft\\a\x95\x5C\\v", "Soft\\a\x95\x5C", "v"},
      {"Key\\\x95", "Key", "\x95"},  // a lead byte at the very end ends the scan
      {"\x95\\", "", "\x95\\"},
  };
  for (std::size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
    CAPTURE(i);
    RegistryPathParts parts = SplitRegistryPath(cases[i].path);
    CHECK(parts.keyPath == cases[i].key);
    CHECK(parts.valueName == cases[i].value);
  }
}

TEST_CASE("code page 936 character search skips trailing bytes that look like brackets") {
  std::string text = "\xB5\x5B" "ab[1.2]\xC7\x5D" "]";
  CHECK(cp936::FindChar(text, '[') == 4);
  CHECK(cp936::FindChar(text, ']', 5) == 8);
  CHECK(cp936::FindChar(text, ']', 9) == 11);
  CHECK(cp936::FindChar("\xB5", '\\') == cp936::npos);
}

TEST_CASE("a real number becomes a DWORD by cutting toward zero and keeping the low 32 bits") {
  struct Case {
    double real;
    std::uint32_t dword;
  } cases[] = {
      {9.0, 9}, {2.9, 2}, {-1.5, 0xFFFFFFFFu}, {-0.9, 0}, {4294967296.0 + 5, 5}, {1e300, 0}, {-1e300, 0},
  };
  for (const Case& c : cases) {
    CAPTURE(c.real);
    CHECK(DwordFromReal(c.real) == c.dword);
  }
}

TEST_CASE("value texts are read as a leading decimal number, anything else as 0") {
  struct Case {
    const char* text;
    double number;
  } cases[] = {
      {"00000001", 1}, {"0", 0},        {"00000003", 3}, {"BD 00 00 00", 0}, {"  -12.5e1x", -125},
      {"+7", 7},       {"1e", 1},       {".5", 0.5},     {"-", 0},           {"0x10", 0},
      {"inf", 0},      {"nan", 0},      {"", 0},         {"153", 153},
  };
  for (const Case& c : cases) {
    CAPTURE(c.text);
    CHECK(ReadDecimalNumber(c.text) == doctest::Approx(c.number));
  }
}

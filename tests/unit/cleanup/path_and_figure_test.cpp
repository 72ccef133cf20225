#include <doctest/doctest.h>

#include <cstdint>
#include <string>

#include "cleanup/figures.h"
#include "cleanup/path_text.h"

TEST_CASE("ParentDirectory keeps the folder of the last element, stepping over double-byte characters") {
  // "\x95\x5c" is one double-byte character whose second byte is a backslash.
  struct Case {
    const char* path;
    const char* parent;
  } cases[] = {
      {"X:\\Profiles\\Admin\\Start Menu\\", "X:\\Profiles\\Admin\\"},
      {"X:\\Profiles\\Admin\\Start Menu", "X:\\Profiles\\Admin\\"},
      {"C:\\Documents and Settings\\\xb9\xdc\xc0\xed\xd4\xb1\\\xa1\xb8\xbf\xaa\xca\xbc\xa1\xb9\xb2\xcb\xb5\xa5\\",
       "C:\\Documents and Settings\\\xb9\xdc\xc0\xed\xd4\xb1\\"},
      {"C:\\\x95\x5c\\Start\\", "C:\\\x95\x5c\\"},
      {"C:\\a\\\x95\x5c", "C:\\a\\"},   // ends in a double-byte character, not a separator
      {"C:\\\x95\x5c", "C:\\"},
      {"\\\\server\\share\\", "\\\\server\\"},
      {"C:\\", ""},
      {"Start Menu\\", ""},
      {"\\", ""},
      {"", ""},
  };
  for (const Case& c : cases) {
    CAPTURE(c.path);
    CHECK(ParentDirectory(c.path) == c.parent);
  }
}

TEST_CASE("Only drive and network paths count as absolute") {
  struct Case {
    const char* path;
    bool absolute;
  } cases[] = {
      {"C:\\Temp", true},  {"z:\\", true},        {"\\\\server\\share", true}, {"", false},
      {"Cookies", false},  {"C:Temp", false},     {"\\Temp", false},           {"C:", false},
      {"\\\\", false},     {"\\\\\\x", false},    {"LOCAL SETTINGS\\History", false},
  };
  for (const Case& c : cases) {
    CAPTURE(c.path);
    CHECK(IsAbsolutePath(c.path) == c.absolute);
  }
}

TEST_CASE("Megabyte figures add both folders before rounding halves away from zero") {
  constexpr std::uint64_t MB = 1048576;
  struct Case {
    std::uint64_t first, second;
    const char* figure;
  } cases[] = {
      {3 * MB, MB * 14 / 10, "4MB"},  // 3 + 1.4 = 4.4; rounded apart they would still be 4, together too
      {MB * 14 / 10, MB * 14 / 10, "3MB"},  // 1.4 + 1.4 = 2.8; rounded apart, 2
      {MB * 4 / 10, 0, "0MB"},
      {MB * 3 / 2, 0, "2MB"},
      {MB / 2, MB, "2MB"},
      {MB / 2 - 1, 0, "0MB"},
      {0, 0, "0MB"},
      {3ull << 30, 0, "3072MB"},  // beyond 32 bits
      {5ull << 40, 1ull << 40, "6291456MB"},
  };
  for (const Case& c : cases) {
    CAPTURE(c.first);
    CAPTURE(c.second);
    CHECK(MegabyteFigure(c.first, c.second) == c.figure);
  }
}

TEST_CASE("Rounding nudges a near half up and goes away from zero") {
  struct Case {
    double value, rounded;
  } cases[] = {{2.5, 3}, {2.4999999999995, 3}, {2.4999, 2}, {-2.5, -3}, {0.49, 0}, {7.0, 7}, {-0.2, 0}};
  for (const Case& c : cases) {
    CAPTURE(c.value);
    CHECK(RoundHalfAwayFromZero(c.value) == c.rounded);
  }
}

TEST_CASE("Byte figures are whole bytes, also beyond 32 bits") {
  CHECK(ByteFigure(53248) == "53248字节");
  CHECK(ByteFigure(0) == "0字节");
  CHECK(ByteFigure(4294967296ull + 5) == "4294967301字节");
}

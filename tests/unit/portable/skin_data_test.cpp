#include <doctest/doctest.h>

#include <cstdio>
#include <string>

#include "skin/skin_data.h"

namespace {

std::string ShippedSkin() {
  std::string text;
  if (std::FILE* f = std::fopen(PREPKIT_SKIN_DATA, "rb")) {
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) text.append(buffer, n);
    std::fclose(f);
  }
  return text;
}

bool Parse(const std::string& text, SkinLook& look) {
  return ParseSkin(reinterpret_cast<const unsigned char*>(text.data()), text.size(), look);
}

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  std::size_t at = text.find(from);
  REQUIRE(at != std::string::npos);
  return text.replace(at, from.size(), to);
}

}  // namespace

TEST_CASE("the shipped skin data reads completely") {
  std::string text = ShippedSkin();
  SkinLook look;
  REQUIRE(Parse(text, look));
  CHECK(look.captionActive == 0x1E5AA0);
  CHECK(look.buttonDisabledText == 0x8C9AAA);
  // CR LF line ends, comments, unknown keys and trailing comments are fine.
  std::string crlf;
  for (char c : text) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  CHECK(Parse(crlf, look));
  CHECK(Parse(Replace(text, "end", "future.key 123456\nend\n# after"), look));
  CHECK(look.captionActive == 0x1E5AA0);
}

TEST_CASE("damaged skin data is refused") {
  const std::string text = ShippedSkin();
  SkinLook look;
  struct Case {
    const char* what;
    std::string data;
  } cases[] = {
      {"empty", ""},
      {"truncated before the end line", text.substr(0, text.size() / 2)},
      {"end line missing", Replace(text, "end", "")},
      {"wrong header", Replace(text, "PrepKitSkin 1", "PrepKitSkin 2")},
      {"short colour", Replace(text, "1E5AA0", "1E5AA")},
      {"not hexadecimal", Replace(text, "1E5AA0", "1E5AAG")},
      {"key without value", Replace(text, "frame                   1A4E8A", "frame")},
      {"a colour key missing", Replace(text, "frame                   1A4E8A", "")},
      {"data after the end line", text + "window 000000\n"},
      {"a NUL inside", Replace(text, "1E5AA0", std::string("1E5\0A0", 6))},
  };
  for (const Case& c : cases) {
    CAPTURE(c.what);
    CHECK_FALSE(Parse(c.data, look));
  }
  CHECK_FALSE(ParseSkin(nullptr, 10, look));
}

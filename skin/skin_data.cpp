#include "skin/skin_data.h"

namespace {

struct Key {
  const char* name;
  std::uint32_t SkinLook::*field;
};

const Key kKeys[] = {
    {"caption.active", &SkinLook::captionActive},
    {"caption.inactive", &SkinLook::captionInactive},
    {"caption.text", &SkinLook::captionText},
    {"caption.inactive.text", &SkinLook::captionInactiveText},
    {"caption.button", &SkinLook::captionButton},
    {"caption.button.pressed", &SkinLook::captionButtonPressed},
    {"caption.glyph", &SkinLook::captionGlyph},
    {"frame", &SkinLook::frame},
    {"window", &SkinLook::window},
    {"text", &SkinLook::text},
    {"edit", &SkinLook::edit},
    {"edit.text", &SkinLook::editText},
    {"button", &SkinLook::button},
    {"button.pressed", &SkinLook::buttonPressed},
    {"button.border", &SkinLook::buttonBorder},
    {"button.text", &SkinLook::buttonText},
    {"button.disabled.text", &SkinLook::buttonDisabledText},
};
constexpr std::size_t kKeyCount = sizeof kKeys / sizeof kKeys[0];
const char kHeader[] = "PrepKitSkin 1";
const char kEnd[] = "end";

struct Span {
  const unsigned char* p;
  std::size_t n;
};

bool Equals(Span s, const char* text) {
  std::size_t i = 0;
  for (; i < s.n; ++i)
    if (text[i] == '\0' || static_cast<unsigned char>(text[i]) != s.p[i]) return false;
  return text[i] == '\0';
}

bool IsBlank(unsigned char c) { return c == ' ' || c == '\t' || c == '\r'; }

Span Trim(Span s) {
  while (s.n > 0 && IsBlank(s.p[0])) ++s.p, --s.n;
  while (s.n > 0 && IsBlank(s.p[s.n - 1])) --s.n;
  return s;
}

int HexDigit(unsigned char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

bool ParseColour(Span s, std::uint32_t& colour) {
  if (s.n != 6) return false;
  colour = 0;
  for (std::size_t i = 0; i < 6; ++i) {
    int d = HexDigit(s.p[i]);
    if (d < 0) return false;
    colour = colour << 4 | static_cast<std::uint32_t>(d);
  }
  return true;
}

}  // namespace

bool ParseSkin(const unsigned char* data, std::size_t size, SkinLook& out) {
  if (!data) return false;
  bool seen[kKeyCount] = {};
  bool headerRead = false, ended = false;
  std::size_t at = 0;
  while (at < size) {
    std::size_t end = at;
    while (end < size && data[end] != '\n') ++end;
    Span line = Trim(Span{data + at, end - at});
    at = end + 1;
    if (line.n == 0 || line.p[0] == '#') continue;
    if (ended) return false;  // nothing may follow the end line
    if (!headerRead) {
      if (!Equals(line, kHeader)) return false;
      headerRead = true;
      continue;
    }
    if (Equals(line, kEnd)) {
      ended = true;
      continue;
    }
    std::size_t split = 0;
    while (split < line.n && !IsBlank(line.p[split])) ++split;
    Span name{line.p, split};
    Span value = Trim(Span{line.p + split, line.n - split});
    std::uint32_t colour;
    if (!ParseColour(value, colour)) return false;
    for (std::size_t k = 0; k < kKeyCount; ++k) {
      if (Equals(name, kKeys[k].name)) {
        out.*kKeys[k].field = colour;
        seen[k] = true;
      }
    }
  }
  if (!ended) return false;
  for (bool s : seen)
    if (!s) return false;
  return true;
}

// The skin data: what the skin library paints with, read from the small text
// format described in FORMAT.md. Portable and free of library calls, because the
// skin library is built without a C runtime.
#pragma once
#include <cstddef>
#include <cstdint>

// Colours as 0xRRGGBB.
struct SkinLook {
  std::uint32_t captionActive;
  std::uint32_t captionInactive;
  std::uint32_t captionText;
  std::uint32_t captionInactiveText;
  std::uint32_t captionButton;
  std::uint32_t captionButtonPressed;
  std::uint32_t captionGlyph;
  std::uint32_t frame;
  std::uint32_t window;
  std::uint32_t text;
  std::uint32_t edit;
  std::uint32_t editText;
  std::uint32_t button;
  std::uint32_t buttonPressed;
  std::uint32_t buttonBorder;
  std::uint32_t buttonText;
  std::uint32_t buttonDisabledText;
};

// Reads skin data. False (and `out` unspecified) unless the data starts with
// the header line, every line is well formed, every colour key is given, and
// the data ends with the "end" line.
bool ParseSkin(const unsigned char* data, std::size_t size, SkinLook& out);

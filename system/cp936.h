// Scanning code page 936 text byte by byte without mistaking the second byte
// of a double-byte character (which may be 0x5C '\', 0x5B '[' or 0x5D ']')
// for a single-byte one. Portable: no Windows calls.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace cp936 {

constexpr std::size_t npos = std::string_view::npos;

// A byte of 0x80 or more opens a two-byte character.
constexpr bool IsLeadByte(unsigned char byte) { return byte >= 0x80; }

// Position of the first single-byte `wanted` at or after `from`, stepping over
// double-byte characters; npos when there is none. A lead byte at the very end
// ends the scan.
std::size_t FindChar(std::string_view text, char wanted, std::size_t from = 0);

// Position of the last single-byte `wanted`, or npos.
std::size_t FindLastChar(std::string_view text, char wanted);

inline std::size_t LastBackslash(std::string_view text) { return FindLastChar(text, '\\'); }

}  // namespace cp936

#include <doctest/doctest.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "profile/hidden_files_script.h"

namespace {
std::uint64_t Fnv1a(std::string_view bytes) {
  std::uint64_t hash = 0xcbf29ce484222325ull;
  for (unsigned char c : bytes) hash = (hash ^ c) * 0x100000001b3ull;
  return hash;
}

std::size_t Count(std::string_view text, std::string_view part) {
  std::size_t n = 0;
  for (std::size_t at = text.find(part); at != std::string_view::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

// The two menu captions as code page 936 bytes, written out so that the test does
// not lean on the compiler's conversion of literals.
const unsigned char kShowCaption[] = {0xCF, 0xD4, 0xCA, 0xBE, 0xBA, 0xF3, 0xD7, 0xBA,
                                      0xC3, 0xFB, 0xBC, 0xD3, 0xD2, 0xFE, 0xB2, 0xD8};  // 显示后缀名加隐藏
const unsigned char kHideCaption[] = {0xD2, 0xFE, 0xB2, 0xD8, 0xBA, 0xF3, 0xD7, 0xBA,
                                      0xC3, 0xFB, 0xBC, 0xD3, 0xD2, 0xFE, 0xB2, 0xD8};  // 隐藏后缀名加隐藏
std::string_view Bytes(const unsigned char (&b)[16]) { return {reinterpret_cast<const char*>(b), sizeof b}; }
}  // namespace

TEST_CASE("the hidden-files script is the fixed text, byte for byte") {
  std::string_view s = kHiddenFilesScript;
  // Size and hash of the reference text: the 49 lines with their empty lines,
  // minus "pause>nul" and the empty line after it (3873 - 13).
  CHECK(s.size() == 3860);
  CHECK(Fnv1a(s) == 0x85e1abe3e5f58085ull);
  CHECK(s.substr(0, 11) == "@echo off\r\n");  // no byte-order mark
  CHECK(s.substr(s.size() - 6) == "exit\r\n");
  CHECK(s.back() != '\0');
}

TEST_CASE("the hidden-files script has CR LF line ends only and GBK captions") {
  std::string_view s = kHiddenFilesScript;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\n') REQUIRE_MESSAGE((i > 0 && s[i - 1] == '\r'), "bare LF at ", i);
    if (s[i] == '\r') REQUIRE_MESSAGE((i + 1 < s.size() && s[i + 1] == '\n'), "bare CR at ", i);
  }
  // 48 lines and 49 empty ones: one between most lines, three after the remove
  // branch's "del", two after ":setup", none before the last line.
  CHECK(Count(s, "\r\n") == 48 + 49);
  CHECK(Count(s, Bytes(kShowCaption)) == 2);
  CHECK(Count(s, Bytes(kHideCaption)) == 2);
}

TEST_CASE("the remove branch of the hidden-files script ends without waiting for a key") {
  std::string_view s = kHiddenFilesScript;
  CHECK(Count(s, "pause") == 0);
  CHECK(Count(s, "del /f /q \"%windir%\\SuperHidden.vbs\" >nul 2>nul\r\n\r\n\r\n\r\nexit\r\n\r\n:setup\r\n") == 1);
}

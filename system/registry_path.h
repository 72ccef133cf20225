// The portable half of registry access: how a one-text path splits into key
// and value name, and how a number becomes the 32 bits of a REG_DWORD.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// Predefined root key code: 1 HKCR, 2 HKCC, 3 HKCU, 4 HKLM, 5 HKU; any other code means HKCU.
using RootKey = std::int32_t;

struct RegistryPathParts {
  std::string keyPath;    // empty: the root key itself
  std::string valueName;  // empty: the key's default value
};

// Splits at the last real backslash of code page 936 text.
RegistryPathParts SplitRegistryPath(std::string_view path);

// A real number cut toward zero to 64 bits, low 32 bits kept (2.9 -> 2, -1.5 -> 0xFFFFFFFF).
// Values no 64-bit integer can hold (NaN, infinities, |x| >= 2^63) give 0 rather than
// undefined behaviour.
std::uint32_t DwordFromReal(double value);

// What a write stores: a REG_DWORD or a REG_SZ.
struct RegistryValue {
  enum class Kind { Dword, Text };
  Kind kind = Kind::Dword;
  std::uint32_t dword = 0;
  std::string text;

  static RegistryValue Number(std::int64_t integer) {
    RegistryValue v;
    v.dword = static_cast<std::uint32_t>(integer);
    return v;
  }
  static RegistryValue Real(double real) { return Number(0).WithDword(DwordFromReal(real)); }
  static RegistryValue Text(std::string_view text) {
    RegistryValue v;
    v.kind = Kind::Text;
    v.text.assign(text);
    return v;
  }

 private:
  RegistryValue WithDword(std::uint32_t d) const {
    RegistryValue v = *this;
    v.dword = d;
    return v;
  }
};

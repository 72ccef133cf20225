#include "system/registry_path.h"

#include <cmath>

#include "system/cp936.h"

RegistryPathParts SplitRegistryPath(std::string_view path) {
  std::size_t cut = cp936::LastBackslash(path);
  if (cut == cp936::npos) return {std::string(), std::string(path)};
  return {std::string(path.substr(0, cut)), std::string(path.substr(cut + 1))};
}

std::uint32_t DwordFromReal(double value) {
  constexpr double kTwoTo63 = 9223372036854775808.0;
  if (!std::isfinite(value) || value >= kTwoTo63 || value < -kTwoTo63) return 0;
  return static_cast<std::uint32_t>(static_cast<std::uint64_t>(static_cast<std::int64_t>(value)));
}

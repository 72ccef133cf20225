#include "cleanup/figures.h"

#include <cmath>

#include "cleanup/texts.h"

double RoundHalfAwayFromZero(double value) {
  double magnitude = std::fabs(value) + 1e-12;
  double whole = std::floor(magnitude);
  if (magnitude - whole >= 0.5) whole += 1.0;
  return value < 0 ? -whole : whole;
}

std::string MegabyteFigure(std::uint64_t firstBytes, std::uint64_t secondBytes) {
  constexpr double kMegabyte = 1048576.0;
  double total = static_cast<double>(firstBytes) / kMegabyte + static_cast<double>(secondBytes) / kMegabyte;
  return std::to_string(static_cast<std::uint64_t>(RoundHalfAwayFromZero(total))) + kMegabyteUnit;
}

std::string ByteFigure(std::uint64_t bytes) { return std::to_string(bytes) + kByteUnit; }

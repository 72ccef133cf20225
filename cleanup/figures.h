// The size figures of the cleanup window's labels. Portable: no Windows calls.
#pragma once
#include <cstdint>
#include <string>

// Nearest whole number, halves away from zero; 1e-12 is added to the magnitude
// first so that a sum like 2.4999999999995 still rounds up.
double RoundHalfAwayFromZero(double value);

// Two byte counts as whole megabytes (1048576 bytes), added before rounding: "4MB".
std::string MegabyteFigure(std::uint64_t firstBytes, std::uint64_t secondBytes = 0);

// A byte count in decimal with the byte unit: "53248字节".
std::string ByteFigure(std::uint64_t bytes);

// Calls a code address with ten 32-bit stack arguments and returns its 32-bit
// result. The callee may pop its own arguments (stdcall: DLL entry points,
// exported Windows-style functions) or leave them to the caller (cdecl); the
// stack pointer is restored from a saved register either way, so a callee that
// declares fewer parameters simply ignores the rest.
//
// Only a 32-bit x86 build can make such a call; elsewhere the result is 0 and
// nothing is called.
#pragma once
#include <cstdint>

constexpr bool kCanCallByAddress =
#if defined(_M_IX86) || defined(__i386__)
    true;
#else
    false;
#endif

std::uint32_t CallByAddress(std::uintptr_t address, std::uint32_t a1 = 0, std::uint32_t a2 = 0,
                            std::uint32_t a3 = 0, std::uint32_t a4 = 0, std::uint32_t a5 = 0,
                            std::uint32_t a6 = 0, std::uint32_t a7 = 0, std::uint32_t a8 = 0,
                            std::uint32_t a9 = 0, std::uint32_t a10 = 0);

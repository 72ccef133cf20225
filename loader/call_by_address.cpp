#include "loader/call_by_address.h"

std::uint32_t CallByAddress(std::uintptr_t address, std::uint32_t a1, std::uint32_t a2, std::uint32_t a3,
                            std::uint32_t a4, std::uint32_t a5, std::uint32_t a6, std::uint32_t a7,
                            std::uint32_t a8, std::uint32_t a9, std::uint32_t a10) {
#if defined(__i386__)
  std::uint32_t slots[10] = {a1, a2, a3, a4, a5, a6, a7, a8, a9, a10};
  std::uint32_t result;
  const std::uint32_t* args = slots;
  // ESI is preserved by every x86 calling convention, so it carries our stack
  // pointer across the call whatever the callee pops. Only registers are used
  // as operands: the pushes move ESP, so no stack-relative operand may be read
  // after them. The stack is 16-byte aligned at the call for callees that
  // expect it.
  __asm__ __volatile__(
      "movl %%esp, %%esi\n\t"
      "andl $-16, %%esp\n\t"
      "subl $8, %%esp\n\t"
      "pushl 36(%%ecx)\n\t"
      "pushl 32(%%ecx)\n\t"
      "pushl 28(%%ecx)\n\t"
      "pushl 24(%%ecx)\n\t"
      "pushl 20(%%ecx)\n\t"
      "pushl 16(%%ecx)\n\t"
      "pushl 12(%%ecx)\n\t"
      "pushl 8(%%ecx)\n\t"
      "pushl 4(%%ecx)\n\t"
      "pushl (%%ecx)\n\t"
      "call *%%edx\n\t"
      "movl %%esi, %%esp\n\t"
      : "=a"(result), "+c"(args), "+d"(address)
      :
      : "esi", "memory", "cc");
  return result;
#else
  (void)address, (void)a1, (void)a2, (void)a3, (void)a4, (void)a5, (void)a6, (void)a7, (void)a8, (void)a9,
      (void)a10;
  return 0;
#endif
}

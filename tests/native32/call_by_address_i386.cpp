// CallByAddress's machine code, checked as a freestanding 32-bit Linux program
// under qemu-i386 (this host cannot run 32-bit Windows code). Exit status 0
// when every check passes, otherwise the number of the first failed check.
#include "loader/call_by_address.h"

namespace {

int __attribute__((stdcall)) Stdcall0() { return 42; }
int __attribute__((stdcall)) Stdcall3(int a, int b, int c) { return a * 100 + b * 10 + c; }
int __attribute__((stdcall)) Stdcall10(int a1, int a2, int a3, int a4, int a5, int a6, int a7, int a8, int a9,
                                       int a10) {
  return a1 + 2 * a2 + 3 * a3 + 4 * a4 + 5 * a5 + 6 * a6 + 7 * a7 + 8 * a8 + 9 * a9 + 10 * a10;
}
int __attribute__((cdecl)) Cdecl2(int a, int b) { return a - b; }
// Clobbers every register a callee may clobber, and the callee-saved ones it restores.
int __attribute__((stdcall)) Busy(int a, int b) {
  int r;
  __asm__ __volatile__("movl $7, %%ecx\n\tmovl $9, %%edx" : : : "ecx", "edx");
  r = a * b;
  return r;
}

void Exit(int code) {
  __asm__ __volatile__("int $0x80" : : "a"(1), "b"(code));
  for (;;) {
  }
}

std::uintptr_t StackPointer() {
  std::uintptr_t esp;
  __asm__ __volatile__("movl %%esp, %0" : "=r"(esp));
  return esp;
}

std::uintptr_t Code(void* f) { return reinterpret_cast<std::uintptr_t>(f); }

}  // namespace

extern "C" void CheckMain() {
  const std::uintptr_t before = StackPointer();
  volatile int canary = 0x5A5A;
  for (int round = 0; round < 10000; ++round) {
    if (CallByAddress(Code(reinterpret_cast<void*>(&Stdcall0))) != 42) Exit(1);
    if (CallByAddress(Code(reinterpret_cast<void*>(&Stdcall3)), 1, 2, 3) != 123) Exit(2);
    if (CallByAddress(Code(reinterpret_cast<void*>(&Stdcall10)), 1, 2, 3, 4, 5, 6, 7, 8, 9, 10) != 385) Exit(3);
    if (static_cast<int>(CallByAddress(Code(reinterpret_cast<void*>(&Cdecl2)), 3, 10)) != -7) Exit(4);
    if (CallByAddress(Code(reinterpret_cast<void*>(&Busy)), 6, 7) != 42) Exit(5);
  }
  if (StackPointer() != before) Exit(6);
  if (canary != 0x5A5A) Exit(7);
  Exit(0);
}

__asm__(".globl _start\n_start:\n\tandl $-16, %esp\n\tcall CheckMain\n");

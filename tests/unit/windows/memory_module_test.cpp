#include <doctest/doctest.h>
#include <windows.h>

#include <cstdint>
#include <initializer_list>
#include <memory>

#include "loader/call_by_address.h"
#include "loader/memory_module.h"
#include "loader/window_skin.h"

extern const ByteBlob fixtureSample, fixtureRebased, fixtureFailAttach, fixtureMissingImport, fixtureExe,
    fixtureAlign200, fixtureAlign10000;

namespace {

template <typename T>
T* ExportAs(const MemoryModule& module, const char* name) {
  return reinterpret_cast<T*>(module.GetExportAddress(name));
}

#if defined(__i386__)
bool IsFree(std::uintptr_t address) {
  MEMORY_BASIC_INFORMATION info;
  return VirtualQuery(reinterpret_cast<void*>(address), &info, sizeof info) == sizeof info && info.State == MEM_FREE;
}

int __stdcall Stdcall0() { return 42; }
int __stdcall Stdcall3(int a, int b, int c) { return a * 100 + b * 10 + c; }
int __stdcall Stdcall10(int a1, int a2, int a3, int a4, int a5, int a6, int a7, int a8, int a9, int a10) {
  return a1 + 2 * a2 + 3 * a3 + 4 * a4 + 5 * a5 + 6 * a6 + 7 * a7 + 8 * a8 + 9 * a9 + 10 * a10;
}
int __cdecl Cdecl2(int a, int b) { return a - b; }

std::uint32_t Address(const void* p) { return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(p)); }
std::uintptr_t Code(void* f) { return reinterpret_cast<std::uintptr_t>(f); }

std::uintptr_t StackPointer() {
  std::uintptr_t esp;
  __asm__ __volatile__("movl %%esp, %0" : "=r"(esp));
  return esp;
}

// Supplies the one import no system library has; leaves the rest to the system.
std::uint32_t __stdcall SupplyAbsent(const char* library, const char* name, std::uint32_t data) {
  if (lstrcmpA(name, "PrepKitAbsentFunction") != 0) return 0;
  *reinterpret_cast<int*>(data) += 1;
  return Address(reinterpret_cast<void*>(&Stdcall0));
}
#endif

}  // namespace

#if defined(__i386__)

TEST_CASE("CallByAddress passes ten slots and keeps the caller's stack for stdcall and cdecl callees") {
  const std::uintptr_t before = StackPointer();
  for (int round = 0; round < 1000; ++round) {
    CHECK(CallByAddress(Code(reinterpret_cast<void*>(&Stdcall0))) == 42);
    CHECK(CallByAddress(Code(reinterpret_cast<void*>(&Stdcall3)), 1, 2, 3) == 123);
    CHECK(CallByAddress(Code(reinterpret_cast<void*>(&Stdcall10)), 1, 2, 3, 4, 5, 6, 7, 8, 9, 10) == 385);
    CHECK(static_cast<int>(CallByAddress(Code(reinterpret_cast<void*>(&Cdecl2)), 3, 10)) == -7);
    // A Windows function (stdcall, two parameters).
    CHECK(CallByAddress(Code(reinterpret_cast<void*>(&lstrcmpA)), Address("a"), Address("a")) == 0);
  }
  CHECK(StackPointer() == before);
}

TEST_CASE("a DLL is mapped, attached with (0, 1, 0), linked, and its exports found and called") {
  SetEnvironmentVariableA("PREPKIT_SAMPLE_DETACH", nullptr);
  MemoryModule module;
  REQUIRE(module.LoadFromMemory(fixtureSample));
  CHECK(module.GetImageBase() != 0);
  CHECK(module.GetEntryPointAddress() > module.GetImageBase());
  CHECK(*ExportAs<DWORD>(module, "attachCalls") == 1);
  CHECK(*ExportAs<DWORD>(module, "lastReserved") == 0);
  CHECK(CallByAddress(module.GetExportAddress("Add3"), 1, 2, 3) == 6);
  CHECK(CallByAddress(module.GetExportAddress("Sum10"), 1, 1, 1, 1, 1, 1, 1, 1, 1, 1) == 55);
  CHECK(static_cast<int>(CallByAddress(module.GetExportAddress("Difference"), 5, 8)) == -3);
  CHECK(CallByAddress(module.GetExportAddress("CallImport")) == GetCurrentProcessId());
  CHECK(CallByAddress(module.GetExportAddress("9")) == 99);  // Hidden, by ordinal only
  CHECK(module.GetExportAddress("1") == module.GetExportAddress("Add3"));
  CHECK(module.GetExportAddress("add3") == 0);
  CHECK(module.GetExportAddress("0") == 0);

  // A copy shares the image; discarding it unloads nothing.
  std::unique_ptr<MemoryModule> copy = module.Copy();
  CHECK(copy->GetImageBase() == module.GetImageBase());
  copy.reset();
  CHECK(*ExportAs<DWORD>(module, "attachCalls") == 1);

  // Loading again detaches and releases the old image first.
  std::uintptr_t oldBase = module.GetImageBase();
  REQUIRE(module.LoadFromMemory(fixtureSample));
  CHECK(GetEnvironmentVariableA("PREPKIT_SAMPLE_DETACH", nullptr, 0) > 0);
  CHECK(*ExportAs<DWORD>(module, "attachCalls") == 1);
  SetEnvironmentVariableA("PREPKIT_SAMPLE_DETACH", nullptr);
  std::uintptr_t base = module.GetImageBase();
  CHECK(module.Unload());
  CHECK(GetEnvironmentVariableA("PREPKIT_SAMPLE_DETACH", nullptr, 0) > 0);
  CHECK(module.GetImageBase() == 0);
  CHECK(IsFree(base));
  CHECK((oldBase == base || IsFree(oldBase)));
  CHECK(module.Unload());
  CHECK(module.GetExportAddress("Add3") == 0);
  CHECK(module.GetEntryPointAddress() == 0);
}

TEST_CASE("an entry point that refuses the attach gets a detach call and the load fails with the region released") {
  SetEnvironmentVariableA("PREPKIT_SAMPLE_DETACH", nullptr);
  std::uintptr_t preferred = 0x10000000;
  REQUIRE(IsFree(preferred));
  MemoryModule module;
  CHECK_FALSE(module.LoadFromMemory(fixtureFailAttach));
  CHECK(module.GetImageBase() == 0);
  CHECK(GetEnvironmentVariableA("PREPKIT_SAMPLE_DETACH", nullptr, 0) > 0);
  CHECK(IsFree(preferred));
}

TEST_CASE("an executable image without the DLL flag is mapped and linked without an entry call") {
  MemoryModule module;
  REQUIRE(module.LoadFromMemory(fixtureExe));
  CHECK(*ExportAs<DWORD>(module, "attachCalls") == 0);
  CHECK(**ExportAs<int*>(module, "counterAddress") == 7);
  CHECK(module.Unload());
}

TEST_CASE("imports: the resolver is asked first, an import nobody supplies fails the load") {
  MemoryModule module;
  CHECK_FALSE(module.LoadFromMemory(fixtureMissingImport));
  CHECK(module.GetImageBase() == 0);
  int asked = 0;
  REQUIRE(module.LoadFromMemory(fixtureMissingImport, &SupplyAbsent, Address(&asked)));
  CHECK(asked == 1);
  CHECK(CallByAddress(module.GetExportAddress("CallImport")) == GetCurrentProcessId());
  CHECK(module.Unload());
}

TEST_CASE("with the preferred base taken the image lands elsewhere and every absolute address moves with it") {
  for (const ByteBlob* image : {&fixtureSample, &fixtureRebased, &fixtureAlign200, &fixtureAlign10000}) {
    const std::uintptr_t preferred = 0x10000000;
    // sample_rebased.dll prefers 0x400000, where a program sits already.
    void* taken = VirtualAlloc(reinterpret_cast<void*>(preferred), 0x10000, MEM_RESERVE, PAGE_NOACCESS);
    MemoryModule module;
    REQUIRE(module.LoadFromMemory(*image));
    std::uintptr_t base = module.GetImageBase();
    CHECK(base != preferred);
    CHECK(base != 0x400000);
    int* counter = *ExportAs<int*>(module, "counterAddress");
    CHECK(reinterpret_cast<std::uintptr_t>(counter) - base < 0x100000);
    CHECK(*counter == 7);
    CHECK(reinterpret_cast<int*>(CallByAddress(module.GetExportAddress("CounterAddress"))) == counter);
    CHECK(lstrcmpA(*ExportAs<const char*>(module, "greeting"), "sample image") == 0);
    CHECK(module.Unload());
    if (taken) VirtualFree(taken, 0, MEM_RELEASE);
  }
}

TEST_CASE("the skin library maps from its blob and AttachSkin reaches its export") {
  CreateSkinModule();
  REQUIRE(MapSkinLibrary());
  CHECK(skinModule->GetExportAddress("SkinH_AttachRes") != 0);
  CHECK(skinModule->GetExportAddress("skinh_attachres") == 0);
  ByteBlob broken = {reinterpret_cast<const unsigned char*>("not a skin"), 10};
  CHECK(AttachSkin(broken, "", 0, 0, 0) == 0);  // refused by the library: nothing skinned
  CHECK(AttachSkin(skinDataBlob, "", 0, 0, 0) == 1);
  CHECK(RetainedSkinData().size == skinDataBlob.size);
  ReleaseSkinObjects();
  CHECK(RetainedSkinData().size == 0);
  CHECK(skinModule == nullptr);
}

#else

TEST_CASE("a 64-bit process refuses 32-bit images cleanly and the skin stays off") {
  MESSAGE("32-bit code cannot run in this process: mapping, entry calls and CallByAddress are checked only by a "
          "32-bit build (the native walker tests cover the image walk)");
  for (const ByteBlob* image : {&fixtureSample, &fixtureExe, &fixtureFailAttach}) {
    MemoryModule module;
    CHECK_FALSE(module.LoadFromMemory(*image));
    CHECK(module.GetImageBase() == 0);
    CHECK(module.GetExportAddress("Add3") == 0);
    CHECK(module.GetEntryPointAddress() == 0);
    CHECK(module.Unload());
  }
  CHECK(CallByAddress(reinterpret_cast<std::uintptr_t>(&GetCurrentProcessId)) == 0);
  CreateSkinModule();
  CHECK_FALSE(MapSkinLibrary());
  CHECK(AttachSkin(skinDataBlob, "", 0, 0, 0) == 0);
  CHECK(RetainedSkinData().size == skinDataBlob.size);
  ReleaseSkinObjects();
  CHECK(skinModule == nullptr);
  CHECK(RetainedSkinData().size == 0);
}

#endif

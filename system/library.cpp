#include "system/library.h"

#include <windows.h>

#include <string>

#include "system/scoped.h"

namespace {
struct FreeModule {
  void operator()(HMODULE module) const { FreeLibrary(module); }
};
using ScopedModule = Scoped<HMODULE, static_cast<HMODULE>(nullptr), FreeModule>;
}  // namespace

bool CallLibraryExport(std::string_view libraryPath, const char* exportName) {
  ScopedModule library(LoadLibraryA(std::string(libraryPath).c_str()));
  if (!library) return false;
  using Entry = HRESULT(STDAPICALLTYPE*)();
  auto entry = reinterpret_cast<Entry>(reinterpret_cast<void*>(GetProcAddress(library.Get(), exportName)));
  if (!entry) return false;
  entry();
  return true;
}

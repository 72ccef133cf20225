// LoadFromMemory of the skin library against the system loader's LoadLibraryA
// of the same bytes written to a file: median time of each over many loads, and
// their ratio (at most 1.0 is the target: mapping from memory is no slower).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "loader/memory_module.h"
#include "loader/window_skin.h"

#if defined(__i386__)
namespace {

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

}  // namespace
#endif

int main() {
#if !defined(__i386__)
  std::printf("loader_bench: skipped, a 64-bit process cannot map the 32-bit skin library\n");
  return 0;
#else
  char folder[MAX_PATH], path[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  GetTempFileNameA(folder, "skb", 0, path);
  HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(file, skinLibraryBlob.bytes, static_cast<DWORD>(skinLibraryBlob.size), &written, nullptr);
  CloseHandle(file);

  const int kLoads = 500;
  std::vector<double> memory, system;
  for (int i = 0; i < kLoads; ++i) {
    LARGE_INTEGER a, b;
    MemoryModule module;
    QueryPerformanceCounter(&a);
    bool loaded = module.LoadFromMemory(skinLibraryBlob);
    QueryPerformanceCounter(&b);
    if (!loaded) {
      std::printf("loader_bench: LoadFromMemory failed\n");
      return 1;
    }
    module.Unload();
    memory.push_back(Seconds(a, b));

    QueryPerformanceCounter(&a);
    HMODULE library = LoadLibraryA(path);
    QueryPerformanceCounter(&b);
    if (!library) {
      std::printf("loader_bench: LoadLibraryA failed\n");
      return 1;
    }
    FreeLibrary(library);
    system.push_back(Seconds(a, b));
  }
  DeleteFileA(path);
  double m = Median(memory), s = Median(system);
  std::printf("loader_bench: %d loads; median LoadFromMemory %.1f us, LoadLibraryA %.1f us, ratio %.2f (target <= 1.0)\n",
              kLoads, m * 1e6, s * 1e6, m / s);
  return 0;
#endif
}

#include "loader/memory_module.h"

#include <windows.h>

#include "loader/call_by_address.h"
#include "loader/pe_image.h"

namespace {

// The committed region that starts at `base`, as the walker sees it. Its size
// comes from the system, not from the image, so a damaged header cannot make a
// lookup read past the region.
pe::Region MappedRegion(std::uintptr_t base) {
  pe::Region region;
  MEMORY_BASIC_INFORMATION info;
  if (base == 0 || VirtualQuery(reinterpret_cast<void*>(base), &info, sizeof info) != sizeof info) return region;
  if (info.State != MEM_COMMIT || info.AllocationBase != reinterpret_cast<void*>(base)) return region;
  region.data = static_cast<std::uint8_t*>(info.BaseAddress);
  region.size = info.RegionSize;
  region.address = static_cast<std::uint32_t>(base);
  return region;
}

#if defined(__i386__)

std::uint32_t AddressOf(const void* p) { return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(p)); }

// Imports come from the resolver first, then from the system.
class SystemBinder : public pe::ImportBinder {
 public:
  SystemBinder(ImportResolver resolver, std::uint32_t resolverData) : resolver_(resolver), data_(resolverData) {}

  void BeginLibrary(const char* library) override { library_ = LoadLibraryA(library); }

  std::uint32_t Resolve(const pe::Import& import) override {
    std::uint32_t address = 0;
    if (resolver_) {
      address = CallByAddress(reinterpret_cast<std::uintptr_t>(resolver_), AddressOf(import.library),
                              AddressOf(import.name), data_);
    }
    if (address == 0) {
      // The handle is not examined: a library that failed to load yields a null
      // handle, and the system then finds nothing.
      FARPROC proc = GetProcAddress(library_, import.byOrdinal ? MAKEINTRESOURCEA(import.ordinal) : import.name);
      address = AddressOf(reinterpret_cast<const void*>(proc));
    }
    return address;
  }

 private:
  ImportResolver resolver_;
  std::uint32_t data_;
  HMODULE library_ = nullptr;
};

void* CommitRegion(std::uint32_t preferred, std::uint32_t size) {
  void* region = VirtualAlloc(reinterpret_cast<void*>(static_cast<std::uintptr_t>(preferred)), size,
                              MEM_COMMIT | MEM_RESERVE, PAGE_EXECUTE_READWRITE);
  if (!region) region = VirtualAlloc(nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_EXECUTE_READWRITE);
  return region;
}

// Maps, relocates, links and attaches; the region's address, or 0.
std::uintptr_t MapImage(const ByteBlob& image, ImportResolver resolver, std::uint32_t resolverData) {
  pe::FileBytes file{image.bytes, image.size};
  pe::Headers headers;
  if (!pe::ReadFileHeaders(file, headers)) return 0;
  std::uint32_t size = pe::ImageSize(file, headers);
  if (size == 0) return 0;
  void* memory = CommitRegion(headers.imageBase, size);
  if (!memory) return 0;
  pe::Region region{static_cast<std::uint8_t*>(memory), size, AddressOf(memory)};
  bool mapped = pe::CopyImage(file, headers, region);
  if (mapped && headers.relocations.size > 0) mapped = pe::ApplyBaseRelocations(region, headers);
  if (mapped && headers.imports.virtualAddress > 0) {
    SystemBinder binder(resolver, resolverData);
    mapped = pe::ResolveImports(region, headers, binder);
  }
  if (mapped && (headers.characteristics & pe::kDllImage)) {
    // The first argument is 0, not the image's address: the image has no module handle.
    std::uintptr_t entry = region.address + headers.addressOfEntryPoint;
    if (CallByAddress(entry, 0, DLL_PROCESS_ATTACH, 0) == 0) {
      CallByAddress(entry, 0, DLL_PROCESS_DETACH, 0);
      mapped = false;
    }
  }
  if (!mapped) {
    VirtualFree(memory, 0, MEM_RELEASE);
    return 0;
  }
  return region.address;
}

#else

// A 32-bit image cannot run in this process: refuse after the header checks.
std::uintptr_t MapImage(const ByteBlob& image, ImportResolver, std::uint32_t) {
  pe::Headers headers;
  pe::ReadFileHeaders(pe::FileBytes{image.bytes, image.size}, headers);
  return 0;
}

#endif

}  // namespace

MemoryModule::~MemoryModule() = default;

std::unique_ptr<MemoryModule> MemoryModule::Copy() const { return std::unique_ptr<MemoryModule>(new MemoryModule(*this)); }

bool MemoryModule::LoadFromMemory(const ByteBlob& image, ImportResolver resolver, std::uint32_t resolverData) {
  if (imageBase != 0) Unload();
  imageBase = MapImage(image, resolver, resolverData);
  return imageBase != 0;
}

bool MemoryModule::Unload() {
  if (imageBase == 0) return true;
  pe::Region region = MappedRegion(imageBase);
  pe::Headers headers;
  if (!pe::ReadMappedHeaders(region, headers)) return false;
  if (headers.characteristics & pe::kDllImage) {
    CallByAddress(imageBase + headers.addressOfEntryPoint, 0, DLL_PROCESS_DETACH, 0);
  }
  if (VirtualFree(reinterpret_cast<void*>(imageBase), 0, MEM_RELEASE)) imageBase = 0;
  return imageBase == 0;
}

std::uintptr_t MemoryModule::GetExportAddress(const char* name) const {
  if (imageBase == 0) return 0;
  std::uint32_t rva = pe::FindExport(MappedRegion(imageBase), name);
  return rva == 0 ? 0 : imageBase + rva;
}

std::uintptr_t MemoryModule::GetEntryPointAddress() const {
  if (imageBase == 0) return 0;
  std::uint32_t rva = 0;
  if (!pe::ReadMappedEntryPoint(MappedRegion(imageBase), rva)) return 0;
  return imageBase + rva;
}

std::uintptr_t MemoryModule::GetImageBase() const { return imageBase; }

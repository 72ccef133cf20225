#include "loader/window_skin.h"

#include <cstring>

#include "loader/call_by_address.h"

MemoryModule* skinModule = nullptr;

namespace {

ByteBlob retained;

void ReleaseRetained() {
  delete[] retained.bytes;
  retained = ByteBlob();
}

std::uint32_t AddressOf(const void* p) { return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(p)); }

}  // namespace

void CreateSkinModule() {
  if (!skinModule) skinModule = new MemoryModule();
}

bool MapSkinLibrary() { return skinModule && skinModule->LoadFromMemory(skinLibraryBlob); }

std::uint32_t AttachSkin(const ByteBlob& skin, const char* text, std::uint32_t a, std::uint32_t b, std::uint32_t c) {
  ReleaseRetained();
  if (skin.size > 0) {
    unsigned char* copy = new unsigned char[skin.size];
    std::memcpy(copy, skin.bytes, skin.size);
    retained.bytes = copy;
    retained.size = skin.size;
  }
  std::uintptr_t entry = skinModule ? skinModule->GetExportAddress("SkinH_AttachRes") : 0;
  if (entry == 0) return 0;
  const char* textOrNull = text && *text ? text : nullptr;
  // Addresses fit the 32-bit slots: the export is only found in a 32-bit process.
  return CallByAddress(entry, AddressOf(skin.bytes), static_cast<std::uint32_t>(skin.size), AddressOf(textOrNull), a,
                       b, c);
}

void ReleaseSkinObjects() {
  ReleaseRetained();
  delete skinModule;  // the release hook leaves the image mapped
  skinModule = nullptr;
}

ByteBlob RetainedSkinData() { return retained; }

// libFuzzer target over the image walker: every step of a load that can run on
// plain bytes, into a host buffer of exactly the image size, then the export
// and entry-point lookups. AddressSanitizer turns any access outside the file
// or the region into a finding; UBSan does the same for undefined arithmetic.
#include <cstdint>
#include <cstring>
#include <vector>

#include "loader/pe_image.h"

namespace {

// Hands out made-up addresses, and none for names that start with 'Z', so that
// the failure path of the import walk is reached too.
class FakeBinder : public pe::ImportBinder {
 public:
  void BeginLibrary(const char* library) override { sink_ += std::strlen(library); }
  std::uint32_t Resolve(const pe::Import& import) override {
    std::size_t length = std::strlen(import.name);
    sink_ += length;
    if (length > 0 && import.name[0] == 'Z') return 0;
    return 0x7F000000u + static_cast<std::uint32_t>(sink_);
  }

 private:
  std::size_t sink_ = 0;
};

// Larger images are legal but make a fuzzing run slow without finding more.
constexpr std::uint32_t kLargestRegion = 1u << 20;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  pe::FileBytes file{data, size};
  pe::Headers headers;
  if (!pe::ReadFileHeaders(file, headers)) return 0;
  std::uint32_t imageSize = pe::ImageSize(file, headers);
  if (imageSize == 0 || imageSize > kLargestRegion) return 0;
  std::vector<std::uint8_t> memory(imageSize);
  // Somewhere other than the preferred base, so that every slot is rewritten.
  pe::Region region{memory.data(), memory.size(), headers.imageBase ^ 0x00560000u};
  if (!pe::CopyImage(file, headers, region)) return 0;
  bool linked = true;
  if (headers.relocations.size > 0) linked = pe::ApplyBaseRelocations(region, headers);
  if (linked && headers.imports.virtualAddress > 0) {
    FakeBinder binder;
    pe::ResolveImports(region, headers, binder);
  }
  static const char* const names[] = {"SkinH_AttachRes", "Add3", "1", "0", "9", "017", "-1", ""};
  for (const char* name : names) pe::FindExport(region, name);
  std::uint32_t entry = 0;
  pe::ReadMappedEntryPoint(region, entry);
  return 0;
}

// Helpers for the image walker's tests: fixture bytes, a small hand-made
// image, and the walker's steps run in order into a host buffer.
#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "loader/pe_image.h"

using Bytes = std::vector<std::uint8_t>;

// The bytes of a fixture built by the test build (tests/fixtures).
Bytes ReadFixture(const char* name);

std::uint32_t Read32(const Bytes& bytes, std::uint64_t offset);
void Write32(Bytes& bytes, std::uint64_t offset, std::uint32_t value);
void Write16(Bytes& bytes, std::uint64_t offset, std::uint16_t value);

// Offsets of header fields inside a file image (after e_lfanew).
std::uint32_t NtOffset(const Bytes& file);
std::uint32_t SectionTableOffset(const Bytes& file);
// File offset of an RVA through the section table, or ~0u.
std::uint32_t FileOffsetOfRva(const Bytes& file, std::uint32_t rva);

// A minimal 32-bit DLL: headers in the first 0x400 bytes and one section of
// 0x1000 bytes at RVA 0x1000 (file offset 0x400); ImageBase 0x10000000.
struct HandMadeImage {
  static constexpr std::uint32_t kImageBase = 0x10000000;
  Bytes file;
  HandMadeImage();
  void Put32(std::uint32_t rva, std::uint32_t value);
  void Put16(std::uint32_t rva, std::uint16_t value);
  void PutText(std::uint32_t rva, const std::string& text);  // with its NUL
  void SetDirectory(int index, std::uint32_t rva, std::uint32_t size);
  // An export directory at `rva` with the given function RVAs (Base `base`)
  // and names packed back to back, each paired with a function index.
  void SetExports(std::uint32_t rva, std::uint32_t base, const std::vector<std::uint32_t>& functions,
                  const std::vector<std::pair<std::string, std::uint16_t>>& names);
};

// Records what the walker asks for and hands out made-up addresses.
class RecordingBinder : public pe::ImportBinder {
 public:
  std::vector<std::string> libraries;
  std::vector<std::string> names;       // as given: ordinals in decimal
  std::vector<bool> byOrdinal;
  std::vector<std::uint32_t> supplied;  // the address returned for each import
  std::string refuse;                   // this name gets no address

  void BeginLibrary(const char* library) override;
  std::uint32_t Resolve(const pe::Import& import) override;
};

// How far a mapping got.
enum class Stage { Headers, Size, Copy, Relocations, Imports, Mapped };
const char* StageName(Stage stage);

struct HostMapping {
  Stage stage = Stage::Headers;
  pe::Headers headers;
  Bytes region;  // exactly the image size: AddressSanitizer sees any access past it
  std::uint32_t address = 0;
  pe::Region View() { return pe::Region{region.data(), region.size(), address}; }
};

// The walker's steps of a load, in the loader's order, into a zero-filled host
// buffer that stands for the region at `address` (0: the preferred base).
HostMapping MapOnHost(const Bytes& file, pe::ImportBinder& binder, std::uint32_t address = 0);

// The image walker: every step of mapping a 32-bit PE image that can be done
// over plain bytes. No Windows call is made here, so the same code runs in the
// product, in the native tests and under the fuzzer.
//
// Every read of the file and every read or write of the region is bounds-checked:
// an inconsistent image makes a step fail (or, for an export lookup, find
// nothing); it never makes the walker touch memory outside the two spans.
#pragma once
#include <cstddef>
#include <cstdint>

namespace pe {

// The file image, as given.
struct FileBytes {
  const std::uint8_t* data = nullptr;
  std::size_t size = 0;
};

// The committed region the image is mapped into. `address` is where the image
// runs (the 32-bit address the relocations are applied against); in the
// product it is the region's own address.
struct Region {
  std::uint8_t* data = nullptr;
  std::size_t size = 0;
  std::uint32_t address = 0;
};

struct DataDirectory {
  std::uint32_t virtualAddress = 0;
  std::uint32_t size = 0;
};

constexpr std::uint32_t kDosHeaderSize = 64;
constexpr std::uint32_t kNtHeadersSize = 248;  // signature, file header, 32-bit optional header
constexpr std::uint32_t kSectionHeaderSize = 40;
constexpr std::uint16_t kExecutableImage = 0x0002;
constexpr std::uint16_t kDllImage = 0x2000;

// What the mapping needs from the headers.
struct Headers {
  std::uint32_t ntOffset = 0;  // e_lfanew
  std::uint16_t machine = 0;
  std::uint16_t numberOfSections = 0;
  std::uint16_t characteristics = 0;
  std::uint32_t addressOfEntryPoint = 0;
  std::uint32_t imageBase = 0;
  std::uint32_t sectionAlignment = 0;
  std::uint32_t sizeOfImage = 0;
  DataDirectory exports;
  DataDirectory imports;
  DataDirectory relocations;
  // DOS header, stub, NT headers and section table: the bytes copied first.
  std::uint32_t headerBytes = 0;
};

struct Section {
  std::uint32_t virtualSize = 0;
  std::uint32_t virtualAddress = 0;
  std::uint32_t sizeOfRawData = 0;
  std::uint32_t pointerToRawData = 0;
};

// The header checks of a load, in order: at least 64 bytes, "MZ", the NT headers
// inside the file, "PE\0\0", the executable-image flag, the section table inside
// the file. False when one fails; `out` is then unspecified.
bool ReadFileHeaders(FileBytes file, Headers& out);

// Section `index` (< numberOfSections) of a file whose headers were read.
Section ReadSection(FileBytes file, const Headers& headers, std::uint32_t index);

// The size of the region: SizeOfImage, raised to the aligned end of any section
// that reaches further. 0 when the image cannot be sized (a SectionAlignment of
// 0, or an end beyond 4 GB).
std::uint32_t ImageSize(FileBytes file, const Headers& headers);

// Copies the headers and each section's raw data into a zero-filled region.
// False when any of it lies outside the file or the region.
bool CopyImage(FileBytes file, const Headers& headers, Region region);

// Adds (region.address - ImageBase) to every HIGHLOW slot of the relocation
// directory, read from the region. The walk ends at a block smaller than its
// 8-byte header (the zero block that closes the table) or at the end of the
// directory. False (the image is refused) when a block or a slot lies outside
// the region.
bool ApplyBaseRelocations(Region region, const Headers& headers);

// One import as the walker hands it to the binder. `name` points at the name
// text inside the region, or, for an import by ordinal, at the ordinal written
// in decimal (valid during the call).
struct Import {
  const char* library = nullptr;
  const char* name = nullptr;
  bool byOrdinal = false;
  std::uint16_t ordinal = 0;
};

// Supplies the addresses of imported functions.
class ImportBinder {
 public:
  // Called once per import descriptor, before its imports.
  virtual void BeginLibrary(const char* library) = 0;
  // The 32-bit address to store in the import slot, or 0 when there is none.
  virtual std::uint32_t Resolve(const Import& import) = 0;

 protected:
  ~ImportBinder() = default;
};

// Walks the import descriptors in the region and overwrites each import
// address table entry in place with the binder's address. False at the first
// import without an address, or when a descriptor, slot or text lies outside
// the region.
bool ResolveImports(Region region, const Headers& headers, ImportBinder& binder);

// Header fields of a mapped image, read back from the region: "MZ" and the
// "PE\0\0" signature must be there. False otherwise.
bool ReadMappedHeaders(const Region& region, Headers& out);

// The entry point's RVA, read from a mapped image without checking the
// signatures. False when the field lies outside the region.
bool ReadMappedEntryPoint(const Region& region, std::uint32_t& rva);

// RVA of an export of a mapped image, or 0 when it is not found. A name that is
// the decimal text of an integer ("17", "0", "-3") asks for that ordinal;
// anything else ("017", "17a", "SkinH_AttachRes") is a case-sensitive name.
// Names are walked as one packed run of NUL-terminated texts starting at the
// first name, paired in order with the name-ordinal table. Function RVAs of 0,
// and RVAs outside the region, count as missing.
std::uint32_t FindExport(const Region& region, const char* name);

}  // namespace pe

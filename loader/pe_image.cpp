#include "loader/pe_image.h"

#include <cstring>

namespace pe {
namespace {

// Offsets inside the 248-byte NT headers and the other fixed structures.
constexpr std::uint32_t kSignature = 0x00004550;  // "PE\0\0"
constexpr std::uint16_t kDosMagic = 0x5A4D;       // "MZ"
constexpr std::uint32_t kMachineAt = 4, kSectionCountAt = 6, kCharacteristicsAt = 22;
constexpr std::uint32_t kEntryPointAt = 40, kImageBaseAt = 52, kSectionAlignmentAt = 56, kSizeOfImageAt = 80;
constexpr std::uint32_t kExportDirAt = 120, kImportDirAt = 128, kRelocationDirAt = 160;
constexpr std::uint16_t kHighLow = 3;
constexpr std::uint32_t kOrdinalFlag = 0x80000000u;

// True when [offset, offset + length) lies inside a span of `size` bytes.
// 64-bit sums: no wrap-around can sneak a range past the check.
bool Fits(std::uint64_t offset, std::uint64_t length, std::size_t size) {
  return offset <= size && length <= size - offset;
}

std::uint16_t Get16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }
std::uint32_t Get32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}
void Put32(std::uint8_t* p, std::uint32_t v) {
  p[0] = static_cast<std::uint8_t>(v);
  p[1] = static_cast<std::uint8_t>(v >> 8);
  p[2] = static_cast<std::uint8_t>(v >> 16);
  p[3] = static_cast<std::uint8_t>(v >> 24);
}

DataDirectory GetDirectory(const std::uint8_t* nt, std::uint32_t at) {
  DataDirectory d;
  d.virtualAddress = Get32(nt + at);
  d.size = Get32(nt + at + 4);
  return d;
}

// Fills the fields that follow from the 248 NT header bytes at `nt`.
void ParseNtHeaders(const std::uint8_t* nt, Headers& out) {
  out.machine = Get16(nt + kMachineAt);
  out.numberOfSections = Get16(nt + kSectionCountAt);
  out.characteristics = Get16(nt + kCharacteristicsAt);
  out.addressOfEntryPoint = Get32(nt + kEntryPointAt);
  out.imageBase = Get32(nt + kImageBaseAt);
  out.sectionAlignment = Get32(nt + kSectionAlignmentAt);
  out.sizeOfImage = Get32(nt + kSizeOfImageAt);
  out.exports = GetDirectory(nt, kExportDirAt);
  out.imports = GetDirectory(nt, kImportDirAt);
  out.relocations = GetDirectory(nt, kRelocationDirAt);
}

// Length of the NUL-terminated text at `offset` in a span, or -1 when the text
// does not end inside it.
long long TextLength(const std::uint8_t* data, std::size_t size, std::uint64_t offset) {
  if (offset >= size) return -1;
  const void* nul = std::memchr(data + offset, 0, size - static_cast<std::size_t>(offset));
  if (!nul) return -1;
  return static_cast<const std::uint8_t*>(nul) - (data + offset);
}

// Decimal text of an ordinal, as the resolver is given it ("17").
void OrdinalText(std::uint16_t ordinal, char (&text)[8]) {
  char digits[8];
  int n = 0;
  do {
    digits[n++] = static_cast<char>('0' + ordinal % 10);
    ordinal = static_cast<std::uint16_t>(ordinal / 10);
  } while (ordinal != 0);
  int i = 0;
  while (n > 0) text[i++] = digits[--n];
  text[i] = '\0';
}

// A name asks for an ordinal when it reads back unchanged as an integer:
// an optional minus sign and digits without a leading zero (or "0" itself),
// within the range of a 32-bit integer.
bool ParseOrdinal(const char* name, long long& ordinal) {
  const char* p = name;
  bool negative = *p == '-';
  if (negative) ++p;
  if (*p < '0' || *p > '9') return false;
  if (*p == '0' && (p[1] != '\0' || negative)) return false;  // "017" and "-0" do not read back
  long long value = 0;
  for (; *p; ++p) {
    if (*p < '0' || *p > '9') return false;
    value = value * 10 + (*p - '0');
    if (value > 2147483648LL) return false;
  }
  if (negative) value = -value;
  if (value > 2147483647LL) return false;
  ordinal = value;
  return true;
}

}  // namespace

bool ReadFileHeaders(FileBytes file, Headers& out) {
  out = Headers();
  if (!file.data || file.size < kDosHeaderSize) return false;
  if (Get16(file.data) != kDosMagic) return false;
  out.ntOffset = Get32(file.data + 0x3C);
  if (!Fits(out.ntOffset, kNtHeadersSize, file.size)) return false;
  const std::uint8_t* nt = file.data + out.ntOffset;
  if (Get32(nt) != kSignature) return false;
  ParseNtHeaders(nt, out);
  if (!(out.characteristics & kExecutableImage)) return false;
  std::uint64_t headerBytes = std::uint64_t(out.ntOffset) + kNtHeadersSize +
                              std::uint64_t(kSectionHeaderSize) * out.numberOfSections;
  if (headerBytes > file.size) return false;
  out.headerBytes = static_cast<std::uint32_t>(headerBytes);
  return true;
}

Section ReadSection(FileBytes file, const Headers& headers, std::uint32_t index) {
  const std::uint8_t* s = file.data + headers.ntOffset + kNtHeadersSize + kSectionHeaderSize * index;
  Section section;
  section.virtualSize = Get32(s + 8);
  section.virtualAddress = Get32(s + 12);
  section.sizeOfRawData = Get32(s + 16);
  section.pointerToRawData = Get32(s + 20);
  return section;
}

std::uint32_t ImageSize(FileBytes file, const Headers& headers) {
  std::uint64_t a = headers.sectionAlignment;
  if (a == 0) return 0;
  std::uint64_t size = headers.sizeOfImage;
  for (std::uint32_t i = 0; i < headers.numberOfSections; ++i) {
    Section s = ReadSection(file, headers, i);
    std::uint64_t extent = s.virtualSize > s.sizeOfRawData ? s.virtualSize : s.sizeOfRawData;
    std::uint64_t end = (std::uint64_t(s.virtualAddress) + extent + a - 1) / a * a;
    if (end > size) size = end;
  }
  if (size > 0xFFFFFFFFull) return 0;
  return static_cast<std::uint32_t>(size);
}

bool CopyImage(FileBytes file, const Headers& headers, Region region) {
  if (!Fits(0, headers.headerBytes, region.size)) return false;
  std::memcpy(region.data, file.data, headers.headerBytes);
  for (std::uint32_t i = 0; i < headers.numberOfSections; ++i) {
    Section s = ReadSection(file, headers, i);
    if (s.sizeOfRawData == 0 || s.virtualAddress == 0) continue;
    if (!Fits(s.pointerToRawData, s.sizeOfRawData, file.size)) return false;
    if (!Fits(s.virtualAddress, s.sizeOfRawData, region.size)) return false;
    std::memcpy(region.data + s.virtualAddress, file.data + s.pointerToRawData, s.sizeOfRawData);
  }
  return true;
}

bool ApplyBaseRelocations(Region region, const Headers& headers) {
  const std::uint32_t delta = region.address - headers.imageBase;
  std::uint64_t offset = headers.relocations.virtualAddress;
  const std::uint64_t end = offset + headers.relocations.size;
  while (offset < end) {
    if (!Fits(offset, 8, region.size)) return false;
    const std::uint8_t* block = region.data + offset;
    std::uint32_t page = Get32(block);
    std::uint32_t sizeOfBlock = Get32(block + 4);
    // A block for page 0 is real when it has entries (images whose section
    // alignment is below a page put code there); an all-zero block ends the walk
    // through its size.
    if (sizeOfBlock < 8) break;
    std::uint32_t count = (sizeOfBlock - 8) / 2;
    if (!Fits(offset + 8, std::uint64_t(count) * 2, region.size)) return false;
    for (std::uint32_t i = 0; i < count; ++i) {
      std::uint16_t entry = Get16(block + 8 + 2 * i);
      if (entry >> 12 != kHighLow) continue;
      std::uint64_t slot = std::uint64_t(page) + (entry & 0xFFF);
      if (!Fits(slot, 4, region.size)) return false;
      std::uint8_t* p = region.data + slot;
      Put32(p, Get32(p) + delta);
    }
    offset += sizeOfBlock;
  }
  return true;
}

bool ResolveImports(Region region, const Headers& headers, ImportBinder& binder) {
  for (std::uint64_t offset = headers.imports.virtualAddress;; offset += 20) {
    if (!Fits(offset, 20, region.size)) return false;
    const std::uint8_t* descriptor = region.data + offset;
    std::uint32_t firstThunk = Get32(descriptor + 16);
    if (firstThunk == 0) return true;
    std::uint32_t nameRva = Get32(descriptor + 12);
    if (TextLength(region.data, region.size, nameRva) < 0) return false;
    Import import;
    import.library = reinterpret_cast<const char*>(region.data + nameRva);
    binder.BeginLibrary(import.library);
    for (std::uint64_t slot = firstThunk;; slot += 4) {
      if (!Fits(slot, 4, region.size)) return false;
      std::uint32_t entry = Get32(region.data + slot);
      if (entry == 0) break;
      char ordinalText[8];
      import.byOrdinal = (entry & kOrdinalFlag) != 0;
      if (import.byOrdinal) {
        import.ordinal = static_cast<std::uint16_t>(entry & 0xFFFF);
        OrdinalText(import.ordinal, ordinalText);
        import.name = ordinalText;
      } else {
        std::uint64_t nameAt = std::uint64_t(entry) + 2;  // past the 2-byte hint
        if (TextLength(region.data, region.size, nameAt) < 0) return false;
        import.ordinal = 0;
        import.name = reinterpret_cast<const char*>(region.data + nameAt);
      }
      std::uint32_t address = binder.Resolve(import);
      if (address == 0) return false;
      Put32(region.data + slot, address);
    }
  }
}

bool ReadMappedHeaders(const Region& region, Headers& out) {
  out = Headers();
  if (!region.data || region.size < kDosHeaderSize) return false;
  if (Get16(region.data) != kDosMagic) return false;
  out.ntOffset = Get32(region.data + 0x3C);
  if (!Fits(out.ntOffset, kNtHeadersSize, region.size)) return false;
  const std::uint8_t* nt = region.data + out.ntOffset;
  if (Get32(nt) != kSignature) return false;
  ParseNtHeaders(nt, out);
  return true;
}

bool ReadMappedEntryPoint(const Region& region, std::uint32_t& rva) {
  if (!region.data || region.size < kDosHeaderSize) return false;
  std::uint32_t ntOffset = Get32(region.data + 0x3C);
  if (!Fits(std::uint64_t(ntOffset) + kEntryPointAt, 4, region.size)) return false;
  rva = Get32(region.data + ntOffset + kEntryPointAt);
  return true;
}

std::uint32_t FindExport(const Region& region, const char* name) {
  Headers headers;
  if (!name || !ReadMappedHeaders(region, headers) || headers.exports.size == 0) return 0;
  std::uint64_t dirAt = headers.exports.virtualAddress;
  if (!Fits(dirAt, 40, region.size)) return 0;
  const std::uint8_t* dir = region.data + dirAt;
  const std::uint32_t base = Get32(dir + 16);
  const std::uint32_t numberOfFunctions = Get32(dir + 20);
  const std::uint32_t numberOfNames = Get32(dir + 24);
  const std::uint32_t addressOfFunctions = Get32(dir + 28);
  const std::uint32_t addressOfNames = Get32(dir + 32);
  const std::uint32_t addressOfNameOrdinals = Get32(dir + 36);

  // A function RVA, or 0 when it is missing or points outside the image.
  auto functionRva = [&](std::uint32_t index) -> std::uint32_t {
    std::uint64_t at = std::uint64_t(addressOfFunctions) + 4ull * index;
    if (!Fits(at, 4, region.size)) return 0;
    std::uint32_t rva = Get32(region.data + at);
    return rva < region.size ? rva : 0;
  };

  long long ordinal = 0;
  if (ParseOrdinal(name, ordinal)) {
    long long index = ordinal - static_cast<long long>(base);
    if (index < 0 || index >= static_cast<long long>(numberOfFunctions)) return 0;
    return functionRva(static_cast<std::uint32_t>(index));
  }

  if (numberOfNames == 0 || !Fits(addressOfNames, 4, region.size)) return 0;
  std::uint64_t p = Get32(region.data + addressOfNames);
  const std::size_t nameLength = std::strlen(name);
  for (std::uint32_t i = 0; i < numberOfNames; ++i) {
    std::uint64_t ordinalAt = std::uint64_t(addressOfNameOrdinals) + 2ull * i;
    if (!Fits(ordinalAt, 2, region.size)) return 0;
    std::uint16_t index = Get16(region.data + ordinalAt);
    long long length = TextLength(region.data, region.size, p);
    if (length < 0) return 0;
    if (index < numberOfFunctions && static_cast<std::size_t>(length) == nameLength &&
        std::memcmp(region.data + p, name, nameLength) == 0) {
      std::uint32_t rva = functionRva(index);
      if (rva != 0) return rva;
    }
    p += static_cast<std::uint64_t>(length) + 1;
  }
  return 0;
}

}  // namespace pe

#include "pe_test_image.h"

#include <cstdio>
#include <cstring>

Bytes ReadFixture(const char* name) {
  std::string path = std::string(PREPKIT_FIXTURE_DIR) + "/" + name;
  Bytes bytes;
  if (std::FILE* f = std::fopen(path.c_str(), "rb")) {
    std::uint8_t buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.insert(bytes.end(), buffer, buffer + n);
    std::fclose(f);
  }
  return bytes;
}

std::uint32_t Read32(const Bytes& b, std::uint64_t o) {
  return static_cast<std::uint32_t>(b.at(o) | b.at(o + 1) << 8 | b.at(o + 2) << 16) |
         static_cast<std::uint32_t>(b.at(o + 3)) << 24;
}
void Write32(Bytes& b, std::uint64_t o, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b.at(o + i) = static_cast<std::uint8_t>(v >> (8 * i));
}
void Write16(Bytes& b, std::uint64_t o, std::uint16_t v) {
  b.at(o) = static_cast<std::uint8_t>(v);
  b.at(o + 1) = static_cast<std::uint8_t>(v >> 8);
}

std::uint32_t NtOffset(const Bytes& file) { return Read32(file, 0x3C); }
std::uint32_t SectionTableOffset(const Bytes& file) { return NtOffset(file) + pe::kNtHeadersSize; }

std::uint32_t FileOffsetOfRva(const Bytes& file, std::uint32_t rva) {
  std::uint32_t count = file.at(NtOffset(file) + 6) | file.at(NtOffset(file) + 7) << 8;
  for (std::uint32_t i = 0; i < count; ++i) {
    std::uint32_t s = SectionTableOffset(file) + 40 * i;
    std::uint32_t va = Read32(file, s + 12), raw = Read32(file, s + 16), ptr = Read32(file, s + 20);
    if (rva >= va && rva - va < raw) return ptr + (rva - va);
  }
  return ~0u;
}

HandMadeImage::HandMadeImage() : file(0x1400, 0) {
  file[0] = 'M';
  file[1] = 'Z';
  const std::uint32_t nt = 0x80;
  Write32(file, 0x3C, nt);
  Write32(file, nt, 0x00004550);
  Write16(file, nt + 4, 0x14C);
  Write16(file, nt + 6, 1);
  Write16(file, nt + 20, 224);
  Write16(file, nt + 22, 0x2102);  // DLL, 32-bit, executable image
  Write16(file, nt + 24, 0x10B);
  Write32(file, nt + 40, 0x1000);  // entry point
  Write32(file, nt + 52, kImageBase);
  Write32(file, nt + 56, 0x1000);  // SectionAlignment
  Write32(file, nt + 60, 0x200);   // FileAlignment
  Write32(file, nt + 80, 0x2000);  // SizeOfImage
  Write32(file, nt + 84, 0x400);   // SizeOfHeaders
  Write32(file, nt + 116, 16);
  const std::uint32_t s = nt + pe::kNtHeadersSize;
  std::memcpy(&file[s], ".text\0\0", 8);
  Write32(file, s + 8, 0x1000);
  Write32(file, s + 12, 0x1000);
  Write32(file, s + 16, 0x1000);
  Write32(file, s + 20, 0x400);
}

void HandMadeImage::Put32(std::uint32_t rva, std::uint32_t value) { Write32(file, rva - 0x1000 + 0x400, value); }
void HandMadeImage::Put16(std::uint32_t rva, std::uint16_t value) { Write16(file, rva - 0x1000 + 0x400, value); }
void HandMadeImage::PutText(std::uint32_t rva, const std::string& text) {
  for (std::size_t i = 0; i <= text.size(); ++i) file.at(rva - 0x1000 + 0x400 + i) = i < text.size() ? text[i] : 0;
}
void HandMadeImage::SetDirectory(int index, std::uint32_t rva, std::uint32_t size) {
  Write32(file, 0x80 + 120 + 8 * index, rva);
  Write32(file, 0x80 + 124 + 8 * index, size);
}

void HandMadeImage::SetExports(std::uint32_t rva, std::uint32_t base, const std::vector<std::uint32_t>& functions,
                               const std::vector<std::pair<std::string, std::uint16_t>>& names) {
  const std::uint32_t functionsAt = rva + 40;
  const std::uint32_t namePointersAt = functionsAt + 4 * static_cast<std::uint32_t>(functions.size());
  const std::uint32_t ordinalsAt = namePointersAt + 4 * static_cast<std::uint32_t>(names.size());
  std::uint32_t textAt = ordinalsAt + 2 * static_cast<std::uint32_t>(names.size());
  Put32(rva + 16, base);
  Put32(rva + 20, static_cast<std::uint32_t>(functions.size()));
  Put32(rva + 24, static_cast<std::uint32_t>(names.size()));
  Put32(rva + 28, functionsAt);
  Put32(rva + 32, namePointersAt);
  Put32(rva + 36, ordinalsAt);
  for (std::size_t i = 0; i < functions.size(); ++i) Put32(functionsAt + 4 * static_cast<std::uint32_t>(i), functions[i]);
  for (std::size_t i = 0; i < names.size(); ++i) {
    Put32(namePointersAt + 4 * static_cast<std::uint32_t>(i), textAt);
    Put16(ordinalsAt + 2 * static_cast<std::uint32_t>(i), names[i].second);
    PutText(textAt, names[i].first);
    textAt += static_cast<std::uint32_t>(names[i].first.size()) + 1;
  }
  SetDirectory(0, rva, textAt - rva);
}

void RecordingBinder::BeginLibrary(const char* library) { libraries.push_back(library); }

std::uint32_t RecordingBinder::Resolve(const pe::Import& import) {
  names.push_back(import.name);
  byOrdinal.push_back(import.byOrdinal);
  std::uint32_t address = import.name == refuse ? 0 : 0xF00D0000u + 0x10u * static_cast<std::uint32_t>(names.size());
  supplied.push_back(address);
  return address;
}

const char* StageName(Stage stage) {
  static const char* const names[] = {"headers", "size", "copy", "relocations", "imports", "mapped"};
  return names[static_cast<int>(stage)];
}

HostMapping MapOnHost(const Bytes& file, pe::ImportBinder& binder, std::uint32_t address) {
  HostMapping m;
  pe::FileBytes bytes{file.data(), file.size()};
  if (!pe::ReadFileHeaders(bytes, m.headers)) return m;
  m.stage = Stage::Size;
  std::uint32_t size = pe::ImageSize(bytes, m.headers);
  if (size == 0 || size > (64u << 20)) return m;
  m.region.assign(size, 0);
  m.address = address ? address : m.headers.imageBase;
  m.stage = Stage::Copy;
  if (!pe::CopyImage(bytes, m.headers, m.View())) return m;
  m.stage = Stage::Relocations;
  if (m.headers.relocations.size > 0 && !pe::ApplyBaseRelocations(m.View(), m.headers)) return m;
  m.stage = Stage::Imports;
  if (m.headers.imports.virtualAddress > 0 && !pe::ResolveImports(m.View(), m.headers, binder)) return m;
  m.stage = Stage::Mapped;
  return m;
}

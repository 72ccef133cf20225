#include <doctest/doctest.h>

#include <cstring>
#include <functional>
#include <string>

#include "loader/pe_image.h"
#include "pe_test_image.h"

namespace {

std::uint32_t ExportRva(HostMapping& m, const char* name) { return pe::FindExport(m.View(), name); }

std::string TextAt(const HostMapping& m, std::uint32_t rva) {
  REQUIRE(rva < m.region.size());
  const char* p = reinterpret_cast<const char*>(m.region.data() + rva);
  return std::string(p, strnlen(p, m.region.size() - rva));
}

const char* const kVariants[] = {"sample.dll", "sample_rebased.dll", "sample_align200.dll", "sample_align10000.dll",
                                 "sample.exe"};

}  // namespace

TEST_CASE("every built variant of the sample image maps, links and finds its exports") {
  for (const char* variant : kVariants) {
    std::string variantName = variant;
    CAPTURE(variantName);
    Bytes file = ReadFixture(variant);
    REQUIRE(file.size() > 1024);
    RecordingBinder binder;
    HostMapping m = MapOnHost(file, binder);
    REQUIRE(std::string(StageName(m.stage)) == "mapped");
    CHECK(m.region.size() % m.headers.sectionAlignment == 0);
    CHECK(m.region.size() >= m.headers.sizeOfImage);
    // The exported pointer was relocated (by 0 here) and leads to the text.
    std::uint32_t greeting = ExportRva(m, "greeting");
    REQUIRE(greeting != 0);
    std::uint32_t text = Read32(m.region, greeting) - m.address;
    CHECK(TextAt(m, text) == "sample image");
    CHECK(ExportRva(m, "counterAddress") != 0);
    CHECK(binder.libraries == std::vector<std::string>{"KERNEL32.dll"});
  }
}

TEST_CASE("at the preferred base the relocation walk changes nothing") {
  Bytes file = ReadFixture("sample.dll");
  pe::FileBytes bytes{file.data(), file.size()};
  pe::Headers headers;
  REQUIRE(pe::ReadFileHeaders(bytes, headers));
  REQUIRE(headers.relocations.size > 0);
  Bytes region(pe::ImageSize(bytes, headers), 0);
  pe::Region view{region.data(), region.size(), headers.imageBase};
  REQUIRE(pe::CopyImage(bytes, headers, view));
  Bytes copied = region;
  REQUIRE(pe::ApplyBaseRelocations(view, headers));
  CHECK(region == copied);
}

TEST_CASE("at another base every HIGHLOW slot moves by the difference and nothing else changes") {
  for (const char* variant : kVariants) {
    Bytes file = ReadFixture(variant);
    RecordingBinder atHome, moved;
    HostMapping home = MapOnHost(file, atHome);
    REQUIRE(home.stage == Stage::Mapped);
    // One base above the preferred one, one below it (the difference wraps).
    for (std::uint32_t base : {home.headers.imageBase + 0x01230000u, 0x00010000u}) {
      std::string variantName = variant;
    CAPTURE(variantName);
      CAPTURE(base);
      HostMapping other = MapOnHost(file, moved, base);
      REQUIRE(other.stage == Stage::Mapped);
      REQUIRE(other.region.size() == home.region.size());
      const std::uint32_t delta = base - home.headers.imageBase;
      std::size_t shifted = 0;
      for (std::size_t i = 0; i < home.region.size();) {
        if (home.region[i] == other.region[i]) {
          ++i;
          continue;
        }
        // A changed byte belongs to a 32-bit slot that moved by exactly delta,
        // or it belongs to the import address table (the binder's addresses
        // differ between the two runs and are checked elsewhere).
        bool explained = false;
        for (std::size_t s = i >= 3 ? i - 3 : 0; s <= i && s + 4 <= home.region.size(); ++s) {
          if (Read32(other.region, s) - Read32(home.region, s) == delta) {
            explained = true;
            ++shifted;
            i = s + 4;
            break;
          }
        }
        if (!explained) {
          std::uint32_t value = Read32(other.region, i & ~std::size_t(3));
          explained = (value & 0xFFFF0000u) == 0xF00D0000u;
          i = (i & ~std::size_t(3)) + 4;
        }
        REQUIRE_MESSAGE(explained, "unexplained change at offset ", i);
      }
      CHECK(shifted >= 3);  // at least the two exported pointers and the code's own
      std::uint32_t counterAddress = ExportRva(other, "counterAddress");
      CHECK(Read32(other.region, counterAddress) - Read32(home.region, counterAddress) == delta);
      CHECK(TextAt(other, Read32(other.region, ExportRva(other, "greeting")) - base) == "sample image");
    }
  }
}

TEST_CASE("imports are handed to the binder and its addresses land in the import address table") {
  SUBCASE("by name, from the built image") {
    Bytes file = ReadFixture("sample.dll");
    RecordingBinder binder;
    HostMapping m = MapOnHost(file, binder);
    REQUIRE(m.stage == Stage::Mapped);
    CHECK(binder.names == std::vector<std::string>{"GetCurrentProcessId", "SetEnvironmentVariableA"});
    for (std::uint32_t address : binder.supplied) {
      int found = 0;
      for (std::size_t i = 0; i + 4 <= m.region.size(); i += 4) found += Read32(m.region, i) == address;
      CHECK(found == 1);
    }
  }
  SUBCASE("an import that gets no address fails the load; one that does, passes") {
    Bytes file = ReadFixture("sample_missing_import.dll");
    RecordingBinder refusing;
    refusing.refuse = "PrepKitAbsentFunction";
    CHECK(MapOnHost(file, refusing).stage == Stage::Imports);
    CHECK(refusing.names.back() == "PrepKitAbsentFunction");
    RecordingBinder supplying;
    CHECK(MapOnHost(file, supplying).stage == Stage::Mapped);
  }
  SUBCASE("by ordinal, as decimal text, the table walked and overwritten in place") {
    HandMadeImage image;
    image.SetDirectory(1, 0x1100, 40);
    image.Put32(0x1100 + 12, 0x1180);
    image.Put32(0x1100 + 16, 0x1200);
    image.PutText(0x1180, "ordinals.dll");
    image.Put32(0x1200, 0x80000011);
    image.Put32(0x1204, 0x1300);
    image.Put32(0x1208, 0x80000000);  // ordinal 0
    image.PutText(0x1302, "ByName");
    RecordingBinder binder;
    HostMapping m = MapOnHost(image.file, binder);
    REQUIRE(m.stage == Stage::Mapped);
    CHECK(binder.libraries == std::vector<std::string>{"ordinals.dll"});
    CHECK(binder.names == std::vector<std::string>{"17", "ByName", "0"});
    CHECK(binder.byOrdinal == std::vector<bool>{true, false, true});
    for (std::uint32_t i = 0; i < 3; ++i) CHECK(Read32(m.region, 0x1200 + 4 * i) == binder.supplied[i]);
  }
}

TEST_CASE("exports of the built image by name and by ordinal text") {
  Bytes file = ReadFixture("sample.dll");
  RecordingBinder binder;
  HostMapping m = MapOnHost(file, binder);
  REQUIRE(m.stage == Stage::Mapped);
  const std::uint32_t add3 = ExportRva(m, "Add3");
  REQUIRE(add3 != 0);
  // Base is 1 and ordinals follow the names, so ordinal 1 is Add3; Hidden has
  // ordinal 9 and no name.
  struct Case {
    const char* name;
    bool found;
  } cases[] = {{"Add3", true},  {"add3", false},   {"ADD3", false},     {"1", true},   {"0", false},
               {"9", true},     {"12", false},     {"-1", false},       {"017", false}, {"17a", false},
               {"Hidden", false}, {"lastReserved", true}, {"", false}, {"Add", false}, {"Add3 ", false}};
  for (const Case& c : cases) {
    CAPTURE(c.name);
    CHECK((ExportRva(m, c.name) != 0) == c.found);
  }
  CHECK(ExportRva(m, "1") == add3);
  CHECK(ExportRva(m, "9") != add3);
}

TEST_CASE("export lookups in a hand-made table: ordinal rule, zero RVAs, packed names") {
  HandMadeImage image;
  image.SetExports(0x1400, 5, {0, 0x1500, 0x1600, 0x7FFFF000},
                   {{"Dup", 0}, {"Dup", 1}, {"017", 2}, {"17a", 1}, {"Far", 9}, {"Outside", 3}, {"Last", 2}});
  RecordingBinder binder;
  HostMapping m = MapOnHost(image.file, binder);
  REQUIRE(m.stage == Stage::Mapped);
  struct Case {
    const char* name;
    std::uint32_t rva;
  } cases[] = {
      {"Dup", 0x1500},  // the first Dup has RVA 0: the search goes on
      {"017", 0x1600},  {"17a", 0x1500}, {"Last", 0x1600},
      {"Far", 0},       // its ordinal index lies past the function table
      {"Outside", 0},   // its RVA lies past the image
      {"5", 0},         {"6", 0x1500},   {"7", 0x1600}, {"4", 0}, {"9", 0}, {"8", 0},
      {"17", 0},        {"dup", 0},
  };
  for (const Case& c : cases) {
    CAPTURE(c.name);
    CHECK(ExportRva(m, c.name) == c.rva);
  }
}

TEST_CASE("malformed images are refused at the step that finds them, with no access outside") {
  // The baseline has a relocation block, one import and one export, so every
  // step has something to walk.
  auto baseline = [] {
    HandMadeImage image;
    image.SetDirectory(5, 0x1800, 12);
    image.Put32(0x1800, 0x1000);
    image.Put32(0x1804, 12);
    image.Put16(0x1808, 0x3010);
    image.Put32(0x1010, HandMadeImage::kImageBase + 0x1234);
    image.SetDirectory(1, 0x1100, 40);
    image.Put32(0x1100 + 12, 0x1180);
    image.Put32(0x1100 + 16, 0x1200);
    image.PutText(0x1180, "lib.dll");
    image.Put32(0x1200, 0x1300);
    image.PutText(0x1302, "Fn");
    image.SetExports(0x1400, 1, {0x1500}, {{"Fn", 0}});
    return image;
  };
  const std::uint32_t nt = 0x80, section = nt + pe::kNtHeadersSize;
  struct Case {
    const char* what;
    std::function<void(HandMadeImage&)> damage;
    Stage stage;
    bool exportFound;
  } cases[] = {
      {"intact", [](HandMadeImage&) {}, Stage::Mapped, true},
      {"63 bytes", [](HandMadeImage& i) { i.file.resize(63); }, Stage::Headers, false},
      {"not MZ", [](HandMadeImage& i) { i.file[0] = 'N'; }, Stage::Headers, false},
      {"NT headers past the end", [](HandMadeImage& i) { Write32(i.file, 0x3C, 0x1400 - 247); }, Stage::Headers, false},
      {"e_lfanew near 4 GB", [](HandMadeImage& i) { Write32(i.file, 0x3C, 0xFFFFFFF0); }, Stage::Headers, false},
      {"no PE signature", [&](HandMadeImage& i) { i.file[nt + 2] = 1; }, Stage::Headers, false},
      {"not an executable image", [&](HandMadeImage& i) { Write16(i.file, nt + 22, 0x2100); }, Stage::Headers, false},
      {"section table past the end", [&](HandMadeImage& i) { Write16(i.file, nt + 6, 0xFFFF); }, Stage::Headers, false},
      {"zero image size", [&](HandMadeImage& i) { Write16(i.file, nt + 6, 0); Write32(i.file, nt + 80, 0); },
       Stage::Size, false},
      {"SectionAlignment 0", [&](HandMadeImage& i) { Write32(i.file, nt + 56, 0); }, Stage::Size, false},
      {"section beyond 4 GB", [&](HandMadeImage& i) { Write32(i.file, section + 12, 0xFFFFF000); }, Stage::Size, false},
      {"raw data past the end", [&](HandMadeImage& i) { Write32(i.file, section + 20, 0x1300); }, Stage::Copy, false},
      {"raw data longer than the file", [&](HandMadeImage& i) { Write32(i.file, section + 16, 0x2000); },
       Stage::Copy, false},
      {"headers longer than the image", [&](HandMadeImage& i) { Write16(i.file, nt + 6, 0); Write32(i.file, nt + 80, 0x100); },
       Stage::Copy, false},
      {"relocation block past the region", [](HandMadeImage& i) { i.SetDirectory(5, 0x1FFC, 12); },
       Stage::Relocations, false},
      {"relocation block longer than the region", [](HandMadeImage& i) { i.Put32(0x1804, 0xFFFFFFF0); },
       Stage::Relocations, false},
      {"relocation slot past the region", [](HandMadeImage& i) { i.Put32(0x1800, 0x1FFE); i.Put16(0x1808, 0x3001); },
       Stage::Relocations, false},
      {"relocation directory near 4 GB", [](HandMadeImage& i) { i.SetDirectory(5, 0xFFFFFFF8, 0x100); },
       Stage::Relocations, false},
      {"relocation block shorter than its header ends the walk", [](HandMadeImage& i) { i.Put32(0x1804, 4); },
       Stage::Mapped, true},
      {"import descriptor past the region", [](HandMadeImage& i) { i.SetDirectory(1, 0x1FF0, 40); },
       Stage::Imports, false},
      {"library name outside", [](HandMadeImage& i) { i.Put32(0x1100 + 12, 0x9000); }, Stage::Imports, false},
      {"library name without its end", [](HandMadeImage& i) {
         i.Put32(0x1100 + 12, 0x1F00);
         for (std::uint32_t r = 0x1F00; r < 0x2000; ++r) i.file[r - 0x1000 + 0x400] = 'x';
       }, Stage::Imports, false},
      {"import table outside", [](HandMadeImage& i) { i.Put32(0x1100 + 16, 0x80000000); }, Stage::Imports, false},
      {"import table running off the region", [](HandMadeImage& i) {
         i.Put32(0x1100 + 16, 0x1FF8);
         i.Put32(0x1FF8, 0x80000001);
         i.Put32(0x1FFC, 0x80000002);
       }, Stage::Imports, false},
      {"import name outside", [](HandMadeImage& i) { i.Put32(0x1200, 0x7FFFFFF0); }, Stage::Imports, false},
      {"export directory outside", [](HandMadeImage& i) { i.SetDirectory(0, 0x1FF0, 40); }, Stage::Mapped, false},
      {"export names outside", [](HandMadeImage& i) { i.Put32(0x1400 + 32, 0xFFFFFFFF); }, Stage::Mapped, false},
      {"export name table pointing outside", [](HandMadeImage& i) { i.Put32(0x1400 + 40 + 4, 0x3000); },
       Stage::Mapped, false},
      {"export function table outside", [](HandMadeImage& i) { i.Put32(0x1400 + 28, 0xFFFFFFFC); }, Stage::Mapped, false},
      {"export ordinals outside", [](HandMadeImage& i) { i.Put32(0x1400 + 36, 0x1FFF); }, Stage::Mapped, false},
      {"export names running off the region", [](HandMadeImage& i) {
         i.Put32(0x1400 + 24, 1000);
         i.Put32(0x1400 + 44, 0x1FFE);
         i.PutText(0x1FFE, "x");
       }, Stage::Mapped, false},
  };
  for (const Case& c : cases) {
    CAPTURE(c.what);
    HandMadeImage image = baseline();
    c.damage(image);
    // A file of exactly its own length: AddressSanitizer sees a read past it.
    Bytes file(image.file.begin(), image.file.end());
    file.shrink_to_fit();
    RecordingBinder binder;
    HostMapping m = MapOnHost(file, binder);
    CHECK(std::string(StageName(m.stage)) == StageName(c.stage));
    if (m.stage == Stage::Mapped) {
      CHECK((ExportRva(m, "Fn") == 0x1500) == c.exportFound);
      CHECK(Read32(m.region, 0x1010) == HandMadeImage::kImageBase + 0x1234);
    }
  }
}

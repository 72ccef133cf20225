#include <doctest/doctest.h>

#include <windows.h>

#include <cstdint>
#include <string>

#include "cleanup/folder_size.h"
#include "tests/unit/cleanup/junk_fixture.h"

namespace {
const std::string kRoot = "C:\\prepkit-cleanup\\size\\";
const std::string kOutside = "C:\\prepkit-cleanup\\outside\\";
}  // namespace

TEST_CASE("A folder's size counts every file below it and nothing behind a link") {
  OleSession ole;
  ResetFolder(kRoot);
  ResetFolder(kOutside);
  struct File {
    const char* name;
    std::uint64_t bytes;
    DWORD attributes;
  } files[] = {
      {"a.tmp", 1000, 0},
      {"hidden.dat", 2345, FILE_ATTRIBUTE_HIDDEN},
      {"read-only.txt", 77, FILE_ATTRIBUTE_READONLY},
      {"system.bin", 5, FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_HIDDEN},
      {".dot", 13, 0},
      {"empty.log", 0, 0},
      {"sub\\b", 4096, 0},
      {"sub\\deep\\er\\c", 1, 0},
      {"测试\\文件.txt", 300, 0},
  };
  std::uint64_t expected = 0;
  for (const File& file : files) {
    REQUIRE(WriteSizedFile(kRoot + file.name, file.bytes, file.attributes));
    expected += file.bytes;
  }
  REQUIRE(MakeFolders(kRoot + "empty folder"));
  // The link's target is big enough to show in any figure if it were followed.
  REQUIRE(WriteSizedFile(kOutside + "canary.bin", 5u << 20));
  REQUIRE(WriteSizedFile(kOutside + "inner\\canary2.bin", 3u << 20));
  REQUIRE(MakeDirectoryLink(kRoot + "link", kOutside));
  REQUIRE(MakeDirectoryLink(kRoot + "sub\\deep\\link", kOutside + "inner"));

  CHECK(FolderSize(kRoot) == expected);
  CHECK(FolderSize(kRoot.substr(0, kRoot.size() - 1)) == expected);
  CHECK(MeasureFolderByWalk(kRoot) == expected);
  CHECK(FolderSize(kRoot + "sub") == 4097);
  // The junk folder itself may be a link (a moved temp folder): its content counts.
  CHECK(FolderSize(kRoot + "link") == (8u << 20));

  RemoveTestTree(kRoot);
  RemoveTestTree(kOutside);
}

TEST_CASE("Sizes beyond 4 GiB are whole") {
  OleSession ole;
  ResetFolder(kRoot);
  const std::uint64_t big = (5ull << 30) + 3;  // sparse on the host: no disk space used
  REQUIRE(WriteSizedFile(kRoot + "big.bin", big));
  REQUIRE(WriteSizedFile(kRoot + "more\\big2.bin", 3ull << 30));
  CHECK(FolderSize(kRoot) == big + (3ull << 30));
  RemoveTestTree(kRoot);
}

TEST_CASE("Missing, empty, file and relative paths measure 0") {
  OleSession ole;
  ResetFolder(kRoot);
  REQUIRE(WriteSizedFile(kRoot + "Cookies\\cookie.txt", 999));
  REQUIRE(WriteSizedFile(kRoot + "LOCAL SETTINGS\\History\\h.dat", 999));
  REQUIRE(WriteSizedFile(kRoot + "file.bin", 999));
  char previous[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, previous);
  REQUIRE(SetCurrentDirectoryA(kRoot.c_str()));
  const char* paths[] = {
      "",
      "   ",
      "C:\\prepkit-cleanup\\no such folder\\",
      "C:\\prepkit-cleanup\\size\\file.bin",
      "Cookies",  // resolves against the current directory
      "LOCAL SETTINGS\\History",
      "\\prepkit-cleanup\\size\\Cookies",  // resolves against the current drive
      "C:Cookies",
  };
  for (const char* path : paths) {
    CAPTURE(path);
    CHECK(FolderSize(path) == 0);
    CHECK(MeasureFolderByWalk(path) == 0);
  }
  SetCurrentDirectoryA(previous);
  RemoveTestTree(kRoot);
}

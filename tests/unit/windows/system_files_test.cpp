#include <doctest/doctest.h>

#include <windows.h>

#include <string>

#include "system/files.h"
#include "system/processes.h"
#include "tests/unit/windows/system_fixture.h"

namespace {
ByteBlob Blob(const std::string& text) {
  return {reinterpret_cast<const unsigned char*>(text.data()), text.size()};
}
}  // namespace

TEST_CASE("WriteFileBytes leaves exactly the concatenated parts, over a longer file too") {
  ScratchFolder scratch("write");
  std::string file = scratch / "out.bin";
  REQUIRE(MakeFile(file, std::string(1000, 'z')));
  std::string binary("\0\xff\x5c", 3);
  CHECK(WriteFileBytes(file, {Blob("ab"), Blob(""), Blob(binary), Blob("cd")}));
  CHECK(ReadWholeFile(file) == "ab" + binary + "cd");
  CHECK(WriteFileBytes(file, {}));
  CHECK(ReadWholeFile(file).empty());
  CHECK(Exists(file));

  CHECK_FALSE(WriteFileBytes("", {Blob("x")}));
  CHECK_FALSE(WriteFileBytes(scratch / "missing\\out.bin", {Blob("x")}));
  CHECK_FALSE(Exists(scratch / "missing"));
}

TEST_CASE("WriteFileBytes shares the file with nobody: an opener for reading or writing makes it fail") {
  ScratchFolder scratch("share");
  std::string file = scratch / "held.bin";
  const DWORD accesses[] = {GENERIC_READ, GENERIC_WRITE};
  for (DWORD access : accesses) {
    CAPTURE(access);
    REQUIRE(MakeFile(file, "before"));
    HANDLE other = CreateFileA(file.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_EXISTING, 0, nullptr);
    REQUIRE(other != INVALID_HANDLE_VALUE);
    CHECK_FALSE(WriteFileBytes(file, {Blob("after")}));
    CloseHandle(other);
    CHECK(ReadWholeFile(file) == "before");
  }
}

TEST_CASE("MakeDirectory makes one level; an existing directory or a missing parent gives false") {
  ScratchFolder scratch("mkdir");
  CHECK(MakeDirectory(scratch / "one"));
  CHECK(Exists(scratch / "one"));
  CHECK_FALSE(MakeDirectory(scratch / "one"));
  CHECK_FALSE(MakeDirectory(scratch / "a\\b"));
  CHECK_FALSE(MakeDirectory(""));
}

TEST_CASE("RemoveDirectoryTree refuses drive roots and empty text and deletes nothing") {
  ScratchFolder scratch("roots");
  REQUIRE(MakeFile(scratch / "canary.txt"));
  REQUIRE(MakeDirectory(scratch / "sub"));
  // A drive letter of its own whose root is the scratch folder: a wrong answer costs
  // only the canary.
  struct Unmap { ~Unmap() { UnmapDrive('Q'); } } unmap;
  REQUIRE(MapDrive('Q', scratch.path));
  REQUIRE(Exists("Q:\\canary.txt"));
  const char* refused[] = {"Q:\\", "Q:", "  Q:", "   Q:\\", "Q:/", "", "    "};
  for (const char* path : refused) {
    CAPTURE(path);
    CHECK_FALSE(RemoveDirectoryTree(path));
  }
  CHECK(Exists(scratch / "canary.txt"));
  CHECK(Exists(scratch / "sub"));
}

TEST_CASE("RemoveDirectoryTree removes a whole tree and gives true, however the path is spelled") {
  ScratchFolder scratch("whole");
  // "昞" ends in byte 0x5C: a scan that takes it for a separator gets the names wrong.
  const char* spellings[] = {"tree", "tree\\", "  tree", "昞"};
  for (const char* spelling : spellings) {
    CAPTURE(spelling);
    std::string tree = scratch / "tree";
    if (std::string(spelling) == "昞") tree = scratch / "昞";
    REQUIRE(MakeDirectory(tree));
    REQUIRE(MakeDirectory(tree + "\\a"));
    REQUIRE(MakeDirectory(tree + "\\a\\昞"));
    REQUIRE(MakeDirectory(tree + "\\empty"));
    REQUIRE(MakeFile(tree + "\\a\\昞\\f.txt"));
    REQUIRE(MakeFile(tree + "\\a\\g"));
    REQUIRE(MakeFile(tree + "\\h.dat"));
    std::string given = std::string(spelling) == "  tree" ? "  " + tree
                        : std::string(spelling) == "tree\\" ? tree + "\\" : tree;
    CHECK(RemoveDirectoryTree(given));
    CHECK_FALSE(Exists(tree));
  }
  CHECK_FALSE(RemoveDirectoryTree(scratch / "never-there"));
}

TEST_CASE("RemoveDirectoryTree keeps a read-only file and a dot-file, with every directory above them") {
  ScratchFolder scratch("keep");
  std::string tree = scratch / "tree";
  REQUIRE(MakeDirectory(tree));
  for (const char* dir : {"\\ro", "\\ro\\deep", "\\dot", "\\gone"}) REQUIRE(MakeDirectory(tree + dir));
  REQUIRE(MakeFile(tree + "\\ro\\deep\\locked.txt"));
  REQUIRE(SetFileAttributesA((tree + "\\ro\\deep\\locked.txt").c_str(), FILE_ATTRIBUTE_READONLY));
  REQUIRE(MakeFile(tree + "\\dot\\.keep"));
  for (const char* file : {"\\ro\\deep\\x", "\\ro\\y", "\\dot\\z", "\\gone\\w", "\\top"})
    REQUIRE(MakeFile(tree + file));

  CHECK_FALSE(RemoveDirectoryTree(tree));

  for (const char* stays : {"", "\\ro", "\\ro\\deep", "\\ro\\deep\\locked.txt", "\\dot", "\\dot\\.keep"}) {
    CAPTURE(stays);
    CHECK(Exists(tree + stays));
  }
  for (const char* goes : {"\\ro\\deep\\x", "\\ro\\y", "\\dot\\z", "\\gone", "\\top"}) {
    CAPTURE(goes);
    CHECK_FALSE(Exists(tree + goes));
  }
  SetFileAttributesA((tree + "\\ro\\deep\\locked.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_CASE("RemoveDirectoryTree never reaches through a directory link") {
  ScratchFolder scratch("link");
  std::string outside = scratch / "outside";
  std::string tree = scratch / "tree";
  REQUIRE(MakeDirectory(outside));
  REQUIRE(MakeDirectory(outside + "\\inner"));
  REQUIRE(MakeFile(outside + "\\canary.txt", "alive"));
  REQUIRE(MakeFile(outside + "\\inner\\canary2.txt", "alive"));
  REQUIRE(MakeDirectory(tree));
  REQUIRE(MakeFile(tree + "\\plain.txt"));
  REQUIRE(MakeDirectoryLink(tree + "\\link", outside));
  REQUIRE(MakeDirectoryLink(scratch / "toplink", outside));
  REQUIRE((GetFileAttributesA((tree + "\\link").c_str()) & FILE_ATTRIBUTE_REPARSE_POINT));

  bool treeGone = RemoveDirectoryTree(tree);
  bool topGone = RemoveDirectoryTree(scratch / "toplink");

  CHECK(ReadWholeFile(outside + "\\canary.txt") == "alive");
  CHECK(ReadWholeFile(outside + "\\inner\\canary2.txt") == "alive");
  CHECK_FALSE(Exists(tree + "\\plain.txt"));
  if (RunningUnderWine()) {
    // Wine removes a Unix link's target instead of the link, which a non-empty
    // target refuses: the links and their directories stay. Windows removes the
    // reparse point itself.
    MESSAGE("under Wine the links stay (their target is not empty); Windows removes them");
    CHECK_FALSE(treeGone);
    CHECK_FALSE(topGone);
  } else {
    CHECK(treeGone);
    CHECK(topGone);
    CHECK_FALSE(Exists(tree));
    CHECK_FALSE(Exists(scratch / "toplink"));
  }
}

TEST_CASE("RemoveDirectoryTree leaves an entry whose full name is too long, and says so") {
  ScratchFolder scratch("long");
  std::string tree = scratch / "tree";
  REQUIRE(MakeDirectory(tree));
  REQUIRE(MakeFile(tree + "\\short.txt"));
  // A name that fits alone but not after the tree's path; made through the wide API.
  std::string longName(MAX_PATH - tree.size() + 5, 'n');
  std::wstring wideLong = L"\\\\?\\" + std::wstring(tree.begin(), tree.end()) + L"\\" +
                          std::wstring(longName.begin(), longName.end());
  REQUIRE(CreateDirectoryW(wideLong.c_str(), nullptr));
  REQUIRE(CreateDirectoryW((wideLong + L"\\x").c_str(), nullptr));

  CHECK_FALSE(RemoveDirectoryTree(tree));
  CHECK_FALSE(Exists(tree + "\\short.txt"));
  CHECK(GetFileAttributesW(wideLong.c_str()) != INVALID_FILE_ATTRIBUTES);
  CHECK(GetFileAttributesW((wideLong + L"\\x").c_str()) != INVALID_FILE_ATTRIBUTES);

  CHECK_FALSE(RemoveDirectoryTree(std::string(MAX_PATH + 10, 'p')));
}

namespace {
struct Deletion {
  std::string tree;
  bool result = false;
  HANDLE done = nullptr;
};

void DeleteOnThread(void* context) {
  Deletion* deletion = static_cast<Deletion*>(context);
  deletion->result = RemoveDirectoryTree(deletion->tree);
  SetEvent(deletion->done);
}
}  // namespace

TEST_CASE("StartThread runs the routine with its context; trees deleted on several threads at once all go") {
  ScratchFolder scratch("threads");
  const int kThreads = 6;
  Deletion deletions[kThreads];
  HANDLE done[kThreads];
  for (int t = 0; t < kThreads; ++t) {
    Deletion& d = deletions[t];
    d.tree = scratch / ("tree" + std::to_string(t));
    REQUIRE(MakeDirectory(d.tree));
    for (int sub = 0; sub < 5; ++sub) {
      std::string dir = d.tree + "\\d" + std::to_string(sub);
      REQUIRE(MakeDirectory(dir));
      for (int f = 0; f < 20; ++f) REQUIRE(MakeFile(dir + "\\f" + std::to_string(f)));
    }
    d.done = done[t] = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  }
  for (Deletion& d : deletions) REQUIRE(StartThread(DeleteOnThread, &d));
  CHECK(WaitForMultipleObjects(kThreads, done, TRUE, 60000) == WAIT_OBJECT_0);
  for (int t = 0; t < kThreads; ++t) {
    CAPTURE(t);
    CHECK(deletions[t].result);
    CHECK_FALSE(Exists(deletions[t].tree));
    CloseHandle(done[t]);
  }
  CHECK_FALSE(StartThread(nullptr));
  Pause(-5);  // taken as 0: a negative count sent on as a DWORD would sleep for weeks
}

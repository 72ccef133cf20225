#include <doctest/doctest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "tests/support/dialog_watch.h"
#include "tests/support/host_files.h"
#include "tests/support/process_windows.h"
#include "tests/support/registry_probe.h"
#include "tools/launcher.h"

namespace {

using Bytes = std::vector<unsigned char>;

struct ToolCase {
  void (*handler)();
  const char* fileName;
  const char* built;  // host path of the program the build made
  const char* title;  // its window's caption
};

const ToolCase kTools[] = {
    {StartUninstaller, "MyUninst.exe", BUILT_UNINSTALLER, "功能强大的软件卸载"},
    {StartInputMethodManager, "输入法管理器.exe", BUILT_INPUT_METHODS, "输入法管理器"},
    {StartAdministratorCheck, "本地管理员检查工具.exe", BUILT_ADMINISTRATORS, "本地管理员检查工具"},
    {StartFileSystemConverter, "NTFS互换FAT32.exe", BUILT_FILE_SYSTEM, "FAT32格式转换NTFS"},
    {StartDiskDefragmenter, "整理磁盘.exe", BUILT_DEFRAGMENTER, "高效磁盘整理"},
};

std::string TempFolder() {
  char buffer[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, buffer);
  return buffer;
}

bool WriteAll(const std::string& path, const Bytes& bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
            written == bytes.size();
  CloseHandle(file);
  return ok;
}

Bytes BlobBytes(const ByteBlob& blob) { return Bytes(blob.bytes, blob.bytes + blob.size); }

// The caption of the process's first visible top-level window; empty when none shows in time.
std::string WaitForWindowTitle(DWORD processId, DWORD timeoutMs = 10000) {
  HWND window = WaitForTopWindow(processId, nullptr, timeoutMs);
  if (!window) return {};
  char title[256] = {};
  GetWindowTextA(window, title, sizeof title);
  return title;
}

// Holds a file open for reading while denying writers, as a running program does.
struct ReadLock {
  explicit ReadLock(const std::string& path)
      : file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr)) {}
  ~ReadLock() {
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  }
  HANDLE file;
};

// Whatever a test started or wrote goes when the test ends, also when it fails
// half-way: a tool left running would keep the Wine session (and the run) alive.
struct Leftovers {
  std::vector<std::string> programs;  // file names of processes to close
  std::vector<std::string> files;
  std::vector<std::string> folders;
  ~Leftovers() {
    for (const std::string& program : programs) CloseAll(program.c_str());
    for (const std::string& file : files) DeleteFileA(file.c_str());
    for (const std::string& folder : folders) RemoveDirectoryA(folder.c_str());
  }
};

}  // namespace

TEST_CASE("each tool button writes its carried program over a stale file and starts it in a window") {
  REQUIRE(kCarriedToolCount == static_cast<int>(sizeof kTools / sizeof kTools[0]));
  for (int i = 0; i < kCarriedToolCount; ++i) {
    const ToolCase& tool = kTools[i];
    CAPTURE(i);
    CHECK(std::string(kCarriedTools[i].fileName) == tool.fileName);

    Bytes built;
    REQUIRE(ReadAll(FromHost(tool.built), &built));
    CHECK(BlobBytes(*kCarriedTools[i].blob) == built);

    // Longer than the tool, so that a write that does not truncate shows.
    const std::string path = TempFolder() + tool.fileName;
    Leftovers leftovers{{tool.fileName}, {path}, {}};
    REQUIRE(WriteAll(path, Bytes(built.size() + 4096, 'x')));
    REQUIRE(ProcessesNamed(tool.fileName).empty());

    tool.handler();

    Bytes written;
    REQUIRE(ReadAll(path, &written));
    CHECK(written == built);
    std::vector<DWORD> started = ProcessesNamed(tool.fileName);
    REQUIRE(started.size() == 1);
    CHECK(WaitForWindowTitle(started[0]) == tool.title);
    CloseProgram(started[0]);
    CHECK(ProcessesNamed(tool.fileName).empty());
  }
}

TEST_CASE("a second click while the tool runs starts a second instance and says nothing") {
  const ToolCase& tool = kTools[0];
  const std::string path = TempFolder() + tool.fileName;
  Leftovers leftovers{{tool.fileName}, {path}, {}};
  DialogAnswerer answerer(IDOK, 3000);
  StartUninstaller();
  std::vector<DWORD> first = ProcessesNamed(tool.fileName);
  REQUIRE(first.size() == 1);
  REQUIRE(WaitForWindowTitle(first[0]) == tool.title);

  // The running tool keeps its file from writers: the second click's write fails
  // and the second instance comes from the file already there.
  HANDLE writer = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  CHECK(writer == INVALID_HANDLE_VALUE);
  if (writer != INVALID_HANDLE_VALUE) CloseHandle(writer);
  StartUninstaller();
  std::vector<DWORD> both = ProcessesNamed(tool.fileName);
  CHECK(both.size() == 2);
  for (DWORD id : both) CHECK(WaitForWindowTitle(id) == tool.title);
  Bytes onDisk;
  CHECK((ReadAll(path, &onDisk) && onDisk == BlobBytes(*kCarriedTools[0].blob)));
  CHECK_FALSE(answerer.Result().found);
}

TEST_CASE("a file that cannot be overwritten is started only when it holds the carried bytes") {
  const ToolCase& tool = kTools[0];
  const std::string path = TempFolder() + tool.fileName;
  Leftovers leftovers{{tool.fileName}, {path}, {}};
  struct Row {
    const char* what;
    Bytes content;
    bool starts;
  };
  const Row rows[] = {
      {"the carried tool itself", BlobBytes(*kCarriedTools[0].blob), true},
      {"another program", BlobBytes(*kCarriedTools[1].blob), false},
      {"a cut-short copy", Bytes(kCarriedTools[0].blob->bytes, kCarriedTools[0].blob->bytes + 4096), false},
  };
  for (const Row& row : rows) {
    CAPTURE(std::string(row.what));
    REQUIRE(WriteAll(path, row.content));
    {
      ReadLock lock(path);
      REQUIRE(lock.file != INVALID_HANDLE_VALUE);
      StartUninstaller();
    }
    Bytes onDisk;
    CHECK((ReadAll(path, &onDisk) && onDisk == row.content));
    std::vector<DWORD> started = ProcessesNamed(tool.fileName);
    CHECK(started.size() == (row.starts ? 1u : 0u));
    if (row.starts && !started.empty()) CHECK(WaitForWindowTitle(started[0]) == tool.title);
    CloseAll(tool.fileName);
  }
}

TEST_CASE("a temporary folder with spaces starts the tool, not a program named after the folder's first word") {
  const std::string parent = TempFolder();
  const std::string spaced = parent + "PrepKitTools spaced folder\\";
  const std::string decoy = parent + "PrepKitTools.exe";  // what an unquoted command line would run
  Leftovers leftovers{{kTools[0].fileName, "PrepKitTools.exe"}, {spaced + kTools[0].fileName, decoy}, {spaced}};
  REQUIRE((CreateDirectoryA(spaced.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS));
  REQUIRE(WriteAll(decoy, BlobBytes(*kCarriedTools[1].blob)));
  char saved[MAX_PATH] = {};
  const bool hadTmp = GetEnvironmentVariableA("TMP", saved, MAX_PATH) > 0;
  SetEnvironmentVariableA("TMP", spaced.c_str());
  const std::string seen = TempFolder();
  StartUninstaller();
  SetEnvironmentVariableA("TMP", hadTmp ? saved : nullptr);
  REQUIRE(seen == spaced);

  std::vector<DWORD> started = ProcessesNamed(kTools[0].fileName);
  CHECK(ProcessesNamed("PrepKitTools.exe").empty());
  REQUIRE(started.size() == 1);
  CHECK(WaitForWindowTitle(started[0]) == kTools[0].title);
}

TEST_CASE("the band repair calls DllRegisterServer once when the library has it, and always says it is done") {
  // The prefix is left as it was found: a band library already there is put aside
  // for the test and back afterwards.
  struct BandFolder {
    const std::string folder = "C:\\Program Files\\Windows Media Player";
    const std::string library = kMediaPlayerBandLibrary;
    const std::string aside = library + ".prepkit-test";
    const bool folderExisted = GetFileAttributesA(folder.c_str()) != INVALID_FILE_ATTRIBUTES;
    const bool libraryExisted = MoveFileA(library.c_str(), aside.c_str()) != FALSE;
    const bool ready = folderExisted || CreateDirectoryA(folder.c_str(), nullptr);
    ~BandFolder() {
      DeleteFileA(library.c_str());
      if (libraryExisted) MoveFileA(aside.c_str(), library.c_str());
      if (!folderExisted) RemoveDirectoryA(folder.c_str());
      RemoveTree(HKEY_CURRENT_USER, kTestKey);
    }
  } band;
  REQUIRE(band.ready);
  const std::string& library = band.library;

  struct Row {
    const char* what;
    const char* fixture;  // host path, or none: no library at all
    DWORD calls;
  };
  const Row rows[] = {
      {"no band library", nullptr, 0},
      {"a library exporting DllRegisterServer", BAND_REGISTERS, 1},
      {"a library without that export", BAND_WITHOUT_REGISTER, 0},
  };
  const std::string countKey = std::string(kTestKey) + "\\Band";
  for (const Row& row : rows) {
    CAPTURE(std::string(row.what));
    RemoveTree(HKEY_CURRENT_USER, countKey);
    if (row.fixture) REQUIRE(CopyFileA(FromHost(row.fixture).c_str(), library.c_str(), FALSE));

    DialogAnswerer answerer(IDOK);
    ReregisterMediaPlayerBand();
    SeenDialog seen = answerer.Result();

    CHECK(seen.found);
    CHECK(seen.text == "已完成");
    CHECK(seen.caption == "信息：");
    CHECK(seen.icon == nullptr);
    StoredValue calls = ReadStoredValue(HKEY_CURRENT_USER, countKey, "RegisterCalls");
    CHECK(calls.present == (row.calls > 0));
    if (row.calls > 0) CHECK(calls.bytes == DwordBytes(row.calls));
    // Released in every case, also when the export is missing.
    CHECK(GetModuleHandleA(library.c_str()) == nullptr);
    if (row.fixture) CHECK(DeleteFileA(library.c_str()));
  }
}

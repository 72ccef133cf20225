#include "tools/launcher.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "system/files.h"
#include "system/message_box.h"
#include "system/processes.h"
#include "system/scoped.h"
#include "system/shell.h"

// Built from tools/, one per tool (see tools/CMakeLists.txt).
extern const ByteBlob kUninstallerTool;
extern const ByteBlob kInputMethodManagerTool;
extern const ByteBlob kAdministratorCheckTool;
extern const ByteBlob kFileSystemConverterTool;
extern const ByteBlob kDiskDefragmenterTool;

const CarriedTool kCarriedTools[] = {
    {"MyUninst.exe", &kUninstallerTool},
    {"输入法管理器.exe", &kInputMethodManagerTool},
    {"本地管理员检查工具.exe", &kAdministratorCheckTool},
    {"NTFS互换FAT32.exe", &kFileSystemConverterTool},
    {"整理磁盘.exe", &kDiskDefragmenterTool},
};
const int kCarriedToolCount = sizeof kCarriedTools / sizeof kCarriedTools[0];

namespace {

constexpr SpecialFolder kTemporaryFolder = 11;
constexpr int kNormalWindow = 2;

// True when the file's content is exactly the blob. Opened for reading beside
// whoever holds it: a running program keeps its own file open.
bool FileHoldsBytes(const std::string& path, const ByteBlob& blob) {
  ScopedFile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  LARGE_INTEGER size = {};
  if (!GetFileSizeEx(file.Get(), &size) || static_cast<ULONGLONG>(size.QuadPart) != blob.size) return false;
  std::vector<unsigned char> chunk(64 * 1024);
  std::size_t offset = 0;
  while (offset < blob.size) {
    DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(chunk.size(), blob.size - offset));
    DWORD got = 0;
    if (!ReadFile(file.Get(), chunk.data(), wanted, &got, nullptr) || got != wanted) return false;
    if (std::memcmp(chunk.data(), blob.bytes + offset, got) != 0) return false;
    offset += got;
  }
  return true;
}

struct FreeModule {
  void operator()(HMODULE module) const { FreeLibrary(module); }
};
using ScopedModule = Scoped<HMODULE, static_cast<HMODULE>(nullptr), FreeModule>;

}  // namespace

void WriteAndStartTool(const CarriedTool& tool) {
  std::string folder = GetSpecialFolder(kTemporaryFolder);
  if (folder.empty()) return;
  std::string path = folder + tool.fileName;
  if (!WriteFileBytes(path, {*tool.blob}) && !FileHoldsBytes(path, *tool.blob)) return;
  // Quoted: the temporary folder usually lies under "Documents and Settings",
  // and an unquoted path with spaces would let CreateProcess run C:\Documents.exe.
  RunProgram("\"" + path + "\"", false, kNormalWindow);
}

void StartUninstaller() { WriteAndStartTool(kCarriedTools[0]); }
void StartInputMethodManager() { WriteAndStartTool(kCarriedTools[1]); }
void StartAdministratorCheck() { WriteAndStartTool(kCarriedTools[2]); }
void StartFileSystemConverter() { WriteAndStartTool(kCarriedTools[3]); }
void StartDiskDefragmenter() { WriteAndStartTool(kCarriedTools[4]); }

void ReregisterMediaPlayerBand() {
  {
    ScopedModule band(LoadLibraryA(kMediaPlayerBandLibrary));
    if (band) {
      using RegisterServer = HRESULT(STDAPICALLTYPE*)();
      auto registerServer = reinterpret_cast<RegisterServer>(
          reinterpret_cast<void*>(GetProcAddress(band.Get(), "DllRegisterServer")));
      if (registerServer) registerServer();
    }
  }
  ShowMessage(kBandRepairedMessage, MB_OK);
}

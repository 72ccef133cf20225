#include "tools/launcher.h"

#include <windows.h>

#include <string>

#include "system/files.h"
#include "system/library.h"
#include "system/message_box.h"
#include "system/processes.h"
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
  CallLibraryExport(kMediaPlayerBandLibrary, "DllRegisterServer");
  ShowMessage(kBandRepairedMessage, MB_OK);
}

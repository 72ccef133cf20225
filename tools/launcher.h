// The carried maintenance tools, written to the temporary folder and started
// from there, and the repair of the media player's taskbar band.
#pragma once
#include "system/byte_blob.h"

struct CarriedTool {
  const char* fileName;  // the name the tool gets in the temporary folder
  const ByteBlob* blob;  // the whole program
};

// The five tools in the order of their buttons (按钮13, 14, 15, 17, 18).
extern const CarriedTool kCarriedTools[];
extern const int kCarriedToolCount;

// Writes the tool's bytes into the temporary folder and starts that file in a
// normal window without waiting for it. Tells nobody anything. When the file
// cannot be written (an earlier copy still runs), the file on disk is started
// only if it holds exactly the carried bytes.
void WriteAndStartTool(const CarriedTool& tool);

// The click handlers.
void StartUninstaller();          // 按钮13
void StartInputMethodManager();   // 按钮14
void StartAdministratorCheck();   // 按钮15
void StartFileSystemConverter();  // 按钮17
void StartDiskDefragmenter();     // 按钮18

constexpr const char* kMediaPlayerBandLibrary = "C:\\Program Files\\Windows Media Player\\wmpband.dll";
constexpr const char* kBandRepairedMessage = "已完成";

// 按钮16: lets the band library register itself again (when it is there and
// exports DllRegisterServer), releases it, and then says "已完成" in any case.
void ReregisterMediaPlayerBand();

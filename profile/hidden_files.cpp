#include "profile/hidden_files.h"

#include <string>

#include "profile/hidden_files_script.h"
#include "system/files.h"
#include "system/message_box.h"
#include "system/registry.h"
#include "system/shell.h"

namespace {
constexpr RootKey kClassesRoot = 1;
constexpr int kOpenVerb = 4;
constexpr int kHidden = 1;
constexpr const char* kAdded = "添加成功";
constexpr const char* kRemoved = "删除成功";
constexpr const char* kTipAfterToggle = "禁止";

// The temporary folder ends with a backslash already; the doubled one is harmless.
std::string ScriptPath() { return GetSpecialFolder(11) + "\\cmd.bat"; }
}  // namespace

void ToggleHiddenFilesMenu(HiddenFilesView& view) {
  ByteBlob script{reinterpret_cast<const unsigned char*>(kHiddenFilesScript.data()), kHiddenFilesScript.size()};
  WriteFileBytes(ScriptPath(), {script});
  // Asked before the start: the script changes the answer as it runs.
  bool installed = RegistryItemExists(kClassesRoot, kHiddenFilesEntryValue);
  ShellOpen(kOpenVerb, ScriptPath(), {}, {}, kHidden);
  ShowMessage(installed ? kRemoved : kAdded, 0);
  view.SetToggleTip(kTipAfterToggle);
}

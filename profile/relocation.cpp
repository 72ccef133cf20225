#include "profile/relocation.h"

#include "system/cp936.h"
#include "system/files.h"
#include "system/folder_state.h"
#include "system/message_box.h"
#include "system/processes.h"
#include "system/registry.h"
#include "system/shell.h"

namespace {
constexpr RootKey kCurrentUser = 3;
constexpr int kHidden = 1;
constexpr const char* kUserShellFolders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders\\";
constexpr const char* kShellFolders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders\\";
constexpr const char* kCookiesPlace = "D:\\My Documents\\Cookies";

constexpr const char* kPickerPrompt = "请选择保存路径";
constexpr const char* kTargetLead = "路径为";
constexpr const char* kNoTarget = "没有设置保存路径！";
constexpr const char* kCopyingLead = "正在复制";
constexpr const char* kCopyingTrail = "文件，请稍后···";
constexpr const char* kEndingExplorer = "正在结束explorer进程，请稍后···";
constexpr const char* kRestartingExplorer = "正在重启explorer进程，请稍后···";
constexpr const char* kDone = "恭喜，转移完成！\r\n新路径为:";
constexpr const char* kUnfinished = "转移未完成：";
constexpr const char* kListSeparator = "、";
constexpr const char* kNoCommandLine = "错误：无法运行命令行";
constexpr const char* kEndExplorer = "cmd /c tskill explorer && exit";
constexpr const char* kStartExplorer = "cmd /c start explorer && exit";
constexpr const char* kDocumentsOnD = "d:\\My Documents";

std::string WithBackslash(std::string text) {
  if (text.empty() || cp936::LastBackslash(text) != text.size() - 1) text += '\\';
  return text;
}

// A copy counts when xcopy says so and the folder is really there. A source with
// nothing in it has nothing to copy (xcopy then reports "file not found"): making
// the empty target is all the copy there is.
bool CopyFolder(const RelocationEntry& entry) {
  unsigned long exitCode = 1;
  bool ran = RunProgramAndWait(CopyCommand(entry), kHidden, &exitCode);
  if (ran && exitCode == 0 && FolderExists(entry.targetPath)) return true;
  if (FolderHasEntries(entry.sourcePath)) return false;
  MakeDirectory(entry.targetPath);
  return FolderExists(entry.targetPath);
}
}  // namespace

std::vector<RelocationEntry> RelocationEntries(const RelocationView& view, std::string_view targetRoot) {
  std::string root(targetRoot);
  std::vector<RelocationEntry> entries;
  if (view.IsTicked(FolderBox::Desktop)) entries.push_back({"Desktop", root + "桌面", GetSpecialFolder(3)});
  if (view.IsTicked(FolderBox::Documents))
    entries.push_back({"Personal", root + ReadEnvironment("username") + " 的文档", GetSpecialFolder(1)});
  if (view.IsTicked(FolderBox::Favorites)) entries.push_back({"Favorites", root + "Favorites", GetSpecialFolder(2)});
  return entries;
}

std::string CopyCommand(const RelocationEntry& entry) {
  return "cmd /c xcopy \"" + entry.sourcePath + "*.*\" \"" + entry.targetPath + "\\\" /e /y && exit";
}

std::string TargetTail(const RelocationEntry& entry) {
  std::size_t slash = cp936::LastBackslash(entry.targetPath);
  return slash == cp936::npos ? entry.targetPath : entry.targetPath.substr(slash + 1);
}

void RelocateUserFolders(RelocationView& view, std::string_view targetRoot) {
  std::vector<RelocationEntry> entries = RelocationEntries(view, targetRoot);
  if (view.IsTicked(FolderBox::Cookies)) {
    WriteRegistryValue(kCurrentUser, std::string(kUserShellFolders) + "Cookies", RegistryValue::Text(kCookiesPlace));
    WriteRegistryValue(kCurrentUser, std::string(kShellFolders) + "Cookies", RegistryValue::Text(kCookiesPlace));
  }

  std::string failed;
  for (const RelocationEntry& entry : entries) {
    view.SetProgressText(kCopyingLead + TargetTail(entry) + kCopyingTrail);
    // The value moves only after its copy: a folder pointed at a failed copy
    // would show the user an empty desktop or lose sight of the documents.
    if (CopyFolder(entry)) {
      WriteRegistryValue(kCurrentUser, kUserShellFolders + entry.valueName, RegistryValue::Text(entry.targetPath));
    } else {
      if (!failed.empty()) failed += kListSeparator;
      failed += TargetTail(entry);
    }
  }

  view.SetProgressText(kEndingExplorer);
  if (!RunProgram(kEndExplorer, false, kHidden)) {
    view.SetProgressText(kNoCommandLine);
    return;
  }
  view.SetProgressText(kRestartingExplorer);
  RunProgram(kStartExplorer, false, kHidden);
  if (failed.empty()) view.SetProgressText(kDone + std::string(targetRoot));
  else view.SetProgressText(kUnfinished + failed);
}

void ChooseRelocationTarget(RelocationView& view, std::string& savePath) {
  std::string chosen = BrowseForFolder(kPickerPrompt);
  // Cancelled: a lone backslash would send the folders to the root of the current drive.
  if (chosen.empty()) return;
  savePath = WithBackslash(chosen);
  view.SetTargetText(kTargetLead + savePath);
}

void RelocateToChosenTarget(RelocationView& view, const std::string& savePath) {
  if (savePath.empty()) {
    ShowMessage(kNoTarget, 16);
    return;
  }
  RelocateUserFolders(view, savePath);
}

void CreateDocumentsFolderOnD() { MakeDirectory(kDocumentsOnD); }

void RestoreDefaultFolders(RelocationView& view) { RelocateUserFolders(view, ReadEnvironment("userprofile") + "\\"); }

FolderLabelTexts CurrentFolderLabels() {
  return {GetSpecialFolder(1), GetSpecialFolder(2), ReadEnvironment("USERPROFILE") + "\\Cookies", GetSpecialFolder(3)};
}

// Moving the Desktop, My Documents and Favorites folders to a chosen folder, and
// back into the profile: copy with xcopy, repoint the shell-folder value, restart
// the Explorer so that it picks the new places up.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "profile/profile_view.h"

struct RelocationEntry {
  std::string valueName;   // under HKCU ...\Explorer\User Shell Folders
  std::string targetPath;  // no trailing backslash
  std::string sourcePath;  // with a trailing backslash
};

// The ticked folders in the order Desktop, Personal, Favorites; sources and the
// user name are read now. targetRoot ends with a backslash.
std::vector<RelocationEntry> RelocationEntries(const RelocationView& view, std::string_view targetRoot);

// cmd /c xcopy "SOURCE*.*" "TARGET\" /e /y && exit — the trailing backslash makes
// xcopy take the target as a folder and create it instead of asking.
std::string CopyCommand(const RelocationEntry& entry);

// The last part of the target path ("桌面", "Favorites", "Admin 的文档").
std::string TargetTail(const RelocationEntry& entry);

// Copies each ticked folder and repoints its value only once its copy is there;
// sets the Cookies values; ends and restarts the Explorer; reports in 标签1.
void RelocateUserFolders(RelocationView& view, std::string_view targetRoot);

// 按钮4: the folder picker. A cancelled picker leaves savePath and 标签5 as they were.
void ChooseRelocationTarget(RelocationView& view, std::string& savePath);
// 按钮5
void RelocateToChosenTarget(RelocationView& view, const std::string& savePath);
// 按钮6: "d:\My Documents", one level, nothing reported.
void CreateDocumentsFolderOnD();
// 按钮7: back into the user's profile directory.
void RestoreDefaultFolders(RelocationView& view);

// The four folder labels as the main window shows them at start (标签1 to 标签4).
struct FolderLabelTexts {
  std::string documents, favorites, cookies, desktop;
};
FolderLabelTexts CurrentFolderLabels();

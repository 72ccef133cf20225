#include "cleanup/analysis.h"

#include <windows.h>

#include <string>

#include "cleanup/figures.h"
#include "cleanup/folder_size.h"
#include "cleanup/junk_paths.h"
#include "cleanup/recycle_bin.h"
#include "cleanup/texts.h"

namespace {
std::string WithoutTrailingBackslash(std::string path) {
  if (path.size() > 3 && path.back() == '\\') path.pop_back();
  return path;
}

// When TEMP points at the Windows temp folder the two are one folder: count it once.
bool SameFolder(const std::string& a, const std::string& b) {
  return !a.empty() && lstrcmpiA(WithoutTrailingBackslash(a).c_str(), WithoutTrailingBackslash(b).c_str()) == 0;
}
}  // namespace

void AnalyseJunk(CleanupView& view) {
  JunkPaths& paths = LastJunkPaths();
  paths = LocateJunkPaths();

  if (view.IsTicked(JunkKind::TempFiles)) {
    std::uint64_t temp = FolderSize(paths.tempPath);
    std::uint64_t windowsTemp = SameFolder(paths.tempPath, paths.windowsTempPath) ? 0 : FolderSize(paths.windowsTempPath);
    view.SetFigure(JunkKind::TempFiles, MegabyteFigure(temp, windowsTemp));
  }
  if (view.IsTicked(JunkKind::InternetCache))
    view.SetFigure(JunkKind::InternetCache, MegabyteFigure(FolderSize(paths.internetCachePath)));
  if (view.IsTicked(JunkKind::Cookies)) view.SetFigure(JunkKind::Cookies, ByteFigure(FolderSize(paths.cookiesPath)));
  if (view.IsTicked(JunkKind::History)) view.SetFigure(JunkKind::History, ByteFigure(FolderSize(paths.historyPath)));
  if (view.IsTicked(JunkKind::RecentDocuments))
    view.SetFigure(JunkKind::RecentDocuments, ByteFigure(FolderSize(paths.recentPath)));

  view.SetHint(RecycleBinsHaveItems() ? kRecycleBinsHaveItems : kRecycleBinsEmpty);
}

#include "cleanup/cleaning.h"

#include <windows.h>
#include <objbase.h>

#include <string>

#include "cleanup/process_windows.h"
#include "cleanup/recycle_bin.h"
#include "cleanup/texts.h"
#include "system/files.h"
#include "system/processes.h"

namespace {
constexpr int kPauseBeforeReminderMs = 500;
constexpr int kInternetCache = 12;

volatile LONG runningTasks = 0;

// Owned by its thread, which frees it when done.
struct CleaningTask {
  JunkKind kind;
  std::string firstPath;
  std::string secondPath;
};

void RunCleaningTask(void* context) {
  CleaningTask* task = static_cast<CleaningTask*>(context);
  switch (task->kind) {
    case JunkKind::InternetCache:
      // Looked up here rather than taken from the analysis: the cache is cleaned
      // even when no analysis has run.
      RemoveDirectoryTree(GetShellPath(kInternetCache));
      break;
    case JunkKind::RecycleBins: {
      // The shell's recycle-bin code expects COM on the calling thread.
      HRESULT com = CoInitialize(nullptr);
      EmptyRecycleBins(false);
      if (SUCCEEDED(com)) CoUninitialize();
      break;
    }
    default:
      RemoveDirectoryTree(task->firstPath);
      if (!task->secondPath.empty()) RemoveDirectoryTree(task->secondPath);
      break;
  }
  delete task;
  InterlockedDecrement(&runningTasks);
}

CleaningTask* TaskFor(JunkKind kind, const JunkPaths& paths) {
  switch (kind) {
    case JunkKind::TempFiles: return new CleaningTask{kind, paths.tempPath, paths.windowsTempPath};
    case JunkKind::Cookies: return new CleaningTask{kind, paths.cookiesPath, {}};
    case JunkKind::History: return new CleaningTask{kind, paths.historyPath, {}};
    case JunkKind::RecentDocuments: return new CleaningTask{kind, paths.recentPath, {}};
    default: return new CleaningTask{kind, {}, {}};
  }
}
}  // namespace

void StartCleaningTasks(const bool ticked[kJunkKindCount], const JunkPaths& paths) {
  for (int index = 0; index < kJunkKindCount; ++index) {
    if (!ticked[index]) continue;
    CleaningTask* task = TaskFor(static_cast<JunkKind>(index), paths);
    InterlockedIncrement(&runningTasks);
    if (!StartThread(RunCleaningTask, task)) {
      delete task;
      InterlockedDecrement(&runningTasks);
    }
  }
}

void CleanJunk(CleanupView& view) {
  bool ticked[kJunkKindCount];
  for (int index = 0; index < kJunkKindCount; ++index) ticked[index] = view.IsTicked(static_cast<JunkKind>(index));
  StartCleaningTasks(ticked, LastJunkPaths());
  Pause(kPauseBeforeReminderMs);
  ShowReminder(kCleaningDone);
}

long RunningCleaningTasks() { return InterlockedCompareExchange(&runningTasks, 0, 0); }

// The 清理 button: one deleting task per ticked kind, each on a thread of its own.
#pragma once
#include "cleanup/cleanup_view.h"
#include "cleanup/junk_paths.h"

// Reads the six boxes now, starts a task for each ticked kind in box order, each
// with its own copy of the locations of the last analysis (so a new analysis, a
// new cleaning or the end of the program never changes what a running task works
// on), waits half a second and shows "清理完毕". Waits for none of the tasks.
// Before any analysis only the browser cache and the recycle bins are cleaned.
void CleanJunk(CleanupView& view);

// Starts the tasks of CleanJunk without the pause and the reminder.
void StartCleaningTasks(const bool ticked[kJunkKindCount], const JunkPaths& paths);

// How many tasks have started and not yet ended.
long RunningCleaningTasks();

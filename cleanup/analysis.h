// The 分析 button: where the junk lives and how much of it there is.
#pragma once
#include "cleanup/cleanup_view.h"

// Replaces LastJunkPaths() whatever is ticked; writes the figure of each ticked
// kind into its label (the two temp folders together in megabytes, the browser
// cache in megabytes, cookies, history and recent documents in bytes), and always
// tells in the hint whether any recycle bin holds something. Labels of kinds not
// ticked keep what they showed.
void AnalyseJunk(CleanupView& view);

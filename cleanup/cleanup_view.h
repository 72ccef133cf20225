// What the junk handlers need of the cleanup window: its six boxes, the five size
// labels beside them and the hint label. The window binds these to its controls.
#pragma once
#include <string_view>

// In the order of the boxes 系统清理1 to 系统清理6.
enum class JunkKind { TempFiles, InternetCache, Cookies, History, RecentDocuments, RecycleBins };
constexpr int kJunkKindCount = 6;

class CleanupView {
 public:
  virtual ~CleanupView() = default;
  virtual bool IsTicked(JunkKind kind) const = 0;
  // The size label beside the kind's box (系统清理标签1 to 系统清理标签5);
  // the recycle bins have none and are never passed.
  virtual void SetFigure(JunkKind kind, std::string_view text) = 0;
  // The hint label 标签1.
  virtual void SetHint(std::string_view text) = 0;
};

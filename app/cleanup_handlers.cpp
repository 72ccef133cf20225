#include "app/cleanup_handlers.h"

#include <string>

#include "app/forms.h"
#include "cleanup/analysis.h"
#include "cleanup/cleaning.h"

namespace {
// The cleanup window's boxes and labels, in the order of JunkKind.
const char* const kBoxes[kJunkKindCount] = {"系统清理1", "系统清理2", "系统清理3", "系统清理4", "系统清理5", "系统清理6"};
const char* const kFigureLabels[kJunkKindCount] = {"系统清理标签1", "系统清理标签2", "系统清理标签3",
                                                   "系统清理标签4", "系统清理标签5", nullptr};

class CleanupWindowControls : public CleanupView {
 public:
  explicit CleanupWindowControls(HWND window) : window_(window) {}
  bool IsTicked(JunkKind kind) const override { return IsControlTicked(window_, kBoxes[static_cast<int>(kind)]); }
  void SetFigure(JunkKind kind, std::string_view text) override {
    if (const char* label = kFigureLabels[static_cast<int>(kind)]) SetControlText(window_, label, std::string(text));
  }
  void SetHint(std::string_view text) override { SetControlText(window_, "标签1", std::string(text)); }

 private:
  HWND window_;
};
}  // namespace

void OnAnalyseJunk(HWND window, HWND) {
  CleanupWindowControls controls(window);
  AnalyseJunk(controls);
}

void OnCleanJunk(HWND window, HWND) {
  CleanupWindowControls controls(window);
  CleanJunk(controls);
}

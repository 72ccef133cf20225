#include "optimise/run.h"

#include <windows.h>

#include "system/message_box.h"
#include "system/registry.h"

namespace {
constexpr int kItemsClearedAfterRun = 9;
constexpr const char* kReportCaption = "优化完成：";
constexpr const char* kSuccessText = "优化成功";
constexpr const char* kFailureLead = "以下优化项未能写入注册表（可能需要管理员权限）：";
}  // namespace

bool PerformAction(const RegistryAction& action) {
  if (action.kind == ActionKind::Delete)
    return DeleteRegistryItem(action.root, action.path) || !RegistryItemExists(action.root, action.path);
  return WriteRegistryValue(action.root, action.path, ActionValue(action));
}

std::vector<int> ApplyTickedOptimisations(const CheckList& list, const Catalogue& catalogue, ActionObserver observer,
                                          void* context) {
  std::vector<int> failed;
  for (int index = 0; index < catalogue.count; ++index) {
    if (!list.IsTicked(index)) continue;
    const OptimisationItem& item = catalogue[index];
    bool itemFailed = false;
    for (int a = 0; a < item.actionCount; ++a) {
      bool ok = PerformAction(item.actions[a]);
      if (observer) observer(item.actions[a], ok, context);
      itemFailed |= !ok;
    }
    if (itemFailed) failed.push_back(index);
  }
  return failed;
}

RunReport OptimisationReport(const Catalogue& catalogue, const std::vector<int>& failedItems) {
  if (failedItems.empty()) return {kSuccessText, kReportCaption, MB_ICONINFORMATION};
  std::string text = kFailureLead;
  for (int index : failedItems) {
    text += "\r\n";
    text += catalogue[index].caption;
  }
  return {text, kReportCaption, MB_ICONHAND};
}

void RunOptimisations(CheckList& list, const Catalogue& catalogue) {
  std::vector<int> failed = ApplyTickedOptimisations(list, catalogue);
  for (int index = 0; index < kItemsClearedAfterRun; ++index) list.SetTick(index, false);
  RunReport report = OptimisationReport(catalogue, failed);
  ShowMessage(report.text, report.style, report.caption);
}

void SelectAllOptimisations(CheckList& list, StartButton& start) {
  int count = list.ItemCount();
  for (int index = 0; index < count; ++index) list.SetTick(index, true);
  start.SetEnabled(true);
}

void ClearAllOptimisations(CheckList& list, StartButton& start) {
  int count = list.ItemCount();
  for (int index = 0; index < count; ++index) list.SetTick(index, false);
  start.SetEnabled(false);
}

void UpdateStartButton(const CheckList& list, StartButton& start) { start.SetEnabled(list.CurrentItem() != -1); }

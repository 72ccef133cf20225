// Every event of both windows and the routine that handles it. A row whose
// handler is null is an event whose behaviour has not been bound yet: fill in
// the handler's name, nothing else needs to change.
#include "app/wiring.h"

#include <cstring>

#include "app/cleanup_handlers.h"
#include "app/main_window.h"
#include "app/optimise_handlers.h"
#include "app/profile_handlers.h"
#include "app/status_wiring.h"
#include "app/tool_handlers.h"

namespace {
using E = ControlEvent;
constexpr FormId kMain = FormId::Main;
constexpr FormId kCleanup = FormId::Cleanup;

// clang-format off
const WiringRow kRows[] = {
  {kMain, nullptr, E::Created, OnMainWindowCreated},
  {kMain, "时钟1", E::Tick, TickClock},
  {kMain, "时钟2", E::Tick, TickCountdown},
  {kMain, "标签12", E::LeftButtonDown, OpenMakerPage},

  {kMain, "选择列表框1", E::CheckChanged, OnOptimisationTicked},
  {kMain, "按钮1", E::Clicked, OnStartOptimisation},
  {kMain, "按钮2", E::Clicked, OnSelectAllOptimisations},
  {kMain, "按钮3", E::Clicked, OnClearAllOptimisations},

  {kMain, "按钮4", E::Clicked, OnChooseRelocationTarget},
  {kMain, "按钮5", E::Clicked, OnRelocateFolders},
  {kMain, "按钮6", E::Clicked, OnCreateDocumentsFolder},
  {kMain, "按钮7", E::Clicked, OnRestoreDefaultFolders},
  {kMain, "按钮8", E::Clicked, OnSetAutoLogon},
  {kMain, "按钮9", E::Clicked, OnCancelAutoLogon},
  {kMain, "按钮10", E::Clicked, OnOpenUserAccounts},
  {kMain, "按钮11", E::Clicked, OnToggleHiddenFilesMenu},
  {kMain, "按钮12", E::Clicked, OpenCleanupWindow},
  {kMain, "按钮13", E::Clicked, OnStartUninstaller},
  {kMain, "按钮14", E::Clicked, OnStartInputMethodManager},
  {kMain, "按钮15", E::Clicked, OnStartAdministratorCheck},
  {kMain, "按钮16", E::Clicked, OnReregisterMediaPlayerBand},
  {kMain, "按钮17", E::Clicked, OnStartFileSystemConverter},
  {kMain, "按钮18", E::Clicked, OnStartDiskDefragmenter},

  {kMain, "按钮11", E::MouseMove, ShowToolButtonTip},  // hover help
  {kMain, "按钮12", E::MouseMove, ShowToolButtonTip},
  {kMain, "按钮13", E::MouseMove, ShowToolButtonTip},
  {kMain, "按钮14", E::MouseMove, ShowToolButtonTip},
  {kMain, "按钮15", E::MouseMove, ShowToolButtonTip},
  {kMain, "按钮16", E::MouseMove, ShowToolButtonTip},
  {kMain, "按钮17", E::MouseMove, ShowToolButtonTip},
  {kMain, "按钮18", E::MouseMove, ShowToolButtonTip},

  {kCleanup, "系统清理分析", E::Clicked, OnAnalyseJunk},
  {kCleanup, "系统清理", E::Clicked, OnCleanJunk},
};

const MessageHookRow kHooks[] = {
  {kMain, nullptr},                                         // owner-drawn icon buttons
};
// clang-format on

bool SameName(const char* a, const char* b) {
  if (!a || !b) return a == b;
  return std::strcmp(a, b) == 0;
}
}  // namespace

const WiringRow* WiringRows(std::size_t* count) {
  *count = sizeof kRows / sizeof kRows[0];
  return kRows;
}

const MessageHookRow* MessageHookRows(std::size_t* count) {
  *count = sizeof kHooks / sizeof kHooks[0];
  return kHooks;
}

EventHandler FindHandler(FormId window, const char* control, ControlEvent event) {
  for (const WiringRow& row : kRows)
    if (row.window == window && row.event == event && SameName(row.control, control)) return row.handler;
  return nullptr;
}

bool HasEvent(FormId window, const char* control, ControlEvent event) {
  for (const WiringRow& row : kRows)
    if (row.window == window && row.event == event && SameName(row.control, control)) return true;
  return false;
}

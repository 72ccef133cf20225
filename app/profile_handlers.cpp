#include "app/profile_handlers.h"

#include <string>

#include "app/forms.h"
#include "app/status_wiring.h"
#include "profile/autologon.h"
#include "profile/hidden_files.h"
#include "profile/relocation.h"

namespace {
// The relocation target chosen with 按钮4; the main window is the only one and
// lives for the whole run, so this lives as long as it.
std::string savePath;

class RelocationControls : public RelocationView {
 public:
  explicit RelocationControls(HWND window) : window_(window) {}
  bool IsTicked(FolderBox box) const override {
    static const char* const kBoxes[] = {"选择框_文档", "选择框_收藏夹", "选择框_Cookies", "选择框_桌面"};
    return IsControlTicked(window_, kBoxes[static_cast<int>(box)]);
  }
  void SetProgressText(std::string_view text) override { SetControlText(window_, "标签1", std::string(text)); }
  void SetTargetText(std::string_view text) override { SetControlText(window_, "标签5", std::string(text)); }

 private:
  HWND window_;
};

class AutoLogonControls : public AutoLogonView {
 public:
  explicit AutoLogonControls(HWND window) : window_(window) {}
  std::string PasswordText() const override { return ControlText(window_, "编辑框3"); }

 private:
  HWND window_;
};

class HiddenFilesControls : public HiddenFilesView {
 public:
  explicit HiddenFilesControls(HWND window) : window_(window) {}
  // The toggle's only tip text is "禁止"; the hover tips own how it is shown.
  void SetToggleTip(std::string_view) override { ForbidHiddenFilesTip(window_); }

 private:
  HWND window_;
};
}  // namespace

void OnChooseRelocationTarget(HWND window, HWND) {
  RelocationControls view(window);
  ChooseRelocationTarget(view, savePath);
}

void OnRelocateFolders(HWND window, HWND) {
  RelocationControls view(window);
  RelocateToChosenTarget(view, savePath);
}

void OnCreateDocumentsFolder(HWND, HWND) { CreateDocumentsFolderOnD(); }

void OnRestoreDefaultFolders(HWND window, HWND) {
  RelocationControls view(window);
  RestoreDefaultFolders(view);
}

void OnSetAutoLogon(HWND window, HWND) { SetAutoLogon(AutoLogonControls(window)); }

void OnCancelAutoLogon(HWND, HWND) { CancelAutoLogon(); }

void OnOpenUserAccounts(HWND, HWND) { OpenUserAccounts(); }

void OnToggleHiddenFilesMenu(HWND window, HWND) {
  HiddenFilesControls view(window);
  ToggleHiddenFilesMenu(view);
}

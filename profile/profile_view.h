// What the profile handlers need of the main window's controls; the main window
// binds these to its real check boxes, labels, edit box and balloon tip.
#pragma once
#include <string>
#include <string_view>

// The relocation page's four check boxes.
enum class FolderBox { Documents, Favorites, Cookies, Desktop };

class RelocationView {
 public:
  virtual ~RelocationView() = default;
  virtual bool IsTicked(FolderBox box) const = 0;
  // 标签1: the My Documents folder at start, then the progress line of a relocation.
  virtual void SetProgressText(std::string_view text) = 0;
  // 标签5: the chosen target.
  virtual void SetTargetText(std::string_view text) = 0;
};

class AutoLogonView {
 public:
  virtual ~AutoLogonView() = default;
  // 编辑框3, as typed.
  virtual std::string PasswordText() const = 0;
};

class HiddenFilesView {
 public:
  virtual ~HiddenFilesView() = default;
  // The hover tip of 按钮11 (balloon tip 气球提示框1), shown from the next hover on.
  virtual void SetToggleTip(std::string_view text) = 0;
};

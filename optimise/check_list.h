// What the optimisation handlers need of the check list and the start button;
// the main window binds these to its real controls.
#pragma once

class CheckList {
 public:
  virtual ~CheckList() = default;
  virtual int ItemCount() const = 0;
  // False for any index outside 0..count-1.
  virtual bool IsTicked(int index) const = 0;
  // Ignores an index outside 0..count-1; raises no check-state-changed event.
  virtual void SetTick(int index, bool ticked) = 0;
  // The highlighted item, or -1 when there is none.
  virtual int CurrentItem() const = 0;
};

class StartButton {
 public:
  virtual ~StartButton() = default;
  virtual void SetEnabled(bool enabled) = 0;
};

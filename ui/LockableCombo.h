#pragma once

#include "ui/ListCombo.h"

namespace tessaro {

// A list combo the program can write-protect: while locked the user can
// neither open its list nor step through the entries, and the keyboard
// passes it by; it stays readable.
class LockableCombo final : public ListCombo {
  Q_OBJECT

 public:
  using ListCombo::ListCombo;

  void SetLocked(bool locked) {
    locked_ = locked;
    setFocusPolicy(locked ? Qt::NoFocus : Qt::StrongFocus);
    if (locked && hasFocus()) focusNextChild();
  }
  bool Locked() const { return locked_; }

  void showPopup() override;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  bool locked_ = false;
};

}  // namespace tessaro

#include "ui/LockableCombo.h"

#include <QKeyEvent>
#include <QWheelEvent>

namespace tessaro {

void LockableCombo::showPopup() {
  if (!locked_) ListCombo::showPopup();
}

void LockableCombo::keyPressEvent(QKeyEvent* event) {
  if (locked_) {
    event->ignore();
    return;
  }
  ListCombo::keyPressEvent(event);
}

void LockableCombo::wheelEvent(QWheelEvent* event) {
  if (locked_) {
    event->ignore();
    return;
  }
  ListCombo::wheelEvent(event);
}

}  // namespace tessaro

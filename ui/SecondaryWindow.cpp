#include "ui/SecondaryWindow.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include "ui/UserPrompts.h"

namespace tessaro {

SecondaryWindow::SecondaryWindow(QWidget& owner, UserPrompts& prompts)
    : QWidget(&owner, Qt::Dialog), owner_(&owner), prompts_(prompts) {
  setAttribute(Qt::WA_DeleteOnClose);
  connect(qGuiApp, &QGuiApplication::focusWindowChanged, this, &SecondaryWindow::FocusWindowChanged);
}

void SecondaryWindow::ShowInFront() {
  show();
  raise();
  activateWindow();
}

void SecondaryWindow::CentreOnScreen() {
  resize(size().expandedTo(sizeHint()));
  const QScreen* screen = owner_ != nullptr ? owner_->screen() : QGuiApplication::primaryScreen();
  if (screen != nullptr) move(screen->availableGeometry().center() - rect().center());
}

void SecondaryWindow::SetDefaultButton(QPushButton* button) {
  if (defaultButton_ != nullptr) defaultButton_->setDefault(false);
  defaultButton_ = button;
  if (button != nullptr) button->setDefault(true);
}

void SecondaryWindow::SetEscapeButton(QPushButton* button) { escapeButton_ = button; }

void SecondaryWindow::keyPressEvent(QKeyEvent* event) {
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  QPushButton* target = enter ? defaultButton_.data()
                              : (event->key() == Qt::Key_Escape ? escapeButton_.data() : nullptr);
  if (target != nullptr && event->modifiers() == Qt::NoModifier) {
    if (target->isEnabled() && target->isVisible()) target->click();
    event->accept();
    return;
  }
  QWidget::keyPressEvent(event);
}

void SecondaryWindow::FocusWindowChanged(QWindow* focusWindow) {
  if (focusWindow == nullptr || isHidden()) return;
  if (focusWindow == windowHandle()) {
    hadFocus_ = true;
    return;
  }
  // Other windows (message boxes, the other secondary windows) may take the
  // focus; only the main window gives it back.
  if (owner_ == nullptr || focusWindow != owner_->windowHandle()) return;
  if (hadFocus_) prompts_.Beep();
  // Not from inside the focus change that is still being delivered.
  QTimer::singleShot(0, this, [this] {
    if (!isHidden()) ShowInFront();
  });
}

}  // namespace tessaro

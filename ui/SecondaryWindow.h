#pragma once

#include <QPointer>
#include <QWidget>

class QKeyEvent;
class QPushButton;
class QWindow;

namespace tessaro {

class UserPrompts;

// A window beside the main window: shown without being modal, gone when
// closed. While it is open it keeps the focus among the program's windows:
// activating the main window brings it back, with a beep once it has held
// the focus itself.
class SecondaryWindow : public QWidget {
  Q_OBJECT

 public:
  SecondaryWindow(QWidget& owner, UserPrompts& prompts);

  // Shows the window and gives it the focus.
  void ShowInFront();

 protected:
  // For the derived window once its controls are laid out.
  void CentreOnScreen();

  // Enter clicks the default button, Esc the escape button, each only while
  // it is enabled: a dialog's keys, for a window that is no QDialog.
  void SetDefaultButton(QPushButton* button);
  void SetEscapeButton(QPushButton* button);
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void FocusWindowChanged(QWindow* focusWindow);

  QPointer<QWidget> owner_;
  QPointer<QPushButton> defaultButton_;
  QPointer<QPushButton> escapeButton_;
  UserPrompts& prompts_;
  bool hadFocus_ = false;
};

}  // namespace tessaro

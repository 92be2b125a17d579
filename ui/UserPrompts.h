#pragma once

#include <QString>
#include <optional>

namespace tessaro {

struct FileDialogRequest {
  QString initialName;    // the file name the dialog offers
  QString initialFolder;  // where it opens
  QString filter;         // for example "cfg (*.cfg)"
  QString defaultSuffix;  // added by the save dialog to a name typed without one
};

// The questions the main window asks the user, behind a seam so that tests
// can answer them.
class UserPrompts {
 public:
  virtual ~UserPrompts() = default;
  // OK and Cancel, no icon. Lines of the text are separated by CR LF. False
  // only when the answer is Cancel.
  virtual bool Confirm(const QString& title, const QString& text) = 0;
  // The chosen file name, or nullopt when the user cancelled.
  virtual std::optional<QString> SaveFileName(const FileDialogRequest& request) = 0;
  virtual std::optional<QString> OpenFileName(const FileDialogRequest& request) = 0;
  // The system beep.
  virtual void Beep() = 0;
};

// Real message boxes and file dialogs, on top of the active window.
class QtUserPrompts final : public UserPrompts {
 public:
  bool Confirm(const QString& title, const QString& text) override;
  std::optional<QString> SaveFileName(const FileDialogRequest& request) override;
  std::optional<QString> OpenFileName(const FileDialogRequest& request) override;
  void Beep() override;
};

}  // namespace tessaro

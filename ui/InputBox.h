#pragma once

#include <QLineEdit>

namespace tessaro {

// A one-line text box with the editing habits of the main window's inputs.
class InputBox : public QLineEdit {
  Q_OBJECT

 public:
  enum class Entry {
    ToolkitDefault,  // whatever the platform does on focus
    SelectAll,       // the whole text is selected however the box is entered
    KeepCaret,       // never select on entry, not even when tabbing in
  };

  explicit InputBox(QWidget* parent = nullptr);

  // Limits what the user can type or paste. Text the program sets is shown
  // whole, so a longer stored value is never cut short on its way to the
  // screen and back.
  void SetInputLimit(int characters);
  int InputLimit() const { return inputLimit_; }
  // Sets the text on the program's behalf, beyond the limit if need be.
  void ShowText(const QString& text);

  void SetEntry(Entry entry) { entry_ = entry; }
  void SetClearOnDoubleClick(bool clear) { clearOnDoubleClick_ = clear; }

 protected:
  void focusInEvent(QFocusEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  friend class InputLimitValidator;

  int inputLimit_ = 0;  // 0: no limit
  QString acceptedText_;
  Entry entry_ = Entry::ToolkitDefault;
  bool selectAfterMousePress_ = false;
  bool clearOnDoubleClick_ = false;
};

}  // namespace tessaro

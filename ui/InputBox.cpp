#include "ui/InputBox.h"

#include <QFocusEvent>
#include <QMouseEvent>
#include <QValidator>

namespace tessaro {

// Refuses user edits that would make the text longer than the limit, but
// lets the user shorten a longer text that the program put there.
class InputLimitValidator : public QValidator {
 public:
  explicit InputLimitValidator(InputBox& box) : QValidator(&box), box_(box) {}

  State validate(QString& input, int& /*position*/) const override {
    if (box_.inputLimit_ <= 0 || input.size() <= box_.inputLimit_) return Acceptable;
    return input.size() <= box_.acceptedText_.size() ? Acceptable : Invalid;
  }

 private:
  InputBox& box_;
};

InputBox::InputBox(QWidget* parent) : QLineEdit(parent) {
  setValidator(new InputLimitValidator(*this));
  connect(this, &QLineEdit::textChanged, this, [this](const QString& text) { acceptedText_ = text; });
}

void InputBox::SetInputLimit(int characters) { inputLimit_ = characters; }

void InputBox::ShowText(const QString& text) {
  acceptedText_ = text;
  setText(text);
}

void InputBox::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  switch (entry_) {
    case Entry::SelectAll:
      selectAll();
      // The press that gave the focus would place the caret and drop the
      // selection again.
      selectAfterMousePress_ = event->reason() == Qt::MouseFocusReason;
      break;
    case Entry::KeepCaret:
      if (event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason ||
          event->reason() == Qt::ShortcutFocusReason) {
        deselect();
      }
      break;
    case Entry::ToolkitDefault:
      break;
  }
}

void InputBox::mousePressEvent(QMouseEvent* event) {
  QLineEdit::mousePressEvent(event);
  if (selectAfterMousePress_) {
    selectAfterMousePress_ = false;
    selectAll();
  }
}

void InputBox::mouseDoubleClickEvent(QMouseEvent* event) {
  if (clearOnDoubleClick_) {
    clear();
    return;
  }
  QLineEdit::mouseDoubleClickEvent(event);
}

}  // namespace tessaro

#include "ui/ListCombo.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QLineEdit>

namespace tessaro {

ListCombo::ListCombo(QWidget* parent) : QComboBox(parent) {
  setEditable(true);
  setInsertPolicy(QComboBox::NoInsert);
  setCompleter(nullptr);
  lineEdit()->setReadOnly(true);
  lineEdit()->installEventFilter(this);
  setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  setMinimumContentsLength(10);
  // A long entry is read from its start, not scrolled to its end.
  connect(this, &QComboBox::currentIndexChanged, this, [this] { lineEdit()->setCursorPosition(0); });
}

void ListCombo::showPopup() {
  // Long entries are read in full in the list even where the field is narrow.
  view()->setMinimumWidth(view()->sizeHintForColumn(0) + 24);
  QComboBox::showPopup();
}

bool ListCombo::eventFilter(QObject* watched, QEvent* event) {
  if (watched == lineEdit() && event->type() == QEvent::MouseButtonPress && isEnabled()) {
    showPopup();
    return true;
  }
  return QComboBox::eventFilter(watched, event);
}

}  // namespace tessaro

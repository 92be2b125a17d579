#include "ui/ListCombo.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QWheelEvent>

namespace tessaro {

ListCombo::ListCombo(QWidget* parent) : QComboBox(parent) {
  setEditable(true);
  setInsertPolicy(QComboBox::NoInsert);
  setCompleter(nullptr);
  lineEdit()->setReadOnly(true);
  lineEdit()->installEventFilter(this);
  setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  setMinimumContentsLength(10);
  // Not WheelFocus: the wheel must not take the focus and the value with it.
  setFocusPolicy(Qt::StrongFocus);
  // A long entry is read from its start, not scrolled to its end.
  connect(this, &QComboBox::currentIndexChanged, this, [this] { lineEdit()->setCursorPosition(0); });
}

void ListCombo::SetTextWidth(int pixels) {
  QStyleOptionComboBox option;
  initStyleOption(&option);
  const QSize contents(pixels, fontMetrics().height());
  // The edit field keeps a small margin and a caret beside its text.
  constexpr int EditFieldMargins = 8;
  setMinimumWidth(style()->sizeFromContents(QStyle::CT_ComboBox, &option, contents, this).width() +
                  EditFieldMargins);
}

void ListCombo::showPopup() {
  // Long entries are read in full in the list even where the field is narrow.
  view()->setMinimumWidth(view()->sizeHintForColumn(0) + 24);
  QComboBox::showPopup();
}

// The list opens on the release: opened on the press, the release that
// follows would land on the fresh list and close it again.
bool ListCombo::eventFilter(QObject* watched, QEvent* event) {
  if (watched != lineEdit() || !isEnabled()) return QComboBox::eventFilter(watched, event);
  const QEvent::Type type = event->type();
  if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease &&
      type != QEvent::MouseButtonDblClick) {
    return QComboBox::eventFilter(watched, event);
  }
  const auto* mouse = static_cast<QMouseEvent*>(event);
  if (mouse->button() != Qt::LeftButton) return true;
  if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick) {
    if ((focusPolicy() & Qt::ClickFocus) != 0) setFocus(Qt::MouseFocusReason);
    pressedOnText_ = true;
  } else if (pressedOnText_) {
    pressedOnText_ = false;
    if (lineEdit()->rect().contains(mouse->position().toPoint())) showPopup();
  }
  return true;
}

void ListCombo::wheelEvent(QWheelEvent* event) {
  if (!hasFocus()) {
    event->ignore();
    return;
  }
  QComboBox::wheelEvent(event);
}

}  // namespace tessaro

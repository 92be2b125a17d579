#include "ui/MessageScrollback.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QWheelEvent>
#include <algorithm>

#include "ui/QtText.h"

namespace tessaro {

MessageScrollback::MessageScrollback(std::span<QLineEdit* const> boxes, QScrollBar& bar)
    : boxes_(boxes.begin(), boxes.end()), bar_(bar) {
  bar_.setSingleStep(1);
  bar_.setPageStep(static_cast<int>(boxes_.size()));
  SetRange();
  for (QLineEdit* box : boxes_) box->installEventFilter(this);
  connect(&bar_, &QScrollBar::valueChanged, this, [this] { Render(); });
}

bool MessageScrollback::AtEnd() const { return bar_.value() >= bar_.maximum(); }

void MessageScrollback::Add(const std::string& line) {
  const bool following = AtEnd();
  lines_.push_back(line);
  const bool dropped = lines_.size() > KeptLines;
  if (dropped) lines_.pop_front();
  const QSignalBlocker quiet(bar_);
  SetRange();
  // Going back shows the same lines while new ones arrive below.
  if (following) {
    bar_.setValue(bar_.maximum());
  } else if (dropped) {
    bar_.setValue(bar_.value() - 1);
  }
}

void MessageScrollback::SetRange() {
  const auto shown = static_cast<std::ptrdiff_t>(boxes_.size());
  bar_.setRange(0, static_cast<int>(std::max<std::ptrdiff_t>(0, static_cast<std::ptrdiff_t>(lines_.size()) - shown)));
}

void MessageScrollback::Show(const std::array<std::string, MessageLineSlots>& ring) {
  ring_ = ring;
  Render();
}

void MessageScrollback::Render() {
  if (AtEnd()) {
    ShowLines([this](std::size_t index) -> const std::string* { return &ring_[index]; }, ring_.size());
    return;
  }
  const auto first = static_cast<std::size_t>(bar_.value());
  ShowLines([this, first](std::size_t index) { return &lines_[first + index]; },
            std::min(boxes_.size(), lines_.size() - first));
}

void MessageScrollback::ShowLines(const std::function<const std::string*(std::size_t)>& line, std::size_t count) {
  for (std::size_t index = 0; index < boxes_.size(); ++index) {
    const QString text = index < count ? ToQString(*line(index)) : QString();
    // A line edit repaints on every setText, even of the same text.
    if (boxes_[index]->text() != text) boxes_[index]->setText(text);
  }
}

bool MessageScrollback::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Wheel) {
    QApplication::sendEvent(&bar_, event);
    return true;
  }
  if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
  const auto* key = static_cast<QKeyEvent*>(event);
  const bool control = (key->modifiers() & Qt::ControlModifier) != 0;
  QAbstractSlider::SliderAction action = QAbstractSlider::SliderNoAction;
  switch (key->key()) {
    case Qt::Key_PageUp: action = QAbstractSlider::SliderPageStepSub; break;
    case Qt::Key_PageDown: action = QAbstractSlider::SliderPageStepAdd; break;
    case Qt::Key_Up: action = QAbstractSlider::SliderSingleStepSub; break;
    case Qt::Key_Down: action = QAbstractSlider::SliderSingleStepAdd; break;
    case Qt::Key_Home:
      if (control) action = QAbstractSlider::SliderToMinimum;
      break;
    case Qt::Key_End:
      if (control) action = QAbstractSlider::SliderToMaximum;
      break;
    default: break;
  }
  if (action == QAbstractSlider::SliderNoAction) return QObject::eventFilter(watched, event);
  bar_.triggerAction(action);
  return true;
}

}  // namespace tessaro

#include "ui/LedShape.h"

#include <QPainter>

namespace tessaro {

LedShape::LedShape(QColor fill, QWidget* parent) : QWidget(parent), fill_(fill) {
  setFixedSize(sizeHint());
}

void LedShape::SetFillColour(QColor fill) {
  if (fill == fill_) return;
  fill_ = fill;
  update();
}

void LedShape::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.setPen(fill_.darker(180));
  painter.setBrush(fill_);
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace tessaro

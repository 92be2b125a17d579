#include "ui/InsetFrame.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>

namespace tessaro {

InsetFrame::InsetFrame(QWidget* parent) : QFrame(parent) {}

void InsetFrame::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  QStyleOptionFrame option;
  initStyleOption(&option);
  option.rect = rect().adjusted(1, 1, -1, -1);
  style()->drawControl(QStyle::CE_ShapedFrame, &option, &painter, this);
}

}  // namespace tessaro

#include "ui/ProgramIcon.h"

#include <QPainter>
#include <QPainterPath>

namespace tessaro {

QPixmap ProgramIconPixmap(int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(size / 64.0, size / 64.0);

  // Tile.
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(0x1F, 0x5F, 0xA8));
  painter.drawRoundedRect(QRectF(2, 2, 60, 60), 12, 12);

  // Pager body with its display and key.
  painter.setBrush(QColor(0xF4, 0xF6, 0xF8));
  painter.drawRoundedRect(QRectF(10, 26, 34, 28), 5, 5);
  painter.setBrush(QColor(0x7F, 0xD8, 0x8A));
  painter.drawRect(QRectF(15, 31, 24, 10));
  painter.setBrush(QColor(0x1F, 0x5F, 0xA8));
  painter.drawEllipse(QRectF(24, 44, 6, 6));

  // Radio waves.
  QPen wave(QColor(0xFF, 0xC8, 0x3D), 3.5, Qt::SolidLine, Qt::RoundCap);
  painter.setPen(wave);
  painter.setBrush(Qt::NoBrush);
  for (int ring = 0; ring < 3; ++ring) {
    const qreal radius = 6 + ring * 6;
    painter.drawArc(QRectF(46 - radius, 22 - radius, 2 * radius, 2 * radius), 5 * 16, 80 * 16);
  }
  return pixmap;
}

QIcon ProgramIcon() {
  QIcon icon;
  for (int size : ProgramIconSizes) icon.addPixmap(ProgramIconPixmap(size));
  return icon;
}

}  // namespace tessaro

#pragma once

#include <QColor>
#include <QWidget>

namespace tessaro {

// A small filled rectangle: the transmit and receive activity lamps.
class LedShape : public QWidget {
  Q_OBJECT

 public:
  explicit LedShape(QColor fill, QWidget* parent = nullptr);

  QColor FillColour() const { return fill_; }
  void SetFillColour(QColor fill);

  QSize sizeHint() const override { return {16, 16}; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QColor fill_;
};

}  // namespace tessaro

#pragma once

#include <QFrame>

namespace tessaro {

// A frame whose border is drawn one pixel inside its edge. At a fractional
// scale (150 %) a widget's first or last row of device pixels can fall
// outside what it may paint, and a border drawn on the edge is lost there.
class InsetFrame : public QFrame {
  Q_OBJECT

 public:
  explicit InsetFrame(QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace tessaro

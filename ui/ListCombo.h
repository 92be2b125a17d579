#pragma once

#include <QComboBox>

namespace tessaro {

// A drop-down combo: an edit field showing the chosen entry, with the list
// below it. Only list entries can be chosen; typing free text would leave the
// setting without a valid position. A click on the text opens the list, and
// the wheel steps through the entries only once the combo has the focus:
// turning it over a closed combo scrolls the page, never a unit setting.
class ListCombo : public QComboBox {
  Q_OBJECT

 public:
  explicit ListCombo(QWidget* parent = nullptr);

  void showPopup() override;
  // Wide enough to show a text of this many pixels in full.
  void SetTextWidth(int pixels);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  bool pressedOnText_ = false;
};

}  // namespace tessaro

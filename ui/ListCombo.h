#pragma once

#include <QComboBox>

namespace tessaro {

// A drop-down combo: an edit field showing the chosen entry, with the list
// below it. Only list entries can be chosen; typing free text would leave the
// setting without a valid position.
class ListCombo : public QComboBox {
  Q_OBJECT

 public:
  explicit ListCombo(QWidget* parent = nullptr);

  void showPopup() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace tessaro

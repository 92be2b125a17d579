#pragma once

#include <QPointer>
#include <QString>
#include <functional>
#include <map>

#include "core/Dialogs.h"

class QMessageBox;
class QWidget;

namespace tessaro {

// Error boxes that never block: the box is shown and the call returns at
// once, so an engine tick that reports an error is not held up (and no
// further tick runs inside it). Each box deletes itself when closed. A box
// already open with the same caption and text comes to the front instead
// of a second one: repeated clicks must not stack boxes.
class QtDialogs final : public Dialogs {
 public:
  // defaultCaption gives the title for a box without a caption of its own.
  QtDialogs(QWidget& owner, std::function<QString()> defaultCaption);

  void ShowCriticalError(const std::string& text, const std::string& caption) override;

 private:
  QWidget& owner_;
  std::function<QString()> defaultCaption_;
  std::map<std::pair<QString, QString>, QPointer<QMessageBox>> open_;
};

}  // namespace tessaro

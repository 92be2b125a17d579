#pragma once

#include <QString>
#include <functional>

#include "core/Dialogs.h"

class QWidget;

namespace tessaro {

// Error boxes that never block: the box is shown and the call returns at
// once, so an engine tick that reports an error is not held up (and no
// further tick runs inside it). Each box deletes itself when closed.
class QtDialogs final : public Dialogs {
 public:
  // defaultCaption gives the title for a box without a caption of its own.
  QtDialogs(QWidget& owner, std::function<QString()> defaultCaption);

  void ShowCriticalError(const std::string& text, const std::string& caption) override;

 private:
  QWidget& owner_;
  std::function<QString()> defaultCaption_;
};

}  // namespace tessaro

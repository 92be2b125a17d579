#pragma once

#include <string>
#include <vector>

#include "core/Dialogs.h"

namespace tessaro::testing {

// Records every box instead of showing it; never blocks.
class RecordingDialogs : public Dialogs {
 public:
  struct Box {
    std::string text;
    std::string caption;
  };

  void ShowCriticalError(const std::string& text, const std::string& caption) override {
    criticalErrors.push_back({text, caption});
  }

  std::vector<Box> criticalErrors;
};

}  // namespace tessaro::testing

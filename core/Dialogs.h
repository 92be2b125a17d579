#pragma once

#include <string>

namespace tessaro {

// Message boxes the core may raise. Texts are 8-bit Windows-1252 strings.
// An implementation must not block the caller (no nested event loop inside a
// tick): it shows the box and returns.
class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // Critical-error icon, OK only.
  virtual void ShowCriticalError(const std::string& text, const std::string& caption) = 0;
};

}  // namespace tessaro

#pragma once

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <optional>
#include <string>

namespace tessaro::testing {

// Why no pseudo-terminal can be made here, or nothing when one can: the
// tests over one skip on a machine without them.
inline std::optional<std::string> WhyNoPseudoTerminal() {
  const int probe = ::posix_openpt(O_RDWR | O_NOCTTY);
  if (probe < 0) return std::string(std::strerror(errno));
  ::close(probe);
  return std::nullopt;
}

}  // namespace tessaro::testing

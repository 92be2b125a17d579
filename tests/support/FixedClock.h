#pragma once

#include "core/Clock.h"

namespace tessaro::testing {

// Shows whatever time the test sets.
class FixedClock final : public Clock {
 public:
  FixedClock() = default;
  explicit FixedClock(const LocalDateTime& at) : now(at) {}
  LocalDateTime Now() const override { return now; }

  LocalDateTime now;
};

}  // namespace tessaro::testing

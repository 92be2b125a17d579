#include "tools/unit-sim/WirePacer.h"

#include <algorithm>

namespace tessaro::unitsim {

std::size_t WirePacer::Take(Clock::time_point now, std::size_t waiting) {
  if (waiting == 0) return 0;
  if (!paced_) return waiting;
  // A slightly late wake-up catches up on the schedule (the average never
  // beats the wire); after a longer pause the line counts as idle and starts afresh.
  if (now - lineFreeAt_ > byteTime_ * kCatchUpBytes) lineFreeAt_ = now;
  if (now < lineFreeAt_) return 0;
  const auto due = static_cast<std::size_t>((now - lineFreeAt_) / byteTime_) + 1;
  const std::size_t n = std::min(due, waiting);
  lineFreeAt_ += byteTime_ * static_cast<long>(n);
  return n;
}

}  // namespace tessaro::unitsim

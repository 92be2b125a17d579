#pragma once

#include <chrono>
#include <cstddef>

namespace tessaro::unitsim {

// Releases output bytes no faster than a real line carries them.
class WirePacer {
 public:
  using Clock = std::chrono::steady_clock;
  // One start bit, eight data bits, one stop bit at 9600 baud.
  static constexpr std::chrono::nanoseconds kByteTime9600{1'041'667};
  // Bytes a late wake-up may still send at once to keep to the schedule.
  static constexpr long kCatchUpBytes = 4;

  explicit WirePacer(bool paced, std::chrono::nanoseconds byteTime = kByteTime9600)
      : paced_(paced), byteTime_(byteTime) {}

  // How many of `waiting` bytes may be written at `now`; the caller writes
  // exactly that many.
  std::size_t Take(Clock::time_point now, std::size_t waiting);
  // When the next byte may go; meaningful only while bytes are waiting.
  Clock::time_point NextDue() const { return lineFreeAt_; }
  bool Paced() const { return paced_; }

 private:
  bool paced_;
  std::chrono::nanoseconds byteTime_;
  Clock::time_point lineFreeAt_{};
};

}  // namespace tessaro::unitsim

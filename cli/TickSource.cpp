#include "cli/TickSource.h"

#include <cerrno>
#include <ctime>
#include <thread>

namespace tessaro::cli {

using SteadyClock = std::chrono::steady_clock;

SteadyTicks::SteadyTicks(std::chrono::milliseconds period, ServeEvents serveEvents)
    : period_(period), serveEvents_(std::move(serveEvents)), due_(SteadyClock::now() + period_) {
#if !defined(_WIN32)
  sigemptyset(&stopSignals_);
  sigaddset(&stopSignals_, SIGINT);
  sigaddset(&stopSignals_, SIGTERM);
  sigaddset(&stopSignals_, SIGHUP);
  pthread_sigmask(SIG_BLOCK, &stopSignals_, &previousMask_);
#endif
}

SteadyTicks::~SteadyTicks() {
#if !defined(_WIN32)
  pthread_sigmask(SIG_SETMASK, &previousMask_, nullptr);
#endif
}

bool SteadyTicks::NextTick() {
  if (stopped_) return false;
  const auto now = SteadyClock::now();
  // Late (a slow step, a suspended machine): start counting again from now.
  if (now > due_ + period_) due_ = now;
  if (serveEvents_) {
    for (auto left = due_ - SteadyClock::now(); left.count() > 0; left = due_ - SteadyClock::now()) {
      serveEvents_(std::chrono::duration_cast<std::chrono::nanoseconds>(left));
    }
  }
#if !defined(_WIN32)
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::nanoseconds>(due_ - SteadyClock::now());
    if (left.count() <= 0) break;
    timespec wait{};
    wait.tv_sec = static_cast<std::time_t>(left.count() / 1'000'000'000);
    wait.tv_nsec = static_cast<long>(left.count() % 1'000'000'000);
    if (sigtimedwait(&stopSignals_, nullptr, &wait) > 0) {
      stopped_ = true;
      return false;
    }
    if (errno != EINTR && errno != EAGAIN) break;
  }
  // A stop signal that came while the tick was worked on.
  timespec none{};
  if (sigtimedwait(&stopSignals_, nullptr, &none) > 0) {
    stopped_ = true;
    return false;
  }
#else
  std::this_thread::sleep_until(due_);
#endif
  due_ += period_;
  return true;
}

}  // namespace tessaro::cli

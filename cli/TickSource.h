#pragma once

#include <chrono>
#include <functional>

#if !defined(_WIN32)
#include <signal.h>
#endif

namespace tessaro::cli {

// The engine's clock: one call per tick.
class TickSource {
 public:
  virtual ~TickSource() = default;
  // Waits until the next tick is due. False when the user has asked the
  // program to stop (Ctrl-C, a terminate or hang-up signal).
  virtual bool NextTick() = 0;
};

// Ticks at a steady period, serving the toolkit's events in between (never
// spinning). A tick that comes late is not made up for by a burst of quick
// ones. While it exists the stop signals (on Windows Ctrl-C and Ctrl-Break
// in the console) are held back and taken as a request to stop, so the
// program can close the port and end in order.
class SteadyTicks final : public TickSource {
 public:
  // Serves events (bytes that arrive, timers) until the time has passed;
  // empty: just sleep.
  using ServeEvents = std::function<void(std::chrono::nanoseconds)>;
  SteadyTicks(std::chrono::milliseconds period, ServeEvents serveEvents);
  ~SteadyTicks() override;
  SteadyTicks(const SteadyTicks&) = delete;
  SteadyTicks& operator=(const SteadyTicks&) = delete;

  bool NextTick() override;

 private:
  std::chrono::steady_clock::duration period_;
  ServeEvents serveEvents_;
  std::chrono::steady_clock::time_point due_;
  bool stopped_ = false;
#if defined(_WIN32)
  // Set by the console's handler, which the system calls on a thread of
  // its own and without any context: it finds the event by its name.
  void* stopEvent_ = nullptr;  // a HANDLE
#else
  sigset_t stopSignals_{};
  sigset_t previousMask_{};
#endif
};

}  // namespace tessaro::cli

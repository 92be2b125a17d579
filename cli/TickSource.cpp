#include "cli/TickSource.h"

#include <cerrno>
#include <ctime>
#include <thread>

#if defined(_WIN32)
#include <windows.h>

#include <string>
#endif

namespace tessaro::cli {

using SteadyClock = std::chrono::steady_clock;

#if defined(_WIN32)
namespace {

std::wstring StopEventName(DWORD process) {
  return L"Local\\tessaro-cli-stop-" + std::to_wstring(process);
}

BOOL WINAPI OnConsoleStop(DWORD kind) {
  if (kind != CTRL_C_EVENT && kind != CTRL_BREAK_EVENT) return FALSE;
  HANDLE stop = OpenEventW(EVENT_MODIFY_STATE, FALSE, StopEventName(GetCurrentProcessId()).c_str());
  if (stop == nullptr) return FALSE;
  SetEvent(stop);
  CloseHandle(stop);
  return TRUE;
}

}  // namespace
#endif

SteadyTicks::SteadyTicks(std::chrono::milliseconds period, ServeEvents serveEvents)
    : period_(period), serveEvents_(std::move(serveEvents)), due_(SteadyClock::now() + period_) {
#if defined(_WIN32)
  // Manual reset: once asked to stop, the ticks stay stopped.
  stopEvent_ = CreateEventW(nullptr, TRUE, FALSE, StopEventName(GetCurrentProcessId()).c_str());
  SetConsoleCtrlHandler(OnConsoleStop, TRUE);
#else
  sigemptyset(&stopSignals_);
  sigaddset(&stopSignals_, SIGINT);
  sigaddset(&stopSignals_, SIGTERM);
  sigaddset(&stopSignals_, SIGHUP);
  pthread_sigmask(SIG_BLOCK, &stopSignals_, &previousMask_);
#endif
  // Counted from here: the set-up above may take a while (Wine's console).
  due_ = SteadyClock::now() + period_;
}

SteadyTicks::~SteadyTicks() {
#if defined(_WIN32)
  SetConsoleCtrlHandler(OnConsoleStop, FALSE);
  if (stopEvent_ != nullptr) CloseHandle(stopEvent_);
#else
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
  for (;;) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(due_ - SteadyClock::now());
    const DWORD wait = left.count() > 0 ? static_cast<DWORD>(left.count()) : 0;
    if (stopEvent_ == nullptr) {
      std::this_thread::sleep_until(due_);
      break;
    }
    // Also a stop asked for while the tick was worked on (wait 0).
    if (WaitForSingleObject(stopEvent_, wait) == WAIT_OBJECT_0) {
      stopped_ = true;
      return false;
    }
    if (wait == 0) break;
  }
#endif
  due_ += period_;
  return true;
}

}  // namespace tessaro::cli

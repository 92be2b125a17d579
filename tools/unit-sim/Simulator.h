#pragma once

#include <chrono>
#include <deque>
#include <optional>
#include <ostream>
#include <string>

#include "tools/unit-sim/FaultInjector.h"
#include "tools/unit-sim/FrameParser.h"
#include "tools/unit-sim/ItemStore.h"
#include "tools/unit-sim/SerialEndpoint.h"
#include "tools/unit-sim/SimOptions.h"
#include "tools/unit-sim/UnitResponder.h"
#include "tools/unit-sim/WirePacer.h"

namespace tessaro::unitsim {

// The running unit: one poll() loop over the port, the pacing of what goes
// out, the status line timer, hang-up and return, and the end conditions.
class Simulator {
 public:
  Simulator(SimOptions options, std::ostream& out, std::ostream& err);
  // Runs until SIGINT/SIGTERM, --quit-after, or a hang-up without return.
  // 0 on a clean end, 1 when the port cannot be opened, 2 for a bad --set.
  int Run();

 private:
  using Clock = std::chrono::steady_clock;

  bool OpenPort();
  void HangUp(Clock::time_point now);
  void Receive(Clock::time_point now, bool hungUpEvent);
  void Handle(const ParseEvent& event);
  void Answer(const Bytes& frame);
  void QueueText(const std::string& line);
  void SendDue(Clock::time_point now);
  void StatusTick(Clock::time_point now);
  int PollTimeoutMs(Clock::time_point now) const;
  void Line(const std::string& text);
  void Shutdown();

  SimOptions options_;
  std::ostream& out_;
  std::ostream& err_;
  ItemStore store_;
  UnitResponder unit_{store_};
  FaultInjector faults_;
  FrameParser parser_;
  WirePacer pacer_;
  SerialEndpoint port_;
  std::string linkTarget_;
  std::deque<uint8_t> output_;
  bool writeBlocked_ = false;
  int answered_ = 0;
  bool hangupPending_ = false;
  std::optional<Clock::time_point> hangupLatest_;
  Clock::time_point hangupEarliest_{};
  bool hungUpOnce_ = false;
  bool running_ = true;
  int exitCode_ = 0;
  std::optional<Clock::time_point> reopenAt_;
  std::optional<Clock::time_point> quitAt_;
  Clock::time_point lastReceived_{};
  Clock::time_point nextStatus_{};
};

}  // namespace tessaro::unitsim

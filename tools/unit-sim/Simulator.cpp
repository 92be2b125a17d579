#include "tools/unit-sim/Simulator.h"

#include <algorithm>
#include <csignal>
#include <poll.h>

namespace tessaro::unitsim {

namespace {

using std::chrono::duration_cast;
using std::chrono::milliseconds;

// A request frame leaves the program in one go; a gap this long inside one
// means the rest is not coming.
constexpr milliseconds kQuietGap{200};
// Upper bound on every wait, so a pending SIGINT/SIGTERM is seen promptly.
constexpr milliseconds kLongestWait{100};
// How long a hang-up waits for the program to read the last reply.
constexpr milliseconds kDrainLimit{2000};
// The pseudo-terminal hands written bytes to the other side a moment later,
// so "nothing unread" means something only after this.
constexpr milliseconds kDrainSettle{100};
// How often that is checked.
constexpr milliseconds kDrainCheck{10};
// A lost serial device is looked for again this often.
constexpr milliseconds kDeviceRetry{1000};

std::chrono::steady_clock::duration SecondsToDuration(double seconds) {
  return duration_cast<std::chrono::steady_clock::duration>(std::chrono::duration<double>(seconds));
}

sigset_t EndSignals() {
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, SIGINT);
  sigaddset(&set, SIGTERM);
  return set;
}

// The end signals are blocked and polled, so no handler and no shared flag are needed.
bool EndSignalPending() {
  sigset_t pending;
  sigemptyset(&pending);
  if (sigpending(&pending) != 0) return false;
  if (!sigismember(&pending, SIGINT) && !sigismember(&pending, SIGTERM)) return false;
  const sigset_t set = EndSignals();
  int taken = 0;
  sigwait(&set, &taken);
  return true;
}

}  // namespace

Simulator::Simulator(SimOptions options, std::ostream& out, std::ostream& err)
    : options_(std::move(options)),
      out_(out),
      err_(err),
      faults_(options_.faults, options_.seed),
      pacer_(options_.pace) {}

int Simulator::Run() {
  for (const auto& [item, value] : options_.presets) {
    if (auto error = store_.Preset(item, value)) {
      err_ << "tessaro-unit-sim: --set " << item << ": " << *error << std::endl;
      return 2;
    }
  }
  store_.RefreshNetworkInUse();

  const sigset_t endSignals = EndSignals();
  pthread_sigmask(SIG_BLOCK, &endSignals, nullptr);

  if (!OpenPort()) return 1;
  const auto start = Clock::now();
  if (options_.quitAfterSeconds) quitAt_ = start + SecondsToDuration(*options_.quitAfterSeconds);
  nextStatus_ = start + SecondsToDuration(options_.statusEverySeconds);

  while (running_) {
    const auto now = Clock::now();
    if (EndSignalPending() || (quitAt_ && now >= *quitAt_)) break;

    if (port_.IsOpen()) {
      if (parser_.HasPending() && now - lastReceived_ >= kQuietGap) {
        for (const auto& event : parser_.Flush()) Handle(event);
      }
      SendDue(now);
      if (hangupPending_ && output_.empty()) {
        // Closing the master discards what the program has not read yet, so
        // the last reply is left to be read first (within reason).
        if (!hangupLatest_) {
          hangupEarliest_ = now + kDrainSettle;
          hangupLatest_ = now + kDrainLimit;
        }
        if ((now >= hangupEarliest_ && port_.Unread() == 0) || now >= *hangupLatest_) {
          HangUp(now);
          continue;
        }
      }
      StatusTick(now);
    } else if (reopenAt_ && now >= *reopenAt_) {
      reopenAt_.reset();
      if (!OpenPort()) {
        if (options_.device.empty()) {
          exitCode_ = 1;
          break;
        }
        reopenAt_ = now + kDeviceRetry;
      }
      continue;
    }

    pollfd pfd{port_.Fd(), POLLIN, 0};
    if (writeBlocked_) pfd.events |= POLLOUT;
    const nfds_t count = port_.IsOpen() ? 1 : 0;
    const int ready = ::poll(&pfd, count, PollTimeoutMs(now));
    if (ready > 0) {
      if (pfd.revents & POLLOUT) writeBlocked_ = false;
      if (pfd.revents & (POLLIN | POLLHUP | POLLERR | POLLNVAL)) {
        Receive(Clock::now(), (pfd.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0);
      }
    }
  }
  Shutdown();
  return exitCode_;
}

bool Simulator::OpenPort() {
  const bool device = !options_.device.empty();
  const std::string error = device ? port_.OpenDevice(options_.device) : port_.OpenPseudoTerminal();
  if (!error.empty()) {
    err_ << "tessaro-unit-sim: " << error << std::endl;
    return false;
  }
  if (!options_.link.empty()) {
    if (const std::string linkError = PointLink(options_.link, port_.PeerPath()); !linkError.empty()) {
      err_ << "tessaro-unit-sim: " << linkError << std::endl;
      port_.Close();
      return false;
    }
    linkTarget_ = port_.PeerPath();
  }
  parser_ = FrameParser{};
  output_.clear();
  writeBlocked_ = false;
  Line(std::string(device ? "DEVICE " : "PTY ") + port_.PeerPath());
  return true;
}

void Simulator::HangUp(Clock::time_point now) {
  port_.Close();
  if (!linkTarget_.empty()) RemoveLink(options_.link, linkTarget_);
  linkTarget_.clear();
  hangupPending_ = false;
  hangupLatest_.reset();
  hungUpOnce_ = true;
  Line("HANGUP");
  if (options_.returnAfterSeconds) {
    reopenAt_ = now + SecondsToDuration(*options_.returnAfterSeconds);
  } else {
    running_ = false;
  }
}

void Simulator::Receive(Clock::time_point now, bool hungUpEvent) {
  uint8_t buffer[512];
  bool gotAny = false;
  for (;;) {
    const long n = port_.Read(buffer, sizeof buffer);
    if (n < 0 || (n == 0 && hungUpEvent && !gotAny)) {
      // The device went away under us (a pulled adapter).
      err_ << "tessaro-unit-sim: lost " << port_.PeerPath() << std::endl;
      port_.Close();
      if (!linkTarget_.empty()) RemoveLink(options_.link, linkTarget_);
      linkTarget_.clear();
      Line("LOST");
      if (options_.device.empty()) {
        exitCode_ = 1;
        running_ = false;
      } else {
        reopenAt_ = now + kDeviceRetry;
      }
      return;
    }
    if (n == 0) break;
    gotAny = true;
    lastReceived_ = now;
    for (long i = 0; i < n; ++i) {
      for (const auto& event : parser_.Feed(buffer[i])) Handle(event);
      if (!port_.IsOpen()) return;
    }
  }
}

void Simulator::Handle(const ParseEvent& event) {
  using Kind = ParseEvent::Kind;
  if (options_.hex) {
    switch (event.kind) {
      case Kind::Frame:
      case Kind::Attention: Line("RX " + HexDump(event.bytes)); break;
      case Kind::BadChecksum: Line("RX-BAD " + HexDump(event.bytes) + " checksum"); break;
      case Kind::Malformed: Line("RX-BAD " + HexDump(event.bytes) + " malformed"); break;
      case Kind::Incomplete: Line("RX-BAD " + HexDump(event.bytes) + " incomplete"); break;
      case Kind::Skipped: Line("SKIP " + HexDump(event.bytes)); break;
    }
  }
  // After the last answer before a hang-up the unit is deaf.
  if (event.kind == Kind::Frame && !hangupPending_) Answer(event.bytes);
}

void Simulator::Answer(const Bytes& frame) {
  const FaultPlan plan = faults_.NextPlan();
  const UnitReply reply = unit_.Handle(frame, FaultInjector::OptionsFor(plan));
  for (const auto& note : reply.notes) Line(note);
  if (!plan.Empty()) Line("FAULT " + plan.Describe());
  const Bytes wire = faults_.Mangle(plan, reply.frame);
  if (!wire.empty()) {
    output_.insert(output_.end(), wire.begin(), wire.end());
    if (options_.hex) Line("TX " + HexDump(wire));
  }
  for (const auto& text : reply.unitText) QueueText(text);

  ++answered_;
  if (options_.hangupAfter && !hungUpOnce_ && answered_ >= *options_.hangupAfter) hangupPending_ = true;
}

void Simulator::QueueText(const std::string& line) {
  output_.insert(output_.end(), line.begin(), line.end());
  output_.push_back('\r');
  output_.push_back('\n');
  Line("TEXT " + line);
}

void Simulator::SendDue(Clock::time_point now) {
  if (writeBlocked_ || output_.empty()) return;
  const std::size_t n = pacer_.Take(now, output_.size());
  if (n == 0) return;
  const Bytes chunk(output_.begin(), output_.begin() + static_cast<long>(n));
  const long written = port_.Write(chunk.data(), chunk.size());
  if (written < 0) {
    // Wait for poll() to report the error instead of retrying at once.
    writeBlocked_ = true;
    return;
  }
  output_.erase(output_.begin(), output_.begin() + written);
  if (static_cast<std::size_t>(written) < n) writeBlocked_ = true;
}

void Simulator::StatusTick(Clock::time_point now) {
  const auto every = SecondsToDuration(options_.statusEverySeconds);
  if (options_.statusEverySeconds <= 0 || store_.Number(0) == 0) {
    nextStatus_ = now + every;
    return;
  }
  // Never in the middle of a reply or of a request being received.
  if (now < nextStatus_ || !output_.empty() || parser_.HasPending()) return;
  QueueText(unit_.TakeStatusLine());
  nextStatus_ = now + every;
}

int Simulator::PollTimeoutMs(Clock::time_point now) const {
  auto wakeAt = now + kLongestWait;
  if (port_.IsOpen()) {
    if (!output_.empty() && !writeBlocked_) wakeAt = std::min(wakeAt, pacer_.NextDue());
    if (parser_.HasPending()) wakeAt = std::min(wakeAt, lastReceived_ + kQuietGap);
    if (hangupLatest_) wakeAt = std::min(wakeAt, now + kDrainCheck);
    const bool statusCanGo = output_.empty() && !parser_.HasPending();
    if (statusCanGo && options_.statusEverySeconds > 0 && store_.Number(0) > 0) {
      wakeAt = std::min(wakeAt, nextStatus_);
    }
  }
  if (reopenAt_) wakeAt = std::min(wakeAt, *reopenAt_);
  if (quitAt_) wakeAt = std::min(wakeAt, *quitAt_);
  if (wakeAt <= now) return 0;
  // Rounded up: waking early would only loop back into poll().
  const auto wait = wakeAt - now;
  return static_cast<int>(duration_cast<milliseconds>(wait + milliseconds(1) - std::chrono::nanoseconds(1)).count());
}

void Simulator::Line(const std::string& text) { out_ << text << '\n' << std::flush; }

void Simulator::Shutdown() {
  port_.Close();
  if (!linkTarget_.empty()) RemoveLink(options_.link, linkTarget_);
  linkTarget_.clear();
}

}  // namespace tessaro::unitsim

#pragma once

// One set of expectations for every BytePort (BytePortContract.cpp). Each
// system's test program instantiates it with the ends it can build.

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "serial/BytePort.h"
#include "tests/support/FakeBytePort.h"

namespace tessaro::testing {

using Bytes = std::vector<uint8_t>;

// The COM number every real end is reached under.
inline constexpr int kContractPort = 42;

// The other side of the line (the unit, or a simulator) and the port under test.
class FarEnd {
 public:
  virtual ~FarEnd() = default;
  virtual BytePort& Port() = 0;
  virtual void Send(const Bytes& bytes) = 0;
  // What the far end has received since the last call.
  virtual Bytes Take() = 0;
  // The device goes away while the port is open.
  virtual void Vanish() = 0;
  // A new device appears under the same name.
  virtual void Reappear() = 0;
  // Notifications of the port that brought nothing; a count that keeps
  // climbing shows a busy loop.
  virtual int ErrorSignals() const { return 0; }
  // Times the port reported arriving bytes; -1 when it is not asked to.
  virtual int Arrivals() const { return -1; }
  // What happens between two ticks of the engine.
  virtual void BetweenPolls() {}
  // Empty when the far end could be built.
  virtual std::string SkipReason() const { return {}; }
};

class FakeEnd final : public FarEnd {
 public:
  BytePort& Port() override { return port_; }
  void Send(const Bytes& bytes) override { port_.Feed(bytes); }
  Bytes Take() override { return std::exchange(port_.written, {}); }
  void Vanish() override {
    port_.HangUp();
    port_.failOpen = true;
  }
  void Reappear() override { port_.failOpen = false; }

 private:
  FakeBytePort port_;
};

struct EndKind {
  const char* name;
  std::function<std::unique_ptr<FarEnd>()> make;
};

inline void PrintTo(const EndKind& kind, std::ostream* out) { *out << kind.name; }

// Bounded polling: true as soon as done() holds.
bool PollUntil(FarEnd& end, const std::function<bool()>& done);
// Up to `count` bytes the port has received, read as the engine reads them.
Bytes ReadBytes(FarEnd& end, size_t count);
// Up to `count` bytes the far end has received.
Bytes TakeBytes(FarEnd& end, size_t count);
void ExpectBytesBothWays(FarEnd& end, const Bytes& bytes);
inline LineSettings UnitLine() { return LineSettings{}; }

class BytePortContract : public ::testing::TestWithParam<EndKind> {
 protected:
  void SetUp() override;
  BytePort& Port() { return end_->Port(); }
  // Until the port reads as closed, polled as the engine's idle state does.
  bool ClosesWithinBound();

  std::unique_ptr<FarEnd> end_;
};

}  // namespace tessaro::testing

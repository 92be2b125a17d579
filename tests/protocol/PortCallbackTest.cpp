#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "protocol/EngineDriver.h"
#include "tests/protocol/ProtocolTestSupport.h"

namespace tessaro {
namespace {

using testing::Bytes;
using testing::FakeUnit;
using testing::PendingCalls;

// A button pressed while work runs raises a request that reopens the port.
// The reply that ends the work arrives inside the port's own callback; the
// reopen must wait for the loop's next turn (the fake port refuses and
// counts a Close or Open made inside its callback).
class PortCallbackTest : public testing::EngineFixture {
 protected:
  PortCallbackTest() {
    port.SetArrivalHandler([this] { driver.Arrived(); });
  }

  // The loop: the unit answers, its bytes arrive through the port's
  // callback, the one-shot timers fire, and now and then a tick.
  void RunLoop(int ticks) {
    for (int tick = 0; tick < ticks; ++tick) {
      for (int turn = 0; turn < 50; ++turn) {
        unit.Respond();
        const bool arrived = !port.received.empty();
        if (arrived) port.Arrive();
        const bool timed = !timer.calls.empty();
        timer.FireAll();
        if (!arrived && !timed) break;
      }
      driver.Tick();
    }
  }

  bool SentSinceLastOpen(const Bytes& frame) const {
    const auto from = port.written.begin() + static_cast<std::ptrdiff_t>(port.writtenBeforeOpen);
    return std::search(from, port.written.end(), frame.begin(), frame.end()) != port.written.end();
  }

  PendingCalls timer;
  EngineDriver driver{engine, timer.Later()};
  FakeUnit unit{port};
};

struct Case {
  const char* name;
  std::function<void(ProtocolEngine&)> running;  // the work under way
  std::function<void(ProtocolEngine&)> pressed;  // the button pressed meanwhile
  std::function<Bytes()> firstFrameOfPressed;
  friend void PrintTo(const Case& c, std::ostream* out) { *out << c.name; }
};

const Case kCases[] = {
    {"ReadAllDuringReadAll", [](ProtocolEngine& e) { e.ReadAll(); }, [](ProtocolEngine& e) { e.ReadAll(); },
     [] { return *BuildReadRequest(0); }},
    {"WriteAllDuringDiagnosticsRead", [](ProtocolEngine& e) { e.ReadItem(150); },
     [](ProtocolEngine& e) {
       WriteAllCommand command{{}, false};
       command.values[5] = ItemValue("1");
       e.WriteAll(command);
     },
     [] { return *BuildWriteRequest(5, ItemValue("1")); }},
    {"TestCallDuringReadAll", [](ProtocolEngine& e) { e.ReadAll(); }, [](ProtocolEngine& e) { e.TestCall(); },
     [] { return *BuildCallStatusRequest(); }},
    {"ResetDuringReadAll", [](ProtocolEngine& e) { e.ReadAll(); }, [](ProtocolEngine& e) { e.Reset(); },
     [] { return *BuildResetRequest(); }},
};

class PortCallbackCases : public PortCallbackTest, public ::testing::WithParamInterface<Case> {};

TEST_P(PortCallbackCases, RequestRaisedDuringWorkReopensThePortOutsideItsCallback) {
  Start();
  const Case& c = GetParam();
  c.running(engine);
  RunLoop(2);  // the work is under way, its first request on the wire
  ASSERT_FALSE(port.written.empty());
  c.pressed(engine);
  const int opensBefore = port.openCalls;

  RunLoop(400);

  EXPECT_EQ(port.callsInsideCallback, 0) << "the port was closed or opened inside its own callback";
  EXPECT_EQ(port.openCalls, opensBefore + 1) << "the pressed request reopened the port once";
  EXPECT_TRUE(port.open);
  EXPECT_TRUE(SentSinceLastOpen(c.firstFrameOfPressed())) << "the pressed request was served after the work";
}

INSTANTIATE_TEST_SUITE_P(Impatient, PortCallbackCases, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PortCallbackTest, LostPortIsReopenedOutsideItsCallback) {
  Start();
  // The device vanished; the port's last signal still reaches the engine.
  port.HangUp();
  port.Arrive();
  EXPECT_EQ(port.callsInsideCallback, 0);
  EXPECT_TRUE(engine.PortIsLost());

  RunLoop(1);
  EXPECT_EQ(port.callsInsideCallback, 0);
  EXPECT_TRUE(port.open) << "reopened on the loop's next turn";
  EXPECT_FALSE(engine.PortIsLost());
}

}  // namespace
}  // namespace tessaro

// One set of expectations for every BytePort: the scriptable fake and each
// real adapter, driven as the engine drives it.

#include "BytePortContract.h"

#include "SerialTestWorld.h"
#include "serial/Datacom.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace tessaro::testing {
namespace {

// Upper bound of every wait below; each poll waits at most a few ms.
constexpr int kPolls = 500;
// Notifications a vanished device may cause at most; a busy loop gives hundreds.
constexpr int kFewErrorSignals = 5;

Bytes EveryByteValue() {
  Bytes bytes;
  for (int value = 0; value <= 255; ++value) bytes.push_back(static_cast<uint8_t>(value));
  return bytes;
}

}  // namespace

bool PollUntil(FarEnd& end, const std::function<bool()>& done) {
  for (int i = 0; i < kPolls; ++i) {
    if (done()) return true;
    end.BetweenPolls();
  }
  return done();
}

Bytes ReadBytes(FarEnd& end, size_t count) {
  Bytes got;
  PollUntil(end, [&] {
    for (int byte; got.size() < count && (byte = end.Port().ReadByte()) >= 0;) {
      got.push_back(static_cast<uint8_t>(byte));
    }
    return got.size() >= count;
  });
  return got;
}

Bytes TakeBytes(FarEnd& end, size_t count) {
  Bytes got;
  PollUntil(end, [&] {
    const Bytes more = end.Take();
    got.insert(got.end(), more.begin(), more.end());
    return got.size() >= count;
  });
  return got;
}

void ExpectBytesBothWays(FarEnd& end, const Bytes& bytes) {
  end.Send(bytes);
  EXPECT_EQ(ReadBytes(end, bytes.size()), bytes) << "far end to port";
  EXPECT_EQ(end.Port().ReadByte(), -1) << "nothing beyond what was sent";
  for (uint8_t byte : bytes) ASSERT_TRUE(end.Port().WriteByte(byte));
  EXPECT_EQ(TakeBytes(end, bytes.size()), bytes) << "port to far end";
}

void BytePortContract::SetUp() {
  end_ = GetParam().make();
  if (!end_->SkipReason().empty()) GTEST_SKIP() << end_->SkipReason();
}

bool BytePortContract::ClosesWithinBound() {
  return PollUntil(*end_, [&] { return !Port().IsOpen(); });
}

TEST_P(BytePortContract, SecondOpenFailsAndLeavesThePortWorking) {
  ASSERT_TRUE(Port().Open(kContractPort, UnitLine()));
  EXPECT_TRUE(Port().IsOpen());

  EXPECT_FALSE(Port().Open(kContractPort, UnitLine()));

  EXPECT_TRUE(Port().IsOpen());
  ExpectBytesBothWays(*end_, {0x55, 0x00, 0xFF});
}

TEST_P(BytePortContract, EveryByteValuePassesUnchangedBothWays) {
  ASSERT_TRUE(Port().Open(kContractPort, UnitLine()));
  // Includes NUL, 0xFF and the XON/XOFF, CR and LF codes a line discipline might eat.
  ExpectBytesBothWays(*end_, EveryByteValue());
  if (end_->Arrivals() >= 0) {
    EXPECT_GT(end_->Arrivals(), 0) << "arrival reported to the front end";
  }
}

TEST_P(BytePortContract, OpensWithEveryLineTheIndexesCanAskFor) {
  struct Line {
    const char* name;
    LineSettings settings;
  };
  // Modem lines a pseudo-terminal lacks must not make the open fail.
  const Line lines[] = {
      {"9600,N,8,1 no handshake", {9600, 'N', 8, 1, false, false, false}},
      {"300,E,7,2 RTS/CTS", {300, 'E', 7, 2, true, true, false}},
      {"19200,O,8,1 RTS on", {19200, 'O', 8, 1, false, true, false}},
      {"1200,N,8,1 DTR on", {1200, 'N', 8, 1, false, false, true}},
  };
  for (const Line& line : lines) {
    SCOPED_TRACE(line.name);
    ASSERT_TRUE(Port().Open(kContractPort, line.settings));
    EXPECT_TRUE(Port().IsOpen());
    EXPECT_TRUE(Port().Close());
    EXPECT_FALSE(Port().IsOpen());
  }
}

TEST_P(BytePortContract, EmptyInputReadsAsMinusOneWithoutWaiting) {
  ASSERT_TRUE(Port().Open(kContractPort, UnitLine()));
  for (int i = 0; i < 3; ++i) EXPECT_EQ(Port().ReadByte(), -1);
  EXPECT_TRUE(Port().IsOpen());
}

TEST_P(BytePortContract, DiscardInputDropsWhatIsWaiting) {
  ASSERT_TRUE(Port().Open(kContractPort, UnitLine()));
  end_->Send({1, 2, 3, 4});
  ASSERT_EQ(ReadBytes(*end_, 1), Bytes{1});

  Port().DiscardInput();

  EXPECT_EQ(Port().ReadByte(), -1);
  end_->Send({9});
  EXPECT_EQ(ReadBytes(*end_, 1), Bytes{9}) << "bytes sent before the discard came through";
  EXPECT_EQ(Port().ReadByte(), -1);
}

TEST_P(BytePortContract, ClosedPortMovesNothingAndOpensAgain) {
  ASSERT_TRUE(Port().Open(kContractPort, UnitLine()));
  EXPECT_TRUE(Port().Close());
  EXPECT_TRUE(Port().Close()) << "closing a closed port is no failure";
  EXPECT_FALSE(Port().IsOpen());
  EXPECT_EQ(Port().ReadByte(), -1);
  EXPECT_FALSE(Port().WriteByte(0x41));
  Port().DiscardInput();

  ASSERT_TRUE(Port().Open(kContractPort, UnitLine()));
  ExpectBytesBothWays(*end_, {0x02, 0x03});
}

TEST_P(BytePortContract, VanishedDeviceReadsAsClosedWithoutBusyLoop) {
  ASSERT_TRUE(Port().Open(kContractPort, UnitLine()));
  ExpectBytesBothWays(*end_, {0x10});
  const int signalsBefore = end_->ErrorSignals();

  end_->Vanish();
  // A running event loop gets to see the hang-up before the next poll does.
  end_->BetweenPolls();

  ASSERT_TRUE(ClosesWithinBound()) << "the port still reads as open after " << kPolls << " polls";
  EXPECT_EQ(Port().ReadByte(), -1);
  EXPECT_FALSE(Port().WriteByte(0x41));
  EXPECT_FALSE(Port().Open(kContractPort, UnitLine())) << "the device is gone";
  // Keep ticking as the engine would while it waits for the device.
  for (int i = 0; i < 200; ++i) {
    Port().IsOpen();
    end_->BetweenPolls();
  }
  EXPECT_LE(end_->ErrorSignals() - signalsBefore, kFewErrorSignals);
}

TEST_P(BytePortContract, DeviceThatReturnsUnderItsNameOpensAgain) {
  ASSERT_TRUE(Port().Open(kContractPort, UnitLine()));
  end_->Vanish();
  ASSERT_TRUE(ClosesWithinBound());

  end_->Reappear();

  ASSERT_TRUE(Port().Open(kContractPort, UnitLine()));
  ExpectBytesBothWays(*end_, {0x00, 0x7F, 0xFF});
}

// Datacom on the port: the engine's lost-port state sees the port go and
// can open it again once the device is back.
TEST_P(BytePortContract, DatacomFollowsTheDeviceAway) {
  DatacomWorld world(Port());
  Datacom& datacom = world.datacom;
  const int16_t portIndex = kContractPort - 1;

  ASSERT_EQ(datacom.OpenComPort(portIndex, 4, 0, 1, 0, 0), 0);
  EXPECT_EQ(world.frame.caption, "Serial Port: 42 9600,N,8,1");
  EXPECT_EQ(datacom.SendByte(0x00), 0);
  EXPECT_EQ(TakeBytes(*end_, 1), Bytes{0x00});
  end_->Send({0x00});
  EXPECT_TRUE(PollUntil(*end_, [&] { return datacom.ReadByte() == 0; }));

  end_->Vanish();
  EXPECT_TRUE(PollUntil(*end_, [&] { return datacom.PortIsOpen() == -1; }));
  EXPECT_EQ(datacom.OpenComPort(portIndex, 4, 0, 1, 0, 0), -1);
  end_->Reappear();
  EXPECT_EQ(datacom.OpenComPort(portIndex, 4, 0, 1, 0, 0), 0);

  EXPECT_EQ(world.Lines(), (std::vector<std::string>{
                               DatacomWorld::Stamped("Com: 42 opened with: 9600,N,8,1"),
                               DatacomWorld::Stamped("Error opening Comport:  42"),
                               DatacomWorld::Stamped("Com: 42 opened with: 9600,N,8,1")}));
}

}  // namespace tessaro::testing

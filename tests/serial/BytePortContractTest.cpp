// One set of expectations for every BytePort: the scriptable fake, and the
// real QSerialPort adapter on a pseudo-terminal, polled with and without a
// running event loop between polls (as the tests and the GUI do).

#include <QCoreApplication>

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

#include "SerialTestWorld.h"
#include "serial/QtSerialBytePort.h"
#include "tests/support/FakeBytePort.h"

namespace tessaro::testing {
namespace {

using Bytes = std::vector<uint8_t>;

// COM42 is the pseudo-terminal, through TESSARO_COM42.
constexpr int kPortNumber = 42;
constexpr const char* kPortVariable = "TESSARO_COM42";
// Upper bound of every wait below; each poll waits at most 2 ms.
constexpr int kPolls = 500;
// Error signals a vanished device may cause at most; a busy loop gives hundreds.
constexpr int kFewErrorSignals = 5;

Bytes EveryByteValue() {
  Bytes bytes;
  for (int value = 0; value <= 255; ++value) bytes.push_back(static_cast<uint8_t>(value));
  return bytes;
}

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

// A pseudo-terminal whose slave is reached through a symbolic link, so a new
// one can take the old one's place. The adapter finds it through the
// environment, as a user's adapter or the simulator would be found.
class PtyEnd final : public FarEnd {
 public:
  // arrivalDriven: a front end's event loop serves the port, which then
  // never polls and reports bytes and a vanished device by its signals.
  explicit PtyEnd(bool runEventLoop, bool arrivalDriven = false) : runEventLoop_(runEventLoop) {
    if (QCoreApplication::instance() == nullptr) {
      app_ = std::make_unique<QCoreApplication>(argc_, argv_);
    }
    link_ = folder_.Path() / "com";
    if (!MakePty()) return;
    ::setenv(kPortVariable, link_.c_str(), 1);
    port_ = std::make_unique<QtSerialBytePort>();
    if (arrivalDriven) {
      arrivals_ = 0;
      port_->SetArrivalHandler([this] { ++arrivals_; });
    }
  }
  ~PtyEnd() override {
    port_.reset();
    ::unsetenv(kPortVariable);
    if (master_ >= 0) ::close(master_);
  }
  PtyEnd(const PtyEnd&) = delete;
  PtyEnd& operator=(const PtyEnd&) = delete;

  BytePort& Port() override { return *port_; }
  QtSerialBytePort& Adapter() { return *port_; }

  void Send(const Bytes& bytes) override {
    size_t done = 0;
    for (int attempt = 0; attempt < kPolls && done < bytes.size(); ++attempt) {
      const ssize_t n = ::write(master_, bytes.data() + done, bytes.size() - done);
      if (n > 0) done += static_cast<size_t>(n);
    }
    ASSERT_EQ(done, bytes.size()) << "the pseudo-terminal took only part of the bytes";
  }
  Bytes Take() override {
    Bytes got;
    uint8_t chunk[512];
    for (ssize_t n; (n = ::read(master_, chunk, sizeof chunk)) > 0;) got.insert(got.end(), chunk, chunk + n);
    return got;
  }
  void Vanish() override {
    ::close(master_);
    master_ = -1;
    // The freed pseudo-terminal number may go to another process at once;
    // the name must not lead there.
    ASSERT_TRUE(PointLinkAt(folder_.Path() / "gone"));
  }
  void Reappear() override { ASSERT_TRUE(MakePty()) << skipReason_; }
  int ErrorSignals() const override { return port_->ErrorSignalCount(); }
  int Arrivals() const override { return arrivals_; }
  void BetweenPolls() override {
    if (runEventLoop_) QCoreApplication::processEvents();
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  std::string SkipReason() const override { return skipReason_; }
  const std::filesystem::path& Link() const { return link_; }

 private:
  bool Fail(const char* step) {
    skipReason_ = std::string("no pseudo-terminal could be made (") + step + ": " + std::strerror(errno) + ")";
    return false;
  }
  bool MakePty() {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (master_ < 0) return Fail("posix_openpt");
    if (::grantpt(master_) != 0) return Fail("grantpt");
    if (::unlockpt(master_) != 0) return Fail("unlockpt");
    const char* slave = ::ptsname(master_);
    if (slave == nullptr) return Fail("ptsname");
    return PointLinkAt(slave);
  }
  // Re-pointed in one step, as a simulator restarting under a fixed name would.
  bool PointLinkAt(const std::filesystem::path& target) {
    const auto fresh = folder_.Path() / "com.new";
    std::error_code error;
    std::filesystem::remove(fresh, error);
    std::filesystem::create_symlink(target, fresh, error);
    if (!error) std::filesystem::rename(fresh, link_, error);
    if (error) {
      skipReason_ = "cannot link to the pseudo-terminal: " + error.message();
      return false;
    }
    return true;
  }

  bool runEventLoop_;
  int arrivals_ = -1;
  int argc_ = 1;
  char name_[16] = "tests_serial";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QCoreApplication> app_;
  TestFolder folder_;
  std::filesystem::path link_;
  int master_ = -1;
  std::string skipReason_;
  std::unique_ptr<QtSerialBytePort> port_;
};

struct EndKind {
  const char* name;
  std::function<std::unique_ptr<FarEnd>()> make;
};

void PrintTo(const EndKind& kind, std::ostream* out) { *out << kind.name; }

// Bounded polling: true as soon as done() holds.
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

LineSettings UnitLine() { return LineSettings{}; }

class BytePortContract : public ::testing::TestWithParam<EndKind> {
 protected:
  void SetUp() override {
    end_ = GetParam().make();
    if (!end_->SkipReason().empty()) GTEST_SKIP() << end_->SkipReason();
  }
  BytePort& Port() { return end_->Port(); }
  // Until the port reads as closed, polled as the engine's idle state does.
  bool ClosesWithinBound() {
    return PollUntil(*end_, [&] { return !Port().IsOpen(); });
  }

  std::unique_ptr<FarEnd> end_;
};

TEST_P(BytePortContract, SecondOpenFailsAndLeavesThePortWorking) {
  ASSERT_TRUE(Port().Open(kPortNumber, UnitLine()));
  EXPECT_TRUE(Port().IsOpen());

  EXPECT_FALSE(Port().Open(kPortNumber, UnitLine()));

  EXPECT_TRUE(Port().IsOpen());
  ExpectBytesBothWays(*end_, {0x55, 0x00, 0xFF});
}

TEST_P(BytePortContract, EveryByteValuePassesUnchangedBothWays) {
  ASSERT_TRUE(Port().Open(kPortNumber, UnitLine()));
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
    ASSERT_TRUE(Port().Open(kPortNumber, line.settings));
    EXPECT_TRUE(Port().IsOpen());
    EXPECT_TRUE(Port().Close());
    EXPECT_FALSE(Port().IsOpen());
  }
}

TEST_P(BytePortContract, EmptyInputReadsAsMinusOneWithoutWaiting) {
  ASSERT_TRUE(Port().Open(kPortNumber, UnitLine()));
  for (int i = 0; i < 3; ++i) EXPECT_EQ(Port().ReadByte(), -1);
  EXPECT_TRUE(Port().IsOpen());
}

TEST_P(BytePortContract, DiscardInputDropsWhatIsWaiting) {
  ASSERT_TRUE(Port().Open(kPortNumber, UnitLine()));
  end_->Send({1, 2, 3, 4});
  ASSERT_EQ(ReadBytes(*end_, 1), Bytes{1});

  Port().DiscardInput();

  EXPECT_EQ(Port().ReadByte(), -1);
  end_->Send({9});
  EXPECT_EQ(ReadBytes(*end_, 1), Bytes{9}) << "bytes sent before the discard came through";
  EXPECT_EQ(Port().ReadByte(), -1);
}

TEST_P(BytePortContract, ClosedPortMovesNothingAndOpensAgain) {
  ASSERT_TRUE(Port().Open(kPortNumber, UnitLine()));
  EXPECT_TRUE(Port().Close());
  EXPECT_TRUE(Port().Close()) << "closing a closed port is no failure";
  EXPECT_FALSE(Port().IsOpen());
  EXPECT_EQ(Port().ReadByte(), -1);
  EXPECT_FALSE(Port().WriteByte(0x41));
  Port().DiscardInput();

  ASSERT_TRUE(Port().Open(kPortNumber, UnitLine()));
  ExpectBytesBothWays(*end_, {0x02, 0x03});
}

TEST_P(BytePortContract, VanishedDeviceReadsAsClosedWithoutBusyLoop) {
  ASSERT_TRUE(Port().Open(kPortNumber, UnitLine()));
  ExpectBytesBothWays(*end_, {0x10});
  const int signalsBefore = end_->ErrorSignals();

  end_->Vanish();
  // A running event loop gets to see the hang-up before the next poll does.
  end_->BetweenPolls();

  ASSERT_TRUE(ClosesWithinBound()) << "the port still reads as open after " << kPolls << " polls";
  EXPECT_EQ(Port().ReadByte(), -1);
  EXPECT_FALSE(Port().WriteByte(0x41));
  EXPECT_FALSE(Port().Open(kPortNumber, UnitLine())) << "the device is gone";
  // Keep ticking as the engine would while it waits for the device.
  for (int i = 0; i < 200; ++i) {
    Port().IsOpen();
    end_->BetweenPolls();
  }
  EXPECT_LE(end_->ErrorSignals() - signalsBefore, kFewErrorSignals);
}

TEST_P(BytePortContract, DeviceThatReturnsUnderItsNameOpensAgain) {
  ASSERT_TRUE(Port().Open(kPortNumber, UnitLine()));
  end_->Vanish();
  ASSERT_TRUE(ClosesWithinBound());

  end_->Reappear();

  ASSERT_TRUE(Port().Open(kPortNumber, UnitLine()));
  ExpectBytesBothWays(*end_, {0x00, 0x7F, 0xFF});
}

INSTANTIATE_TEST_SUITE_P(
    Ends, BytePortContract,
    ::testing::Values(EndKind{"Fake", [] { return std::make_unique<FakeEnd>(); }},
                      EndKind{"PtyPolledOnly", [] { return std::make_unique<PtyEnd>(false); }},
                      EndKind{"PtyWithEventLoop", [] { return std::make_unique<PtyEnd>(true); }},
                      EndKind{"PtyArrivalDriven", [] { return std::make_unique<PtyEnd>(true, true); }}),
    [](const auto& info) { return std::string(info.param.name); });

// --- Only the real port ------------------------------------------------------

class QtSerialPort : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!end_.SkipReason().empty()) GTEST_SKIP() << end_.SkipReason();
  }
  PtyEnd end_{true};
};

TEST_F(QtSerialPort, DeviceInUseByAnotherPortCannotBeOpened) {
  ASSERT_TRUE(end_.Port().Open(kPortNumber, UnitLine()));
  QtSerialBytePort other;

  EXPECT_FALSE(other.Open(kPortNumber, UnitLine()));

  EXPECT_FALSE(other.IsOpen());
  ExpectBytesBothWays(end_, {0x41});
}

TEST_F(QtSerialPort, MissingDeviceOrNumberFailsToOpen) {
  QtSerialBytePort nowhere([&](int) { return (end_.Link().parent_path() / "absent").string(); });
  EXPECT_FALSE(nowhere.Open(kPortNumber, UnitLine()));
  EXPECT_FALSE(nowhere.IsOpen());
  EXPECT_EQ(nowhere.ReadByte(), -1);

  EXPECT_FALSE(end_.Port().Open(0, UnitLine()));
  EXPECT_FALSE(end_.Port().Open(-1, UnitLine()));
}

// Datacom on the real port: the engine's lost-port state sees the port go
// and can open it again once the device is back.
TEST_F(QtSerialPort, DatacomFollowsTheDeviceAway) {
  DatacomWorld world(end_.Port());
  Datacom& datacom = world.datacom;
  const int16_t portIndex = kPortNumber - 1;

  ASSERT_EQ(datacom.OpenComPort(portIndex, 4, 0, 1, 0, 0), 0);
  EXPECT_EQ(world.frame.caption, "Serial Port: 42 9600,N,8,1");
  EXPECT_EQ(datacom.SendByte(0x00), 0);
  EXPECT_EQ(TakeBytes(end_, 1), Bytes{0x00});
  end_.Send({0x00});
  EXPECT_TRUE(PollUntil(end_, [&] { return datacom.ReadByte() == 0; }));

  end_.Vanish();
  EXPECT_TRUE(PollUntil(end_, [&] { return datacom.PortIsOpen() == -1; }));
  EXPECT_EQ(datacom.OpenComPort(portIndex, 4, 0, 1, 0, 0), -1);
  end_.Reappear();
  EXPECT_EQ(datacom.OpenComPort(portIndex, 4, 0, 1, 0, 0), 0);

  EXPECT_EQ(world.Lines(), (std::vector<std::string>{
                               DatacomWorld::Stamped("Com: 42 opened with: 9600,N,8,1"),
                               DatacomWorld::Stamped("Error opening Comport:  42"),
                               DatacomWorld::Stamped("Com: 42 opened with: 9600,N,8,1")}));
}

}  // namespace
}  // namespace tessaro::testing

// The port contract on Linux: the scriptable fake, and the real QSerialPort
// adapter on a pseudo-terminal, polled with and without a running event loop
// between polls (as the tests and the GUI do).

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
#include <memory>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "BytePortContract.h"
#include "serial/QtSerialBytePort.h"
#include "tests/support/TestFolder.h"

namespace tessaro::testing {
namespace {

// COM42 is the pseudo-terminal, through TESSARO_COM42.
constexpr int kPortNumber = kContractPort;
constexpr const char* kPortVariable = "TESSARO_COM42";
constexpr int kSendAttempts = 500;

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
    for (int attempt = 0; attempt < kSendAttempts && done < bytes.size(); ++attempt) {
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

}  // namespace
}  // namespace tessaro::testing

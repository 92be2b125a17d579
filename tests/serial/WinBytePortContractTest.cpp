// The port contract on Windows: the scriptable fake, and the Win32 adapter on
// COM42, which Wine leads to a pseudo-terminal on the host whose far end
// pty-far-end serves (scripts/wine-com-test.sh sets both up). Polled with
// and without a running event loop, and driven by its arrivals.

#include "FarEndLink.h"  // winsock2.h, which must come before windows.h

#include <windows.h>
// clang-format off
#include <initguid.h>
#include <devguid.h>
#include <setupapi.h>
// clang-format on

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cwchar>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "BytePortContract.h"
#include "serial/WinPresentPorts.h"
#include "serial/WinSerialBytePort.h"
#include "tests/support/UnderWine.h"

namespace tessaro::testing {
namespace {

class ComEnd final : public FarEnd {
 public:
  // arrivalDriven: a front end's event loop serves the port, and its
  // arrivals are counted.
  explicit ComEnd(bool runEventLoop, bool arrivalDriven = false) : runEventLoop_(runEventLoop) {
    if (QCoreApplication::instance() == nullptr) app_ = std::make_unique<QCoreApplication>(argc_, argv_);
    skipReason_ = link_.Problem();
    if (skipReason_.empty() && !link_.Appear()) skipReason_ = "the far end could make no pseudo-terminal";
    port_ = std::make_unique<WinSerialBytePort>();
    if (arrivalDriven) {
      arrivals_ = 0;
      port_->SetArrivalHandler([this] { ++arrivals_; });
    }
  }

  BytePort& Port() override { return *port_; }
  WinSerialBytePort& Adapter() { return *port_; }
  void Send(const Bytes& bytes) override { ASSERT_TRUE(link_.Send(bytes)) << "the far end is gone"; }
  Bytes Take() override { return link_.Take(); }
  void Vanish() override { ASSERT_TRUE(link_.Vanish()); }
  void Hold() { ASSERT_TRUE(link_.Hold()); }
  void Reappear() override { ASSERT_TRUE(link_.Appear()); }
  int ErrorSignals() const override { return port_->IdleWakeCount(); }
  int Arrivals() const override { return arrivals_; }
  void BetweenPolls() override {
    if (runEventLoop_) QCoreApplication::processEvents();
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  std::string SkipReason() const override { return skipReason_; }
  void SetArrivals(std::function<void()> handler) { port_->SetArrivalHandler(std::move(handler)); }

 private:
  bool runEventLoop_;
  int arrivals_ = -1;
  int argc_ = 1;
  char name_[16] = "tests_serial";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QCoreApplication> app_;
  FarEndLink link_;
  std::string skipReason_;
  std::unique_ptr<WinSerialBytePort> port_;
};

INSTANTIATE_TEST_SUITE_P(
    Ends, BytePortContract,
    ::testing::Values(EndKind{"Fake", [] { return std::make_unique<FakeEnd>(); }},
                      EndKind{"ComPolledOnly", [] { return std::make_unique<ComEnd>(false); }},
                      EndKind{"ComWithEventLoop", [] { return std::make_unique<ComEnd>(true); }},
                      EndKind{"ComArrivalDriven", [] { return std::make_unique<ComEnd>(true, true); }}),
    [](const auto& info) { return std::string(info.param.name); });

// --- Only the real port ------------------------------------------------------

class WinSerialPort : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!end_.SkipReason().empty()) GTEST_SKIP() << end_.SkipReason();
  }
  ComEnd end_{true};
};

TEST_F(WinSerialPort, DeviceInUseByAnotherPortCannotBeOpened) {
  if (UnderWine()) GTEST_SKIP() << "Wine opens a COM port twice; Windows refuses the second open";
  ASSERT_TRUE(end_.Port().Open(kContractPort, UnitLine()));
  WinSerialBytePort other;

  EXPECT_FALSE(other.Open(kContractPort, UnitLine()));

  EXPECT_FALSE(other.IsOpen());
  ExpectBytesBothWays(end_, {0x41});
}

TEST_F(WinSerialPort, MissingDeviceDeviceOfAnotherKindOrNoNumberFailsToOpen) {
  // NUL opens like any device but has no line settings.
  for (const char* name : {"COM199", "NUL", ""}) {
    SCOPED_TRACE(name);
    WinSerialBytePort nowhere([name](int) { return std::string(name); });
    EXPECT_FALSE(nowhere.Open(kContractPort, UnitLine()));
    EXPECT_FALSE(nowhere.IsOpen());
    EXPECT_EQ(nowhere.ReadByte(), -1);
    EXPECT_FALSE(nowhere.WriteByte(0x41));
  }
  EXPECT_FALSE(end_.Port().Open(0, UnitLine()));
  EXPECT_FALSE(end_.Port().Open(-1, UnitLine()));
}

// The engine reopens the port when a reply ends a batch, which may happen
// inside the notification that brought the reply. Nothing may be freed
// under the notification, and the reopened port reports arrivals as before.
TEST_F(WinSerialPort, ReopenedInsideItsOwnArrivalKeepsWorking) {
  BytePort& port = end_.Port();
  int reopened = 0;
  end_.SetArrivals([&] {
    ASSERT_TRUE(port.Close());
    ASSERT_TRUE(port.Open(kContractPort, UnitLine()));
    ++reopened;
  });
  ASSERT_TRUE(port.Open(kContractPort, UnitLine()));

  for (uint8_t round = 1; round <= 3; ++round) {
    SCOPED_TRACE(round);
    end_.Send({round});
    ASSERT_TRUE(PollUntil(end_, [&] { return reopened >= round; })) << "no arrival reported";
  }

  end_.SetArrivals({});
  EXPECT_TRUE(port.IsOpen());
  ExpectBytesBothWays(end_, {0x00, 0x55, 0xFF});
}

// A line that backs up leaves writes pending: the bytes queued behind them
// go out in order once it moves again, moved on by the event loop alone.
TEST_F(WinSerialPort, BytesQueuedBehindABackedUpLineGoOutInOrder) {
  ASSERT_TRUE(end_.Port().Open(kContractPort, UnitLine()));
  end_.Hold();
  Bytes bytes;
  // A little more than a pseudo-terminal holds (20 KB here). Not much more:
  // Wine, under load, now and then leaves a long pending write on a
  // pseudo-terminal unfinished half-way.
  for (int i = 0; i < 24 * 1024; ++i) bytes.push_back(static_cast<uint8_t>(i * 7 + i / 256));
  for (uint8_t byte : bytes) ASSERT_TRUE(end_.Port().WriteByte(byte));

  const Bytes taken = TakeBytes(end_, bytes.size());
  ASSERT_EQ(taken.size(), bytes.size());
  EXPECT_TRUE(taken == bytes) << "the bytes came out of order";
}

// Registers a device in the device manager, as an adapter's driver would;
// only in a Wine prefix of the test's own.
class RegisteredPort {
 public:
  RegisteredPort(const wchar_t* instance, const wchar_t* friendlyName, const wchar_t* maker, const wchar_t* portName)
      : set_(SetupDiCreateDeviceInfoList(&GUID_DEVCLASS_PORTS, nullptr)) {
    device_.cbSize = sizeof device_;
    const auto property = [&](DWORD which, const wchar_t* text) {
      return SetupDiSetDeviceRegistryPropertyW(set_, &device_, which, reinterpret_cast<const BYTE*>(text),
                                               static_cast<DWORD>((wcslen(text) + 1) * sizeof(wchar_t)));
    };
    made_ = set_ != INVALID_HANDLE_VALUE &&
            SetupDiCreateDeviceInfoW(set_, instance, &GUID_DEVCLASS_PORTS, nullptr, nullptr, 0, &device_) &&
            property(SPDRP_FRIENDLYNAME, friendlyName) && property(SPDRP_MFG, maker) &&
            SetupDiRegisterDeviceInfo(set_, &device_, 0, nullptr, nullptr, nullptr);
    if (!made_) return;
    HKEY key = SetupDiCreateDevRegKeyW(set_, &device_, DICS_FLAG_GLOBAL, 0, DIREG_DEV, nullptr, nullptr);
    made_ = key != INVALID_HANDLE_VALUE &&
            RegSetValueExW(key, L"PortName", 0, REG_SZ, reinterpret_cast<const BYTE*>(portName),
                           static_cast<DWORD>((wcslen(portName) + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
    if (key != INVALID_HANDLE_VALUE) RegCloseKey(key);
  }
  ~RegisteredPort() {
    if (set_ == INVALID_HANDLE_VALUE) return;
    SetupDiRemoveDevice(set_, &device_);
    SetupDiDestroyDeviceInfoList(set_);
  }
  RegisteredPort(const RegisteredPort&) = delete;
  RegisteredPort& operator=(const RegisteredPort&) = delete;
  bool Made() const { return made_; }

 private:
  HDEVINFO set_;
  SP_DEVINFO_DATA device_{};
  bool made_ = false;
};

TEST(WinPresentPorts, DeviceManagersNamesAndTheSerialMapsPorts) {
  if (!UnderWine()) GTEST_SKIP() << "registers a device: only in a Wine prefix of the test's own";
  // Wine's serial map holds every port of its port table, COM42 among them.
  const PresentPort* bare = FindPresentPort(ListPresentPorts(), "COM42");
  ASSERT_NE(bare, nullptr);
  EXPECT_EQ(bare->description, "");

  const RegisteredPort adapter(L"USB\\VID_0403&PID_6001\\A50285BI", L"USB Serial Port (COM42)", L"FTDI", L"COM42");
  ASSERT_TRUE(adapter.Made()) << "error " << GetLastError();

  const std::vector<PresentPort> ports = ListPresentPorts();
  const PresentPort* described = FindPresentPort(ports, "COM42");
  ASSERT_NE(described, nullptr);
  EXPECT_EQ(described->description, "USB Serial Port (COM42)");
  EXPECT_EQ(described->manufacturer, "FTDI");
  EXPECT_EQ(described->serialNumber, "A50285BI");
  EXPECT_EQ(std::count_if(ports.begin(), ports.end(), [](const PresentPort& port) { return port.device == "COM42"; }), 1);
}

}  // namespace
}  // namespace tessaro::testing

// Runs the real simulator binary and talks to it over its pseudo-terminal.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "tests/support/PseudoTerminal.h"
#include "tests/support/TestFolder.h"
#include "tests/support/UnitSimProcess.h"

namespace {

using namespace std::chrono_literals;
using tessaro::testing::TestFolder;
using tessaro::testing::UnitSimProcess;
using tessaro::testing::WhyNoPseudoTerminal;
using Bytes = std::vector<uint8_t>;
using Clock = std::chrono::steady_clock;

constexpr auto kWait = 5s;

const Bytes kAttention{0x01, 0x01, 0x80, 0x7F};
const Bytes kRead21{0x01, 0x09, 0x01, 0x00, 0x02, 0x77, 0x1F, 0x15, 0x1E, 0x2A};
const Bytes kRead21Reply{0x01, 0x0D, 0x01, 0x00, 0x06, 0x57, 0x1F, 0x15, 0x1E, 0x77, 0x1F, 0x01, 0x1E, 0x8D};

int PollMs(Clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
  return left < 0 ? 0 : static_cast<int>(left);
}

// The program's side of the line.
class PeerPort {
 public:
  ~PeerPort() {
    if (fd_ >= 0) ::close(fd_);
  }
  bool Open(const std::string& path) {
    fd_ = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd_ < 0) return false;
    termios t{};
    tcgetattr(fd_, &t);
    cfmakeraw(&t);
    return tcsetattr(fd_, TCSANOW, &t) == 0;
  }
  bool Send(const Bytes& bytes) { return ::write(fd_, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size()); }
  // Up to `count` bytes, or fewer when nothing more arrives in time.
  Bytes Receive(std::size_t count) {
    Bytes got;
    const auto deadline = Clock::now() + kWait;
    while (got.size() < count) {
      pollfd pfd{fd_, POLLIN, 0};
      if (::poll(&pfd, 1, PollMs(deadline)) <= 0) break;
      uint8_t chunk[256];
      const ssize_t n = ::read(fd_, chunk, std::min(sizeof chunk, count - got.size()));
      if (n <= 0) break;
      got.insert(got.end(), chunk, chunk + n);
    }
    return got;
  }
  // Free text up to and including the next LF.
  std::string ReceiveLine() {
    std::string line;
    while (line.empty() || line.back() != '\n') {
      const Bytes b = Receive(1);
      if (b.empty()) break;
      line += static_cast<char>(b[0]);
    }
    return line;
  }

 private:
  int fd_ = -1;
};

std::string Hex(const Bytes& bytes) {
  std::string text;
  char pair[4];
  for (uint8_t b : bytes) {
    std::snprintf(pair, sizeof pair, "%02X ", b);
    text += pair;
  }
  if (!text.empty()) text.pop_back();
  return text;
}

bool SumsToZero(const Bytes& frame) {
  unsigned sum = 0;
  for (uint8_t b : frame) sum += b;
  return sum % 256 == 0;
}

class UnitSimE2eTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (const auto why = WhyNoPseudoTerminal()) GTEST_SKIP() << "no pseudo-terminal available here: " << *why;
  }

  // Starts the simulator and returns the path of its pseudo-terminal.
  std::string Launch(std::vector<std::string> args) {
    args.insert(args.end(), {"--quit-after", "60"});
    return sim.Launch(args, kWait);
  }

  UnitSimProcess sim{TESSARO_UNIT_SIM_PATH};
};

TEST_F(UnitSimE2eTest, ReadRequestIsAnsweredWithTheValueOnTheWire) {
  const std::string path = Launch({"--no-pace", "--hex"});
  ASSERT_FALSE(path.empty()) << sim.Seen();
  PeerPort port;
  ASSERT_TRUE(port.Open(path)) << path;

  ASSERT_TRUE(port.Send(kAttention));
  ASSERT_TRUE(port.Send(kRead21));
  const Bytes reply = port.Receive(kRead21Reply.size());
  EXPECT_EQ(Hex(reply), Hex(kRead21Reply));
  EXPECT_TRUE(SumsToZero(reply));
  ASSERT_GE(reply.size(), 12u);
  EXPECT_EQ(reply[4], 0x06) << "ACK";
  EXPECT_EQ(reply[7], 21) << "item";
  EXPECT_EQ(reply[1] + 1u, reply.size()) << "LEN";

  EXPECT_TRUE(sim.WaitForNextLine("TX ", kWait)) << sim.Seen();
  EXPECT_NE(sim.Seen().find("RX 01 01 80 7F\nRX " + Hex(kRead21) + "\n"), std::string::npos) << sim.Seen();
  EXPECT_NE(sim.Seen().find("TX " + Hex(kRead21Reply) + "\n"), std::string::npos) << sim.Seen();
  EXPECT_EQ(sim.Stop(), 0);
}

TEST_F(UnitSimE2eTest, WriteThenReadBackWithPacingAndOneBadChecksum) {
  const std::string path = Launch({"--fault", "bad-checksum:1"});
  ASSERT_FALSE(path.empty()) << sim.Seen();
  PeerPort port;
  ASSERT_TRUE(port.Open(path));

  ASSERT_TRUE(port.Send({0x01, 0x0D, 0x01, 0x00, 0x02, 0x57, 0x1F, 0x15, 0x1E, 0x77, 0x1F, 0x02, 0x1E, 0x90}));
  const Bytes ack = port.Receive(7);
  EXPECT_EQ(Hex(ack), "01 06 01 00 06 57 9C") << "first reply carries the bad checksum";
  EXPECT_TRUE(sim.WaitForNextLine("SET 21 2", kWait)) << sim.Seen();

  ASSERT_TRUE(port.Send(kRead21));
  const Bytes reply = port.Receive(14);
  EXPECT_EQ(Hex(reply), "01 0D 01 00 06 57 1F 15 1E 77 1F 02 1E 8C");
  EXPECT_TRUE(SumsToZero(reply));
}

TEST_F(UnitSimE2eTest, StatusLineAndBootBannerAreFreeText) {
  const std::string path = Launch({"--no-pace", "--set", "0=1", "--status-every", "0.2"});
  ASSERT_FALSE(path.empty()) << sim.Seen();
  PeerPort port;
  ASSERT_TRUE(port.Open(path));
  EXPECT_EQ(port.ReceiveLine(), "Tessaro-IP status: ESPA link up, 0 calls queued\r\n");

  // Switch the diagnostic output off, then reset: ACK, then the banner.
  ASSERT_TRUE(port.Send({0x01, 0x0D, 0x01, 0x00, 0x02, 0x57, 0x1F, 0x00, 0x1E, 0x77, 0x1F, 0x00, 0x1E, 0xA7}));
  ASSERT_TRUE(sim.WaitForNextLine("SET 0 0", kWait)) << sim.Seen();
  std::string beforeAck;
  for (Bytes b = port.Receive(1); !b.empty() && b[0] != 0x01; b = port.Receive(1)) beforeAck += char(b[0]);
  EXPECT_EQ(beforeAck.find_first_not_of("Tessaro-IP status: ESPA link up, 0 calls queued\r\n"), std::string::npos);
  EXPECT_EQ(Hex(port.Receive(6)), "06 01 00 06 57 9B");

  ASSERT_TRUE(port.Send({0x01, 0x06, 0x01, 0x00, 0x02, 0x52, 0xA4}));
  EXPECT_EQ(Hex(port.Receive(7)), "01 06 01 00 06 52 A0");
  EXPECT_EQ(port.ReceiveLine(), "Tessaro-IP converter starting\r\n");
}

TEST_F(UnitSimE2eTest, LinkFollowsThePortThroughHangUpAndReturn) {
  const TestFolder dir;
  ASSERT_FALSE(dir.Path().empty());
  const std::string link = (dir.Path() / "unit").string();
  auto target = [&]() -> std::string {
    char buf[256];
    const ssize_t n = ::readlink(link.c_str(), buf, sizeof buf);
    return n < 0 ? std::string() : std::string(buf, static_cast<std::size_t>(n));
  };

  const std::string first = Launch({"--no-pace", "--link", link, "--hangup-after", "1", "--return-after", "0.3"});
  ASSERT_FALSE(first.empty()) << sim.Seen();
  EXPECT_EQ(target(), first);
  {
    PeerPort port;
    ASSERT_TRUE(port.Open(link));
    ASSERT_TRUE(port.Send(kRead21));
    EXPECT_EQ(Hex(port.Receive(14)), Hex(kRead21Reply)) << "the last reply goes out before the hang-up";
    ASSERT_TRUE(sim.WaitForNextLine("HANGUP", kWait)) << sim.Seen();
    struct stat st {};
    EXPECT_NE(::lstat(link.c_str(), &st), 0) << "link removed while the port is gone";
  }
  const auto again = sim.WaitForNextLine("PTY ", kWait);
  ASSERT_TRUE(again) << sim.Seen();
  EXPECT_EQ(target(), again->substr(4));
  {
    PeerPort port;
    ASSERT_TRUE(port.Open(link));
    ASSERT_TRUE(port.Send(kRead21));
    EXPECT_EQ(Hex(port.Receive(14)), Hex(kRead21Reply));
  }
  EXPECT_EQ(sim.Stop(), 0);
  struct stat st {};
  EXPECT_NE(::lstat(link.c_str(), &st), 0) << "link removed on exit";
}

}  // namespace

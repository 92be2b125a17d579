// Runs the real simulator binary and talks to it over its pseudo-terminal.
#include <gtest/gtest.h>

#include <cerrno>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

using namespace std::chrono_literals;
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

// The simulator as a child process, its stdout read line by line with bounded waits.
class SimProcess {
 public:
  ~SimProcess() { Stop(); }

  bool Start(const std::vector<std::string>& args) {
    int pipeFds[2];
    if (::pipe(pipeFds) != 0) return false;
    fcntl(pipeFds[0], F_SETFD, FD_CLOEXEC);
    fcntl(pipeFds[1], F_SETFD, FD_CLOEXEC);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    std::vector<std::string> all{TESSARO_UNIT_SIM_PATH};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& a : all) argv.push_back(a.data());
    argv.push_back(nullptr);
    const int rc = posix_spawn(&pid_, all[0].c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeFds[1]);
    out_ = pipeFds[0];
    if (rc != 0) pid_ = -1;
    return rc == 0;
  }

  // Next stdout line starting with `prefix`; other lines are kept in Seen().
  std::optional<std::string> WaitForLine(const std::string& prefix) {
    const auto deadline = Clock::now() + kWait;
    for (;;) {
      for (auto nl = buffer_.find('\n'); nl != std::string::npos; nl = buffer_.find('\n')) {
        std::string line = buffer_.substr(0, nl);
        buffer_.erase(0, nl + 1);
        seen_ += line + "\n";
        if (line.rfind(prefix, 0) == 0) return line;
      }
      pollfd pfd{out_, POLLIN, 0};
      if (::poll(&pfd, 1, PollMs(deadline)) <= 0) return std::nullopt;
      char chunk[512];
      const ssize_t n = ::read(out_, chunk, sizeof chunk);
      if (n <= 0) return std::nullopt;
      buffer_.append(chunk, static_cast<std::size_t>(n));
    }
  }

  const std::string& Seen() const { return seen_; }

  // SIGTERM and a bounded wait; the exit code, or -1.
  int Stop() {
    if (pid_ <= 0) return exitCode_;
    ::kill(pid_, SIGTERM);
    const auto deadline = Clock::now() + kWait;
    int status = 0;
    while (::waitpid(pid_, &status, WNOHANG) == 0) {
      if (Clock::now() >= deadline) {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, &status, 0);
        break;
      }
      ::poll(nullptr, 0, 10);
    }
    pid_ = -1;
    if (out_ >= 0) ::close(out_);
    out_ = -1;
    exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return exitCode_;
  }

 private:
  pid_t pid_ = -1;
  int out_ = -1;
  int exitCode_ = -1;
  std::string buffer_;
  std::string seen_;
};

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
    const int probe = posix_openpt(O_RDWR | O_NOCTTY);
    if (probe < 0) GTEST_SKIP() << "no pseudo-terminal available here: " << std::strerror(errno);
    ::close(probe);
  }

  // Starts the simulator and returns the path of its pseudo-terminal.
  std::string Launch(std::vector<std::string> args) {
    args.insert(args.end(), {"--quit-after", "60"});
    if (!sim.Start(args)) return {};
    const auto line = sim.WaitForLine("PTY ");
    return line ? line->substr(4) : std::string();
  }

  SimProcess sim;
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

  EXPECT_TRUE(sim.WaitForLine("TX ")) << sim.Seen();
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
  EXPECT_TRUE(sim.WaitForLine("SET 21 2")) << sim.Seen();

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
  ASSERT_TRUE(sim.WaitForLine("SET 0 0")) << sim.Seen();
  std::string beforeAck;
  for (Bytes b = port.Receive(1); !b.empty() && b[0] != 0x01; b = port.Receive(1)) beforeAck += char(b[0]);
  EXPECT_EQ(beforeAck.find_first_not_of("Tessaro-IP status: ESPA link up, 0 calls queued\r\n"), std::string::npos);
  EXPECT_EQ(Hex(port.Receive(6)), "06 01 00 06 57 9B");

  ASSERT_TRUE(port.Send({0x01, 0x06, 0x01, 0x00, 0x02, 0x52, 0xA4}));
  EXPECT_EQ(Hex(port.Receive(7)), "01 06 01 00 06 52 A0");
  EXPECT_EQ(port.ReceiveLine(), "Tessaro-IP converter starting\r\n");
}

// A scratch folder, removed with whatever link is left in it.
struct ScratchDir {
  ScratchDir() : path(::testing::TempDir() + "unitsimXXXXXX") {
    if (::mkdtemp(path.data()) == nullptr) path.clear();
  }
  ~ScratchDir() {
    if (path.empty()) return;
    ::unlink((path + "/unit").c_str());
    ::rmdir(path.c_str());
  }
  std::string path;
};

TEST_F(UnitSimE2eTest, LinkFollowsThePortThroughHangUpAndReturn) {
  const ScratchDir dir;
  ASSERT_FALSE(dir.path.empty());
  const std::string link = dir.path + "/unit";
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
    ASSERT_TRUE(sim.WaitForLine("HANGUP")) << sim.Seen();
    struct stat st {};
    EXPECT_NE(::lstat(link.c_str(), &st), 0) << "link removed while the port is gone";
  }
  const auto again = sim.WaitForLine("PTY ");
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

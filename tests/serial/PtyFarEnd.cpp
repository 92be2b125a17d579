// Runs on the host beside a port test that runs under Wine: holds the far
// end of a pseudo-terminal whose slave the test opens as a COM port, and does
// what the test asks over a TCP connection on the loopback address.
//
//   pty-far-end LINK -- COMMAND...
//
// LINK is a symbolic link that Wine's COM port leads to; it points at the
// slave while a test connection is open and at nothing otherwise. COMMAND
// runs with TESSARO_FAR_END set to the port to connect to; its exit status
// is this program's. A connection starts without a device (ask 'R' for one);
// when it ends, its device goes.
//
// Requests, one byte each, then their arguments; every request is answered:
//   'S' n(4 bytes, little-endian) bytes -> 'k'   the far end sends the bytes
//   'T'                                 -> n(4) bytes   what it has received
//   'H'                                 -> 'k'   it stops reading until the next 'T',
//                                                so the line backs up
//   'V'                                 -> 'k'   the device vanishes
//   'R'                                 -> 'k' or 'e'   a new device appears

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

bool PointLink(const fs::path& link, const fs::path& target) {
  // Re-pointed in one step, so an open never finds the name missing.
  const fs::path fresh = link.string() + ".new";
  std::error_code error;
  fs::remove(fresh, error);
  fs::create_symlink(target, fresh, error);
  if (!error) fs::rename(fresh, link, error);
  if (error) std::fprintf(stderr, "pty-far-end: cannot point %s: %s\n", link.c_str(), error.message().c_str());
  return !error;
}

class FarEnd {
 public:
  explicit FarEnd(fs::path link) : link_(std::move(link)) {}
  ~FarEnd() { Vanish(); }

  bool Appear() {
    Vanish();
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) return false;
    const char* slave = ::ptsname(master_);
    if (slave == nullptr) return false;
    // Held open here too: a master whose slave nobody holds reports a
    // hang-up to every poll, which would keep this loop busy.
    slave_ = ::open(slave, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    return slave_ >= 0 && PointLink(link_, slave);
  }
  void Hold() { holding_ = true; }
  void Vanish() {
    holding_ = false;
    if (master_ >= 0) ::close(master_);
    if (slave_ >= 0) ::close(slave_);
    master_ = slave_ = -1;
    outgoing_.clear();
    received_.clear();
    // The freed pseudo-terminal number may go to another process at once.
    PointLink(link_, link_.string() + ".gone");
  }
  int Master() const { return master_; }
  void Send(const Bytes& bytes) { outgoing_.insert(outgoing_.end(), bytes.begin(), bytes.end()); }
  Bytes Take() {
    holding_ = false;
    Serve();
    Bytes taken;
    taken.swap(received_);
    return taken;
  }
  bool WantsToWrite() const { return master_ >= 0 && !outgoing_.empty(); }
  bool WantsToRead() const { return master_ >= 0 && !holding_; }
  void Serve() {
    if (master_ < 0) return;
    uint8_t chunk[4096];
    while (!holding_) {
      const ssize_t n = ::read(master_, chunk, sizeof chunk);
      if (n <= 0) break;
      received_.insert(received_.end(), chunk, chunk + n);
    }
    while (!outgoing_.empty()) {
      const ssize_t n = ::write(master_, outgoing_.data(), outgoing_.size());
      if (n <= 0) break;
      outgoing_.erase(outgoing_.begin(), outgoing_.begin() + n);
    }
  }

 private:
  fs::path link_;
  int master_ = -1;
  int slave_ = -1;
  bool holding_ = false;
  Bytes outgoing_;
  Bytes received_;
};

// Reads exactly `size` bytes from a blocking socket.
bool ReadAll(int socket, void* into, size_t size) {
  auto* at = static_cast<uint8_t*>(into);
  while (size > 0) {
    const ssize_t n = ::recv(socket, at, size, 0);
    if (n <= 0) return false;
    at += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

bool WriteAll(int socket, const void* from, size_t size) {
  const auto* at = static_cast<const uint8_t*>(from);
  while (size > 0) {
    const ssize_t n = ::send(socket, at, size, MSG_NOSIGNAL);
    if (n <= 0) return false;
    at += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

bool WriteLength(int socket, uint32_t length) {
  const uint8_t bytes[4] = {static_cast<uint8_t>(length), static_cast<uint8_t>(length >> 8),
                            static_cast<uint8_t>(length >> 16), static_cast<uint8_t>(length >> 24)};
  return WriteAll(socket, bytes, sizeof bytes);
}

// False when the connection has ended or sent nonsense.
bool Answer(int socket, FarEnd& end) {
  uint8_t request = 0;
  if (!ReadAll(socket, &request, 1)) return false;
  switch (request) {
    case 'S': {
      uint8_t length[4];
      if (!ReadAll(socket, length, sizeof length)) return false;
      Bytes bytes(length[0] | length[1] << 8 | length[2] << 16 | static_cast<uint32_t>(length[3]) << 24);
      if (!ReadAll(socket, bytes.data(), bytes.size())) return false;
      end.Send(bytes);
      end.Serve();
      return WriteAll(socket, "k", 1);
    }
    case 'T': {
      const Bytes taken = end.Take();
      return WriteLength(socket, static_cast<uint32_t>(taken.size())) && WriteAll(socket, taken.data(), taken.size());
    }
    case 'H':
      end.Hold();
      return WriteAll(socket, "k", 1);
    case 'V':
      end.Vanish();
      return WriteAll(socket, "k", 1);
    case 'R':
      return WriteAll(socket, end.Appear() ? "k" : "e", 1);
    default:
      std::fprintf(stderr, "pty-far-end: unknown request %d\n", request);
      return false;
  }
}

int Listen(uint16_t& port) {
  const int listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t size = sizeof address;
  if (listener < 0 || ::bind(listener, reinterpret_cast<sockaddr*>(&address), size) != 0 ||
      ::listen(listener, 4) != 0 || ::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
    std::perror("pty-far-end: listen");
    return -1;
  }
  port = ntohs(address.sin_port);
  return listener;
}

int ExitStatus(int status) { return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status); }

}  // namespace

int main(int argc, char* argv[]) {
  if (argc < 4 || std::strcmp(argv[2], "--") != 0) {
    std::fprintf(stderr, "usage: pty-far-end LINK -- COMMAND...\n");
    return 2;
  }
  FarEnd end{fs::path(argv[1])};
  end.Vanish();
  uint16_t port = 0;
  const int listener = Listen(port);
  if (listener < 0) return 2;

  const pid_t child = ::fork();
  if (child == 0) {
    ::setenv("TESSARO_FAR_END", std::to_string(port).c_str(), 1);
    ::execvp(argv[3], argv + 3);
    std::perror("pty-far-end: cannot start the command");
    ::_exit(127);
  }

  int connection = -1;
  for (;;) {
    int status = 0;
    if (::waitpid(child, &status, WNOHANG) == child) return ExitStatus(status);
    pollfd watched[2] = {{connection >= 0 ? connection : listener, POLLIN, 0},
                         {end.WantsToRead() || end.WantsToWrite() ? end.Master() : -1, 0, 0}};
    if (end.WantsToRead()) watched[1].events |= POLLIN;
    if (end.WantsToWrite()) watched[1].events |= POLLOUT;
    if (::poll(watched, 2, 20) < 0 && errno != EINTR) break;
    if (watched[1].revents != 0) end.Serve();
    if (watched[0].revents == 0) continue;
    if (connection < 0) {
      connection = ::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
    } else if (!Answer(connection, end)) {
      ::close(connection);
      connection = -1;
      end.Vanish();
    }
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  return ExitStatus(status);
}

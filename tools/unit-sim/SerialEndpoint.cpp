#include "tools/unit-sim/SerialEndpoint.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace tessaro::unitsim {

namespace {

std::string SystemError(const std::string& what) { return what + ": " + std::strerror(errno); }

// Raw bytes both ways: no echo, no CR/LF translation, no XON/XOFF, no signals.
bool MakeRaw(int fd) {
  termios t{};
  if (tcgetattr(fd, &t) != 0) return false;
  cfmakeraw(&t);
  t.c_cflag &= ~static_cast<tcflag_t>(PARENB | CSTOPB | CSIZE);
#ifdef CRTSCTS
  t.c_cflag &= ~static_cast<tcflag_t>(CRTSCTS);
#endif
  t.c_cflag |= CS8 | CLOCAL | CREAD;
  t.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
  t.c_cc[VMIN] = 0;
  t.c_cc[VTIME] = 0;
  cfsetispeed(&t, B9600);
  cfsetospeed(&t, B9600);
  return tcsetattr(fd, TCSANOW, &t) == 0;
}

bool IsGone(int err) { return err == EIO || err == ENXIO || err == ENODEV || err == EBADF || err == EPIPE; }

}  // namespace

std::string SerialEndpoint::OpenPseudoTerminal() {
  Close();
  const int master = posix_openpt(O_RDWR | O_NOCTTY);
  if (master < 0) return SystemError("posix_openpt");
  if (grantpt(master) != 0 || unlockpt(master) != 0) {
    const std::string error = SystemError("grantpt/unlockpt");
    ::close(master);
    return error;
  }
  const char* name = ptsname(master);
  if (name == nullptr) {
    const std::string error = SystemError("ptsname");
    ::close(master);
    return error;
  }
  std::string path = name;
  const int slave = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
  if (slave < 0) {
    const std::string error = SystemError("open " + path);
    ::close(master);
    return error;
  }
  if (!MakeRaw(slave) || !MakeRaw(master) || fcntl(master, F_SETFL, O_NONBLOCK) != 0) {
    const std::string error = SystemError("raw mode on " + path);
    ::close(slave);
    ::close(master);
    return error;
  }
  fd_ = master;
  slaveFd_ = slave;
  peerPath_ = std::move(path);
  return {};
}

std::string SerialEndpoint::OpenDevice(const std::string& path) {
  Close();
  const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) return SystemError("open " + path);
  if (!MakeRaw(fd)) {
    const std::string error = SystemError("raw 9600 8N1 on " + path);
    ::close(fd);
    return error;
  }
  tcflush(fd, TCIOFLUSH);
  fd_ = fd;
  peerPath_ = path;
  return {};
}

void SerialEndpoint::Close() {
  if (fd_ >= 0) ::close(fd_);
  if (slaveFd_ >= 0) ::close(slaveFd_);
  fd_ = -1;
  slaveFd_ = -1;
}

long SerialEndpoint::Read(uint8_t* buffer, std::size_t size) {
  if (fd_ < 0) return -1;
  const ssize_t n = ::read(fd_, buffer, size);
  if (n > 0) return n;
  // With VMIN = VTIME = 0 a tty answers "nothing waiting" with 0; a hang-up
  // shows as POLLHUP, which the caller checks.
  if (n == 0) return 0;
  if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR) return 0;
  return IsGone(errno) ? -1 : 0;
}

long SerialEndpoint::Write(const uint8_t* data, std::size_t size) {
  if (fd_ < 0) return -1;
  const ssize_t n = ::write(fd_, data, size);
  if (n >= 0) return n;
  if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR) return 0;
  return IsGone(errno) ? -1 : 0;
}

int SerialEndpoint::Unread() const {
  int count = 0;
  // For a pseudo-terminal, what waits in the input queue of the program's side;
  // for a device, what has not left the UART yet.
  const int rc = IsPseudoTerminal() ? ::ioctl(slaveFd_, FIONREAD, &count) : ::ioctl(fd_, TIOCOUTQ, &count);
  return rc == 0 && count > 0 ? count : 0;
}

std::string PointLink(const std::string& linkPath, const std::string& target) {
  struct stat st {};
  if (lstat(linkPath.c_str(), &st) == 0 && !S_ISLNK(st.st_mode)) {
    return linkPath + " exists and is not a symlink; not replaced";
  }
  // Made beside the link and renamed over it, so the link is never missing
  // while it is re-pointed.
  const std::string temp = linkPath + ".tmp-" + std::to_string(::getpid());
  ::unlink(temp.c_str());
  if (::symlink(target.c_str(), temp.c_str()) != 0) return SystemError("symlink " + linkPath);
  if (::rename(temp.c_str(), linkPath.c_str()) != 0) {
    const std::string error = SystemError("rename to " + linkPath);
    ::unlink(temp.c_str());
    return error;
  }
  return {};
}

void RemoveLink(const std::string& linkPath, const std::string& target) {
  char buffer[4096];
  const ssize_t n = ::readlink(linkPath.c_str(), buffer, sizeof buffer - 1);
  if (n < 0) return;
  if (std::string(buffer, static_cast<std::size_t>(n)) == target) ::unlink(linkPath.c_str());
}

}  // namespace tessaro::unitsim

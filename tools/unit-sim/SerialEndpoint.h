#pragma once

#include <cstdint>
#include <string>

namespace tessaro::unitsim {

// The simulator's end of the line: the master side of a new pseudo-terminal,
// or a real serial device. Raw 8-bit, non-blocking.
class SerialEndpoint {
 public:
  SerialEndpoint() = default;
  ~SerialEndpoint() { Close(); }
  SerialEndpoint(const SerialEndpoint&) = delete;
  SerialEndpoint& operator=(const SerialEndpoint&) = delete;

  // A new pseudo-terminal; its slave path is what the program opens.
  // Returns an error text, empty on success.
  std::string OpenPseudoTerminal();
  // A serial device set to raw 9600 8N1.
  std::string OpenDevice(const std::string& path);
  void Close();

  bool IsOpen() const { return fd_ >= 0; }
  int Fd() const { return fd_; }
  // The path the program opens.
  const std::string& PeerPath() const { return peerPath_; }
  bool IsPseudoTerminal() const { return slaveFd_ >= 0; }

  // Bytes read, 0 when nothing is waiting (or, with POLLHUP, at a hang-up),
  // -1 when the line is gone.
  long Read(uint8_t* buffer, std::size_t size);
  // Bytes written (possibly 0 when the line is full), -1 when the line is gone.
  long Write(const uint8_t* data, std::size_t size);
  // Bytes written but not yet taken by the other side (0 when unknown).
  int Unread() const;

 private:
  int fd_ = -1;
  // Held open so the master never sees a hang-up while the program has the
  // port closed, and so the raw settings stay in place between its opens.
  int slaveFd_ = -1;
  std::string peerPath_;
};

// Makes `linkPath` a symlink to `target`, replacing an older symlink but
// never another kind of file. Returns an error text, empty on success.
std::string PointLink(const std::string& linkPath, const std::string& target);
// Removes `linkPath` if it is still a symlink to `target`.
void RemoveLink(const std::string& linkPath, const std::string& target);

}  // namespace tessaro::unitsim

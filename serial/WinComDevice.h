#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "serial/BytePort.h"

namespace tessaro {

// One open Windows COM device, read and written with overlapped I/O so that
// no call waits for the line. A read is always pending; it finishes once
// bytes have come and the line has gone quiet, or the device has failed.
// Win32 only.
class WinComDevice {
 public:
  // Manual-reset events the caller owns and may wait on: `readDone` is
  // signalled when the pending read has finished, `writeDone` when the
  // pending write has. They outlive every device that uses them, so a
  // watcher never sees one vanish.
  struct Events {
    void* readDone = nullptr;
    void* writeDone = nullptr;
  };

  // nullptr when the device does not exist, is in use, is no serial port or
  // rejects the settings. `name` is the Windows name, e.g. "COM3" or "COM12".
  static std::unique_ptr<WinComDevice> Open(const std::string& name, const LineSettings& settings, Events events);
  ~WinComDevice();
  WinComDevice(const WinComDevice&) = delete;
  WinComDevice& operator=(const WinComDevice&) = delete;

  // Takes in what a finished read brought and starts the next read; the
  // number of bytes that came in. Costs nothing while the read is pending.
  std::size_t TakeArrived();
  // Hands queued bytes on once the write before them has finished.
  void SendQueued();
  // Asks the driver whether the device is still there (a system call).
  void CheckLine();
  // False once a read, a write or the line check failed: the device is then
  // closed, and what it had taken in is dropped as on closing.
  bool Alive() const { return handle_ != nullptr; }
  std::size_t Waiting() const { return input_.size(); }
  // The next byte taken in, or -1.
  int ReadByte();
  bool WriteByte(uint8_t value);
  void DiscardInput();

 private:
  WinComDevice(void* handle, Events events);
  void StartRead();
  void Fail();
  // Cancels pending I/O and waits for the cancellation, which the driver
  // completes at once: the buffers must not be freed under the driver.
  void Shut();

  void* handle_;
  Events events_;
  struct Overlapped;
  std::unique_ptr<Overlapped> read_;
  std::unique_ptr<Overlapped> write_;
  bool readPending_ = false;
  bool writePending_ = false;
  std::vector<uint8_t> readBuffer_;
  std::vector<uint8_t> writing_;
  std::deque<uint8_t> outgoing_;
  std::deque<uint8_t> input_;
};

}  // namespace tessaro

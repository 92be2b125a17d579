#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "serial/BytePort.h"

class QWinEventNotifier;

namespace tessaro {

class WinComDevice;

// BytePort over a Windows COM device. It never blocks. With the toolkit's
// event loop running, bytes and a failed device are reported as the
// device's reads finish; without one the port is read on the caller's ticks.
class WinSerialBytePort final : public BytePort {
 public:
  // The Windows name that stands for a COM number ("COM3").
  using DeviceNaming = std::function<std::string(int portNumber)>;

  // Devices named by PortDeviceName.
  WinSerialBytePort();
  explicit WinSerialBytePort(DeviceNaming naming);
  ~WinSerialBytePort() override;
  WinSerialBytePort(const WinSerialBytePort&) = delete;
  WinSerialBytePort& operator=(const WinSerialBytePort&) = delete;

  bool Open(int portNumber, const LineSettings& settings) override;
  bool Close() override;
  bool IsOpen() override;
  int ReadByte() override;
  bool WriteByte(uint8_t value) override;
  void DiscardInput() override;
  void SetArrivalHandler(std::function<void()> handler) override { arrival_ = std::move(handler); }

  // Notifications that brought no bytes. A failed device that kept waking
  // the event loop would make this climb without end.
  int IdleWakeCount() const { return idleWakes_; }

 private:
  void WatchEvents();
  void OnReadDone();
  void OnWriteDone();
  void CheckLineWhenDue();

  DeviceNaming naming_;
  // Created once and kept until the port goes: closing or reopening the
  // device inside a notification then frees nothing that is still running.
  void* readDone_ = nullptr;
  void* writeDone_ = nullptr;
  std::unique_ptr<QWinEventNotifier> readWatch_;
  std::unique_ptr<QWinEventNotifier> writeWatch_;
  std::unique_ptr<WinComDevice> device_;
  std::function<void()> arrival_;
  int idleWakes_ = 0;
  std::chrono::steady_clock::time_point lastCheck_{};
};

}  // namespace tessaro

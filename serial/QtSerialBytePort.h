#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QPointer>
#include <QSerialPort>

#include "serial/BytePort.h"

namespace tessaro {

// BytePort over QSerialPort. It never blocks. With the toolkit's event loop
// running, bytes and a vanished device are reported by the port's signals;
// without one it still works, polling the device at most about once a tick.
// A QSerialPort goes on touching itself after it emitted a signal, so none
// is closed inside its own signal nor ever deleted at once: a port done with
// is handed to the event loop to close and delete.
class QtSerialBytePort final : public BytePort {
 public:
  // The device that stands for a COM number.
  using DeviceNaming = std::function<std::string(int portNumber)>;

  // Devices named by PortDeviceName.
  QtSerialBytePort();
  explicit QtSerialBytePort(DeviceNaming naming);
  ~QtSerialBytePort() override;
  QtSerialBytePort(const QtSerialBytePort&) = delete;
  QtSerialBytePort& operator=(const QtSerialBytePort&) = delete;

  bool Open(int portNumber, const LineSettings& settings) override;
  bool Close() override;
  bool IsOpen() override;
  int ReadByte() override;
  bool WriteByte(uint8_t value) override;
  void DiscardInput() override;
  void SetArrivalHandler(std::function<void()> handler) override { arrival_ = std::move(handler); }

  // Error signals of the port other than poll time-outs. A vanished device
  // makes the port signal in a tight loop unless it is shut at once, so a
  // count that keeps climbing shows a busy loop.
  int ErrorSignalCount() const { return errorSignals_; }

 private:
  void OnError(QSerialPort& port, int error);
  // Pulls whatever the device has received into the port's buffer and
  // notices a device that has gone; not more often than kPollSpacing, as
  // every poll is a system call and the engine asks hundreds of times a tick,
  // and not at all once an event loop serves the port.
  void PollWhenDue();
  void Shut(QSerialPort& port);
  bool PortOpen() const;
  // Runs a handler of the port's signals; Close inside it waits for the loop.
  template <class Handler>
  void InSignal(Handler handler);
  // The port leaves this adapter; the loop closes and deletes it.
  void Retire(std::unique_ptr<QSerialPort> port);
  // Ports retired earlier that the loop has not deleted yet: safe to delete
  // now, outside any of their signals.
  void DeleteRetired();

  DeviceNaming naming_;
  std::unique_ptr<QSerialPort> port_;
  bool opening_ = false;
  // The device failed inside a signal; the port reads as closed until the
  // loop has shut it.
  bool lost_ = false;
  int signalDepth_ = 0;
  std::vector<QPointer<QSerialPort>> retired_;
  int errorSignals_ = 0;
  std::function<void()> arrival_;
  std::chrono::steady_clock::time_point lastPoll_{};
};

}  // namespace tessaro

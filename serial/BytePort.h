#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace tessaro {

// Line parameters as the serial layer applies them.
struct LineSettings {
  int baud = 9600;
  char parity = 'N';  // 'N', 'E' or 'O'
  int dataBits = 8;
  int stopBits = 1;
  bool rtsCtsHandshake = false;
  bool rts = false;
  bool dtr = false;
};

// The narrow seam to a serial device: the real one wraps QSerialPort, tests
// use a scriptable fake. Nothing here may block.
class BytePort {
 public:
  virtual ~BytePort() = default;
  // portNumber is the COM number (1 = COM1). False when the device does not
  // exist, is in use, is already open or rejects the settings.
  virtual bool Open(int portNumber, const LineSettings& settings) = 0;
  // False when closing failed.
  virtual bool Close() = 0;
  // False once the port is closed or the device has vanished.
  virtual bool IsOpen() = 0;
  // The next received byte 0..255, or -1 when none is waiting or the port fails.
  virtual int ReadByte() = 0;
  // False when the byte could not be handed to the port.
  virtual bool WriteByte(uint8_t value) = 0;
  // Drops every received byte that is waiting.
  virtual void DiscardInput() = 0;
  // Called from the front end's event loop when bytes have arrived, for
  // every device opened from now on. A port without an event loop never
  // calls it; it is then read on the timer's ticks only.
  virtual void SetArrivalHandler(std::function<void()> /*handler*/) {}
};

}  // namespace tessaro

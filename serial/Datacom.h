#pragma once

#include <cstdint>
#include <string>

#include "lang/LanguageTexts.h"
#include "messages/MessageLog.h"
#include "serial/BytePort.h"

namespace tessaro {

// Where Datacom shows the open port (the caption of the communication frame
// on the main window). Optional.
class CommunicationFrame {
 public:
  virtual ~CommunicationFrame() = default;
  virtual void SetCommunicationCaption(const std::string& caption) = 0;
};

// A line setting as indexes into the speed, parity, data bit, stop bit and
// handshake lists.
struct LineIndexes {
  int16_t speed;
  int16_t parity;
  int16_t dataBits;
  int16_t stopBits;
  int16_t handshake;
};

// The unit's diagnostic port: 9600 baud, no parity, 8 data bits, 1 stop bit,
// no handshake.
inline constexpr LineIndexes UnitLine{4, 0, 1, 0, 0};

// The only code that touches the COM port. Single-byte, non-blocking.
class Datacom {
 public:
  Datacom(BytePort& port, MessageLog& log, const LanguageTexts& texts, CommunicationFrame* frame = nullptr);

  // 0 when the port is open, -1 when opening failed (reported as a message line).
  int16_t OpenComPort(int16_t portIndex, int16_t speedIndex, int16_t parityIndex,
                      int16_t dataBitsIndex, int16_t stopBitsIndex, int16_t handshakeIndex);
  // Opens the port as the unit's diagnostic port wants it.
  int16_t OpenUnitPort(int16_t portIndex) {
    return OpenComPort(portIndex, UnitLine.speed, UnitLine.parity, UnitLine.dataBits, UnitLine.stopBits,
                       UnitLine.handshake);
  }
  void CloseComPort();
  // Next received byte 0..255, or -1.
  int16_t ReadByte();
  // 0 when handed to the port; -1 for a value outside 0..255 or a port failure.
  int16_t SendByte(int value);
  void FlushInput();
  // 1 open, -1 closed or cannot be asked.
  int16_t PortIsOpen();

  // The four-field description, for example "9600,N,8,1".
  static std::string SettingsText(int16_t speedIndex, int16_t parityIndex, int16_t dataBitsIndex,
                                  int16_t stopBitsIndex);

  // Raised by every byte moved; only the LED blink clears them.
  bool TxActivity = false;
  bool RxActivity = false;

 private:
  BytePort& port_;
  MessageLog& log_;
  const LanguageTexts& texts_;
  CommunicationFrame* frame_;
};

}  // namespace tessaro

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

// The only code that touches the COM port. Single-byte, non-blocking.
class Datacom {
 public:
  Datacom(BytePort& port, MessageLog& log, const LanguageTexts& texts, CommunicationFrame* frame = nullptr);

  // 0 when the port is open, -1 when opening failed (reported as a message line).
  int16_t OpenComPort(int16_t portIndex, int16_t speedIndex, int16_t parityIndex,
                      int16_t dataBitsIndex, int16_t stopBitsIndex, int16_t handshakeIndex);
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

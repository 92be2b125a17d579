#include "serial/Datacom.h"

#include "messages/TextFormat.h"

namespace tessaro {
namespace {

constexpr int kSpeeds[] = {300, 1200, 2400, 4800, 9600, 19200};

int SpeedOfIndex(int16_t index) { return index >= 0 && index <= 5 ? kSpeeds[index] : 9600; }

char ParityOfIndex(int16_t index) { return index == 1 ? 'E' : index == 2 ? 'O' : 'N'; }

int DataBitsOfIndex(int16_t index) { return index == 0 ? 7 : 8; }

int StopBitsOfIndex(int16_t index) { return index == 1 ? 2 : 1; }

// A serial layer may report a fault by throwing; callers of Datacom only
// ever see the failure value.
template <class Call, class Result>
Result Guarded(Call call, Result onFault) {
  try {
    return call();
  } catch (...) {
    return onFault;
  }
}

}  // namespace

Datacom::Datacom(BytePort& port, MessageLog& log, const LanguageTexts& texts, CommunicationFrame* frame)
    : port_(port), log_(log), texts_(texts), frame_(frame) {}

std::string Datacom::SettingsText(int16_t speedIndex, int16_t parityIndex, int16_t dataBitsIndex,
                                  int16_t stopBitsIndex) {
  return std::to_string(SpeedOfIndex(speedIndex)) + "," + ParityOfIndex(parityIndex) + "," +
         std::to_string(DataBitsOfIndex(dataBitsIndex)) + "," +
         std::to_string(StopBitsOfIndex(stopBitsIndex));
}

int16_t Datacom::OpenComPort(int16_t portIndex, int16_t speedIndex, int16_t parityIndex,
                             int16_t dataBitsIndex, int16_t stopBitsIndex, int16_t handshakeIndex) {
  const int portNumber = portIndex + 1;
  LineSettings line;
  line.baud = SpeedOfIndex(speedIndex);
  line.parity = ParityOfIndex(parityIndex);
  line.dataBits = DataBitsOfIndex(dataBitsIndex);
  line.stopBits = StopBitsOfIndex(stopBitsIndex);
  line.rtsCtsHandshake = handshakeIndex != 0 && handshakeIndex != 1;
  line.rts = handshakeIndex != 0;
  line.dtr = false;
  const std::string settings = SettingsText(speedIndex, parityIndex, dataBitsIndex, stopBitsIndex);

  // Port numbers below 1 do not exist; the layer below is not asked.
  const bool opened = portNumber >= 1 && Guarded([&] { return port_.Open(portNumber, line); }, false);
  if (!opened) {
    log_.LogMessage(texts_.Text(slot::ErrorOpeningComport) + ":  " + std::to_string(portNumber));
    return -1;
  }
  log_.LogMessage("Com: " + std::to_string(portNumber) + " " + texts_.Text(slot::OpenedWith) + ": " + settings);
  if (frame_ != nullptr) {
    frame_->SetCommunicationCaption("Serial Port: " + IntText(portNumber) + " " + settings);
  }
  return 0;
}

void Datacom::CloseComPort() {
  if (Guarded([&] { return port_.Close(); }, false)) {
    log_.LogMessage(texts_.Text(slot::ComportClosed) + ".");
  } else {
    log_.LogMessage(texts_.Text(slot::ErrorClosingComport) + ".");
  }
}

int16_t Datacom::ReadByte() {
  const int byte = Guarded([&] { return port_.ReadByte(); }, -1);
  if (byte < 0 || byte > 255) return -1;
  RxActivity = true;
  return static_cast<int16_t>(byte);
}

int16_t Datacom::SendByte(int value) {
  if (value < 0 || value > 255) return -1;
  TxActivity = true;
  const bool written = Guarded([&] { return port_.WriteByte(static_cast<uint8_t>(value)); }, false);
  return written ? 0 : -1;
}

void Datacom::FlushInput() {
  Guarded(
      [&] {
        port_.DiscardInput();
        return true;
      },
      false);
}

int16_t Datacom::PortIsOpen() { return Guarded([&] { return port_.IsOpen(); }, false) ? 1 : -1; }

}  // namespace tessaro

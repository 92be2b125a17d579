#include "core/Items.h"
#include "protocol/ProtocolEngine.h"

namespace tessaro {

void ProtocolEngine::AddToCheckSum(int value) {
  CheckSum = static_cast<int16_t>(((CheckSum + value) % 256 + 256) % 256);
}

int16_t ProtocolEngine::SendChecked(int value) {
  if (datacom_.SendByte(value) < 0) return -1;
  AddToCheckSum(value);
  return 0;
}

void ProtocolEngine::SendAttention() {
  datacom_.SendByte(0x01);
  datacom_.SendByte(0x01);
  CheckSum = 1;
  datacom_.SendByte(0x80);
  AddToCheckSum(0x80);
  // Deliberately not the checksum rule's 7E: the unit expects 80 7F.
  datacom_.SendByte(256 - CheckSum);
  DelayCountdown = TicksFromNow(StepDelayTicks);
}

int16_t ProtocolEngine::SendFrame(const std::vector<uint8_t>& frame) {
  // A byte the port refuses is missing from the frame; the checksum covers
  // what went out, so the unit rejects the damaged frame.
  CheckSum = 0;
  int16_t result = 0;
  for (std::size_t i = 0; i + 1 < frame.size(); ++i) {
    if (SendChecked(frame[i]) < 0) result = -1;
  }
  if (datacom_.SendByte(CheckSum == 0 ? 0 : 256 - CheckSum) < 0) result = -1;
  return result;
}

int16_t ProtocolEngine::SendReadRequest(int16_t item) {
  const auto frame = BuildReadRequest(item);
  if (!frame) return -1;
  datacom_.FlushInput();
  SendFrame(*frame);
  return 1;
}

int16_t ProtocolEngine::SendWriteRequest(int16_t item, const ItemValue& value) {
  if (item > LastUnitItem) return 0;
  const auto frame = BuildWriteRequest(item, value);
  if (!frame) return -1;
  datacom_.FlushInput();
  SendFrame(*frame);
  return 1;
}

ItemValue ProtocolEngine::ParseReplyValue(int16_t item) const {
  return tessaro::ParseReplyValue(item, receiver_.Buffer(), receiver_.Length());
}

int16_t ProtocolEngine::ReplyItem() const { return tessaro::ReplyItem(receiver_.Buffer()); }

void ProtocolEngine::AwaitReply(const ReceptionStates& states) {
  receiver_.Start(!inTick_);
  EngineState = states.soh;
}

}  // namespace tessaro

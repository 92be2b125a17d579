#include "protocol/ProtocolEngine.h"

namespace tessaro {

// The SOH, LEN and data states of every transaction sit at sohState,
// sohState + 1 and sohState + 2.
ProtocolEngine::Reception ProtocolEngine::Receive(int16_t sohState) {
  const int step = EngineState - sohState;
  Reception outcome = Reception::Waiting;
  if (step == 0) {
    outcome = ReceiveSoh(sohState);
  } else if (step == 1) {
    outcome = ReceiveLen(sohState);
  } else {
    outcome = ReceiveData();
  }
  if (outcome != Reception::Waiting && outcome != Reception::Complete) {
    EngineState = engine_state::Idle;
  }
  return outcome;
}

void ProtocolEngine::StoreReceived(int byte) {
  if (RxPos >= 0 && RxPos < RxBufferSize) RxBuffer[static_cast<std::size_t>(RxPos)] = static_cast<int16_t>(byte);
  ++RxPos;
}

ProtocolEngine::Reception ProtocolEngine::ReceiveSoh(int16_t sohState) {
  // One byte per tick; anything before the SOH is dropped.
  if (datacom_.ReadByte() == SOH) {
    CheckSum = 1;
    RxPos = 0;
    StoreReceived(SOH);
    ReplyCountdown = ReplyTimeoutTicks;
    EngineState = static_cast<int16_t>(sohState + 1);
    return Reception::Waiting;
  }
  return ReplyCountdown <= 0 ? Reception::SohTimeout : Reception::Waiting;
}

ProtocolEngine::Reception ProtocolEngine::ReceiveLen(int16_t sohState) {
  const int byte = datacom_.ReadByte();
  if (byte >= 0) {
    AddToCheckSum(byte);
    StoreReceived(byte);
    RxLength = static_cast<int16_t>(byte);
    ReplyCountdown = ReplyTimeoutTicks;
    EngineState = static_cast<int16_t>(sohState + 2);
    return Reception::Waiting;
  }
  return ReplyCountdown <= 0 ? Reception::LenTimeout : Reception::Waiting;
}

ProtocolEngine::Reception ProtocolEngine::ReceiveData() {
  // Everything waiting, up to the end of the frame; later bytes stay in the
  // port for the next reader.
  for (int byte = datacom_.ReadByte(); byte >= 0; byte = datacom_.ReadByte()) {
    AddToCheckSum(byte);
    StoreReceived(byte);
    // A reply that stops in its data must not hold the engine forever.
    ReplyCountdown = ReplyTimeoutTicks;
    if (RxPos > InfoMaxLen) return Reception::TooLong;
    if (RxPos > RxLength) return CheckSum == 0 ? Reception::Complete : Reception::ChecksumError;
  }
  // Ends like a missing LEN: the reply stopped somewhere in its data.
  return ReplyCountdown <= 0 ? Reception::LenTimeout : Reception::Waiting;
}

}  // namespace tessaro

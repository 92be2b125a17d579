#include "protocol/ProtocolEngine.h"

namespace tessaro {

ReplyOutcome ProtocolEngine::Receive(const ReceptionStates& states) {
  ReplyOutcome outcome = ReplyOutcome::Waiting;
  // Only up to the end of the frame; later bytes stay in the port for the
  // next reader.
  while (outcome == ReplyOutcome::Waiting && receiver_.Receiving()) {
    const int byte = datacom_.ReadByte();
    if (byte < 0) break;
    outcome = receiver_.Feed(static_cast<uint8_t>(byte));
  }
  if (outcome == ReplyOutcome::Waiting && tickPending_) {
    tickPending_ = false;
    outcome = receiver_.TickPassed();
  }
  // Whatever ended the reply, the unit gets its moment before the next request.
  if (outcome != ReplyOutcome::Waiting) gapTicks_ = TicksFromNow(1);
  switch (receiver_.Phase()) {
    case ReplyPhase::Soh: EngineState = states.soh; break;
    case ReplyPhase::Len: EngineState = states.len; break;
    case ReplyPhase::Data: EngineState = states.data; break;
    case ReplyPhase::Ended:
      // Waiting here means the wait was stopped from outside.
      if (outcome != ReplyOutcome::Complete) EngineState = engine_state::Idle;
      break;
  }
  return outcome;
}

}  // namespace tessaro

#include "protocol/ProtocolEngine.h"

namespace tessaro {

void ProtocolEngine::ResetSendState() {
  if (DelayCountdown > 0) return;
  IdleCountdown = QuietAfterWriteTicks;
  datacom_.FlushInput();
  if (const auto frame = BuildResetRequest()) SendFrame(*frame);
  PrepareReply();
  AwaitReply(engine_state::ResetSoh);
}

void ProtocolEngine::ResetReceiveState() {
  switch (Receive(engine_state::ResetSoh)) {
    case Reception::Waiting:
    case Reception::TooLong:
      return;
    case Reception::SohTimeout:
      Log(Text(slot::ResetTimeout) + " SOH.");
      return;
    case Reception::LenTimeout:
      Log(Text(slot::ResetTimeout) + " " + Text(slot::Length));
      return;
    case Reception::ChecksumError:
      Log(Text(slot::ResetChecksumError) + ".");
      return;
    case Reception::Complete:
      EngineState = engine_state::Idle;
      if (ReplyAccepted(RxBuffer, RxLength)) Log(Text(slot::ResetSent) + ".");
      return;
  }
}

}  // namespace tessaro

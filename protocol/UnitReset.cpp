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
      Log(Text(109) + " SOH.");
      return;
    case Reception::LenTimeout:
      Log(Text(109) + " " + Text(54));
      return;
    case Reception::ChecksumError:
      Log(Text(111) + ".");
      return;
    case Reception::Complete:
      EngineState = engine_state::Idle;
      if (ReplyAccepted(RxBuffer, RxLength)) Log(Text(110) + ".");
      return;
  }
}

}  // namespace tessaro

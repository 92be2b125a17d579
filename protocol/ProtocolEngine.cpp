#include "protocol/ProtocolEngine.h"

namespace tessaro {
namespace {

void CountDown(int16_t& countdown) {
  if (countdown > 0) --countdown;
}

}  // namespace

bool IsEngineState(int16_t state) {
  switch (state) {
    case 0: case 5: case 10:
    case 150: case 151: case 152: case 153:
    case 161: case 162: case 163: case 164:
    case 180: case 181: case 182: case 183:
    case 310: case 311: case 312: case 313: case 314:
    case 350: case 351: case 352: case 353: case 354:
      return true;
    default:
      return false;
  }
}

ProtocolEngine::ProtocolEngine(SettingsStore& store, const ProgramSettings& settings, Datacom& datacom,
                     MessageLog& log, const LanguageTexts& texts, EngineScreen& screen,
                     SettingsScreen& settingsScreen, Dialogs& dialogs)
    : store_(store),
      settings_(settings),
      datacom_(datacom),
      log_(log),
      texts_(texts),
      screen_(screen),
      settingsScreen_(settingsScreen),
      dialogs_(dialogs) {}

void ProtocolEngine::EngineTick(int16_t startCode) {
  CountDown(IdleCountdown);
  CountDown(DelayCountdown);
  CountDown(ReplyCountdown);
  RunState(startCode);
}

void ProtocolEngine::RunState(int16_t startCode) {
  namespace s = engine_state;
  switch (EngineState) {
    case s::Initial: return InitialState(startCode);
    case s::PortLost: return PortLostState();
    case s::Idle: return IdleState();
    case s::CallStatusSend: return CallStatusSendState();
    case 151: case 152: case 153: return CallStatusReceiveState();
    case s::CallSend: return CallSendState();
    case 162: case 163: case 164: return CallReceiveState();
    case s::ResetSend: return ResetSendState();
    case 181: case 182: case 183: return ResetReceiveState();
    case s::WriteSend: return WriteSendState();
    case 311: case 312: case 313: return WriteReceiveState();
    case s::WriteEvaluate: return WriteEvaluateState();
    case s::ReadSend: return ReadSendState();
    case 351: case 352: case 353: return ReadReceiveState();
    case s::ReadEvaluate: return ReadEvaluateState();
    default:
      EngineState = s::Idle;
      return;
  }
}

void ProtocolEngine::InitialState(int16_t startCode) {
  if (startCode == engine_state::Idle) EngineState = engine_state::Idle;
  UnitTextLine.clear();
  DelayCountdown = StepDelayTicks;
  BatchReport = 0;
}

}  // namespace tessaro

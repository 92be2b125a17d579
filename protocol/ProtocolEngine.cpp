#include "protocol/ProtocolEngine.h"

namespace tessaro {
namespace {

void CountDown(int16_t& countdown) {
  if (countdown > 0) --countdown;
}

}  // namespace

bool IsReceptionState(EngineStateCode state) {
  for (const ReceptionStates& states : {reception_states::CallStatus, reception_states::Call, reception_states::Reset,
                                        reception_states::Write, reception_states::Read}) {
    if (state == states.soh || state == states.len || state == states.data) return true;
  }
  return false;
}

bool IsEngineState(EngineStateCode state) {
  namespace s = engine_state;
  switch (state) {
    case s::Initial: case s::PortLost: case s::Idle:
    case s::CallStatusSend: case s::CallSend: case s::ResetSend:
    case s::WriteSend: case s::WriteEvaluate: case s::ReadSend: case s::ReadEvaluate:
      return true;
    default:
      return IsReceptionState(state);
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
  CountDown(gapTicks_);
  CountDown(settleTicks_);
  nextTurnDue_ = false;
  tickPending_ = true;
  inTick_ = true;
  ++goDepth_;
  RunState(startCode);
  if (!IsReceptionState(EngineState)) receiver_.Stop();
  --goDepth_;
  tickPending_ = false;
  inTick_ = false;
}

void ProtocolEngine::Continue() {
  if (!Started() || goDepth_ > 0) return;
  nextTurnDue_ = false;
  ++goDepth_;
  RunGo();
  --goDepth_;
}

void ProtocolEngine::Arrived() {
  if (!Started() || goDepth_ > 0) return;
  inPortCallback_ = true;
  Continue();
  inPortCallback_ = false;
}

bool ProtocolEngine::PortStepWaits() {
  if (inPortCallback_) nextTurnDue_ = true;
  return inPortCallback_;
}

void ProtocolEngine::GapEnded() {
  gapTicks_ = 0;
  Continue();
}

void ProtocolEngine::RunGo() {
  // Each step either moves to another state or waits; a step that waits
  // ends the go. The bound only guards against a cycle that never waits.
  constexpr int kMostStepsPerGo = 16;
  for (int step = 0; step < kMostStepsPerGo; ++step) {
    const EngineStateCode before = EngineState;
    RunState(0);
    if (!IsReceptionState(EngineState)) receiver_.Stop();
    if (EngineState == before) return;
  }
}

void ProtocolEngine::RunState(int16_t startCode) {
  namespace s = engine_state;
  switch (EngineState) {
    case s::Initial: return InitialState(startCode);
    case s::PortLost: return PortLostState();
    case s::Idle: return IdleState();
    case s::CallStatusSend: return CallStatusSendState();
    case s::CallStatusSoh: case s::CallStatusLen: case s::CallStatusData: return CallStatusReceiveState();
    case s::CallSend: return CallSendState();
    case s::CallSoh: case s::CallLen: case s::CallData: return CallReceiveState();
    case s::ResetSend: return ResetSendState();
    case s::ResetSoh: case s::ResetLen: case s::ResetData: return ResetReceiveState();
    case s::WriteSend: return WriteSendState();
    case s::WriteSoh: case s::WriteLen: case s::WriteData: return WriteReceiveState();
    case s::WriteEvaluate: return WriteEvaluateState();
    case s::ReadSend: return ReadSendState();
    case s::ReadSoh: case s::ReadLen: case s::ReadData: return ReadReceiveState();
    case s::ReadEvaluate: return ReadEvaluateState();
    default:
      EngineState = s::Idle;
      return;
  }
}

void ProtocolEngine::InitialState(int16_t startCode) {
  if (startCode == StartCodeStartUp) EngineState = engine_state::Idle;
  UnitTextLine.clear();
  DelayCountdown = StepDelayTicks;
  BatchReport = 0;
}

}  // namespace tessaro

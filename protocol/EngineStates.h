#pragma once

#include <cstdint>
#include <ostream>

namespace tessaro {

// Engine states, by the numbers the unit's service documents use. Each
// transaction owns a send state and the three reception states after it
// (waiting for SOH, LEN, data); item transactions end in an evaluate state.
enum class EngineStateCode : int16_t {
  Initial = 0,
  PortLost = 5,
  Idle = 10,
  CallStatusSend = 150,
  CallStatusSoh = 151,
  CallStatusLen = 152,
  CallStatusData = 153,
  CallSend = 161,
  CallSoh = 162,
  CallLen = 163,
  CallData = 164,
  ResetSend = 180,
  ResetSoh = 181,
  ResetLen = 182,
  ResetData = 183,
  WriteSend = 310,
  WriteSoh = 311,
  WriteLen = 312,
  WriteData = 313,
  WriteEvaluate = 314,
  ReadSend = 350,
  ReadSoh = 351,
  ReadLen = 352,
  ReadData = 353,
  ReadEvaluate = 354,
};

namespace engine_state {
using enum EngineStateCode;
}  // namespace engine_state

// The reception states of one transaction.
struct ReceptionStates {
  EngineStateCode soh;
  EngineStateCode len;
  EngineStateCode data;
};

namespace reception_states {
inline constexpr ReceptionStates CallStatus{EngineStateCode::CallStatusSoh, EngineStateCode::CallStatusLen,
                                            EngineStateCode::CallStatusData};
inline constexpr ReceptionStates Call{EngineStateCode::CallSoh, EngineStateCode::CallLen, EngineStateCode::CallData};
inline constexpr ReceptionStates Reset{EngineStateCode::ResetSoh, EngineStateCode::ResetLen,
                                       EngineStateCode::ResetData};
inline constexpr ReceptionStates Write{EngineStateCode::WriteSoh, EngineStateCode::WriteLen,
                                       EngineStateCode::WriteData};
inline constexpr ReceptionStates Read{EngineStateCode::ReadSoh, EngineStateCode::ReadLen, EngineStateCode::ReadData};
}  // namespace reception_states

// True for every state the engine itself uses.
bool IsEngineState(EngineStateCode state);
// True while a reply is awaited (SOH, LEN or data of any transaction).
bool IsReceptionState(EngineStateCode state);
// The number, for reports and logs.
inline int StateNumber(EngineStateCode state) { return static_cast<int>(state); }
inline std::ostream& operator<<(std::ostream& out, EngineStateCode state) { return out << StateNumber(state); }

}  // namespace tessaro

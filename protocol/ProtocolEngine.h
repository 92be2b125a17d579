#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/Dialogs.h"
#include "core/ItemValue.h"
#include "core/ProgramSettings.h"
#include "core/SettingsScreen.h"
#include "core/SettingsStore.h"
#include "core/UnitBackup.h"
#include "lang/LanguageTexts.h"
#include "messages/MessageLog.h"
#include "protocol/EngineCommands.h"
#include "protocol/EngineEvents.h"
#include "protocol/EngineScreen.h"
#include "protocol/EngineStates.h"
#include "protocol/Frames.h"
#include "protocol/ReplyReceiver.h"
#include "serial/Datacom.h"

namespace tessaro {

// EngineTick's start code from start-up, and from every timer tick.
inline constexpr int16_t StartCodeStartUp = 10;
inline constexpr int16_t StartCodeTick = 0;

// Tick counts (a tick is nominally 25 ms).
inline constexpr int16_t ReplyTimeoutTicks = 120;
inline constexpr int16_t QuietAfterReadTicks = 80;
inline constexpr int16_t QuietAfterWriteTicks = 200;
inline constexpr int16_t StepDelayTicks = 10;
inline constexpr int16_t ReopenDelayTicks = 200;
// Between the end of a reply and the next request the line stays quiet this
// long: three character times at 9600 baud (about 1 ms each), so a unit that
// needs a moment after answering is not spoken to while it turns around.
inline constexpr int RequestGapMs = 3;
// At this many failures in a row the engine gives up.
inline constexpr int16_t FailLimit = 3;

// The protocol engine: a polled state machine, one short step per tick,
// that serves item reads and writes, the test call and the unit reset, and
// collects the unit's own text lines in between. It never blocks.
class ProtocolEngine {
 public:
  ProtocolEngine(SettingsStore& store, const ProgramSettings& settings, Datacom& datacom, MessageLog& log,
            const LanguageTexts& texts, EngineScreen& screen, SettingsScreen& settingsScreen,
            Dialogs& dialogs);

  // startCode is StartCodeStartUp from start-up, StartCodeTick from every
  // timer tick. One step.
  void EngineTick(int16_t startCode);
  // Takes at once the steps that need no tick, several in one go where
  // nothing has to be waited for. Counts no tick. Does nothing before the
  // engine started or while a step is running. Call it from the loop, never
  // from inside one of the port's own callbacks: it may reopen the port.
  void Continue();
  // Bytes arrived, told from inside the port's own callback. The same go as
  // Continue(), except that a step that would close or reopen the port is
  // not taken: the port is still inside its signal. NextTurnDue() then asks
  // for a Continue() on the loop's next turn (the next tick will do too).
  void Arrived();
  bool NextTurnDue() const { return nextTurnDue_; }
  // A reply has ended and the next request waits for the quiet gap: call
  // GapEnded() RequestGapMs after the go that ended the reply. Without it
  // the gap closes by the second tick.
  bool WaitsForGap() const { return gapTicks_ > 0; }
  void GapEnded();

  // Commands. Each notes the request; the engine serves it in its own steps.
  // A read-all, write-all, test call or reset asked for while the port is
  // lost or was never opened is refused at once: kept, it would reach
  // whatever unit is plugged in next.
  void ReadAll() { Raise(&ProtocolEngine::ReadAllRequest); }
  // Writes the command's values. With a backup, what the unit holds is first
  // read where this unit has not given it since its port was opened, then
  // kept; if either fails nothing is written.
  void WriteAll(WriteAllCommand command);
  void ReadItem(int16_t item);
  void WriteItem(int16_t item);
  void TestCall() { Raise(&ProtocolEngine::TestCallRequest); }
  void Reset() { Raise(&ProtocolEngine::ResetRequest); }
  // Drops every request not yet served, raised ones too.
  void Cancel();
  // The observer told of what happens; nullptr for none.
  void SetEvents(EngineEvents* events) { events_ = events ? events : &noEvents_; }
  // Where a Write all keeps the unit's settings; without one, a Write all
  // that asks for a backup writes nothing.
  void SetBackup(UnitBackup* backup) { backup_ = backup; }

  bool Started() const { return EngineState != engine_state::Initial; }
  bool PortIsLost() const { return EngineState == engine_state::PortLost; }
  // Nothing running, nothing pending, no request raised, no batch report due.
  bool Quiet() const;
  // Drops every pending item request; a running transaction finishes on its own.
  void CancelAll();
  // n >= 0: the item being served; n < 0: the number of pending requests.
  void ShowProgress(int n);
  // Collects the unit's free text into message lines.
  void ListenUnitText();

  void SendAttention();
  // 1 sent, -1 not (item outside 0..249).
  int16_t SendReadRequest(int16_t item);
  // 1 sent, 0 item above 249 (nothing sent), -1 the value cannot be framed
  // (nothing flushed or sent).
  int16_t SendWriteRequest(int16_t item, const ItemValue& value);
  void AddToCheckSum(int value);
  // 0 sent and added to CheckSum; -1 refused (CheckSum untouched).
  int16_t SendChecked(int value);
  ItemValue ParseReplyValue(int16_t item) const;
  int16_t ReplyItem() const;
  // The reply being received, or the last one.
  const ReplyReceiver& Reply() const { return receiver_; }

  EngineStateCode EngineState = engine_state::Initial;
  int16_t IdleCountdown = 0;
  int16_t DelayCountdown = 0;
  int16_t CheckSum = 0;  // of the frame being sent
  int16_t CurrentItem = 0;
  int16_t FailCount = 0;
  int16_t BatchReport = 0;  // 1 read-all running, 2 write-all running
  std::string UnitTextLine;
  int16_t PagerSequence = 0;

  bool ReadAllRequest = false;
  bool WriteAllRequest = false;
  bool TestCallRequest = false;
  bool ResetRequest = false;

 private:
  // Engine core and idle state.
  void RunState(int16_t startCode);
  void InitialState(int16_t startCode);
  void PortLostState();
  void IdleState();
  bool ServeNextItem();  // true when the tick ends here
  void GiveUp(bool write);
  void EndBatch(TransactionOutcome outcome);
  void LosePort();
  void FinishItem(TransactionKind kind, TransactionOutcome outcome) {
    events_->TransactionFinished(kind, CurrentItem, outcome);
  }
  void ReportBatchEnd();
  bool RefusedWithoutPort();
  using RequestFlag = bool ProtocolEngine::*;
  void Raise(RequestFlag flag);
  // The outcome event of a raised request that will not be served.
  void EndRaised(RequestFlag flag, TransactionOutcome outcome);
  // Lowers every raised flag with its cancelled outcome; how many were up.
  int DropRaised();
  // An item of the running batch that will not be served.
  void NoteBatchFailure(int16_t item);
  void ServeRequestFlags();
  bool ReopenPort();

  // Write all.
  void StartWriteAll(WriteAllCommand command);
  // The backup's reads are done: keeps the unit's settings, then writes.
  void KeepBackup();
  void StartWrites(const std::array<ItemValue, ItemCount>& values);
  std::vector<int16_t> WritableItemsNotGiven() const;
  void ReportAlways(const std::string& line);

  // A wait set between ticks gets one tick more, so it never runs shorter
  // than its count of whole ticks. The quiet countdown rounds the other way:
  // a line quiet for its whole ticks is never taken as still awake, and an
  // attention frame too many does no harm.
  int16_t TicksFromNow(int16_t ticks) const { return inTick_ ? ticks : static_cast<int16_t>(ticks + 1); }
  // A request may go out: no delay, no quiet gap and no settling port.
  bool MaySend() const { return DelayCountdown <= 0 && LineReady(); }
  // The line may carry a byte: the quiet gap after a reply is over and a
  // freshly opened port has had its first tick.
  bool LineReady() const { return !WaitsForGap() && settleTicks_ <= 0; }
  // Closing or opening the port must wait for the loop's next turn.
  bool PortStepWaits();
  void RunGo();

  // Sending.
  void AwaitReply(const ReceptionStates& states);
  int16_t SendFrame(const std::vector<uint8_t>& frame);

  // Reception common to every transaction: feeds what arrived to the
  // receiver, counts the tick, and keeps EngineState on the reply's phase.
  ReplyOutcome Receive(const ReceptionStates& states);

  // Item transactions.
  void WriteSendState();
  // The running write is not sent: the progress line ends with `shown`.
  void DropWrite(const std::string& shown, const std::string& logged);
  void WriteReceiveState();
  void WriteEvaluateState();
  void ReadSendState();
  void ReadReceiveState();
  void ReadEvaluateState();
  void ReportReadFailure(const std::string& report, bool counts);
  void StoreReadValue(int16_t item, const ItemValue& value);
  // A read of the item shows the unit's value in its report, not on the screen.
  bool KeepsScreenValue(int16_t item) const;
  bool CurrentItemServable() const;

  // Special transactions.
  void CallStatusSendState();
  void CallStatusReceiveState();
  void CallSendState();
  void CallReceiveState();
  void ResetSendState();
  void ResetReceiveState();

  const std::string& Text(TextSlot slot) const { return texts_.Text(slot); }
  void AppendProgress(const std::string& text) { screen_.AppendProgress(text); }
  void Log(const std::string& text) { log_.LogMessage(text); }

  SettingsStore& store_;
  const ProgramSettings& settings_;
  Datacom& datacom_;
  MessageLog& log_;
  const LanguageTexts& texts_;
  EngineScreen& screen_;
  SettingsScreen& settingsScreen_;
  Dialogs& dialogs_;

  // The value the running write put on the wire; an ACK confirms this one.
  ItemValue sentValue_;
  ReplyReceiver receiver_{ReplyTimeoutTicks};
  EngineEvents noEvents_;
  EngineEvents* events_ = &noEvents_;
  // A tick is being served and the receiver has not been told of it yet.
  bool tickPending_ = false;
  bool inTick_ = false;
  // Ticks until the quiet gap after a reply is over (0: none running).
  int16_t gapTicks_ = 0;
  // A go is running; an arrival during it (a dialog's own event loop) waits
  // for the next tick.
  int goDepth_ = 0;
  // The running go was started by the port's own callback.
  bool inPortCallback_ = false;
  bool nextTurnDue_ = false;
  // Items the running batch dropped unserved, in the order they were dropped.
  std::vector<int16_t> batchFailures_;
  // Ticks a reopened port settles before its first byte (0: none).
  int16_t settleTicks_ = 0;
  // The Write all raised and not served yet.
  std::optional<WriteAllCommand> raisedWriteAll_;
  // The running Write all while its backup is being read: nothing written yet.
  std::optional<WriteAllCommand> heldWriteAll_;
  UnitBackup* backup_ = nullptr;
};

}  // namespace tessaro

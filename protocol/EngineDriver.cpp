#include "protocol/EngineDriver.h"

#include <utility>

namespace tessaro {

EngineDriver::EngineDriver(ProtocolEngine& engine, Later later) : engine_(engine), later_(std::move(later)) {}

void EngineDriver::Tick() {
  engine_.EngineTick(StartCodeTick);
  WatchGap();
}

void EngineDriver::Arrived() {
  engine_.Arrived();
  WatchNextTurn();
  WatchGap();
}

void EngineDriver::WatchNextTurn() {
  if (!later_ || nextTurnPending_ || !engine_.NextTurnDue()) return;
  RunLater(0, nextTurnPending_, [](ProtocolEngine& engine) { engine.Continue(); });
}

void EngineDriver::WatchGap() {
  if (!later_ || gapTimerRunning_ || !engine_.WaitsForGap()) return;
  // A tick may have closed the gap meanwhile; the go is due either way.
  RunLater(RequestGapMs, gapTimerRunning_, [](ProtocolEngine& engine) { engine.GapEnded(); });
}

void EngineDriver::RunLater(int ms, bool& pending, void (*go)(ProtocolEngine&)) {
  pending = true;
  later_(ms, [weak = std::weak_ptr<EngineDriver*>(self_), &pending, go] {
    const auto self = weak.lock();
    if (!self) return;
    pending = false;
    go((*self)->engine_);
    (*self)->WatchGap();
  });
}

}  // namespace tessaro

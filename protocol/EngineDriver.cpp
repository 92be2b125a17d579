#include "protocol/EngineDriver.h"

#include <utility>

namespace tessaro {

EngineDriver::EngineDriver(ProtocolEngine& engine, Later later) : engine_(engine), later_(std::move(later)) {}

void EngineDriver::Tick() {
  engine_.EngineTick(0);
  WatchGap();
}

void EngineDriver::Arrived() {
  engine_.Arrived();
  WatchNextTurn();
  WatchGap();
}

void EngineDriver::WatchNextTurn() {
  if (!later_ || nextTurnPending_ || !engine_.NextTurnDue()) return;
  nextTurnPending_ = true;
  later_(0, [weak = std::weak_ptr<EngineDriver*>(self_)] {
    const auto self = weak.lock();
    if (!self) return;
    EngineDriver& driver = **self;
    driver.nextTurnPending_ = false;
    driver.engine_.Continue();
    driver.WatchGap();
  });
}

void EngineDriver::WatchGap() {
  if (!later_ || gapTimerRunning_ || !engine_.WaitsForGap()) return;
  gapTimerRunning_ = true;
  later_(RequestGapMs, [weak = std::weak_ptr<EngineDriver*>(self_)] {
    const auto self = weak.lock();
    if (!self) return;
    EngineDriver& driver = **self;
    driver.gapTimerRunning_ = false;
    // A tick may have closed the gap meanwhile; the go is due either way.
    driver.engine_.GapEnded();
    driver.WatchGap();
  });
}

}  // namespace tessaro

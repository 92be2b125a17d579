#pragma once

#include <functional>
#include <memory>

#include "protocol/ProtocolEngine.h"

namespace tessaro {

// Drives the engine as every front end must: a step on each timer tick, a go
// as soon as bytes arrived, and another once the quiet gap after a reply has
// passed. A step that closes or reopens the port is never taken inside the
// port's own callback: it waits for the loop's next turn. The front end
// supplies its own one-shot timer.
class EngineDriver {
 public:
  // Runs `call` once, `ms` milliseconds from now, on the front end's loop.
  // Empty: no such timer; the ticks then close the gap.
  using Later = std::function<void(int ms, std::function<void()> call)>;

  EngineDriver(ProtocolEngine& engine, Later later);

  void Tick();
  // Called from inside the port's own arrival callback.
  void Arrived();

 private:
  void WatchGap();
  void WatchNextTurn();
  // `pending` (a member) is set until the timer has run `go` on the engine.
  void RunLater(int ms, bool& pending, void (*go)(ProtocolEngine&));

  ProtocolEngine& engine_;
  Later later_;
  bool gapTimerRunning_ = false;
  bool nextTurnPending_ = false;
  // A timer that fires after the driver is gone must find nothing to do.
  std::shared_ptr<EngineDriver*> self_ = std::make_shared<EngineDriver*>(this);
};

}  // namespace tessaro

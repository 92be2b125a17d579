// The cost of one engine tick in the states it spends most ticks in, over a
// port that never answers. The window calls it every 25 ms on the UI thread.

#include <benchmark/benchmark.h>

#include "bench/EngineBenchWorld.h"
#include "core/Items.h"
#include "tests/support/FakeBytePort.h"

namespace {

using namespace tessaro;
using tessaro::bench::EngineBenchWorld;

// Idle, nothing pending: the full scan of items 0..249 (each asking whether
// the port is open), the progress count, the listen for unit text.
void BM_IdleTickNothingPending(benchmark::State& state) {
  testing::FakeBytePort port;
  EngineBenchWorld world(port);
  if (!world.Start()) {
    state.SkipWithError("fake port did not open");
    return;
  }
  for (auto _ : state) {
    world.engine.EngineTick(0);
    benchmark::DoNotOptimize(world.engine.EngineState);
  }
  if (world.engine.EngineState != engine_state::Idle || !port.written.empty()) {
    state.SkipWithError("the engine left the idle state");
  }
}
BENCHMARK(BM_IdleTickNothingPending);

// Idle with the requests of a read-all pending: the tick that picks the next
// item. The engine is put back into idle before every tick, with the line
// still busy so no attention frame goes out.
void BM_IdleTickReadAllPending(benchmark::State& state) {
  testing::FakeBytePort port;
  EngineBenchWorld world(port);
  if (!world.Start()) {
    state.SkipWithError("fake port did not open");
    return;
  }
  int pending = 0;
  for (int16_t item = 0; item <= LastUnitItem; ++item) {
    if (IsReadableItem(item) >= 0) {
      world.store.ItemStatus[static_cast<std::size_t>(item)] = RequestRead;
      ++pending;
    }
  }
  for (auto _ : state) {
    world.engine.EngineState = engine_state::Idle;
    world.engine.IdleCountdown = QuietAfterReadTicks;
    world.engine.EngineTick(0);
    benchmark::DoNotOptimize(world.engine.CurrentItem);
  }
  if (world.engine.EngineState != engine_state::ReadSend || world.engine.CurrentItem != 0 || pending != 32) {
    state.SkipWithError("the tick did not pick the first of the 32 requests");
  }
}
BENCHMARK(BM_IdleTickReadAllPending);

// The last request of a read-all: the scan runs up to item 154 first.
void BM_IdleTickLastOfBatchPending(benchmark::State& state) {
  testing::FakeBytePort port;
  EngineBenchWorld world(port);
  if (!world.Start()) {
    state.SkipWithError("fake port did not open");
    return;
  }
  world.store.ItemStatus[154] = RequestRead;
  for (auto _ : state) {
    world.engine.EngineState = engine_state::Idle;
    world.engine.IdleCountdown = QuietAfterReadTicks;
    world.engine.EngineTick(0);
    benchmark::DoNotOptimize(world.engine.CurrentItem);
  }
  if (world.engine.EngineState != engine_state::ReadSend || world.engine.CurrentItem != 154) {
    state.SkipWithError("the tick did not pick item 154");
  }
}
BENCHMARK(BM_IdleTickLastOfBatchPending);

// A read waiting for the SOH of a reply that does not come: the tick of
// most of a transaction's life. A read that times out is started again
// outside the timing.
void BM_WaitingForReplyTick(benchmark::State& state) {
  testing::FakeBytePort port;
  EngineBenchWorld world(port);
  if (!world.Start()) {
    state.SkipWithError("fake port did not open");
    return;
  }
  world.store.ItemStatus[21] = RequestRead;
  world.engine.IdleCountdown = QuietAfterReadTicks;
  world.engine.EngineTick(0);  // picks item 21
  world.engine.EngineTick(0);  // sends its request
  if (world.engine.EngineState != engine_state::ReadSoh) {
    state.SkipWithError("the read did not start");
    return;
  }
  for (auto _ : state) {
    world.engine.EngineTick(0);
    benchmark::DoNotOptimize(world.engine.EngineState);
    if (world.engine.EngineState != engine_state::ReadSoh) {
      // Timed out: the same read again, untimed.
      state.PauseTiming();
      world.engine.FailCount = 0;
      world.store.ItemStatus[21] = RequestRead;
      world.engine.IdleCountdown = QuietAfterReadTicks;
      world.engine.EngineTick(0);
      world.engine.EngineTick(0);
      state.ResumeTiming();
    }
  }
  if (world.engine.EngineState != engine_state::ReadSoh) state.SkipWithError("the wait ended");
}
BENCHMARK(BM_WaitingForReplyTick);

}  // namespace

BENCHMARK_MAIN();

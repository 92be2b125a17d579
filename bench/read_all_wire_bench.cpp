// A read-all of the 32 readable items against the simulated unit sending at
// 9600 baud, the engine driven as the window drives it: a 25 ms timer tick,
// a go as soon as bytes arrive, the quiet gap after each reply. The wall time
// is set beside the least time the same exchange can take: every byte both
// ways at 10 bit-times, plus the wait after the attention frame.

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <chrono>
#include <memory>
#include <initializer_list>
#include <string>

#include "bench/EngineBenchWorld.h"
#include "protocol/EngineDriver.h"
#include "serial/QtSerialBytePort.h"
#include "tests/support/TempFolder.h"
#include "tests/support/UnitSimProcess.h"

namespace {

using namespace std::chrono_literals;
using namespace tessaro;
using Clock = std::chrono::steady_clock;

constexpr auto kTick = 25ms;
constexpr int kComNumber = 74;
constexpr const char* kComVariable = "TESSARO_COM74";
constexpr double kBitsPerByte = 10.0;
constexpr double kBaud = 9600.0;
// A paced read-all takes a few seconds; past this something is wrong.
constexpr auto kGiveUpAfter = 30s;
// The attention frame's wait is part of the exchange, not overhead.
constexpr double kAttentionWaitSeconds = StepDelayTicks * 0.025;

// Bytes in the unit's hex lines (two digits and a blank each) starting with
// one of the prefixes: "RX " what it received, "TX " what it sent.
std::size_t WireBytes(const testing::UnitSimProcess& sim, std::initializer_list<const char*> prefixes) {
  std::size_t bytes = 0;
  for (const auto& line : sim.Lines()) {
    for (const char* prefix : prefixes) {
      if (line.rfind(prefix, 0) == 0) bytes += (line.size() - 2) / 3;
    }
  }
  return bytes;
}

void BM_ReadAllPacedAgainstUnit(benchmark::State& state) {
  int argc = 1;
  char name[] = "read_all_wire_bench";
  char* argv[] = {name, nullptr};
  std::unique_ptr<QCoreApplication> app;
  if (QCoreApplication::instance() == nullptr) app = std::make_unique<QCoreApplication>(argc, argv);

  double wireSeconds = 0;
  double pacedSeconds = 0;
  double wallSeconds = 0;
  double bytes = 0;
  double ticks = 0;
  for (auto _ : state) {
    testing::TempFolder folder("tessaro-bench-");
    const std::string link = (folder.Path() / "com74").string();
    testing::UnitSimProcess sim(TESSARO_UNIT_SIM_PATH);
    if (folder.Path().empty() ||
        !sim.Start({"--link", link, "--hex", "--status-every", "0", "--quit-after", "120"}) ||
        !sim.WaitForLine("PTY ", 5000ms)) {
      state.SkipWithError("the simulated unit did not start (no pseudo-terminal?)");
      return;
    }
    ::setenv(kComVariable, link.c_str(), 1);
    QtSerialBytePort port;
    bench::EngineBenchWorld world(port, kComNumber - 1, folder.Path());
    if (!world.Start()) {
      state.SkipWithError("the port did not open");
      return;
    }

    EngineDriver driver(world.engine, [](int ms, std::function<void()> call) {
      QTimer::singleShot(ms, Qt::PreciseTimer, QCoreApplication::instance(), std::move(call));
    });
    QEventLoop loop;
    int tick = 0;
    const auto done = [&] {
      return !world.engine.ReadAllRequest && world.engine.BatchReport == 0 && world.engine.Quiet();
    };
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    ticker.setInterval(kTick);
    QObject::connect(&ticker, &QTimer::timeout, &loop, [&] {
      ++tick;
      driver.Tick();
      sim.Drain();
      if (done()) loop.quit();
    });
    port.SetArrivalHandler([&] {
      driver.Arrived();
      if (done()) loop.quit();
    });
    QTimer::singleShot(kGiveUpAfter, &loop, &QEventLoop::quit);

    const auto start = Clock::now();
    world.engine.ReadAll();
    ticker.start();
    loop.exec();
    ticker.stop();
    port.SetArrivalHandler({});
    const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
    state.SetIterationTime(elapsed);
    sim.Stop();
    ::unsetenv(kComVariable);

    int read = 0;
    for (int16_t item = 0; item <= LastUnitItem; ++item) {
      if (IsReadableItem(item) >= 0 && !world.store.UnitValues[static_cast<std::size_t>(item)].IsNotObtained()) {
        ++read;
      }
    }
    if (!done() || read != 32 || world.engine.FailCount != 0) {
      state.SkipWithError("the read-all did not complete cleanly");
      return;
    }
    const std::size_t frameBytes = WireBytes(sim, {"RX ", "TX "});
    // The pseudo-terminal carries the requests at once; only the replies are
    // paced, so this is the least time the simulated link can take.
    pacedSeconds += static_cast<double>(WireBytes(sim, {"TX "})) * kBitsPerByte / kBaud + kAttentionWaitSeconds;
    bytes += static_cast<double>(frameBytes);
    wireSeconds += static_cast<double>(frameBytes) * kBitsPerByte / kBaud + kAttentionWaitSeconds;
    wallSeconds += elapsed;
    ticks += tick;
  }
  const double runs = static_cast<double>(state.iterations());
  state.counters["wall_ms"] = wallSeconds * 1000.0 / runs;
  state.counters["wire_limit_ms"] = wireSeconds * 1000.0 / runs;
  state.counters["bytes"] = bytes / runs;
  state.counters["ticks"] = ticks / runs;
  state.counters["wall_per_wire"] = wallSeconds / wireSeconds;
  state.counters["paced_limit_ms"] = pacedSeconds * 1000.0 / runs;
  state.counters["wall_per_paced"] = wallSeconds / pacedSeconds;
}
BENCHMARK(BM_ReadAllPacedAgainstUnit)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

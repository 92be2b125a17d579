#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/CliOptions.h"
#include "cli/Console.h"
#include "cli/ConsoleSeams.h"
#include "cli/EngineEventRecord.h"
#include "cli/TickSource.h"
#include "core/Clock.h"
#include "program/TessaroProgram.h"
#include "presentation/MemoryControls.h"
#include "protocol/EngineDriver.h"
#include "serial/BytePort.h"

namespace tessaro::cli {

// The device that stands for a COM number (1 = COM1).
using DeviceNaming = std::function<std::string(int portNumber)>;

// The world the front end lives in, handed in by main (or a test).
struct CliWorld {
  std::filesystem::path programFolder;
  const Clock& clock;
  Console& console;
  TickSource& ticks;
  // The platform's naming: TESSARO_COM<n> or /dev/ttyS<n-1>.
  DeviceNaming standardNaming;
  // A port that opens the devices `naming` gives.
  std::function<std::unique_ptr<BytePort>(DeviceNaming naming)> makePort;
  // The toolkit's one-shot timer, served while the ticks wait; empty
  // without one.
  EngineDriver::Later later = {};
};

// Ticks without progress after which a job is given up: longer than three
// failed attempts with their time-outs, so only a unit that keeps sending
// unusable replies (or a port that stays away) trips it.
inline constexpr int StallTicks = 800;
inline constexpr int TicksPerSecond = 40;

// One run of the program without a window: the same program (store, engine,
// files, log) as the window builds, with console seams in place of widgets.
class CliSession {
 public:
  CliSession(const CliWorld& world, const CliOptions& options);
  ~CliSession();
  CliSession(const CliSession&) = delete;
  CliSession& operator=(const CliSession&) = delete;

  // The window's start-up, with --port and --lang applied to the program
  // settings for this run. False when the port did not open; the engine is
  // then not started.
  bool StartWithUnit();
  // Program settings, texts and the settings screen only: no port, no engine.
  void StartWithoutUnit();
  // Closes the port as the window does when it ends.
  void Shutdown();

  // "COM3 (/dev/ttyS2)".
  std::string PortDescription() const;
  // The device the port opens ("/dev/ttyS2"); empty where a port has no device name.
  std::string PortDevice() const;

  enum class RunEnd { Finished, TimeUp, Stalled, Interrupted };
  struct RunPlan {
    std::function<bool()> finished;  // asked after every tick; empty: never
    std::function<int()> done;       // items done so far; empty: no progress line, no stall guard
    int total = 0;
    std::optional<long> tickLimit;
  };
  // Drives the engine on every tick, and on every arrival between ticks,
  // until the plan says so.
  RunEnd Run(const RunPlan& plan);

  // Nothing running, nothing pending, no flag raised, no batch report due.
  bool EngineQuiet() const;
  int PendingRequests() const;
  // From now on the unit's own text lines go to `sink` instead of standard error.
  void RouteUnitLines(std::function<void(const std::string& messageLine)> sink);

  TessaroProgram& Program() { return *program_; }
  ConsoleDialogs& Dialogs() { return dialogs_; }
  ConsoleEngineScreen& EngineScreen() { return engineScreen_; }
  EngineEventRecord& Events() { return events_; }
  const CliOptions& Options() const { return options_; }
  Console& Out() { return world_.console; }

 private:
  void OnMessageLine(const std::string& line);
  void AdjustSettings(ProgramSettings& settings) const;
  DeviceNaming Naming() const;

  const CliWorld& world_;
  const CliOptions& options_;
  std::unique_ptr<BytePort> port_;
  MemoryControls controls_;
  ConsoleDialogs dialogs_;
  ReportConsole reports_;
  ConsoleEngineScreen engineScreen_;
  std::unique_ptr<TessaroProgram> program_;
  std::unique_ptr<EngineDriver> driver_;

  bool portStarted_ = false;
  EngineEventRecord events_;
  std::function<void(const std::string&)> unitLineSink_;
};

}  // namespace tessaro::cli

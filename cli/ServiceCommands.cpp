// The test call, the reset and listening to the unit.
#include <algorithm>
#include <cmath>

#include "cli/Commands.h"
#include "cli/ItemReport.h"

namespace tessaro::cli {
namespace {

// Gives the engine one command and waits until the transaction it starts
// has ended; the engine's event says how.
int RunSpecial(CliSession& session, TransactionKind kind, const std::string& failure) {
  EngineEventRecord& events = session.Events();
  events.special.reset();
  ProtocolEngine& engine = session.Program().Engine;
  if (kind == TransactionKind::TestCall) {
    engine.TestCall();
  } else {
    engine.Reset();
  }

  CliSession::RunPlan plan;
  plan.finished = [&] { return events.SpecialOutcome(kind).has_value() && session.EngineQuiet(); };
  const CliSession::RunEnd end = session.Run(plan);
  const bool ok = end == CliSession::RunEnd::Finished && events.SpecialOutcome(kind) == TransactionOutcome::Done;

  const bool json = session.Options().format == OutputFormat::Json;
  if (end == CliSession::RunEnd::Interrupted) session.Out().ErrLine(FailureLine(json, "interrupted"));
  if (!ok) session.Out().ErrLine(FailureLine(json, failure));
  if (json) session.Out().Out(ResultJson(CommandName(session.Options().command), ok));
  return ok ? ExitDone : ExitUnitFailed;
}

}  // namespace

int TestCallCommand(CliSession& session) {
  const CliOptions& options = session.Options();
  session.EngineScreen().SetTestCall(options.pagerAddress, options.pagerMessage, options.bleepCode);
  return RunSpecial(session, TransactionKind::TestCall, "the unit did not confirm the test call");
}

int ResetCommand(CliSession& session) {
  return RunSpecial(session, TransactionKind::Reset, "the unit did not confirm the reset");
}

int MonitorCommand(CliSession& session) {
  const bool json = session.Options().format == OutputFormat::Json;
  session.RouteUnitLines([&session, json](const std::string& line) {
    session.Out().Out(json ? UnitLineJson(line) : UnitLineText(line));
  });
  CliSession::RunPlan plan;
  if (session.Options().seconds) plan.tickLimit = std::lround(*session.Options().seconds * TicksPerSecond);
  session.Run(plan);
  session.RouteUnitLines(nullptr);
  // Ending while the port is away is worth knowing in a script.
  if (session.Events().portLost) {
    session.Out().ErrLine(FailureLine(session.Options().format == OutputFormat::Json,
                                      "the serial port " + session.PortDescription() + " was lost"));
    return ExitUnitFailed;
  }
  return ExitDone;
}

}  // namespace tessaro::cli

// The test call, the reset and listening to the unit.
#include <algorithm>
#include <cmath>

#include "cli/Commands.h"
#include "cli/ItemReport.h"

namespace tessaro::cli {
namespace {

// Raises one of the engine's flags and waits until the transaction it starts
// has ended. Success is the engine's own success line in the message lines:
// these transactions report nowhere else.
int RunFlagged(CliSession& session, bool& flag, TextSlot successSlot, const std::string& failure) {
  TessaroProgram& program = session.Program();
  const std::string success = program.Texts.Text(successSlot) + ".";
  session.TakeLoggedTexts();
  flag = true;

  CliSession::RunPlan plan;
  plan.finished = [&] { return session.EngineQuiet(); };
  const CliSession::RunEnd end = session.Run(plan);
  const std::vector<std::string> logged = session.TakeLoggedTexts();
  const bool ok = end == CliSession::RunEnd::Finished && std::find(logged.begin(), logged.end(), success) != logged.end();

  if (end == CliSession::RunEnd::Interrupted) session.Out().ErrLine("tessaro-cli: interrupted");
  if (!ok) session.Out().ErrLine("tessaro-cli: " + failure);
  if (session.Options().format == OutputFormat::Json) {
    session.Out().Out(ResultJson(CommandName(session.Options().command), ok));
  }
  return ok ? ExitDone : ExitUnitFailed;
}

}  // namespace

int TestCallCommand(CliSession& session) {
  const CliOptions& options = session.Options();
  session.EngineScreen().SetTestCall(options.pagerAddress, options.pagerMessage, options.bleepCode);
  return RunFlagged(session, session.Program().Engine.TestCallRequest, slot::CallSucceeded,
                    "the unit did not confirm the test call");
}

int ResetCommand(CliSession& session) {
  return RunFlagged(session, session.Program().Engine.ResetRequest, slot::ResetSent, "the unit did not confirm the reset");
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
  if (session.Program().Engine.EngineState == engine_state::PortLost) {
    session.Out().ErrLine("tessaro-cli: the serial port " + session.PortDescription() + " was lost");
    return ExitUnitFailed;
  }
  return ExitDone;
}

}  // namespace tessaro::cli

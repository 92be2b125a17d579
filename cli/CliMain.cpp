#include "cli/Commands.h"
#include "cli/FileChecks.h"
#include "cli/ItemReport.h"
#include "cli/PortProblem.h"
#include "core/ItemTable.h"
#include "files/PortBindingsFile.h"

namespace tessaro::cli {
namespace {

std::optional<std::string> FileProblem(const CliOptions& options) {
  switch (options.command) {
    case Command::WriteAll:
    case Command::Show:
      return CannotRead(options.file);
    case Command::ReadAll:
      if (options.saveFile) return CannotSave(*options.saveFile);
      return std::nullopt;
    default:
      return std::nullopt;
  }
}

int RunUnitCommand(CliSession& session) {
  const CliOptions& options = session.Options();
  switch (options.command) {
    case Command::ReadAll: return ReadAllCommand(session);
    case Command::Read: return ReadCommand(session, options.items);
    case Command::Diagnostics:
      return ReadCommand(session, std::vector<int16_t>(DiagnosticItems().begin(), DiagnosticItems().end()));
    case Command::Write: return WriteCommand(session);
    case Command::WriteAll: return WriteAllCommand(session);
    case Command::TestCall: return TestCallCommand(session);
    case Command::Reset: return ResetCommand(session);
    case Command::Monitor: return MonitorCommand(session);
    case Command::Show:
    case Command::Ports: break;
  }
  return ExitUsage;
}

}  // namespace

int RunCli(const std::vector<std::string>& args, const CliWorld& world, const PortsWorld& ports) {
  const ParsedCommandLine parsed = ParseCommandLine(args);
  if (!parsed.options) {
    const bool json = parsed.format == OutputFormat::Json;
    world.console.ErrLine(FailureLine(json, parsed.error + " (see tessaro-cli --help)", parsed.errorItem));
    return ExitUsage;
  }
  const CliOptions& options = *parsed.options;
  const bool json = options.format == OutputFormat::Json;
  if (options.help) {
    world.console.Out(UsageText());
    return ExitDone;
  }
  // Before the port: a file problem must not cost a unit's worth of work.
  if (const auto problem = FileProblem(options)) {
    world.console.ErrLine(FailureLine(json, *problem));
    return ExitUsage;
  }

  if (options.command == Command::Ports) return PortsCommand(world.programFolder, ports, options.format, world.console);
  if (options.command != Command::Show && !options.device) {
    // The port is then opened as if there were no bindings file.
    const std::string problem = ReadPortBindings(world.programFolder).problem;
    if (!problem.empty()) {
      const std::string report = problem + "; the ports open their standard devices";
      world.console.ErrLine(json ? ReportJson(report, false) : "tessaro-cli: " + report);
    }
  }

  CliSession session(world, options);
  if (options.command == Command::Show) return ShowCommand(session);
  if (options.command == Command::WriteAll) {
    if (const int status = CheckSettingsFile(session); status != ExitDone) return status;
  }
  if (!session.StartWithUnit()) {
    const std::string reason = DevicePortProblem(session.PortDevice());
    world.console.ErrLine(FailureLine(
        json, "cannot open the serial port " + session.PortDescription() + (reason.empty() ? "" : ": " + reason)));
    return ExitUsage;
  }
  const int status = RunUnitCommand(session);
  session.Shutdown();
  return status;
}

}  // namespace tessaro::cli

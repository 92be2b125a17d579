#pragma once

#include <string>
#include <vector>

#include "cli/CliSession.h"
#include "cli/PortsCommand.h"

namespace tessaro::cli {

inline constexpr int ExitDone = 0;
inline constexpr int ExitUnitFailed = 1;
inline constexpr int ExitUsage = 2;

// The whole program: arguments without the program name, the exit status back.
int RunCli(const std::vector<std::string>& args, const CliWorld& world, const PortsWorld& ports = {});

// Commands on a started session (the unit's ones after StartWithUnit).
int ReadAllCommand(CliSession& session);
int ReadCommand(CliSession& session, const std::vector<int16_t>& items);
int WriteCommand(CliSession& session);
int WriteAllCommand(CliSession& session);
int TestCallCommand(CliSession& session);
int ResetCommand(CliSession& session);
int MonitorCommand(CliSession& session);
// Need no unit: StartWithoutUnit.
int ShowCommand(CliSession& session);
// Whether the command's unit settings file would be taken, said before the
// port is opened; ExitDone when it would.
int CheckSettingsFile(CliSession& session);

}  // namespace tessaro::cli

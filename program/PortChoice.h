#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "serial/PortNames.h"

namespace tessaro {

// Port n as this program opens it: TESSARO_COM<n>, else the binding in the
// program folder's bindings file, else the standard device. The file is read
// at every call, so a binding saved in the dialog counts at the next open, and
// a bad file counts as no bindings (start-up reports it).
PortDevice ChoosePortDevice(int portNumber, const std::filesystem::path& programFolder,
                            const EnvironmentLookup& lookup);

// ChoosePortDevice as the naming a serial port takes.
std::function<std::string(int portNumber)> BoundPortNaming(std::filesystem::path programFolder,
                                                           EnvironmentLookup lookup = ProcessEnvironment());

}  // namespace tessaro

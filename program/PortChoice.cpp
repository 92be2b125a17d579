#include "program/PortChoice.h"

#include <utility>

#include "files/PortBindingsFile.h"

namespace tessaro {

PortDevice ChoosePortDevice(int portNumber, const std::filesystem::path& programFolder,
                            const EnvironmentLookup& lookup) {
  return ResolvePortDevice(portNumber, lookup, ReadPortBindings(programFolder).bindings);
}

std::function<std::string(int portNumber)> BoundPortNaming(std::filesystem::path programFolder,
                                                           EnvironmentLookup lookup) {
  return [folder = std::move(programFolder), lookup = std::move(lookup)](int portNumber) {
    return ChoosePortDevice(portNumber, folder, lookup).device;
  };
}

}  // namespace tessaro

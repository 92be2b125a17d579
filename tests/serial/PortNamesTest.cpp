#include "serial/PortNames.h"

#include <gtest/gtest.h>

#include <map>
#include <ostream>
#include <string>

namespace tessaro {
namespace {

struct PortNameCase {
  const char* name;
  int portNumber;
  std::map<std::string, std::string> environment;
  const char* device;
};
void PrintTo(const PortNameCase& c, std::ostream* out) { *out << c.name; }


class PortDeviceNameTest : public ::testing::TestWithParam<PortNameCase> {};

TEST_P(PortDeviceNameTest, MapsNumberToDevice) {
  const PortNameCase& c = GetParam();
  const EnvironmentLookup lookup = [&c](const char* variable) -> const char* {
    const auto found = c.environment.find(variable);
    return found == c.environment.end() ? nullptr : found->second.c_str();
  };
  EXPECT_EQ(PortDeviceName(c.portNumber, lookup), c.device);
}

#ifdef _WIN32
INSTANTIATE_TEST_SUITE_P(
    Windows, PortDeviceNameTest,
    ::testing::Values(PortNameCase{"Com1", 1, {}, "COM1"}, PortNameCase{"Com12", 12, {}, "COM12"},
                      PortNameCase{"VariableIgnored", 1, {{"TESSARO_COM1", "COM7"}}, "COM1"}),
    [](const auto& info) { return std::string(info.param.name); });
#else
INSTANTIATE_TEST_SUITE_P(
    Posix, PortDeviceNameTest,
    ::testing::Values(
        PortNameCase{"Com1IsFirstSerialDevice", 1, {}, "/dev/ttyS0"},
        PortNameCase{"Com4IsFourth", 4, {}, "/dev/ttyS3"},
        PortNameCase{"VariableNamesAdapter", 1, {{"TESSARO_COM1", "/dev/ttyUSB0"}}, "/dev/ttyUSB0"},
        PortNameCase{"VariableOfOtherPortIgnored", 2, {{"TESSARO_COM1", "/dev/ttyUSB0"}}, "/dev/ttyS1"},
        PortNameCase{"NoPrefixMatch", 1, {{"TESSARO_COM10", "/dev/pts/9"}}, "/dev/ttyS0"},
        PortNameCase{"EmptyVariableIgnored", 3, {{"TESSARO_COM3", ""}}, "/dev/ttyS2"}),
    [](const auto& info) { return std::string(info.param.name); });
#endif

}  // namespace
}  // namespace tessaro

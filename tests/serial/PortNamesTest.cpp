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

struct ResolveCase {
  const char* name;
  int portNumber;
  const char* variable;  // TESSARO_COM<portNumber>; nullptr when unset
  PortBindings bindings;
  const char* device;
  PortSource source;
};
void PrintTo(const ResolveCase& c, std::ostream* out) { *out << c.name; }

class ResolvePortDeviceTest : public ::testing::TestWithParam<ResolveCase> {};

TEST_P(ResolvePortDeviceTest, VariableThenBindingThenStandard) {
  const ResolveCase& c = GetParam();
  const std::string wanted = PortVariableName(c.portNumber);
  const EnvironmentLookup lookup = [&](const char* variable) -> const char* {
    return wanted == variable ? c.variable : nullptr;
  };
  const PortDevice chosen = ResolvePortDevice(c.portNumber, lookup, c.bindings);
  EXPECT_EQ(chosen.device, c.device);
  EXPECT_EQ(chosen.source, c.source);
}

#ifdef _WIN32
INSTANTIATE_TEST_SUITE_P(
    Windows, ResolvePortDeviceTest,
    ::testing::Values(ResolveCase{"BindingIgnored", 2, "x", {{2, "/dev/ttyUSB0"}}, "COM2", PortSource::WindowsName}),
    [](const auto& info) { return std::string(info.param.name); });
#else
INSTANTIATE_TEST_SUITE_P(
    Posix, ResolvePortDeviceTest,
    ::testing::Values(
        ResolveCase{"NothingGivesStandard", 1, nullptr, {}, "/dev/ttyS0", PortSource::Standard},
        ResolveCase{"BindingOfThisPort", 1, nullptr, {{1, "/dev/serial/by-id/usb-A"}}, "/dev/serial/by-id/usb-A",
                    PortSource::Binding},
        ResolveCase{"BindingOfOtherPort", 2, nullptr, {{1, "/dev/serial/by-id/usb-A"}}, "/dev/ttyS1",
                    PortSource::Standard},
        ResolveCase{"VariableWinsOverBinding", 1, "/dev/pts/4", {{1, "/dev/serial/by-id/usb-A"}}, "/dev/pts/4",
                    PortSource::Environment},
        ResolveCase{"EmptyVariableLeavesBinding", 3, "", {{3, "/dev/ttyACM0"}}, "/dev/ttyACM0", PortSource::Binding},
        ResolveCase{"EmptyBindingIsNone", 3, nullptr, {{3, ""}}, "/dev/ttyS2", PortSource::Standard}),
    [](const auto& info) { return std::string(info.param.name); });
#endif

}  // namespace
}  // namespace tessaro

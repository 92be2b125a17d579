#include "serial/ComPortList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tessaro::testing {
namespace {

TEST(ComPortList, ComNumberOfWindowsNames) {
  const struct {
    const char* name;
    int number;
  } cases[] = {
      {"COM1", 1}, {"COM3", 3}, {"com12", 12}, {"COM256", 256}, {"COM", 0},    {"COM0", 0},
      {"LPT1", 0}, {"COM3x", 0}, {"COM 3", 0}, {"", 0},          {"COM1234", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(ComNumber(c.name), c.number) << c.name;
}

TEST(ComPortList, SerialNumberOnlyFromAUsbDevicesOwnId) {
  const struct {
    const char* id;
    const char* serial;
  } cases[] = {
      {"USB\\VID_0403&PID_6001\\A50285BI", "A50285BI"},
      {"usb\\VID_067B&PID_2303\\0001", "0001"},
      {"USB\\VID_067B&PID_2303\\5&2C1A&0&2", ""},  // none of its own
      {"ACPI\\PNP0501\\1", ""},
      {"FTDIBUS\\VID_0403+PID_6001+A50285BIA\\0000", ""},
      {"USB\\", ""},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(SerialNumberFromInstance(c.id), c.serial) << c.id;
}

TEST(ComPortList, DescribedPortsWinAndListedOnesFillInSortedByNumber) {
  const std::vector<PresentPort> described = {
      {"COM10", "", "USB Serial Port (COM10)", "FTDI", "A50285BI"},
      {"LPT1", "", "Printer Port (LPT1)", "(Standard port types)", ""},
      {"com3", "", "Communications Port (COM3)", "(Standard port types)", ""},
  };
  const std::vector<std::string> listed = {"COM3", "COM2", "COM10", "COM42", "LPT2", "COM"};

  const std::vector<PresentPort> merged = MergeComPorts(described, listed);

  std::vector<std::string> shown;
  for (const PresentPort& port : merged) shown.push_back(port.device + "|" + port.description + "|" + port.serialNumber);
  EXPECT_EQ(shown, (std::vector<std::string>{"COM2||", "COM3|Communications Port (COM3)|",
                                             "COM10|USB Serial Port (COM10)|A50285BI", "COM42||"}));
}

}  // namespace
}  // namespace tessaro::testing

#include "serial/PresentPorts.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <system_error>

#include "tests/support/TestFolder.h"

namespace tessaro::testing {
namespace {

namespace fs = std::filesystem;

// Stand-ins for device nodes and a by-id folder of links to them.
class PresentPortsTest : public ::testing::Test {
 protected:
  void SetUp() override {
#ifdef _WIN32
    GTEST_SKIP() << "stable device names are links, which need a POSIX system here";
#endif
    fs::create_directories(devices);
    fs::create_directories(byId);
    for (const char* name : {"ttyUSB0", "ttyUSB1", "pts5"}) std::ofstream(devices / name).put('x');
  }
  std::string Device(const char* name) const { return (devices / name).string(); }
  void Link(const char* name, const fs::path& target) { fs::create_symlink(target, byId / name); }

  TestFolder folder;
  fs::path devices = folder.Path() / "dev";
  fs::path byId = folder.Path() / "by-id";
};

TEST_F(PresentPortsTest, EachPortGetsItsLinkAndLinksToUnlistedDevicesAreAdded) {
  Link("usb-FTDI_B-port0", devices / "ttyUSB0");
  Link("usb-Sim-port0", fs::path("..") / "dev" / "pts5");  // relative, as udev makes them
  Link("usb-gone-port0", devices / "ttyUSB9");             // its adapter was pulled
  const std::vector<PresentPort> listed = {
      {Device("ttyUSB1"), "", "CP2102", "Silicon Labs", "0001"},
      {Device("ttyUSB0"), "", "FT232R USB UART", "FTDI", "A10K3X2B"},
  };

  const std::vector<PresentPort> ports = WithStableNames(listed, byId);

  ASSERT_EQ(ports.size(), 3u);
  // Sorted by what a binding would hold: the links first here, then the
  // unlinked port by its device.
  EXPECT_EQ(ports[0].BindName(), (byId / "usb-FTDI_B-port0").string());
  EXPECT_EQ(ports[0].device, Device("ttyUSB0"));
  EXPECT_EQ(ports[0].description, "FT232R USB UART");
  EXPECT_EQ(ports[0].serialNumber, "A10K3X2B");
  EXPECT_EQ(ports[1].stableName, (byId / "usb-Sim-port0").string());
  EXPECT_EQ(ports[1].device, fs::canonical(devices / "pts5").string());
  EXPECT_EQ(ports[2].BindName(), Device("ttyUSB1"));
  EXPECT_EQ(ports[2].stableName, "");
  EXPECT_EQ(ports[2].manufacturer, "Silicon Labs");
}

TEST_F(PresentPortsTest, AMissingFolderLeavesTheListAsItWas) {
  const std::vector<PresentPort> ports = WithStableNames({{Device("ttyUSB0"), "", "", "", ""}}, folder.Path() / "none");
  ASSERT_EQ(ports.size(), 1u);
  EXPECT_EQ(ports[0].stableName, "");
}

TEST_F(PresentPortsTest, FindsAPortByDeviceOrStableNameOnly) {
  Link("usb-FTDI_B-port0", devices / "ttyUSB0");
  const std::vector<PresentPort> ports = WithStableNames({{Device("ttyUSB0"), "", "", "", ""}}, byId);
  const std::string link = (byId / "usb-FTDI_B-port0").string();
  EXPECT_EQ(FindPresentPort(ports, link), &ports[0]);
  EXPECT_EQ(FindPresentPort(ports, Device("ttyUSB0")), &ports[0]);
  EXPECT_EQ(FindPresentPort(ports, Device("ttyUSB1")), nullptr);
  EXPECT_EQ(FindPresentPort(ports, ""), nullptr);
  EXPECT_TRUE(DeviceExists(link));
  EXPECT_FALSE(DeviceExists((byId / "usb-other").string()));
  EXPECT_FALSE(DeviceExists(""));
}

}  // namespace
}  // namespace tessaro::testing

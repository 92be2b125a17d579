#include "cli/PortsCommand.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "cli/CliOptions.h"
#include "cli/Commands.h"
#include "cli/Json.h"
#include "files/PortBindingsFile.h"
#include "tests/cli/CliTestSupport.h"

namespace tessaro::cli::testing {
namespace {

class PortsCommandTest : public ::testing::Test {
 protected:
  int Ports(OutputFormat format) {
    const PortsWorld world{[this](const char* name) -> const char* {
                             const auto found = environment.find(name);
                             return found == environment.end() ? nullptr : found->second.c_str();
                           },
                           [this] { return present; }};
    return PortsCommand(folder.Path(), world, format, console);
  }
  std::string BindingsFile() const { return (folder.Path() / PortBindingsFileName).string(); }

  TestFolder folder;
  RecordingConsole console;
  std::map<std::string, std::string> environment;
  // The first device exists (the folder itself stands in for it).
  std::vector<PresentPort> present = {
      {"/dev/ttyUSB0", "/dev/serial/by-id/usb-FTDI_A1-if00-port0", "FT232R USB UART", "FTDI", "A1"},
      {"/dev/ttyS0", "", "", "", ""}};
};

#ifndef _WIN32
// On Windows the variables do not name ports, the last line differs and
// folder names have backslashes that JSON escapes.
TEST_F(PortsCommandTest, TextListsPortsBindingsWithPresenceAndVariables) {
  ASSERT_TRUE(WritePortBindings(folder.Path(), {{1, folder.Path().string()}, {3, "/dev/serial/by-id/usb-gone"}}));
  environment["TESSARO_COM2"] = "/dev/pts/4";
  ASSERT_EQ(Ports(OutputFormat::Text), ExitDone);
  EXPECT_EQ(console.out,
            "Ports present:\n"
            "  /dev/serial/by-id/usb-FTDI_A1-if00-port0 (/dev/ttyUSB0)  FT232R USB UART, FTDI, serial number A1\n"
            "  /dev/ttyS0\n"
            "Bindings in " + BindingsFile() + ":\n"
            "  Com1  " + folder.Path().string() + "\n"
            "  Com3  /dev/serial/by-id/usb-gone  (absent)\n"
            "Set by TESSARO_COM<n>, ahead of any binding:\n"
            "  Com2  /dev/pts/4\n"
            "Any other port n opens /dev/ttyS<n-1>.\n");
  EXPECT_TRUE(console.err.empty()) << console.Err();
}

TEST_F(PortsCommandTest, JsonCarriesTheSameFacts) {
  ASSERT_TRUE(WritePortBindings(folder.Path(), {{3, "/dev/serial/by-id/usb-gone"}}));
  present.pop_back();
  ASSERT_EQ(Ports(OutputFormat::Json), ExitDone);
  EXPECT_EQ(console.out,
            "{\"present\": [{\"device\": \"/dev/ttyUSB0\", \"stableName\": \"/dev/serial/by-id/usb-FTDI_A1-if00-port0\", "
            "\"description\": \"FT232R USB UART\", \"manufacturer\": \"FTDI\", \"serialNumber\": \"A1\"}], "
            "\"bindingsFile\": \"" + BindingsFile() + "\", "
            "\"bindings\": [{\"port\": 3, \"device\": \"/dev/serial/by-id/usb-gone\", \"present\": false}], "
            "\"environment\": [], \"problem\": null}\n");
}
#endif

TEST_F(PortsCommandTest, ABadFileIsReportedAndListsAsNoBindings) {
  tessaro::testing::WriteBytes(folder.Path() / PortBindingsFileName, "  1 Com1 ->/dev/ttyUSB0\r\nnonsense\r\n");
  ASSERT_EQ(Ports(OutputFormat::Json), ExitDone);
  EXPECT_NE(console.out.find("\"bindings\": []"), std::string::npos) << console.out;
  EXPECT_NE(console.out.find("\"problem\": \"the port bindings file"), std::string::npos) << console.out;
  ASSERT_EQ(console.err.size(), 1u);
  EXPECT_EQ(console.err[0], "{\"message\":" +
                                JsonString("the port bindings file " + BindingsFile() +
                                           ": line 2: no \"->\"; the ports open their standard devices") +
                                "}");
}

TEST(PortsOptionsTest, PortsTakesNoOperandAndKnowsTheFormat) {
  const ParsedCommandLine json = ParseCommandLine({"ports", "--format", "json"});
  ASSERT_TRUE(json.options) << json.error;
  EXPECT_EQ(json.options->command, Command::Ports);
  EXPECT_EQ(json.options->format, OutputFormat::Json);
  const ParsedCommandLine extra = ParseCommandLine({"ports", "now"});
  EXPECT_FALSE(extra.options);
  EXPECT_EQ(extra.error, "ports takes no operand, not 'now'");
}

}  // namespace
}  // namespace tessaro::cli::testing

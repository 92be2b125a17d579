#include "files/PortBindingsFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <string>

#include "tests/support/FileBytes.h"
#include "tests/support/TestFolder.h"

namespace tessaro::testing {
namespace {

TEST(PortBindingsFileTest, SavedBindingsReadBackAndKeepTheLineStyle) {
  TestFolder folder;
  const PortBindings bindings = {{1, "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A10K3X2B-if00-port0"},
                                 {12, "/dev/ttyUSB1"},
                                 {HighestComPort, "/dev/caf\xc3\xa9"}};
  ASSERT_TRUE(WritePortBindings(folder.Path(), bindings));
  EXPECT_EQ(ReadBytes(folder.Path() / PortBindingsFileName),
            "  1            Com1 ->/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A10K3X2B-if00-port0\r\n"
            " 12           Com12 ->/dev/ttyUSB1\r\n"
            "256          Com256 ->/dev/caf\xe9\r\n");  // Windows-1252 in the file
  const PortBindingsRead read = ReadPortBindings(folder.Path());
  EXPECT_EQ(read.problem, "");
  EXPECT_EQ(read.bindings, bindings);
}

TEST(PortBindingsFileTest, MissingFileIsNoBindingsAndNoProblem) {
  TestFolder folder;
  const PortBindingsRead read = ReadPortBindings(folder.Path());
  EXPECT_TRUE(read.bindings.empty());
  EXPECT_EQ(read.problem, "");
}

TEST(PortBindingsFileTest, ReadsWhatOtherLineEndsAndBlankLinesCarry) {
  const PortBindingsRead read = ParsePortBindings("\n  2 Com2 ->/dev/ttyUSB0\n\r\n   \r 3 ->/dev/ttyACM0");
  EXPECT_EQ(read.problem, "");
  EXPECT_EQ(read.bindings, (PortBindings{{2, "/dev/ttyUSB0"}, {3, "/dev/ttyACM0"}}));
}

struct BadFileCase {
  const char* name;
  std::string content;
  const char* problem;  // what the message must say
};
void PrintTo(const BadFileCase& c, std::ostream* out) { *out << c.name; }

class BadBindingsFileTest : public ::testing::TestWithParam<BadFileCase> {};

// Any fault binds nothing, so every port falls back to its default, and the
// message names the line and the fault.
TEST_P(BadBindingsFileTest, BindsNothingAndSaysWhy) {
  TestFolder folder;
  WriteBytes(folder.Path() / PortBindingsFileName, GetParam().content);
  const PortBindingsRead read = ReadPortBindings(folder.Path());
  EXPECT_TRUE(read.bindings.empty());
  EXPECT_NE(read.problem.find((folder.Path() / PortBindingsFileName).string()), std::string::npos) << read.problem;
  EXPECT_NE(read.problem.find(GetParam().problem), std::string::npos) << read.problem;
}

INSTANTIATE_TEST_SUITE_P(
    Faults, BadBindingsFileTest,
    ::testing::Values(
        BadFileCase{"garbage", " 1 Com1 ->/dev/ttyUSB0\r\n\x01\xff\xfe garbage\r\n", "line 2: no \"->\""},
        BadFileCase{"noPortNumber", "Com1 ->/dev/ttyUSB0\r\n", "line 1: no COM port number 1..256"},
        BadFileCase{"portZero", "  0 Com0 ->/dev/ttyUSB0\r\n", "line 1: no COM port number"},
        BadFileCase{"portBeyondRange", "257 Com257 ->/dev/ttyUSB0\r\n", "line 1: no COM port number"},
        BadFileCase{"missingDevice", "  1 Com1 ->/dev/ttyUSB0\r\n  2 Com2 ->\r\n", "line 2: no device after"},
        BadFileCase{"relativeDevice", "  1 Com1 ->ttyUSB0\r\n", "not an absolute path"},
        BadFileCase{"boundTwice", "  1 Com1 ->/dev/a\r\n  1 Com1 ->/dev/b\r\n", "line 2: Com1 is bound twice"},
        BadFileCase{"lineTooLong", "  1 Com1 ->/dev/" + std::string(600, 'x') + "\r\n", "line 1: longer than"},
        BadFileCase{"deviceTooLong", "  1 Com1 ->/dev/" + std::string(LongestBoundDevice, 'x') + "\r\n",
                    "longer than 512"},
        BadFileCase{"fileTooLarge", std::string(LargestBindingsFile + 1, '\n'), "larger than 65536 bytes"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PortBindingsFileTest, AFolderInPlaceOfTheFileIsAProblemNotACrash) {
  TestFolder folder;
  std::filesystem::create_directory(folder.Path() / PortBindingsFileName);
  const PortBindingsRead read = ReadPortBindings(folder.Path());
  EXPECT_TRUE(read.bindings.empty());
  EXPECT_NE(read.problem.find("not a file"), std::string::npos) << read.problem;
}

TEST(PortBindingsFileTest, RefusesToSaveWhatItCouldNotReadBack) {
  TestFolder folder;
  const std::string before = "  1 Com1 ->/dev/ttyUSB0\r\n";
  WriteBytes(folder.Path() / PortBindingsFileName, before);
  for (const PortBindings& bad : {PortBindings{{1, "relative"}}, PortBindings{{0, "/dev/ttyUSB0"}},
                                  PortBindings{{2, "/dev/\xe2\x82\xac\xe2\x9c\x93"}},  // a tick has no Windows-1252 byte
                                  PortBindings{{3, "/dev/a\r\n 4 Com4 ->/dev/b"}}}) {
    EXPECT_FALSE(WritePortBindings(folder.Path(), bad)) << bad.begin()->second;
  }
  EXPECT_EQ(ReadBytes(folder.Path() / PortBindingsFileName), before);
}

}  // namespace
}  // namespace tessaro::testing

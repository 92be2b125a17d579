#include "serial/Datacom.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "SerialTestWorld.h"
#include "tests/support/FakeBytePort.h"
#include "tests/support/FileBytes.h"

namespace tessaro::testing {
namespace {

class DatacomTest : public ::testing::Test {
 protected:
  FakeBytePort port;
  DatacomWorld world{port};
  Datacom& datacom = world.datacom;
};

// --- OpenComPort: line settings --------------------------------------------

struct OpenCase {
  const char* name;
  int16_t portIndex, speed, parity, dataBits, stopBits, handshake;
  const char* settingsText;
  int baud;
  char parityLetter;
  int bits, stops;
  bool rtsCts, rts;
};
void PrintTo(const OpenCase& c, std::ostream* out) { *out << c.name; }


class OpenComPortSettings : public DatacomTest, public ::testing::WithParamInterface<OpenCase> {};

TEST_P(OpenComPortSettings, AppliesLineAndReportsIt) {
  const OpenCase& c = GetParam();
  const int portNumber = c.portIndex + 1;

  ASSERT_EQ(datacom.OpenComPort(c.portIndex, c.speed, c.parity, c.dataBits, c.stopBits, c.handshake), 0);

  EXPECT_TRUE(port.open);
  EXPECT_EQ(port.lastPortNumber, portNumber);
  EXPECT_EQ(port.lastSettings.baud, c.baud);
  EXPECT_EQ(port.lastSettings.parity, c.parityLetter);
  EXPECT_EQ(port.lastSettings.dataBits, c.bits);
  EXPECT_EQ(port.lastSettings.stopBits, c.stops);
  EXPECT_EQ(port.lastSettings.rtsCtsHandshake, c.rtsCts);
  EXPECT_EQ(port.lastSettings.rts, c.rts);
  EXPECT_FALSE(port.lastSettings.dtr);
  const std::string n = std::to_string(portNumber);
  EXPECT_EQ(world.Lines(), std::vector<std::string>{DatacomWorld::Stamped(
                               "Com: " + n + " opened with: " + c.settingsText)});
  EXPECT_EQ(world.frame.caption, "Serial Port: " + n + " " + c.settingsText);
  EXPECT_EQ(Datacom::SettingsText(c.speed, c.parity, c.dataBits, c.stopBits), c.settingsText);
}

INSTANTIATE_TEST_SUITE_P(
    Indexes, OpenComPortSettings,
    ::testing::Values(
        // name, port, speed, parity, data, stop, handshake, text, baud, parity, bits, stops, rts/cts, rts
        OpenCase{"AsEveryCallerOpens", 0, 4, 0, 1, 0, 0, "9600,N,8,1", 9600, 'N', 8, 1, false, false},
        OpenCase{"SlowEvenSevenTwoWithHandshake", 0, 0, 1, 0, 1, 2, "300,E,7,2", 300, 'E', 7, 2, true, true},
        OpenCase{"UnknownSpeedIndexRunsAt9600", 0, 9, 0, 1, 0, 0, "9600,N,8,1", 9600, 'N', 8, 1, false, false},
        OpenCase{"NegativeIndexesFallBack", 0, -1, -1, -1, -1, 0, "9600,N,8,1", 9600, 'N', 8, 1, false, false},
        OpenCase{"HighIndexesFallBack", 0, 6, 3, 2, 2, 0, "9600,N,8,1", 9600, 'N', 8, 1, false, false},
        OpenCase{"OddParity1200", 0, 1, 2, 1, 0, 0, "1200,O,8,1", 1200, 'O', 8, 1, false, false},
        OpenCase{"Speed2400", 0, 2, 0, 1, 0, 0, "2400,N,8,1", 2400, 'N', 8, 1, false, false},
        OpenCase{"Speed4800", 0, 3, 0, 1, 0, 0, "4800,N,8,1", 4800, 'N', 8, 1, false, false},
        OpenCase{"Speed19200", 0, 5, 0, 1, 0, 0, "19200,N,8,1", 19200, 'N', 8, 1, false, false},
        OpenCase{"RtsOnWithoutHandshake", 0, 4, 0, 1, 0, 1, "9600,N,8,1", 9600, 'N', 8, 1, false, true},
        OpenCase{"UnknownHandshakeIsRtsCts", 0, 4, 0, 1, 0, -1, "9600,N,8,1", 9600, 'N', 8, 1, true, true},
        OpenCase{"Com12", 11, 4, 0, 1, 0, 0, "9600,N,8,1", 9600, 'N', 8, 1, false, false}),
    [](const auto& info) { return std::string(info.param.name); });

// --- OpenComPort: failures --------------------------------------------------

TEST_F(DatacomTest, OpeningAnOpenPortFailsAndLeavesItOpen) {
  ASSERT_EQ(datacom.OpenComPort(0, 4, 0, 1, 0, 0), 0);
  const std::string captionAfterFirstOpen = world.frame.caption;

  EXPECT_EQ(datacom.OpenComPort(0, 0, 1, 0, 1, 2), -1);

  EXPECT_TRUE(port.open);
  EXPECT_EQ(datacom.PortIsOpen(), 1);
  EXPECT_EQ(port.closeCalls, 0);
  EXPECT_EQ(port.lastSettings.baud, 9600) << "the refused open must not change the line";
  EXPECT_EQ(world.frame.caption, captionAfterFirstOpen);
  EXPECT_EQ(world.Lines(), (std::vector<std::string>{
                               DatacomWorld::Stamped("Com: 1 opened with: 9600,N,8,1"),
                               DatacomWorld::Stamped("Error opening Comport:  1")}));
}

struct OpenFailureCase {
  const char* name;
  int16_t portIndex;
  bool deviceRefuses;
  bool deviceThrows;
  const char* line;
  int portCalls;  // how often the port layer was asked to open
};
void PrintTo(const OpenFailureCase& c, std::ostream* out) { *out << c.name; }


class OpenComPortFailure : public DatacomTest, public ::testing::WithParamInterface<OpenFailureCase> {};

TEST_P(OpenComPortFailure, ReportsAndLeavesCaptionAlone) {
  const OpenFailureCase& c = GetParam();
  port.failOpen = c.deviceRefuses;
  port.throwOnCall = c.deviceThrows;

  EXPECT_EQ(datacom.OpenComPort(c.portIndex, 4, 0, 1, 0, 0), -1);

  EXPECT_FALSE(port.open);
  EXPECT_EQ(port.openCalls, c.portCalls);
  EXPECT_EQ(world.frame.captionCalls, 0);
  EXPECT_EQ(world.Lines(), std::vector<std::string>{DatacomWorld::Stamped(c.line)});
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OpenComPortFailure,
    ::testing::Values(OpenFailureCase{"DeviceRefuses", 0, true, false, "Error opening Comport:  1", 1},
                      OpenFailureCase{"DeviceThrows", 2, false, true, "Error opening Comport:  3", 1},
                      OpenFailureCase{"IndexBelowZeroIsNoPort", -1, false, false, "Error opening Comport:  0", 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DatacomLanguage, MessageLinesComeFromTheTextTable) {
  FakeBytePort port;
  DatacomWorld world(port, Dutch);

  world.datacom.OpenComPort(1, 4, 0, 1, 0, 0);
  world.datacom.OpenComPort(1, 4, 0, 1, 0, 0);
  world.datacom.CloseComPort();

  const std::vector<std::string> expected = {
      DatacomWorld::Stamped("Com: 2 " + world.texts.Text(slot::OpenedWith) + ": 9600,N,8,1"),
      DatacomWorld::Stamped(world.texts.Text(slot::ErrorOpeningComport) + ":  2"),
      DatacomWorld::Stamped(world.texts.Text(slot::ComportClosed) + ".")};
  EXPECT_EQ(world.Lines(), expected);
  EXPECT_EQ(world.texts.Text(slot::OpenedWith), "geopend met");
}

TEST_F(DatacomTest, OpenLineReachesTheDaysLogFile) {
  ASSERT_EQ(datacom.OpenComPort(0, 4, 0, 1, 0, 0), 0);

  const std::string text = ReadBytes(world.log.LogFilePath(world.clock.now));
  EXPECT_EQ(text, "12:34:56 Com: 1 opened with: 9600,N,8,1\r\n");
}

// --- CloseComPort -------------------------------------------------------------

struct CloseCase {
  const char* name;
  bool failClose;
  bool throwOnCall;
  const char* line;
};
void PrintTo(const CloseCase& c, std::ostream* out) { *out << c.name; }


class CloseComPortReport : public DatacomTest, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(CloseComPortReport, OneLineEitherWay) {
  const CloseCase& c = GetParam();
  port.open = true;
  port.failClose = c.failClose;
  port.throwOnCall = c.throwOnCall;

  datacom.CloseComPort();

  EXPECT_EQ(port.closeCalls, 1);
  EXPECT_EQ(world.Lines(), std::vector<std::string>{DatacomWorld::Stamped(c.line)});
}

INSTANTIATE_TEST_SUITE_P(Cases, CloseComPortReport,
                         ::testing::Values(CloseCase{"Closed", false, false, "Comport closed by software."},
                                           CloseCase{"Refused", true, false, "Error closing Comport."},
                                           CloseCase{"Thrown", false, true, "Error closing Comport."}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DatacomTest, CloseThenOpenAgainWorks) {
  ASSERT_EQ(datacom.OpenComPort(0, 4, 0, 1, 0, 0), 0);
  datacom.CloseComPort();
  EXPECT_EQ(datacom.PortIsOpen(), -1);
  EXPECT_EQ(datacom.OpenComPort(0, 4, 0, 1, 0, 0), 0);
  EXPECT_EQ(datacom.PortIsOpen(), 1);
}

// --- SendByte -------------------------------------------------------------------

class SendByteOutOfRange : public DatacomTest, public ::testing::WithParamInterface<int> {};

TEST_P(SendByteOutOfRange, SendsNothingAndDoesNotBlink) {
  port.open = true;
  EXPECT_EQ(datacom.SendByte(GetParam()), -1);
  EXPECT_TRUE(port.written.empty());
  EXPECT_FALSE(datacom.TxActivity);
}

INSTANTIATE_TEST_SUITE_P(Values, SendByteOutOfRange, ::testing::Values(256, -1, 32767, -32768, 65535));

TEST_F(DatacomTest, SendByteHandsEveryByteOverUnchanged) {
  port.open = true;
  for (int value = 0; value <= 255; ++value) ASSERT_EQ(datacom.SendByte(value), 0) << value;
  ASSERT_EQ(port.written.size(), 256u);
  for (int value = 0; value <= 255; ++value) EXPECT_EQ(port.written[static_cast<size_t>(value)], value);
  EXPECT_TRUE(datacom.TxActivity);
}

struct SendFailureCase {
  const char* name;
  bool open, failWrite, throwOnCall;
};
void PrintTo(const SendFailureCase& c, std::ostream* out) { *out << c.name; }


class SendByteFailure : public DatacomTest, public ::testing::WithParamInterface<SendFailureCase> {};

TEST_P(SendByteFailure, GivesMinusOne) {
  const SendFailureCase& c = GetParam();
  port.open = c.open;
  port.failWrite = c.failWrite;
  port.throwOnCall = c.throwOnCall;
  EXPECT_EQ(datacom.SendByte(0x41), -1);
  EXPECT_TRUE(port.written.empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, SendByteFailure,
                         ::testing::Values(SendFailureCase{"PortClosed", false, false, false},
                                           SendFailureCase{"WriteRefused", true, true, false},
                                           SendFailureCase{"LayerThrows", true, false, true}),
                         [](const auto& info) { return std::string(info.param.name); });

// --- ReadByte, FlushInput, PortIsOpen -----------------------------------------

TEST_F(DatacomTest, ReadByteReturnsEveryByteIncludingNul) {
  port.open = true;
  port.Feed({0x00, 0xFF, 0x41, 0x00, 0x0D});

  std::vector<int> read;
  for (int i = 0; i < 6; ++i) read.push_back(datacom.ReadByte());

  EXPECT_EQ(read, (std::vector<int>{0, 255, 65, 0, 13, -1}));
  EXPECT_TRUE(datacom.RxActivity);
}

TEST_F(DatacomTest, ReadByteOnEmptyBufferDoesNotBlink) {
  port.open = true;
  EXPECT_EQ(datacom.ReadByte(), -1);
  EXPECT_FALSE(datacom.RxActivity);
}

TEST_F(DatacomTest, ReadByteFromFailingLayerGivesMinusOne) {
  port.open = true;
  port.Feed({0x41});
  port.throwOnCall = true;
  EXPECT_EQ(datacom.ReadByte(), -1);
  EXPECT_FALSE(datacom.RxActivity);
}

TEST_F(DatacomTest, FlushInputDropsWaitingBytesOnly) {
  port.open = true;
  port.Feed({1, 2, 3});
  datacom.FlushInput();
  EXPECT_EQ(datacom.ReadByte(), -1);
  port.Feed({4});
  EXPECT_EQ(datacom.ReadByte(), 4);

  port.throwOnCall = true;
  EXPECT_NO_THROW(datacom.FlushInput());
}

struct OpenStateCase {
  const char* name;
  bool open, hangUp, throwOnCall;
  int16_t expected;
};
void PrintTo(const OpenStateCase& c, std::ostream* out) { *out << c.name; }


class PortIsOpenState : public DatacomTest, public ::testing::WithParamInterface<OpenStateCase> {};

TEST_P(PortIsOpenState, OneOrMinusOne) {
  const OpenStateCase& c = GetParam();
  port.open = c.open;
  if (c.hangUp) port.HangUp();
  port.throwOnCall = c.throwOnCall;
  EXPECT_EQ(datacom.PortIsOpen(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, PortIsOpenState,
                         ::testing::Values(OpenStateCase{"Open", true, false, false, 1},
                                           OpenStateCase{"Closed", false, false, false, -1},
                                           OpenStateCase{"DeviceVanished", true, true, false, -1},
                                           OpenStateCase{"CannotBeAsked", true, false, true, -1}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tessaro::testing

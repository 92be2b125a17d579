// A Linux engineer binds Com1 to a USB adapter in the program settings dialog
// and the program opens it after a restart. The simulated unit stands in for
// the adapter: its pseudo-terminal is reached through a link in a folder laid
// out like /dev/serial/by-id.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "core/Clock.h"
#include "files/PortBindingsFile.h"
#include "program/PortChoice.h"
#include "serial/QtSerialBytePort.h"
#include "tests/support/FileBytes.h"
#include "tests/support/PseudoTerminal.h"
#include "tests/support/TestFolder.h"
#include "tests/support/UnitSimProcess.h"
#include "ui/LockableCombo.h"
#include "ui/MainWindow.h"
#include "ui/ProgramSettingsDialog.h"
#include "ui/UserPrompts.h"

namespace tessaro::testing {
namespace {

using namespace std::chrono_literals;

class NoPrompts final : public UserPrompts {
 public:
  bool Confirm(const QString& /*title*/, const QString& /*text*/) override { return true; }
  std::optional<QString> SaveFileName(const FileDialogRequest& /*request*/) override { return std::nullopt; }
  std::optional<QString> OpenFileName(const FileDialogRequest& /*request*/) override { return std::nullopt; }
  void Beep() override {}
};

class PortBindingE2eTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (const auto why = WhyNoPseudoTerminal()) GTEST_SKIP() << "no pseudo-terminal available here: " << *why;
    ASSERT_FALSE(scratch.Path().empty());
    std::filesystem::create_directories(program);
    std::filesystem::create_directories(byId);
    WriteBytes(program / "TessaroIP.set",
               "0        Compoort ->0\r\n1      Logfile ->1\r\n2       SetPath ->\r\n"
               "3       UnitType ->3\r\n4       Taal ->0\r\n5       Case ->1\r\n");
    ASSERT_TRUE(sim.Start({"--no-pace", "--status-every", "0", "--link", adapter, "--quit-after", "60"}));
    ASSERT_TRUE(sim.WaitForLine("PTY ", 5s)) << sim.Transcript();
    ::unsetenv("TESSARO_COM1");
    ::setenv("TESSARO_SERIAL_BY_ID", byId.c_str(), 1);
  }

  void TearDown() override {
    window.reset();
    port.reset();
    sim.Stop();
    ::unsetenv("TESSARO_SERIAL_BY_ID");
  }

  // One run of the program, with the port naming main() gives it. The
  // machine's own serial ports stay out of the test: a standard device name
  // is turned into one that does not exist.
  void Run() {
    window.reset();
    port = std::make_unique<QtSerialBytePort>([this](int number) {
      std::string device = BoundPortNaming(program)(number);
      opened.push_back(device);
      return device == StandardPortDevice(number) ? (scratch.Path() / "no-such-device").string() : device;
    });
    window = std::make_unique<MainWindow>(MainWindow::Environment{program, clock, *port, prompts});
    window->Form_Load("");
    window->show();
  }

  bool MessageLineContains(const std::string& text) {
    const auto& lines = window->Program().Log.MessageLines();
    return std::any_of(lines.begin(), lines.end(),
                       [&](const std::string& line) { return line.find(text) != std::string::npos; });
  }

  bool TickUntil(const std::function<bool()>& done) {
    const auto deadline = std::chrono::steady_clock::now() + 8s;
    while (std::chrono::steady_clock::now() < deadline) {
      window->TmrAfhandel_Timer();
      QCoreApplication::processEvents();
      sim.Drain();
      if (done()) return true;
      std::this_thread::sleep_for(2ms);
    }
    return false;
  }

  ProgramSettingsDialog* OpenSetup() {
    window->Widgets().Setup->trigger();
    return window->findChild<ProgramSettingsDialog*>();
  }

  TestFolder scratch;
  std::filesystem::path program = scratch.Path() / "program";
  std::filesystem::path byId = scratch.Path() / "serial" / "by-id";
  std::string adapter = (byId / "usb-Tornak_Sim_0001-if00-port0").string();
  UnitSimProcess sim{TESSARO_UNIT_SIM_PATH};
  SystemClock clock;
  NoPrompts prompts;
  std::unique_ptr<QtSerialBytePort> port;
  std::unique_ptr<MainWindow> window;
  std::vector<std::string> opened;
};

TEST_F(PortBindingE2eTest, BoundInTheDialogAndOpenedAfterARestart) {
  Run();
  ASSERT_FALSE(opened.empty());
  EXPECT_EQ(opened.back(), "/dev/ttyS0") << "unbound, Com1 is the first serial device";
  EXPECT_FALSE(MessageLineContains("Com: 1 opened"));

  ProgramSettingsDialog* dialog = OpenSetup();
  ASSERT_NE(dialog, nullptr);
  const ProgramSettingsDialog::Controls& d = dialog->Widgets();
  ASSERT_NE(d.ComboDevice, nullptr);
  QTest::mouseClick(d.CmdWijzigen, Qt::LeftButton);
  ASSERT_FALSE(d.ComboDevice->Locked());

  // The adapter is offered by its stable name, as the link's own name shows it.
  const int offered = d.ComboDevice->findData(QString::fromStdString(adapter));
  ASSERT_GT(offered, 0) << "the picker must offer " << adapter;
  EXPECT_TRUE(d.ComboDevice->itemText(offered).startsWith(QStringLiteral("usb-Tornak_Sim_0001-if00-port0  (")))
      << d.ComboDevice->itemText(offered).toStdString();
  d.ComboDevice->setFocus();
  for (int step = 0; step < 40 && d.ComboDevice->currentIndex() < offered; ++step) {
    QTest::keyClick(d.ComboDevice, Qt::Key_Down);
  }
  ASSERT_EQ(d.ComboDevice->currentIndex(), offered);
  EXPECT_EQ(d.ComboCom->currentText(), QString::fromStdString("Com1  (" + adapter + ")"));
  QTest::mouseClick(d.CmdSave, Qt::LeftButton);

  EXPECT_EQ(ReadBytes(PortBindingsPath(program)), "  1            Com1 ->" + adapter + "\r\n");
  EXPECT_EQ(ReadBytes(program / "TessaroIP.set").substr(0, 23), "0        Compoort ->0\r\n")
      << "the settings file keeps its format";

  // Next run: Com1 is the adapter from the start, and the unit answers on it.
  opened.clear();
  Run();
  ASSERT_FALSE(opened.empty());
  EXPECT_EQ(opened.front(), adapter);
  ASSERT_TRUE(MessageLineContains("Com: 1 opened with: 9600,N,8,1"));
  window->Widgets().CmdLeesAlles->click();
  EXPECT_TRUE(TickUntil([this] { return MessageLineContains("Reading of all settings successfull."); }))
      << sim.Transcript();
}

TEST_F(PortBindingE2eTest, AnAbsentBoundDeviceShowsAsAbsentAndIsTakenWhenItComesBack) {
  const std::string unplugged = (byId / "usb-Tornak_Other_0002-if00-port0").string();
  ASSERT_TRUE(WritePortBindings(program, {{1, unplugged}}));
  Run();
  EXPECT_EQ(opened.back(), unplugged);
  EXPECT_FALSE(MessageLineContains("Com: 1 opened"));

  ProgramSettingsDialog* dialog = OpenSetup();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(dialog->Widgets().ComboDevice->currentText(), QString::fromStdString(unplugged + "  (absent)"));

  // Plugged in: the next attempt (a button press) opens it.
  std::filesystem::create_symlink(std::filesystem::read_symlink(adapter), unplugged);
  window->Widgets().CmdLeesAlles->click();
  EXPECT_TRUE(MessageLineContains("Com: 1 opened with: 9600,N,8,1"));
  EXPECT_EQ(opened.back(), unplugged);
  EXPECT_TRUE(TickUntil([this] { return MessageLineContains("Reading of all settings successfull."); }))
      << sim.Transcript();
}

TEST_F(PortBindingE2eTest, ADamagedBindingsFileIsAMessageAndTheStandardDevice) {
  WriteBytes(PortBindingsPath(program), "  1            Com1 ->" + adapter + "\r\n" + std::string(2000, 'x') + "\r\n");
  Run();
  EXPECT_EQ(opened.back(), "/dev/ttyS0");
  EXPECT_TRUE(MessageLineContains("ERROR: the port bindings file " + PortBindingsPath(program).string() +
                                  ": line 2: longer than"));
  EXPECT_TRUE(MessageLineContains("the ports open their standard devices"));
}

}  // namespace
}  // namespace tessaro::testing

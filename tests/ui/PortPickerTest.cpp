// The device picker of the program settings dialog, on systems whose ports
// have no COM names; the ports present, where they have.
#include <QTest>
#include <map>
#include <string>
#include <vector>

#include "files/PortBindingsFile.h"
#include "tests/ui/SecondaryWindowFixture.h"
#include "ui/LockableCombo.h"
#include "ui/PortTexts.h"

namespace tessaro::testing {
namespace {

#ifndef _WIN32

class PortPickerTest : public SecondaryWindowTest {
 protected:
  ProgramSettingsDialog& OpenDialog() {
    Start();
    const EnvironmentLookup lookup = [this](const char* name) -> const char* {
      const auto found = environment.find(name);
      return found == environment.end() ? nullptr : found->second.c_str();
    };
    dialog = new ProgramSettingsDialog(
        ProgramSettingsDialog::Environment{Program(), *window, prompts, lookup, [this] { return present; }}, *window);
    return *dialog;
  }
  const ProgramSettingsDialog::Controls& D() const { return dialog->Widgets(); }
  QStringList DeviceEntries() const {
    QStringList entries;
    for (int index = 0; index < D().ComboDevice->count(); ++index) entries << D().ComboDevice->itemText(index);
    return entries;
  }
  // The user's way: the keyboard on the focused picker.
  // A locked combo ignores the keys: the steps are bounded.
  static void Pick(LockableCombo* combo, int index) {
    combo->setFocus();
    for (int step = 0; step < 40 && combo->currentIndex() != index; ++step) {
      QTest::keyClick(combo, combo->currentIndex() < index ? Qt::Key_Down : Qt::Key_Up);
    }
    ASSERT_EQ(combo->currentIndex(), index);
  }
  void PickDevice(int index) { Pick(D().ComboDevice, index); }
  void PickPort(int index) { Pick(D().ComboCom, index); }
  std::string BindingsBytes() { return ReadBytes(PortBindingsPath(folder.Path())); }

  std::map<std::string, std::string> environment;
  std::vector<PresentPort> present = {
      {"/dev/ttyUSB0", "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A10K3X2B-if00-port0", "FT232R USB UART", "FTDI",
       "A10K3X2B"},
      {"/dev/ttyACM0", "", "", "", ""}};
  ProgramSettingsDialog* dialog = nullptr;
};

TEST_F(PortPickerTest, OffersThePortsPresentAndMarksAnAbsentBinding) {
  ASSERT_TRUE(WritePortBindings(folder.Path(), {{1, "/dev/serial/by-id/usb-Prolific_PL2303-if00-port0"}}));
  OpenDialog();
  ASSERT_NE(D().ComboDevice, nullptr);
  EXPECT_EQ(DeviceEntries(), (QStringList{QStringLiteral("standard: /dev/ttyS0"),
                                          QStringLiteral("usb-FTDI_FT232R_USB_UART_A10K3X2B-if00-port0  "
                                                         "(/dev/ttyUSB0, FT232R USB UART, FTDI, A10K3X2B)"),
                                          QStringLiteral("/dev/ttyACM0"),
                                          QStringLiteral("/dev/serial/by-id/usb-Prolific_PL2303-if00-port0  (absent)")}));
  EXPECT_EQ(D().ComboDevice->currentIndex(), 3);
  EXPECT_EQ(D().ComboCom->itemText(0), QStringLiteral("Com1  (/dev/serial/by-id/usb-Prolific_PL2303-if00-port0)"));
  EXPECT_TRUE(D().ComboDevice->Locked()) << "write-protected until Edit";

  QTest::mouseClick(D().CmdWijzigen, Qt::LeftButton);
  EXPECT_FALSE(D().ComboDevice->Locked());
  PickPort(1);  // Com2 has no binding
  EXPECT_EQ(D().ComboDevice->currentIndex(), 0);
  EXPECT_EQ(D().ComboDevice->count(), 3);
}

TEST_F(PortPickerTest, APickIsSavedWithTheSettingsAndCancelForgetsIt) {
  OpenDialog();
  QTest::mouseClick(D().CmdWijzigen, Qt::LeftButton);
  PickPort(1);
  PickDevice(1);
  EXPECT_EQ(D().ComboCom->itemText(1),
            QStringLiteral("Com2  (/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A10K3X2B-if00-port0)"));
  QTest::mouseClick(D().CmdCancel, Qt::LeftButton);
  EXPECT_EQ(D().ComboCom->itemText(1), QStringLiteral("Com2  (/dev/ttyS1)"));
  EXPECT_FALSE(std::filesystem::exists(PortBindingsPath(folder.Path())));

  QTest::mouseClick(D().CmdWijzigen, Qt::LeftButton);
  PickPort(1);
  PickDevice(1);
  QTest::mouseClick(D().CmdSave, Qt::LeftButton);
  EXPECT_EQ(BindingsBytes(), "  2            Com2 ->/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A10K3X2B-if00-port0\r\n");
  EXPECT_EQ(Program().Settings.Compoort, 1);

  // Back to the standard device: the binding goes.
  QTest::mouseClick(D().CmdWijzigen, Qt::LeftButton);
  PickDevice(0);
  QTest::mouseClick(D().CmdSave, Qt::LeftButton);
  EXPECT_EQ(BindingsBytes(), "");
}

TEST_F(PortPickerTest, TheVariableWinsAndThePickerSaysSo) {
  ASSERT_TRUE(WritePortBindings(folder.Path(), {{1, "/dev/ttyACM0"}}));
  environment["TESSARO_COM1"] = "/dev/pts/9";
  OpenDialog();
  QTest::mouseClick(D().CmdWijzigen, Qt::LeftButton);
  EXPECT_EQ(DeviceEntries(), QStringList{QStringLiteral("TESSARO_COM1: /dev/pts/9")});
  EXPECT_FALSE(D().ComboDevice->isEnabled());
  EXPECT_EQ(D().ComboCom->itemText(0), QStringLiteral("Com1  (/dev/pts/9)"));
  PickPort(1);
  EXPECT_TRUE(D().ComboDevice->isEnabled());
}

TEST_F(PortPickerTest, TheAboutBoxNamesTheProgramFolder) {
  Start();
  AboutBox* about = OpenAbout();
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(about->Widgets().LabelProgramFolder->text(),
            QStringLiteral("Program folder: ") + QStringFromPath(folder.Path()));
}

#endif

const std::vector<PresentPort> kComPortsPresent = {
    {"COM3", "", "USB Serial Port (COM3)", "FTDI", "A50285BI"},
    {"COM7", "", "", "", ""},  // in the serial map only: a virtual port
};

TEST(ComPortEntry, FriendlyNameOrPresentMarkInTheProgramsLanguage) {
  const struct {
    int port;
    int16_t taal;
    const char* entry;
  } cases[] = {
      {3, English, "Com3  USB Serial Port (COM3)"},
      {3, German, "Com3  USB Serial Port (COM3)"},
      {7, English, "Com7  (present)"},
      {7, Dutch, "Com7  (aanwezig)"},
      {7, German, "Com7  (vorhanden)"},
      {7, French, "Com7  (présent)"},
      {1, English, "Com1"},
      {30, French, "Com30"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ComPortEntry(c.port, kComPortsPresent, c.taal).toStdString(), QString::fromUtf8(c.entry).toStdString())
        << c.port << " " << c.taal;
  }
}

#ifdef _WIN32

class ComPortListTest : public SecondaryWindowTest {
 protected:
  ProgramSettingsDialog& OpenDialog() {
    Start();
    dialog = new ProgramSettingsDialog(
        ProgramSettingsDialog::Environment{Program(), *window, prompts, {}, [this] { return present; }}, *window);
    return *dialog;
  }
  QString Entry(int port) const { return dialog->Widgets().ComboCom->itemText(port - 1); }

  std::vector<PresentPort> present = kComPortsPresent;
  ProgramSettingsDialog* dialog = nullptr;
};

TEST_F(ComPortListTest, ListsThePortsPresentAndOneAddedBeforeEditing) {
  OpenDialog();
  EXPECT_EQ(dialog->Widgets().ComboDevice, nullptr) << "ports are named by number here";
  EXPECT_EQ(Entry(3), QStringLiteral("Com3  USB Serial Port (COM3)"));
  EXPECT_EQ(Entry(7), QStringLiteral("Com7  (present)"));
  EXPECT_EQ(Entry(2), QStringLiteral("Com2"));

  present.push_back({"COM2", "", "Prolific USB-to-Serial Comm Port (COM2)", "Prolific", ""});
  QTest::mouseClick(dialog->Widgets().CmdWijzigen, Qt::LeftButton);
  EXPECT_EQ(Entry(2), QStringLiteral("Com2  Prolific USB-to-Serial Comm Port (COM2)"));
}

#endif

}  // namespace
}  // namespace tessaro::testing

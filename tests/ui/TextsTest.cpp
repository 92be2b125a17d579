// SetTeksten: every caption in the chosen language, nothing else touched.
#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QTabWidget>
#include <map>

#include "tests/ui/UiFixture.h"

namespace tessaro::testing {
namespace {

// Every text the user can read on the window, keyed by where it is.
std::map<QString, QString> VisibleTexts(MainWindow& window) {
  std::map<QString, QString> texts;
  texts[QStringLiteral("title")] = window.windowTitle();
  for (QAction* action : window.menuBar()->actions()) texts[QStringLiteral("menu:") + action->objectName()] = action->text();
  int widgetNumber = 0;
  for (QWidget* widget : window.findChildren<QWidget*>()) {
    const QString key = widget->objectName() + QLatin1Char('#') + QString::number(widgetNumber++);
    if (auto* tabs = qobject_cast<QTabWidget*>(widget)) {
      for (int tab = 0; tab < tabs->count(); ++tab) texts[key + QStringLiteral(":tab") + QString::number(tab)] = tabs->tabText(tab);
    }
    if (auto* frame = qobject_cast<QGroupBox*>(widget)) texts[key + QStringLiteral(":title")] = frame->title();
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) texts[key + QStringLiteral(":caption")] = button->text();
    if (auto* label = qobject_cast<QLabel*>(widget)) texts[key + QStringLiteral(":text")] = label->text();
    if (!widget->toolTip().isEmpty()) texts[key + QStringLiteral(":tooltip")] = widget->toolTip();
  }
  return texts;
}

// What SetTeksten must never change: visibility, enabled state and values.
std::map<QString, QString> ControlState(MainWindow& window) {
  std::map<QString, QString> state;
  int widgetNumber = 0;
  for (QWidget* widget : window.findChildren<QWidget*>()) {
    const QString key = widget->objectName() + QLatin1Char('#') + QString::number(widgetNumber++);
    state[key] = QStringLiteral("%1 %2").arg(widget->isHidden()).arg(widget->isEnabled());
    if (auto* line = qobject_cast<QLineEdit*>(widget)) state[key] += QStringLiteral(" text=") + line->text();
    if (auto* combo = qobject_cast<QComboBox*>(widget)) state[key] += QStringLiteral(" index=") + QString::number(combo->currentIndex());
    if (auto* tabs = qobject_cast<QTabWidget*>(widget)) {
      state[key] += QStringLiteral(" current=") + QString::number(tabs->currentIndex());
      for (int tab = 0; tab < tabs->count(); ++tab) state[key] += tabs->isTabVisible(tab) ? QStringLiteral(" v") : QStringLiteral(" h");
    }
  }
  return state;
}

class SetTekstenTest : public MainWindowTest {
 protected:
  void UseLanguage(int16_t language) {
    Program().Texts.FillTextTable(language);
    window->SetTeksten();
  }

  // Texts of the window design that no language changes.
  void ExpectDesignTexts() {
    EXPECT_EQ(W().FrameDiagnostischeIPinfo->title(), QStringLiteral("Diagnostische TCP/IP informatie: "));
    EXPECT_EQ(W().TxtLegendaCharInput.at(41)->text(), QStringLiteral("Subnet: "));
    EXPECT_EQ(W().TxtLegendaTekstInput.at(3)->text(), QStringLiteral("Subnet"));
    EXPECT_EQ(W().TxtLegendaTekstInput.at(4)->text(), QStringLiteral("NameServer:"));
    EXPECT_EQ(W().TxtLegendaCharInput.at(31)->toolTip(), QStringLiteral("Vul 0.0.0.0 in voor DHCP"));
    EXPECT_EQ(W().Label4.at(1)->text(), QStringLiteral("TxD"));
    EXPECT_EQ(W().Label4.at(2)->text(), QStringLiteral("RxD"));
    for (int index : {20, 21, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40, 41}) {
      EXPECT_EQ(W().CmdReadSingleSetting.at(index)->text(), QStringLiteral("Lezen")) << index;
      EXPECT_EQ(W().CmdWriteSingleSetting.at(index)->text(), QStringLiteral("Schrijven")) << index;
    }
  }
};

TEST_F(SetTekstenTest, EnglishCaptionsAsTabulated) {
  Start("/DEBUG");
  EXPECT_EQ(window->windowTitle(), QStringLiteral(" ") + QText(slot::ProgramTitle));
  EXPECT_EQ(W().Setup->text(), QStringLiteral("Settings"));
  EXPECT_EQ(W().Quit->text(), QStringLiteral("Quit"));
  EXPECT_EQ(W().About->text(), QStringLiteral("About"));
  const char* mainTabs[] = {"Status", "Settings", "File", "Unit", "Service"};
  for (int tab = 0; tab < 5; ++tab) EXPECT_EQ(W().SSTab1->tabText(tab), QString::fromLatin1(mainTabs[tab]));
  const char* settingsTabs[] = {"General settings", "TCP/IP settings", "ESPA 4.4.4. settings"};
  for (int tab = 0; tab < 3; ++tab) EXPECT_EQ(W().SSTab2->tabText(tab), QString::fromLatin1(settingsTabs[tab]));

  const std::pair<int, const char*> charLegends[] = {
      {0, "Diagnostic Serial Info:"}, {22, "Converter mode:"}, {23, "Enhanced Mode Timeout:"},
      {31, "IP Address [Static]: "}, {35, "PortNumber [H:L] "}, {37, "Gateway Address: "},
      {21, "ESPA mode:"}, {20, "Time-out between ESPA Poll in:"}, {10, "ESPA serial speed:"},
      {11, "ESPA nr of bits:"}, {12, "ESPA nr of stopbits:"}, {13, "ESPA parity:"}, {14, "ESPA handshake:"},
      {17, "ESPA request status:"}, {5, "Address Length: "}, {7, "Message Length: "},
      {15, "ESPA brand simulation: "}, {19, "ESPA simulation Bosch Info before Alpha: "},
      {18, "ESPA simulation Bosch fixed info: "}};
  for (const auto& [index, text] : charLegends) {
    EXPECT_EQ(W().TxtLegendaCharInput.at(index)->text(), QString::fromLatin1(text)) << index;
  }
  EXPECT_EQ(window->Arrays().TxtLegendaCharInput(36)->Text(), "PortNumber [H:L] ");
  EXPECT_EQ(W().TxtLegendaTekstInput.at(0)->text(), QStringLiteral("MAC Address"));
  EXPECT_EQ(W().TxtLegendaTekstInput.at(1)->text(), QStringLiteral("IP Address [Static]: "));
  EXPECT_EQ(W().TxtLegendaTekstInput.at(2)->text(), QStringLiteral("Gateway Address: "));

  for (int index : {0, 22, 23, 5, 7, 10, 11, 12, 13, 14, 15, 17, 18, 19}) {
    EXPECT_EQ(W().CmdReadSingleSetting.at(index)->text(), QStringLiteral("Read")) << index;
    EXPECT_EQ(W().CmdWriteSingleSetting.at(index)->text(), QStringLiteral("Write")) << index;
  }
  for (const auto& [index, button] : W().CmdReadSingleTekstSetting) EXPECT_EQ(button->text(), QStringLiteral("Read"));
  EXPECT_EQ(W().CmdReadIPdiagnose->text(), QStringLiteral("Read"));

  EXPECT_EQ(W().CmdInstellingenOpslaan->text(), QStringLiteral("Save as default"));
  EXPECT_EQ(W().CmdInstellingenLezen->text(), QStringLiteral("Read default from file"));
  EXPECT_EQ(W().CmdOpslaanUnitGegevens->text(), QStringLiteral("Save to file"));
  EXPECT_EQ(W().CmdLezenUnitgegevens->text(), QStringLiteral("Read from file"));
  EXPECT_EQ(W().FrameUnitInstellingen->title(), QStringLiteral("Unit settings: "));
  EXPECT_EQ(W().FrameAlleInstellingen->title(), QStringLiteral("All settings: "));
  EXPECT_EQ(W().CmdWisLogVenster->text(), QStringLiteral("Clear messagewindow"));
  EXPECT_EQ(W().CmdCancelReadWrite->text(), QStringLiteral("Cancel"));
  EXPECT_EQ(W().CmdLeesAlles->text(), QStringLiteral("Read all settings from Unit"));
  EXPECT_EQ(W().CmdSchrijfAlles->text(), QStringLiteral("Write all settings to Unit"));
  EXPECT_EQ(W().FramePagerOproepen->title(), QStringLiteral("Call Pager: "));
  EXPECT_EQ(W().TxtLegendaTestOproepAdres->text(), QStringLiteral("Address:"));
  EXPECT_EQ(W().TxtLegendaTestOproepBleepcode->text(), QStringLiteral("Bleepcode:"));
  EXPECT_EQ(W().TxtLegendaTestOproepBericht->text(), QStringLiteral("Message"));
  EXPECT_EQ(W().CmdTestOproepPager->text(), QStringLiteral("Sent"));
  ExpectDesignTexts();
}

TEST_F(SetTekstenTest, GermanThenEnglishLeavesNoGermanText) {
  Start("/DEBUG");
  // The port description in the frame caption gives way to the plain caption.
  UseLanguage(English);
  const auto english = VisibleTexts(*window);
  const auto state = ControlState(*window);

  UseLanguage(German);
  const auto german = VisibleTexts(*window);
  EXPECT_EQ(window->windowTitle(), QStringLiteral(" Tessaro IP von www.tornak.example"));
  EXPECT_EQ(W().SSTab2->tabText(0), QStringLiteral("Algemeine Einstellungen"));
  EXPECT_EQ(W().TxtLegendaCharInput.at(0)->text(), QStringLiteral("Diagnose über serielle Schnittstelle:"));
  EXPECT_NE(german, english);
  ExpectDesignTexts();
  EXPECT_EQ(ControlState(*window), state);

  UseLanguage(English);
  const auto again = VisibleTexts(*window);
  for (const auto& [where, text] : english) EXPECT_EQ(again.at(where), text) << where.toStdString();
  EXPECT_EQ(again.size(), english.size());
  ExpectDesignTexts();
  EXPECT_EQ(ControlState(*window), state);
}

TEST_F(SetTekstenTest, FrenchTextsSurviveTheCodePageCrossing) {
  Start();
  UseLanguage(French);
  // "Paramètres généraux" is Windows-1252 in the table and must reach the tab intact.
  EXPECT_EQ(W().SSTab2->tabText(0), QStringLiteral("Paramètres généraux"));
  EXPECT_EQ(W().CmdTestOproepPager->text(), QStringLiteral("Envoyé"));
}

}  // namespace
}  // namespace tessaro::testing

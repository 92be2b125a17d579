#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>

#include "ui/MainWindow.h"
#include "ui/QtText.h"

namespace tessaro {

// Only texts change here, never visibility, enabled state or values, so that
// it can run again after a language change.
void MainWindow::SetTeksten() {
  const LanguageTexts& taal = program_->Texts;
  const auto T = [&taal](TextSlot slot) -> const std::string& { return taal.Text(slot); };
  const MainWindowWidgets& w = widgets_;

  w.Setup->setText(CaptionText(T(slot::Settings)));
  w.Quit->setText(CaptionText(T(slot::Quit)));
  w.About->setText(CaptionText(T(slot::About)));
  w.FrmCommunicatie->setTitle(CaptionText(T(slot::ComPort) + ": "));
  setWindowTitle(ToQString(" " + T(slot::ProgramTitle)));

  const TextSlot mainTabs[] = {slot::Status, slot::Settings, slot::File, slot::Unit, slot::Service};
  for (int tab = 0; tab < 5; ++tab) w.SSTab1->setTabText(tab, CaptionText(T(mainTabs[tab])));
  const TextSlot settingsTabs[] = {slot::GeneralSettings, slot::TcpIpSettings, slot::EspaSettings};
  for (int tab = 0; tab < 3; ++tab) w.SSTab2->setTabText(tab, CaptionText(T(settingsTabs[tab])));

  for (int index : {0, 22, 23, 5, 7, 10, 11, 12, 13, 14, 15, 17, 18, 19}) {
    arrays_.CmdReadSingleSetting(index)->SetCaption(T(slot::Read));
    arrays_.CmdWriteSingleSetting(index)->SetCaption(T(slot::Write));
  }
  for (int index = 0; index < 5; ++index) arrays_.CmdReadSingleTekstSetting(index)->SetCaption(T(slot::Read));
  w.CmdReadIPdiagnose->setText(CaptionText(T(slot::Read)));

  const auto charLegend = [this](int index, const std::string& text) {
    arrays_.TxtLegendaCharInput(index)->SetText(text);
  };
  const auto tekstLegend = [this](int index, const std::string& text) {
    arrays_.TxtLegendaTekstInput(index)->SetText(text);
  };
  charLegend(0, T(slot::DiagnosticSerialInfo) + ":");
  charLegend(22, T(slot::ConverterMode) + ":");
  charLegend(23, T(slot::EnhancedModeTimeout) + ":");
  const std::string ipAddress = "IP " + T(slot::Address) + " [" + T(slot::Static) + "]: ";
  charLegend(31, ipAddress);
  tekstLegend(1, ipAddress);
  charLegend(35, T(slot::PortNumber) + " [H:L] ");
  charLegend(36, T(slot::PortNumber) + " [H:L] ");
  const std::string gateway = "Gateway " + T(slot::Address) + ": ";
  charLegend(37, gateway);
  tekstLegend(2, gateway);
  tekstLegend(0, "MAC " + T(slot::Address));
  const std::pair<int, TextSlot> espaLegends[] = {
      {21, slot::EspaMode},   {20, slot::EspaPollTimeout}, {10, slot::EspaSerialSpeed}, {11, slot::EspaNrOfBits},
      {12, slot::EspaNrOfStopbits}, {13, slot::EspaParity}, {14, slot::EspaHandshake},  {17, slot::EspaRequestStatus}};
  for (const auto& [index, slot] : espaLegends) charLegend(index, T(slot) + ":");
  charLegend(5, T(slot::Address) + " " + T(slot::Length) + ": ");
  charLegend(7, T(slot::Message) + " " + T(slot::Length) + ": ");
  charLegend(15, T(slot::EspaBrandSimulation) + ": ");
  charLegend(19, T(slot::EspaInfoBeforeAlpha) + ": ");
  charLegend(18, T(slot::EspaFixedInfo) + ": ");

  w.CmdInstellingenOpslaan->setText(CaptionText(T(slot::SaveAsDefault)));
  w.CmdInstellingenLezen->setText(CaptionText(T(slot::ReadDefaultFromFile)));
  w.CmdOpslaanUnitGegevens->setText(CaptionText(T(slot::SaveToFile)));
  w.CmdLezenUnitgegevens->setText(CaptionText(T(slot::ReadFromFile)));
  w.FrameUnitInstellingen->setTitle(CaptionText(T(slot::UnitSettings) + ": "));
  w.FrameAlleInstellingen->setTitle(CaptionText(T(slot::AllSettings) + ": "));

  w.CmdWisLogVenster->setText(CaptionText(T(slot::ClearMessageWindow)));
  w.CmdCancelReadWrite->setText(CaptionText(T(slot::CancelReadWrite)));
  w.CmdLeesAlles->setText(CaptionText(T(slot::ReadAllSettings)));
  w.CmdSchrijfAlles->setText(CaptionText(T(slot::WriteAllSettings)));

  w.FramePagerOproepen->setTitle(CaptionText(T(slot::CallPager) + ": "));
  w.TxtLegendaTestOproepAdres->setText(ToQString(T(slot::Address) + ":"));
  w.TxtLegendaTestOproepBleepcode->setText(ToQString(T(slot::Bleepcode) + ":"));
  w.TxtLegendaTestOproepBericht->setText(ToQString(T(slot::Message)));
  w.CmdTestOproepPager->setText(CaptionText(T(slot::Sent)));
}

}  // namespace tessaro

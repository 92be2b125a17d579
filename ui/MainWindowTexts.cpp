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
  const auto T = [&taal](int slot) -> const std::string& { return taal.Text(slot); };
  const MainWindowWidgets& w = widgets_;

  w.Setup->setText(CaptionText(T(8)));
  w.Quit->setText(CaptionText(T(10)));
  w.About->setText(CaptionText(T(4)));
  w.FrmCommunicatie->setTitle(CaptionText(T(15) + ": "));
  setWindowTitle(ToQString(" " + T(19)));

  const int mainTabs[] = {20, 8, 21, 22, 23};
  for (int tab = 0; tab < 5; ++tab) w.SSTab1->setTabText(tab, CaptionText(T(mainTabs[tab])));
  const int settingsTabs[] = {39, 40, 41};
  for (int tab = 0; tab < 3; ++tab) w.SSTab2->setTabText(tab, CaptionText(T(settingsTabs[tab])));

  for (int index : {0, 22, 23, 5, 7, 10, 11, 12, 13, 14, 15, 17, 18, 19}) {
    arrays_.CmdReadSingleSetting(index)->SetCaption(T(24));
    arrays_.CmdWriteSingleSetting(index)->SetCaption(T(25));
  }
  for (int index = 0; index < 5; ++index) arrays_.CmdReadSingleTekstSetting(index)->SetCaption(T(24));
  w.CmdReadIPdiagnose->setText(CaptionText(T(24)));

  const auto charLegend = [this](int index, const std::string& text) {
    arrays_.TxtLegendaCharInput(index)->SetText(text);
  };
  const auto tekstLegend = [this](int index, const std::string& text) {
    arrays_.TxtLegendaTekstInput(index)->SetText(text);
  };
  charLegend(0, T(26) + ":");
  charLegend(22, T(27) + ":");
  charLegend(23, T(32) + ":");
  const std::string ipAddress = "IP " + T(42) + " [" + T(44) + "]: ";
  charLegend(31, ipAddress);
  tekstLegend(1, ipAddress);
  charLegend(35, T(76) + " [H:L] ");
  charLegend(36, T(76) + " [H:L] ");
  const std::string gateway = "Gateway " + T(42) + ": ";
  charLegend(37, gateway);
  tekstLegend(2, gateway);
  tekstLegend(0, "MAC " + T(42));
  const std::pair<int, int> espaLegends[] = {{21, 46}, {20, 47}, {10, 48}, {11, 49},
                                             {12, 50}, {13, 51}, {14, 59}, {17, 53}};
  for (const auto& [index, slot] : espaLegends) charLegend(index, T(slot) + ":");
  charLegend(5, T(42) + " " + T(54) + ": ");
  charLegend(7, T(55) + " " + T(54) + ": ");
  charLegend(15, T(56) + ": ");
  charLegend(19, T(57) + ": ");
  charLegend(18, T(58) + ": ");

  w.CmdInstellingenOpslaan->setText(CaptionText(T(81)));
  w.CmdInstellingenLezen->setText(CaptionText(T(82)));
  w.CmdOpslaanUnitGegevens->setText(CaptionText(T(83)));
  w.CmdLezenUnitgegevens->setText(CaptionText(T(84)));
  w.FrameUnitInstellingen->setTitle(CaptionText(T(85) + ": "));
  w.FrameAlleInstellingen->setTitle(CaptionText(T(86) + ": "));

  w.CmdWisLogVenster->setText(CaptionText(T(92)));
  w.CmdCancelReadWrite->setText(CaptionText(T(93)));
  w.CmdLeesAlles->setText(CaptionText(T(94)));
  w.CmdSchrijfAlles->setText(CaptionText(T(95)));

  w.FramePagerOproepen->setTitle(CaptionText(T(96) + ": "));
  w.TxtLegendaTestOproepAdres->setText(ToQString(T(42) + ":"));
  w.TxtLegendaTestOproepBleepcode->setText(ToQString(T(97) + ":"));
  w.TxtLegendaTestOproepBericht->setText(ToQString(T(55)));
  w.CmdTestOproepPager->setText(CaptionText(T(17)));
}

}  // namespace tessaro

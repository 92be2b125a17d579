#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>

#include <QProgressBar>

#include "presentation/SettingsLayout.h"
#include "presentation/SettingsLegends.h"
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
  for (int tab = 0; tab < SettingsTabCount; ++tab) {
    w.SSTab2->setTabText(tab, CaptionText(SettingsTabCaption(static_cast<SettingsTab>(tab), taal)));
  }

  // The buttons of the TCP/IP items and of items 20 and 21 keep their
  // design captions, as they always have.
  for (const SettingsRow& row : SettingsRows()) {
    if (row.tab == SettingsTab::TcpIp || row.control == RowControl::TekstBox) continue;
    for (int16_t item : row.Items()) {
      if (item == 20 || item == 21) continue;
      arrays_.CmdReadSingleSetting(item)->SetCaption(T(24));
      arrays_.CmdWriteSingleSetting(item)->SetCaption(T(25));
    }
  }
  for (int index = 0; index < 5; ++index) arrays_.CmdReadSingleTekstSetting(index)->SetCaption(T(24));
  w.CmdReadIPdiagnose->setText(CaptionText(T(24)));
  WriteSettingsLegends(arrays_, taal);

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
  const auto keyTip = [](const std::string& caption, const QKeySequence& key) {
    return ToQString(caption) + QStringLiteral(" (") + key.toString(QKeySequence::NativeText) + QLatin1Char(')');
  };
  w.CmdLeesAlles->setToolTip(keyTip(T(94), ReadAllKey()));
  w.CmdSchrijfAlles->setToolTip(keyTip(T(95), WriteAllKey()));
  // The bar counts items, not a share of anything.
  w.ProgressBarProgrammeren->setFormat(ToQString(T(118)) + QStringLiteral(" %v"));

  w.FramePagerOproepen->setTitle(CaptionText(T(96) + ": "));
  w.TxtLegendaTestOproepAdres->setText(ToQString(T(42) + ":"));
  w.TxtLegendaTestOproepBleepcode->setText(ToQString(T(97) + ":"));
  w.TxtLegendaTestOproepBericht->setText(ToQString(T(55)));
  w.CmdTestOproepPager->setText(CaptionText(T(17)));
  ReservePageWidths();
}

}  // namespace tessaro

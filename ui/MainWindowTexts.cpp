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
  const auto T = [&taal](TextSlot slot) -> const std::string& { return taal.Text(slot); };
  const MainWindowWidgets& w = widgets_;

  w.Setup->setText(CaptionText(T(slot::Settings)));
  w.Quit->setText(CaptionText(T(slot::Quit)));
  w.About->setText(CaptionText(T(slot::About)));
  w.FrmCommunicatie->setTitle(CaptionText(CommunicationCaption()));
  setWindowTitle(ToQString(" " + T(slot::ProgramTitle)));

  const TextSlot mainTabs[] = {slot::Status, slot::Settings, slot::File, slot::Unit, slot::Service};
  for (int tab = 0; tab < 5; ++tab) w.SSTab1->setTabText(tab, CaptionText(T(mainTabs[tab])));
  for (int tab = 0; tab < SettingsTabCount; ++tab) {
    w.SSTab2->setTabText(tab, CaptionText(SettingsTabCaption(static_cast<SettingsTab>(tab), taal)));
  }

  for (const ItemInfo& info : ItemTable()) {
    if (!ButtonCaptionsTranslated(info.item)) continue;
    if (info.control == ItemControl::TekstBox) {
      arrays_.CmdReadSingleTekstSetting(info.item - FirstTekstItem)->SetCaption(T(slot::Read));
    } else {
      arrays_.CmdReadSingleSetting(info.item)->SetCaption(T(slot::Read));
      arrays_.CmdWriteSingleSetting(info.item)->SetCaption(T(slot::Write));
    }
  }
  w.CmdReadIPdiagnose->setText(CaptionText(T(slot::Read)));
  WriteSettingsLegends(arrays_, taal);
  for (const auto& [item, heading] : w.DebugHeadings) heading->setText(ToQString(LegendText(item, taal)).trimmed());

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
  const auto keyTip = [](const std::string& caption, const QKeySequence& key) {
    return ToQString(caption) + QStringLiteral(" (") + key.toString(QKeySequence::NativeText) + QLatin1Char(')');
  };
  w.CmdLeesAlles->setToolTip(keyTip(T(slot::ReadAllSettings), ReadAllKey()));
  w.CmdSchrijfAlles->setToolTip(keyTip(T(slot::WriteAllSettings), WriteAllKey()));
  // The bar counts items, not a share of anything.
  w.ProgressBarProgrammeren->setFormat(ToQString(T(slot::Item)) + QStringLiteral(" %v"));

  w.FramePagerOproepen->setTitle(CaptionText(T(slot::CallPager) + ": "));
  w.TxtLegendaTestOproepAdres->setText(ToQString(T(slot::Address) + ":"));
  w.TxtLegendaTestOproepBleepcode->setText(ToQString(T(slot::Bleepcode) + ":"));
  w.TxtLegendaTestOproepBericht->setText(ToQString(T(slot::Message)));
  w.CmdTestOproepPager->setText(CaptionText(T(slot::Sent)));
  w.CmdResetUnit->setText(ResetText(ResetWord::Button, program_->Settings.Taal));
  ShowPortStateText(portState_);
  ReservePageWidths();
}

}  // namespace tessaro

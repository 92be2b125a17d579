#include "presentation/SettingsTransfer.h"

#include "presentation/SettingsLayout.h"

namespace tessaro {
namespace {

void Show(ButtonControl* button, bool visible) {
  if (button != nullptr) button->SetVisible(visible);
}

}  // namespace

void SettingsTransfer::InitSettingsScreen() {
  for (int index = 0; index <= 22; ++index) {
    if (ComboControl* combo = controls_.ComboInstellingen(index)) {
      combo->ClearEntries();
      combo->SetVisible(false);
    }
  }
  for (int index = 0; index <= 22; ++index) {
    Show(controls_.CmdReadSingleSetting(index), false);
    Show(controls_.CmdWriteSingleSetting(index), false);
  }

  for (int16_t item : SettingCombos()) {
    ComboControl* combo = controls_.ComboInstellingen(item);
    if (combo != nullptr) {
      combo->SetVisible(true);
      // Not every setting combo lies within the first emptying; every list is rebuilt from empty.
      combo->ClearEntries();
      for (const std::string& entry : ChoiceList(item, taal_)) combo->AddEntry(entry);
    }
    Show(controls_.CmdReadSingleSetting(item), true);
    Show(controls_.CmdWriteSingleSetting(item), true);
    const TextSlot toolTip = FindItem(item)->toolTipSlot;
    if (toolTip != NoSlot && combo != nullptr) combo->SetToolTip(taal_.Text(toolTip));
  }

  if (ComboControl* bleep = controls_.ComboTestBleepCode()) {
    // A rebuild for another language keeps the code the user chose.
    const int chosen = bleep->SelectedIndex();
    bleep->SetVisible(true);
    bleep->ClearEntries();
    for (const std::string& entry : BleepCodeChoices(taal_)) bleep->AddEntry(entry);
    bleep->SetVisible(true);
    bleep->SetSelectedIndex(chosen >= 0 && chosen < bleep->EntryCount() ? chosen : 1);
  }
}

void SettingsTransfer::ClearComboSelections() {
  for (int index = 0; index <= 22; ++index) {
    if (ComboControl* combo = controls_.ComboInstellingen(index)) combo->ClearTextHighlight();
  }
}

}  // namespace tessaro

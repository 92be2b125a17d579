#pragma once

#include <cstdint>
#include <string>

#include "core/Dialogs.h"
#include "core/SettingsScreen.h"
#include "core/SettingsStore.h"
#include "lang/LanguageTexts.h"
#include "presentation/Controls.h"

namespace tessaro {

// Moves values between the store and the setting controls of the main window,
// builds the choice lists and colours each control by whether it matches the
// unit. Works on the controls through their seams only.
class SettingsTransfer : public SettingsScreen {
 public:
  SettingsTransfer(SettingsStore& store, const LanguageTexts& taal, SettingsControls& controls, Dialogs& dialogs)
      : store_(store), taal_(taal), controls_(controls), dialogs_(dialogs) {}

  // Shows ItemValues(item). A value that does not fit its combo resets the
  // value to 0 and shows an error box; the control keeps what it showed.
  void ItemToScreen(int16_t item) override;
  // Takes the control's content into ItemValues(item).
  void ScreenToItem(int16_t item) override;
  // The list entry or box text ItemToScreen would show for the value.
  std::string ValueText(int16_t item, const ItemValue& value) const override;
  bool CanShow(int16_t item, const ItemValue& value) const override;

  // Rebuilds every choice list and decides which combos and per-setting
  // buttons are shown. Leaves every setting combo without a selection.
  void InitSettingsScreen();
  // Draws each setting control in the colour that says whether it matches
  // UnitValues. A value the unit never gave never counts as matching, and
  // a pending request does not hold a colour.
  void UpdateItemColours();
  // Removes the highlight of the edit text of combos 0..22.
  void ClearComboSelections();

  // What the protocol engine's reports quote of an item's row.
  bool HasVisibleRow(int16_t item);
  std::string Legend(int16_t item);
  std::string ShownText(int16_t item);

 private:
  ComboControl* VisibleCombo(int16_t item);
  TextBoxControl* VisibleBox(TextBoxControl* box);
  void ReportScreenError(int16_t item);
  TextBoxControl* LegendBox(int16_t item);

  SettingsStore& store_;
  const LanguageTexts& taal_;
  SettingsControls& controls_;
  Dialogs& dialogs_;
};

}  // namespace tessaro

#include "presentation/SettingsTransfer.h"

#include <optional>
#include <vector>

#include "core/Items.h"
#include "messages/TextFormat.h"
#include "presentation/SettingsLayout.h"

namespace tessaro {
namespace {

bool IsCharBoxItem(int item) { return item == 23 || (item >= 31 && item <= 40); }
bool IsComboItem(int item) { return (item >= 0 && item <= 22) || item == 41; }
bool IsTekstBoxItem(int item) { return item >= 150 && item <= 154; }

// False when the position does not fit the list; the combo is then left as it was.
bool ShowComboPosition(ComboControl& combo, double number) {
  const std::optional<int16_t> position = NearestInt16(number);
  if (!position || *position < -1 || *position >= combo.EntryCount()) return false;
  combo.SetSelectedIndex(*position);
  return true;
}

}  // namespace

ComboControl* SettingsTransfer::VisibleCombo(int16_t item) {
  ComboControl* combo = controls_.ComboInstellingen(item);
  return combo != nullptr && combo->Visible() ? combo : nullptr;
}

TextBoxControl* SettingsTransfer::VisibleBox(TextBoxControl* box) {
  return box != nullptr && box->Visible() ? box : nullptr;
}

void SettingsTransfer::ReportScreenError(int16_t item) {
  store_.ItemValues[static_cast<std::size_t>(item)] = ItemValue(0);
  dialogs_.ShowCriticalError("Error Screenhandling id: " + IntText(item), taal_.Text(19));
}

void SettingsTransfer::ItemToScreen(int16_t item) {
  if (item < 0 || item > LastUnitItem) return;
  const ItemValue& value = store_.ItemValues[static_cast<std::size_t>(item)];

  if (item <= 22) {
    if (ComboControl* combo = VisibleCombo(item)) {
      if (!ShowComboPosition(*combo, value.NumberValue())) ReportScreenError(item);
    }
  } else if (IsCharBoxItem(item)) {
    if (TextBoxControl* box = VisibleBox(controls_.TxtCharInput(item))) {
      box->SetText(TextOfNumber(value.NumberValue()));
    }
  } else if (item == 41) {
    if (ComboControl* combo = VisibleCombo(item)) {
      const double number = value.NumberValue();
      // Beyond the list means "default for the address class", not an error.
      if (!ShowComboPosition(*combo, number < 25 ? number : 0)) ReportScreenError(item);
    }
  } else if (IsTekstBoxItem(item)) {
    if (TextBoxControl* box = VisibleBox(controls_.TxtTekstInput(item - 150))) {
      box->SetText(value.TextValue());
    }
  }
}

void SettingsTransfer::ScreenToItem(int16_t item) {
  if (item < 0 || item > LastUnitItem) return;
  ItemValue& value = store_.ItemValues[static_cast<std::size_t>(item)];

  if (IsComboItem(item)) {
    ComboControl* combo = VisibleCombo(item);
    value = combo != nullptr ? ItemValue(combo->SelectedIndex()) : ItemValue(0);
  } else if (IsCharBoxItem(item)) {
    TextBoxControl* box = VisibleBox(controls_.TxtCharInput(item));
    value = box != nullptr ? ItemValue(box->Text()) : ItemValue(0);
  } else if (IsTekstBoxItem(item)) {
    // Diagnostic values come from the unit only, never from the screen.
    value = ItemValue(std::string());
  } else if (item < 150) {
    value = ItemValue(0);
  }
}

std::string SettingsTransfer::ValueText(int16_t item, const ItemValue& value) const {
  if (IsComboItem(item)) {
    const double number = value.NumberValue();
    const std::optional<int16_t> position = NearestInt16(item == 41 && number >= 25 ? 0 : number);
    const std::vector<std::string> list = ChoiceList(item, taal_);
    if (position && *position >= 0 && static_cast<std::size_t>(*position) < list.size())
      return list[static_cast<std::size_t>(*position)];
    return value.TextValue();
  }
  if (IsCharBoxItem(item)) return TextOfNumber(value.NumberValue());
  return value.TextValue();
}

TextBoxControl* SettingsTransfer::LegendBox(int16_t item) {
  switch (KindOfItem(item)) {
    case ItemKind::Char: return controls_.TxtLegendaCharInput(item);
    case ItemKind::Tekst: return controls_.TxtLegendaTekstInput(item - 150);
    default: return nullptr;  // Int rows live on a spare tab without seams
  }
}

bool SettingsTransfer::HasVisibleRow(int16_t item) {
  const TextBoxControl* box = LegendBox(item);
  return box != nullptr && box->Visible();
}

std::string SettingsTransfer::Legend(int16_t item) {
  const TextBoxControl* box = LegendBox(item);
  return box != nullptr ? box->Text() : std::string();
}

std::string SettingsTransfer::ShownText(int16_t item) {
  switch (KindOfItem(item)) {
    case ItemKind::Char: {
      if (!IsCharBoxItem(item)) {
        if (const ComboControl* combo = controls_.ComboInstellingen(item)) return combo->Text();
      }
      const TextBoxControl* box = controls_.TxtCharInput(item);
      return box != nullptr ? box->Text() : std::string();
    }
    case ItemKind::Tekst: {
      const TextBoxControl* box = controls_.TxtTekstInput(item - 150);
      return box != nullptr ? box->Text() : std::string();
    }
    default: return {};
  }
}

}  // namespace tessaro

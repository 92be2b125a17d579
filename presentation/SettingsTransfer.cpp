#include "presentation/SettingsTransfer.h"

#include <optional>
#include <vector>

#include "core/ItemTable.h"
#include "messages/TextFormat.h"
#include "presentation/SettingsLayout.h"

namespace tessaro {
namespace {

bool HasControl(int item, ItemControl control) {
  const ItemInfo* info = FindItem(item);
  return info != nullptr && info->control == control;
}

// The list position a combo shows for the number; nothing when it does not
// fit the list.
std::optional<int16_t> ComboPosition(const ComboControl& combo, const ItemInfo& info, double number) {
  if (info.beyondList == BeyondList::FirstEntry && !(number < combo.EntryCount())) number = 0;
  const std::optional<int16_t> position = NearestInt16(number);
  if (!position || *position < -1 || *position >= combo.EntryCount()) return std::nullopt;
  return position;
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
  dialogs_.ShowCriticalError("Error Screenhandling id: " + IntText(item), taal_.Text(slot::ProgramTitle));
}

void SettingsTransfer::ItemToScreen(int16_t item) {
  const ItemInfo* info = FindItem(item);
  if (info == nullptr) return;
  const ItemValue& value = store_.ItemValues[static_cast<std::size_t>(item)];

  switch (info->control) {
    case ItemControl::Combo:
      if (ComboControl* combo = VisibleCombo(item)) {
        // A position that does not fit leaves the combo as it was.
        const std::optional<int16_t> position = ComboPosition(*combo, *info, value.NumberValue());
        if (position) {
          combo->SetSelectedIndex(*position);
        } else {
          ReportScreenError(item);
        }
      }
      break;
    case ItemControl::CharBox:
      if (TextBoxControl* box = VisibleBox(controls_.TxtCharInput(item))) {
        box->SetText(TextOfNumber(value.NumberValue()));
      }
      break;
    case ItemControl::TekstBox:
      if (TextBoxControl* box = VisibleBox(controls_.TxtTekstInput(item - FirstTekstItem))) {
        box->SetText(value.TextValue());
      }
      break;
  }
}

void SettingsTransfer::ScreenToItem(int16_t item) {
  if (item < 0 || item > LastUnitItem) return;
  ItemValue& value = store_.ItemValues[static_cast<std::size_t>(item)];
  const ItemInfo* info = FindItem(item);
  if (info == nullptr) {
    // Unused items carry 0 into a saved file; unused texts carry nothing.
    if (item <= LastIntItem) value = ItemValue(0);
    return;
  }

  switch (info->control) {
    case ItemControl::Combo: {
      ComboControl* combo = VisibleCombo(item);
      value = combo != nullptr ? ItemValue(combo->SelectedIndex()) : ItemValue(0);
      break;
    }
    case ItemControl::CharBox: {
      TextBoxControl* box = VisibleBox(controls_.TxtCharInput(item));
      value = box != nullptr ? ItemValue(box->Text()) : ItemValue(0);
      break;
    }
    case ItemControl::TekstBox:
      // Diagnostic values come from the unit only, never from the screen.
      value = ItemValue(std::string());
      break;
  }
}

std::string SettingsTransfer::ValueText(int16_t item, const ItemValue& value) const {
  const ItemInfo* info = FindItem(item);
  if (info == nullptr) return value.TextValue();
  switch (info->control) {
    case ItemControl::Combo: return ChoiceForValue(item, value.NumberValue(), taal_).value_or(value.TextValue());
    case ItemControl::CharBox: return TextOfNumber(value.NumberValue());
    case ItemControl::TekstBox: break;
  }
  return value.TextValue();
}

bool SettingsTransfer::CanShow(int16_t item, const ItemValue& value) const {
  const ItemInfo* info = FindItem(item);
  if (info == nullptr || info->control != ItemControl::Combo) return true;
  const ComboControl* combo = controls_.ComboInstellingen(item);
  if (combo == nullptr || !combo->Visible()) return true;
  return ComboPosition(*combo, *info, value.NumberValue()).has_value();
}

TextBoxControl* SettingsTransfer::LegendBox(int16_t item) {
  switch (KindOfItem(item)) {
    case ItemKind::Char: return controls_.TxtLegendaCharInput(item);
    case ItemKind::Tekst: return controls_.TxtLegendaTekstInput(item - FirstTekstItem);
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
      if (!HasControl(item, ItemControl::CharBox)) {
        if (const ComboControl* combo = controls_.ComboInstellingen(item)) return combo->Text();
      }
      const TextBoxControl* box = controls_.TxtCharInput(item);
      return box != nullptr ? box->Text() : std::string();
    }
    case ItemKind::Tekst: {
      const TextBoxControl* box = controls_.TxtTekstInput(item - FirstTekstItem);
      return box != nullptr ? box->Text() : std::string();
    }
    default: return {};
  }
}

}  // namespace tessaro

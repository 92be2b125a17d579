#include "presentation/SettingsTransfer.h"

#include "core/ItemTable.h"

namespace tessaro {
namespace {

ValueColour ColourFor(bool matches) { return matches ? ValueColour::MatchesUnit : ValueColour::DiffersFromUnit; }

}  // namespace

void SettingsTransfer::UpdateItemColours() {
  for (const ItemInfo& info : ItemTable()) {
    const int16_t item = info.item;
    const auto index = static_cast<std::size_t>(item);
    if (store_.ItemStatus[index] != RequestNone) continue;  // colour follows once the request completes
    const ItemValue& unit = store_.UnitValues[index];

    if (info.control == ItemControl::Combo) {
      if (ComboControl* combo = controls_.ComboInstellingen(item)) {
        combo->SetTextColour(ColourFor(static_cast<double>(combo->SelectedIndex()) == unit.NumberValue()));
      }
    } else {
      TextBoxControl* box = info.control == ItemControl::TekstBox ? controls_.TxtTekstInput(item - 150)
                                                                   : controls_.TxtCharInput(item);
      if (box != nullptr) box->SetTextColour(ColourFor(box->Text() == unit.TextValue()));
    }
  }
}

}  // namespace tessaro

#include "presentation/SettingsTransfer.h"

#include "core/ItemTable.h"
#include "presentation/ValueChecks.h"

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
      if (box == nullptr) continue;
      // A value the unit cannot take is marked where it is typed, with the range.
      const bool fits = ValueFitsItem(item, ItemValue(box->Text()));
      box->SetTextColour(fits ? ColourFor(box->Text() == unit.TextValue()) : ValueColour::OutOfRange);
      box->SetToolTip(fits ? std::string() : RangeText(taal_, item));
    }
  }
}

}  // namespace tessaro

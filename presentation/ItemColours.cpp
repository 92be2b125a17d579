#include "presentation/SettingsTransfer.h"

#include "core/ItemTable.h"
#include "presentation/ValueChecks.h"

namespace tessaro {
namespace {

// Green is a promise that the unit holds what the control shows: a value the
// unit never gave cannot keep it, however its text happens to read ("-1", or
// a combo without a selection). A pending request changes nothing here:
// whatever the control shows while it waits is compared like any other value.
ValueColour ColourFor(const ItemValue& unit, bool sameContent) {
  return !unit.IsNotObtained() && sameContent ? ValueColour::MatchesUnit : ValueColour::DiffersFromUnit;
}

}  // namespace

void SettingsTransfer::UpdateItemColours() {
  for (const ItemInfo& info : ItemTable()) {
    const int16_t item = info.item;
    const ItemValue& unit = store_.UnitValues[static_cast<std::size_t>(item)];

    if (info.control == ItemControl::Combo) {
      if (ComboControl* combo = controls_.ComboInstellingen(item)) {
        combo->SetTextColour(ColourFor(unit, static_cast<double>(combo->SelectedIndex()) == unit.NumberValue()));
      }
    } else {
      TextBoxControl* box = info.control == ItemControl::TekstBox ? controls_.TxtTekstInput(item - FirstTekstItem)
                                                                   : controls_.TxtCharInput(item);
      if (box == nullptr) continue;
      // A value the unit cannot take is marked where it is typed, with the range.
      const bool fits = ValueFitsItem(item, ItemValue(box->Text()));
      box->SetTextColour(fits ? ColourFor(unit, box->Text() == unit.TextValue()) : ValueColour::OutOfRange);
      box->SetToolTip(fits ? std::string() : RangeText(taal_, item));
    }
  }
}

}  // namespace tessaro

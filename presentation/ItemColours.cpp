#include "presentation/SettingsTransfer.h"

#include "core/ItemTable.h"

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
      TextBoxControl* box = info.control == ItemControl::TekstBox ? controls_.TxtTekstInput(item - 150)
                                                                   : controls_.TxtCharInput(item);
      if (box != nullptr) box->SetTextColour(ColourFor(unit, box->Text() == unit.TextValue()));
    }
  }
}

}  // namespace tessaro

#include "presentation/SettingsTransfer.h"

#include <array>

namespace tessaro {
namespace {

// Visit order of the colouring pass; item 16's combo is visited though hidden.
constexpr std::array<int16_t, 33> kColouredItems = {0,  5,  7,  10, 11, 12, 13, 14, 15, 16, 17,
                                                    18, 19, 20, 21, 22, 23, 31, 32, 33, 34, 35,
                                                    36, 37, 38, 39, 40, 41, 150, 151, 152, 153, 154};

ValueColour ColourFor(bool matches) { return matches ? ValueColour::MatchesUnit : ValueColour::DiffersFromUnit; }

}  // namespace

void SettingsTransfer::UpdateItemColours() {
  for (int16_t item : kColouredItems) {
    const auto index = static_cast<std::size_t>(item);
    if (store_.ItemStatus[index] != RequestNone) continue;  // colour follows once the request completes
    const ItemValue& unit = store_.UnitValues[index];

    if (item <= 22 || item == 41) {
      if (ComboControl* combo = controls_.ComboInstellingen(item)) {
        combo->SetTextColour(ColourFor(static_cast<double>(combo->SelectedIndex()) == unit.NumberValue()));
      }
    } else {
      TextBoxControl* box = item >= 150 ? controls_.TxtTekstInput(item - 150) : controls_.TxtCharInput(item);
      if (box != nullptr) box->SetTextColour(ColourFor(box->Text() == unit.TextValue()));
    }
  }
}

}  // namespace tessaro

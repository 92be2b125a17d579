#include "presentation/SettingsLegends.h"

#include "core/Items.h"
#include "presentation/SettingsLayout.h"

namespace tessaro {

void WriteSettingsLegends(SettingsControls& controls, const LanguageTexts& taal) {
  for (const SettingsRow& row : SettingsRows()) {
    for (int16_t item : row.LegendItems()) {
      TextBoxControl* box = KindOfItem(item) == ItemKind::Tekst ? controls.TxtLegendaTekstInput(item - FirstTekstItem)
                                                                : controls.TxtLegendaCharInput(item);
      if (box != nullptr) box->SetText(LegendText(item, taal));
    }
  }
}

}  // namespace tessaro

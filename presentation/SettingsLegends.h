#pragma once

#include "lang/LanguageTexts.h"
#include "presentation/Controls.h"

namespace tessaro {

// Writes the legend of every settings row into its legend boxes, in the
// current language. Only texts change; visibility is left alone, so the
// window's SetTeksten can run it again after a language change.
void WriteSettingsLegends(SettingsControls& controls, const LanguageTexts& taal);

}  // namespace tessaro

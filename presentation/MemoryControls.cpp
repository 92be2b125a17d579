#include "presentation/MemoryControls.h"

#include "presentation/ControlDesign.h"

namespace tessaro {

using namespace control_design;

void MemoryCombo::ClearEntries() {
  entries_.clear();
  selected_ = -1;
}

void MemoryCombo::SetSelectedIndex(int index) {
  if (index >= -1 && index < EntryCount()) selected_ = index;
}

std::string MemoryCombo::Text() const {
  return selected_ >= 0 ? entries_[static_cast<std::size_t>(selected_)] : std::string();
}

MemoryControls::MemoryControls() {
  for (int index = 0; index <= 41; ++index) {
    if (ComboPresent(index)) combos_.emplace(index, std::make_unique<MemoryCombo>(ComboShownAtLoad(index)));
    if (CharInputPresent(index)) charInputs_.emplace(index, std::make_unique<MemoryTextBox>(true));
  }
  for (int index = 0; index < 5; ++index) tekstInputs_.emplace(index, std::make_unique<MemoryTextBox>(true));
  for (int index = 0; index < CharLegendCount; ++index) {
    charLegends_.emplace(index, std::make_unique<MemoryTextBox>(CharLegendShownAtLoad(index)));
  }
  for (int index = 0; index < TekstLegendCount; ++index) {
    if (TekstLegendPresent(index)) tekstLegends_.emplace(index, std::make_unique<MemoryTextBox>(true));
  }
  for (int index = 0; index < ItemButtonCount; ++index) {
    readButtons_.emplace(index, std::make_unique<MemoryButton>(ItemButtonShownAtLoad(index)));
    writeButtons_.emplace(index, std::make_unique<MemoryButton>(ItemButtonShownAtLoad(index)));
  }
}

}  // namespace tessaro

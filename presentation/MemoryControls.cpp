#include "presentation/MemoryControls.h"

#include <initializer_list>
#include <utility>

namespace tessaro {
namespace {

using Ranges = std::initializer_list<std::pair<int, int>>;

bool InRanges(int index, Ranges ranges) {
  for (const auto& [first, last] : ranges) {
    if (index >= first && index <= last) return true;
  }
  return false;
}

// The window's design: which members each array has and which of them are
// visible before start-up touches them.
constexpr int CharLegendCount = 79;
constexpr int ItemButtonCount = 66;
constexpr int TekstLegendCount = 83;
bool ComboPresent(int index) { return InRanges(index, {{0, 22}, {24, 41}}); }
bool ComboShownAtLoad(int index) { return InRanges(index, {{5, 5}, {7, 7}, {10, 15}, {17, 21}, {25, 25}}); }
bool CharInputPresent(int index) { return InRanges(index, {{23, 23}, {31, 40}}); }
bool CharLegendShownAtLoad(int index) {
  return !InRanges(index, {{1, 4}, {6, 6}, {8, 9}, {16, 16}, {24, 24}, {26, 29}});
}
bool ItemButtonShownAtLoad(int index) {
  return InRanges(index, {{1, 1}, {5, 5}, {7, 7}, {10, 15}, {17, 21}, {25, 25}, {31, 41}});
}
bool TekstLegendPresent(int index) { return InRanges(index, {{0, 4}, {6, 40}, {42, 43}, {45, 82}}); }

}  // namespace

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

#include "presentation/ControlDesign.h"

#include <initializer_list>
#include <utility>

namespace tessaro::control_design {
namespace {

using Ranges = std::initializer_list<std::pair<int, int>>;

bool InRanges(int index, Ranges ranges) {
  for (const auto& [first, last] : ranges) {
    if (index >= first && index <= last) return true;
  }
  return false;
}

}  // namespace

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
bool IntLegendPresent(int index) { return InRanges(index, {{0, 4}, {6, 43}}); }

}  // namespace tessaro::control_design

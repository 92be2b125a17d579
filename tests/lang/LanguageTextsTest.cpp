#include "lang/LanguageTexts.h"

#include <gtest/gtest.h>

#include <climits>
#include <ostream>
#include <cstdint>
#include <set>
#include <string>

namespace tessaro {
namespace {

LanguageTexts FilledFor(int16_t language) {
  LanguageTexts taal;
  taal.FillTextTable(language);
  return taal;
}

// The slots no language ever fills.
std::set<int> UnfilledSlots() {
  std::set<int> slots = {6, 7, 12, 13, 18, 37, 52, 65};
  for (int slot = 135; slot < TextSlots; ++slot) slots.insert(slot);
  return slots;
}

class EveryLanguage : public ::testing::TestWithParam<int16_t> {};

TEST_P(EveryLanguage, FillsExactlyTheSameHundredAndTwentySevenSlots) {
  const LanguageTexts taal = FilledFor(GetParam());
  const std::set<int> unfilled = UnfilledSlots();
  int filled = 0;
  for (int slot = 0; slot < TextSlots; ++slot) {
    SCOPED_TRACE(slot);
    if (unfilled.contains(slot)) {
      EXPECT_EQ(taal.Text(TextSlot{static_cast<int16_t>(slot)}), "");
    } else {
      EXPECT_NE(taal.Text(TextSlot{static_cast<int16_t>(slot)}), "");
      ++filled;
    }
  }
  EXPECT_EQ(filled, 127);
}

TEST_P(EveryLanguage, SlotsOutsideTheTableReadAsEmpty) {
  const LanguageTexts taal = FilledFor(GetParam());
  for (int slot : {-1, INT16_MIN, TextSlots, TextSlots + 1, INT16_MAX}) {
    SCOPED_TRACE(slot);
    EXPECT_EQ(taal.Text(TextSlot{static_cast<int16_t>(slot)}), "");
  }
}

TEST_P(EveryLanguage, SwitchingLeavesNothingOfTheFormerLanguage) {
  const int16_t target = GetParam();
  const LanguageTexts fresh = FilledFor(target);
  for (int16_t former : {English, Dutch, German, French}) {
    SCOPED_TRACE(former);
    LanguageTexts taal;
    int16_t language = former;
    taal.FillTextTable(language);
    language = target;
    taal.FillTextTable(language);
    EXPECT_EQ(taal.TextTable(), fresh.TextTable());
  }
}

TEST_P(EveryLanguage, ValidIndexIsLeftAsItIs) {
  int16_t language = GetParam();
  LanguageTexts taal;
  taal.FillTextTable(language);
  EXPECT_EQ(language, GetParam());
}

std::string LanguageParamName(const ::testing::TestParamInfo<int16_t>& info) {
  static constexpr const char* kNames[] = {"English", "Dutch", "German", "French"};
  return kNames[info.param];
}

INSTANTIATE_TEST_SUITE_P(Languages, EveryLanguage,
                         ::testing::Values(English, Dutch, German, French), LanguageParamName);

TEST(ModTaalLanguages, DifferentLanguagesGiveDifferentTables) {
  const int16_t languages[] = {English, Dutch, German, French};
  for (int16_t a : languages) {
    for (int16_t b : languages) {
      if (a == b) continue;
      EXPECT_NE(FilledFor(a).TextTable(), FilledFor(b).TextTable()) << a << " vs " << b;
    }
  }
}

struct OutOfRangeCase {
  const char* name;
  int16_t index;
};

void PrintTo(const OutOfRangeCase& c, std::ostream* os) { *os << c.index; }

class OutOfRangeIndex : public ::testing::TestWithParam<OutOfRangeCase> {};

TEST_P(OutOfRangeIndex, BecomesZeroAndFillsEnglish) {
  const LanguageTexts english = FilledFor(English);
  // Start from another language so that a fill that does nothing shows.
  LanguageTexts taal = FilledFor(German);
  int16_t language = GetParam().index;
  taal.FillTextTable(language);
  EXPECT_EQ(language, 0);
  EXPECT_EQ(taal.TextTable(), english.TextTable());
  EXPECT_EQ(taal.Text(slot::Close), "Close");
}

INSTANTIATE_TEST_SUITE_P(Indexes, OutOfRangeIndex,
                         ::testing::Values(OutOfRangeCase{"Four", 4},
                                           OutOfRangeCase{"Five", 5},
                                           OutOfRangeCase{"Largest", INT16_MAX},
                                           OutOfRangeCase{"MinusOne", -1},
                                           OutOfRangeCase{"Smallest", INT16_MIN}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tessaro

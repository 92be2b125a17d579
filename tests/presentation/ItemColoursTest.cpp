#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

#include "tests/presentation/PresentationFixture.h"
#include "tests/support/ItemValueAssertions.h"

namespace tessaro::testing {
namespace {

constexpr ValueColour kMatches = ValueColour::MatchesUnit;
constexpr ValueColour kDiffers = ValueColour::DiffersFromUnit;
// Not a value the unit can take: never green either, and marked as wrong.
constexpr ValueColour kOutOfRange = ValueColour::OutOfRange;

struct ComboColourCase {
  const char* name;
  int item;
  int position;
  LiteralValue unit;
  int16_t status;
  std::optional<ValueColour> before;
  ValueColour expected;
};

void PrintTo(const ComboColourCase& c, std::ostream* os) { *os << c.name; }

class ComboColours : public PresentationTest, public ::testing::WithParamInterface<ComboColourCase> {};

TEST_P(ComboColours, ComparePositionWithNumberValue) {
  const ComboColourCase& c = GetParam();
  FakeCombo& combo = controls.Combo(c.item);
  combo.SetSelectedIndex(c.position);
  combo.colour = c.before;
  Unit(c.item) = c.unit;
  Status(c.item) = c.status;

  screen.UpdateItemColours();

  EXPECT_EQ(combo.colour, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ComboColours,
    ::testing::Values(
        ComboColourCase{"PositionEqualsReceivedText", 13, 2, "2", RequestNone, kDiffers, kMatches},
        ComboColourCase{"PositionEqualsNumber", 13, 2, 2, RequestNone, kDiffers, kMatches},
        ComboColourCase{"NotObtainedDiffers", 13, 2, -1, RequestNone, kMatches, kDiffers},
        ComboColourCase{"NoSelectionIsNoValueOfTheUnits", 5, -1, -1, RequestNone, kMatches, kDiffers},
        ComboColourCase{"NoSelectionDiffersFromZero", 5, -1, 0, RequestNone, kMatches, kDiffers},
        ComboColourCase{"PendingWriteOfAValueNeverGivenIsNotGreen", 13, 2, -1, RequestWrite, kMatches, kDiffers},
        ComboColourCase{"PendingWriteOfAnEditIsNotGreen", 13, 1, "2", RequestWrite, kMatches, kDiffers},
        ComboColourCase{"PendingReadOfTheSameValueMatches", 13, 2, 2, RequestRead, kDiffers, kMatches},
        ComboColourCase{"SubnetCombo", 41, 8, "8", RequestNone, kDiffers, kMatches}),
    [](const ::testing::TestParamInfo<ComboColourCase>& info) { return std::string(info.param.name); });

struct BoxColourCase {
  const char* name;
  int item;
  std::string shown;
  LiteralValue unit;
  ValueColour expected;
};

void PrintTo(const BoxColourCase& c, std::ostream* os) { *os << c.name; }

class BoxColours : public PresentationTest, public ::testing::WithParamInterface<BoxColourCase> {};

TEST_P(BoxColours, CompareTextCharacterByCharacter) {
  const BoxColourCase& c = GetParam();
  FakeTextBox& box = c.item >= 150 ? controls.TekstBox(c.item - 150) : controls.CharBox(c.item);
  box.SetText(c.shown);
  Unit(c.item) = c.unit;

  screen.UpdateItemColours();

  EXPECT_EQ(box.colour, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BoxColours,
    ::testing::Values(BoxColourCase{"SameText", 31, "192", "192", kMatches},
                      BoxColourCase{"SameNumber", 31, "192", 192, kMatches},
                      BoxColourCase{"LeadingZeroDiffers", 31, "0192", 192, kDiffers},
                      BoxColourCase{"TrailingBlankDiffers", 37, "192 ", "192", kOutOfRange},
                      BoxColourCase{"MinusOneTextIsNoValueOfTheUnits", 23, "-1", -1, kOutOfRange},
                      BoxColourCase{"MinusOneTextTheUnitGave", 150, "-1", "-1", kMatches},
                      BoxColourCase{"EmptyDiffersFromNotObtained", 35, "", -1, kOutOfRange},
                      BoxColourCase{"DiagnosticCaseMatters", 150, "00:0a", "00:0A", kDiffers},
                      BoxColourCase{"DiagnosticSame", 154, "10.0.0.1", "10.0.0.1", kMatches}),
    [](const ::testing::TestParamInfo<BoxColourCase>& info) { return std::string(info.param.name); });

TEST_F(PresentationTest, ColouringVisitsTheSettingControlsOnly) {
  screen.UpdateItemColours();
  for (const auto& [index, combo] : controls.combos) {
    const bool visited = index == 0 || index == 5 || index == 7 || (index >= 10 && index <= 22 && index != 16) ||
                         index == 41;
    EXPECT_EQ(combo->colour.has_value(), visited) << "combo " << index;
  }
  for (const auto& [index, box] : controls.charInputs) EXPECT_TRUE(box->colour.has_value()) << index;
  for (const auto& [index, box] : controls.tekstInputs) EXPECT_TRUE(box->colour.has_value()) << index;
}

TEST_F(PresentationTest, AfterAFileLoadEveryShownValueDiffers) {
  for (int item : {0, 5, 41}) Value(item) = ItemValue(1);
  Value(31) = ItemValue(10);
  AllItemsToScreen(screen);
  ClearUnitValues(store);
  screen.UpdateItemColours();
  for (int item : {0, 5, 41}) EXPECT_EQ(controls.Combo(item).colour, kDiffers) << item;
  EXPECT_EQ(controls.CharBox(31).colour, kDiffers);
  EXPECT_EQ(controls.Combo(7).colour, kDiffers);  // without selection, and the unit gave nothing
}

}  // namespace
}  // namespace tessaro::testing

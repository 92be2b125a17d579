#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "core/SettingsScreen.h"
#include "tests/support/ItemValueAssertions.h"
#include "tests/presentation/PresentationFixture.h"

namespace tessaro::testing {
namespace {

// ---- ItemToScreen on combos -------------------------------------------------

struct ComboShowCase {
  const char* name;
  int item;
  LiteralValue value;
  int selectionBefore;
  int expectedSelection;
  bool expectError;  // then ItemValues(item) becomes the number 0
};

void PrintTo(const ComboShowCase& c, std::ostream* os) { *os << c.name; }

class ComboToScreen : public PresentationTest, public ::testing::WithParamInterface<ComboShowCase> {};

TEST_P(ComboToScreen, SelectsThePositionOrReportsTheItem) {
  const ComboShowCase& c = GetParam();
  controls.Combo(c.item).SetSelectedIndex(c.selectionBefore);
  Value(c.item) = c.value;

  screen.ItemToScreen(static_cast<int16_t>(c.item));

  EXPECT_EQ(controls.Combo(c.item).SelectedIndex(), c.expectedSelection);
  if (c.expectError) {
    ASSERT_EQ(dialogs.criticalErrors.size(), 1u);
    EXPECT_EQ(dialogs.criticalErrors[0].text, "Error Screenhandling id: " + std::to_string(c.item));
    EXPECT_EQ(dialogs.criticalErrors[0].caption, taal.Text(slot::ProgramTitle));
    EXPECT_EQ(Value(c.item), ItemValue(0));
  } else {
    EXPECT_TRUE(dialogs.criticalErrors.empty());
    EXPECT_EQ(Value(c.item), c.value);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ComboToScreen,
    ::testing::Values(
        ComboShowCase{"SubnetBeyondListShowsClassDefault", 41, 30, 5, 0, false},
        ComboShowCase{"SubnetTwentyFiveShowsClassDefault", 41, 25, 5, 0, false},
        ComboShowCase{"SubnetLastMask", 41, 24, 5, 24, false},
        ComboShowCase{"SubnetAsText", 41, "3", 5, 3, false},
        ComboShowCase{"SubnetMinusOneClears", 41, -1, 5, -1, false},
        ComboShowCase{"SubnetBelowMinusOneFails", 41, -3, 5, 5, true},
        ComboShowCase{"SpeedSevenFailsAndKeepsSelection", 10, 7, 3, 3, true},
        ComboShowCase{"SpeedJustBeyondListFails", 10, 5, 2, 2, true},
        ComboShowCase{"SpeedLastEntry", 10, 4, 2, 4, false},
        ComboShowCase{"MinusOneClearsSelection", 5, -1, 2, -1, false},
        ComboShowCase{"MinusTwoFails", 5, -2, 2, 2, true},
        ComboShowCase{"HalfRoundsToEvenUp", 13, 1.5, 0, 2, false},
        ComboShowCase{"HalfRoundsToEvenDown", 13, 2.5, 0, 2, false},
        ComboShowCase{"HalfToZero", 13, 0.5, 1, 0, false},
        ComboShowCase{"TooLargeForSixteenBits", 13, 40000, 1, 1, true},
        ComboShowCase{"TooNegativeForSixteenBits", 13, -40000, 1, 1, true},
        ComboShowCase{"TextWithTrailingLetters", 0, "3abc", 0, 3, false},
        ComboShowCase{"TextWithoutNumberIsZero", 21, "abc", 2, 0, false},
        ComboShowCase{"DecimalTextFromAReadReply", 20, "70", 0, 70, false},
        ComboShowCase{"InfoBeforeAlphaBeyondListFails", 19, 15, 1, 1, true}),
    [](const ::testing::TestParamInfo<ComboShowCase>& info) { return std::string(info.param.name); });

TEST_F(PresentationTest, HiddenCombosAreSkippedWithoutMessage) {
  for (int item : {1, 3, 16}) {
    Value(item) = ItemValue(99);
    screen.ItemToScreen(static_cast<int16_t>(item));
    EXPECT_EQ(Value(item), ItemValue(99)) << item;
  }
  EXPECT_TRUE(dialogs.criticalErrors.empty());
}

TEST_F(PresentationTest, ComboWithoutListRefusesEveryPositionButMinusOne) {
  controls.Combo(41).ClearEntries();
  Value(41) = ItemValue(30);  // position 0 of an empty list
  screen.ItemToScreen(41);
  ASSERT_EQ(dialogs.criticalErrors.size(), 1u);
  EXPECT_EQ(dialogs.criticalErrors[0].text, "Error Screenhandling id: 41");
}

TEST_F(PresentationTest, ItemsWithoutControlsAreLeftAlone) {
  for (int item : {24, 30, 42, 100, 149, 155, 249, 250}) {
    Value(item) = ItemValue("kept");
    screen.ItemToScreen(static_cast<int16_t>(item));
    EXPECT_EQ(Value(item), ItemValue("kept")) << item;
  }
  screen.ItemToScreen(-1);
  EXPECT_TRUE(dialogs.criticalErrors.empty());
}

// ---- ItemToScreen on text boxes ---------------------------------------------

struct BoxShowCase {
  const char* name;
  int item;
  LiteralValue value;
  std::string expectedText;
};

void PrintTo(const BoxShowCase& c, std::ostream* os) { *os << c.name; }

class BoxToScreen : public PresentationTest, public ::testing::WithParamInterface<BoxShowCase> {};

TEST_P(BoxToScreen, ShowsTheTextForm) {
  const BoxShowCase& c = GetParam();
  Value(c.item) = c.value;
  screen.ItemToScreen(static_cast<int16_t>(c.item));
  const FakeTextBox& box = c.item >= 150 ? controls.TekstBox(c.item - 150) : controls.CharBox(c.item);
  EXPECT_EQ(box.Text(), c.expectedText);
  EXPECT_EQ(Value(c.item), c.value);
  EXPECT_TRUE(dialogs.criticalErrors.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BoxToScreen,
    ::testing::Values(BoxShowCase{"EmptyTextShowsZero", 31, "", "0"},
                      BoxShowCase{"DigitsBeforeLettersShowDigits", 31, "12abc", "12"},
                      BoxShowCase{"LeadingBlanksAndZerosDrop", 33, "  007", "7"},
                      BoxShowCase{"NumberShowsDecimal", 34, 192, "192"},
                      BoxShowCase{"NotObtainedShowsMinusOne", 23, -1, "-1"},
                      BoxShowCase{"PortHighByte", 36, 255.0, "255"},
                      BoxShowCase{"FractionKept", 40, 7.5, "7.5"},
                      BoxShowCase{"MacAddressTextAsReceived", 150, "00:0A:1B:2C:3D:4E", "00:0A:1B:2C:3D:4E"},
                      BoxShowCase{"DiagnosticNumberAsText", 154, -1, "-1"},
                      BoxShowCase{"DiagnosticEmptyText", 153, "", ""}),
    [](const ::testing::TestParamInfo<BoxShowCase>& info) { return std::string(info.param.name); });

TEST_F(PresentationTest, HiddenTextBoxKeepsItsText) {
  controls.CharBox(32).visible = false;
  controls.CharBox(32).SetText("1");
  Value(32) = ItemValue(200);
  screen.ItemToScreen(32);
  EXPECT_EQ(controls.CharBox(32).Text(), "1");
}

// ---- ScreenToItem -------------------------------------------------------------

TEST_F(PresentationTest, ScreenToItemTakesSelectionsAsNumbers) {
  controls.Combo(5).SetSelectedIndex(3);
  screen.ScreenToItem(5);
  EXPECT_EQ(Value(5), ItemValue(3));

  controls.Combo(41).SetSelectedIndex(-1);
  screen.ScreenToItem(41);
  EXPECT_EQ(Value(41), ItemValue(-1));

  Value(3) = ItemValue(7);
  screen.ScreenToItem(3);  // combo 3 is hidden
  EXPECT_EQ(Value(3), ItemValue(0));
}

TEST_F(PresentationTest, ScreenToItemTakesTextExactlyAsTyped) {
  controls.CharBox(31).SetText("0192");
  controls.CharBox(23).SetText(" 1a");
  controls.CharBox(35).SetText("");
  screen.ScreenToItem(31);
  screen.ScreenToItem(23);
  screen.ScreenToItem(35);
  EXPECT_EQ(Value(31), ItemValue("0192"));
  EXPECT_EQ(Value(23), ItemValue(" 1a"));
  EXPECT_EQ(Value(35), ItemValue(""));

  controls.CharBox(36).visible = false;
  controls.CharBox(36).SetText("9");
  screen.ScreenToItem(36);
  EXPECT_EQ(Value(36), ItemValue(0));
}

TEST_F(PresentationTest, ScreenToItemNeverTakesDiagnosticsFromTheScreen) {
  controls.TekstBox(0).SetText("00:0A:1B:2C:3D:4E");
  Value(150) = ItemValue("00:0A:1B:2C:3D:4E");
  screen.ScreenToItem(150);
  EXPECT_EQ(Value(150), ItemValue(std::string()));
}

TEST_F(PresentationTest, ScreenToItemBeyondTheTextItemsStoresNothing) {
  for (int item : {155, 200, 249, 250}) Value(item) = ItemValue("kept");
  for (int item : {155, 200, 249, 250, -1, 300}) screen.ScreenToItem(static_cast<int16_t>(item));
  for (int item : {155, 200, 249, 250}) EXPECT_EQ(Value(item), ItemValue("kept")) << item;
}

// ---- Whole-store transfers ----------------------------------------------------

TEST_F(PresentationTest, LoadingAFileWithAnUnfitValueReportsOnceAndShowsTheRest) {
  store.FileValues.fill(ItemValue(0.0));
  store.FileValues[10] = ItemValue(9.0);
  store.FileValues[13] = ItemValue(2.0);
  store.FileValues[21] = ItemValue(3.0);
  store.FileValues[41] = ItemValue(8.0);
  store.FileValues[31] = ItemValue(192.0);
  store.FileValues[150] = ItemValue("00:0A:1B:2C:3D:4E");
  controls.Combo(10).SetSelectedIndex(1);

  ClearUnitValues(store);
  FileValuesToItemValues(store);
  AllItemsToScreen(screen);

  ASSERT_EQ(dialogs.criticalErrors.size(), 1u);
  EXPECT_EQ(dialogs.criticalErrors[0].text, "Error Screenhandling id: 10");
  EXPECT_EQ(Value(10), ItemValue(0));
  EXPECT_EQ(controls.Combo(10).SelectedIndex(), 1);
  EXPECT_EQ(controls.Combo(13).SelectedIndex(), 2);
  EXPECT_EQ(controls.Combo(21).SelectedIndex(), 3);
  EXPECT_EQ(controls.Combo(41).Text(), "255.255.255.0");
  EXPECT_EQ(controls.CharBox(31).Text(), "192");
  EXPECT_EQ(controls.TekstBox(0).Text(), "00:0A:1B:2C:3D:4E");

  // The reset value fits, so the next refresh is quiet and shows position 0.
  AllItemsToScreen(screen);
  EXPECT_EQ(dialogs.criticalErrors.size(), 1u);
  EXPECT_EQ(controls.Combo(10).SelectedIndex(), 0);
}

TEST_F(PresentationTest, ScreenToAllItemsGivesZerosAndEmptyTextsForWhatTheScreenDoesNotHold) {
  for (int item = 0; item <= 250; ++item) Value(item) = ItemValue("before");
  controls.Combo(22).SetSelectedIndex(1);
  controls.CharBox(40).SetText("254");
  controls.TekstBox(2).SetText("10.0.0.1");

  ScreenToAllItems(screen);

  for (int item = 150; item <= 154; ++item) EXPECT_EQ(Value(item), ItemValue(std::string())) << item;
  for (int item : {1, 2, 3, 4, 6, 8, 9, 16}) EXPECT_EQ(Value(item), ItemValue(0)) << item;
  for (int item = 24; item <= 30; ++item) EXPECT_EQ(Value(item), ItemValue(0)) << item;
  for (int item = 42; item <= 149; ++item) EXPECT_EQ(Value(item), ItemValue(0)) << item;
  for (int item = 155; item <= 250; ++item) EXPECT_EQ(Value(item), ItemValue("before")) << item;
  EXPECT_EQ(Value(22), ItemValue(1));
  EXPECT_EQ(Value(0), ItemValue(-1));  // shown without selection after set-up
  EXPECT_EQ(Value(40), ItemValue("254"));
}

TEST_F(PresentationTest, RoundTripKeepsEveryUsedValue) {
  for (int item : {0, 5, 7, 10, 11, 12, 13, 14, 15, 17, 18, 19, 20, 21, 22, 41}) Value(item) = ItemValue(1);
  for (int item : {23, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40}) Value(item) = ItemValue(200);
  AllItemsToScreen(screen);
  ScreenToAllItems(screen);
  for (int item : {0, 5, 7, 10, 11, 12, 13, 14, 15, 17, 18, 19, 20, 21, 22, 41}) {
    EXPECT_EQ(Value(item), ItemValue(1)) << item;
  }
  for (int item : {23, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40}) EXPECT_EQ(Value(item), ItemValue("200")) << item;
}

}  // namespace
}  // namespace tessaro::testing

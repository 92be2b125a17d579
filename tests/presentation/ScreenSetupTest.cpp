#include <gtest/gtest.h>

#include <set>

#include "core/SettingsScreen.h"
#include "presentation/SettingsLayout.h"
#include "presentation/SettingsLegends.h"
#include "tests/presentation/PresentationFixture.h"

namespace tessaro::testing {
namespace {

const std::set<int> kUsedCombos = {0, 5, 7, 10, 11, 12, 13, 14, 15, 17, 18, 19, 20, 21, 22, 41};

using ScreenSetup = PresentationTest;

TEST_F(ScreenSetup, EveryUsedComboHoldsItsChoiceListWithoutSelection) {
  for (int item : kUsedCombos) {
    EXPECT_EQ(controls.Combo(item).entries, ChoiceList(item, taal)) << item;
    EXPECT_EQ(controls.Combo(item).SelectedIndex(), -1) << item;
  }
  EXPECT_EQ(controls.Combo(5).EntryCount(), 11);
  EXPECT_EQ(controls.Combo(7).EntryCount(), 26);
  EXPECT_EQ(controls.Combo(18).EntryCount(), 17);
  EXPECT_EQ(controls.Combo(20).EntryCount(), 71);
  EXPECT_EQ(controls.Combo(41).EntryCount(), 25);
}

TEST_F(ScreenSetup, ShowsExactlyTheUsedCombosAndTheirButtons) {
  for (int index = 0; index <= 22; ++index) {
    const bool used = kUsedCombos.count(index) > 0;
    EXPECT_EQ(controls.Combo(index).Visible(), used) << "combo " << index;
    EXPECT_EQ(controls.ReadButton(index).Visible(), used) << "read button " << index;
    EXPECT_EQ(controls.WriteButton(index).Visible(), used) << "write button " << index;
    EXPECT_TRUE(controls.Combo(index).entries.empty() || used) << index;
  }
  EXPECT_TRUE(controls.Combo(41).Visible());
  EXPECT_TRUE(controls.ReadButton(41).Visible());
  EXPECT_TRUE(controls.WriteButton(41).Visible());
  // Item 23's buttons stay hidden; the other rows keep their design state.
  EXPECT_FALSE(controls.ReadButton(23).Visible());
  EXPECT_TRUE(controls.ReadButton(31).Visible());
  EXPECT_TRUE(controls.Combo(25).Visible());
  EXPECT_FALSE(controls.Combo(24).Visible());
  EXPECT_EQ(controls.Combo(0).toolTip, taal.Text(slot::DiagnosticFirmwareHint));
}

TEST_F(ScreenSetup, LeavesTheTextBoxesAlone) {
  controls.CharBox(31).SetText("10");
  controls.TekstBox(0).SetText("00-11-22");
  screen.InitSettingsScreen();
  EXPECT_EQ(controls.CharBox(31).Text(), "10");
  EXPECT_EQ(controls.TekstBox(0).Text(), "00-11-22");
  EXPECT_TRUE(controls.CharBox(23).Visible());
}

// The settings combos lose their selections (the store selects them again);
// the bleep code is the user's own choice and stays, in the new language.
TEST_F(ScreenSetup, RunningTwiceKeepsOneCopyOfEachListAndDropsSettingSelections) {
  for (int item : kUsedCombos) controls.Combo(item).SetSelectedIndex(1);
  controls.bleepCode.SetSelectedIndex(7);
  UseLanguage(German);
  screen.InitSettingsScreen();
  for (int item : kUsedCombos) {
    EXPECT_EQ(controls.Combo(item).entries, ChoiceList(item, taal)) << item;
    EXPECT_EQ(controls.Combo(item).SelectedIndex(), -1) << item;
  }
  EXPECT_EQ(controls.bleepCode.entries, BleepCodeChoices(taal));
  EXPECT_EQ(controls.bleepCode.SelectedIndex(), 7);
}

TEST_F(ScreenSetup, BleepCodeComboIsShownWithEntryOneSelected) {
  EXPECT_TRUE(controls.bleepCode.Visible());
  EXPECT_EQ(controls.bleepCode.entries, BleepCodeChoices(taal));
  EXPECT_EQ(controls.bleepCode.SelectedIndex(), 1);
  EXPECT_EQ(controls.bleepCode.Text(), "Bleepcode: 1");
}

TEST_F(ScreenSetup, LanguageChangeRebuildsListsAndAllItemsToScreenReselects) {
  Value(13) = ItemValue(2);
  Value(41) = ItemValue(3);
  AllItemsToScreen(screen);
  UseLanguage(Dutch);
  screen.InitSettingsScreen();
  EXPECT_EQ(controls.Combo(13).SelectedIndex(), -1);
  AllItemsToScreen(screen);
  EXPECT_EQ(controls.Combo(13).Text(), "Oneven Pariteit");
  EXPECT_EQ(controls.Combo(41).Text(), "255.255.255.248");
  EXPECT_EQ(controls.Combo(41).EntryCount(), 25);
  EXPECT_TRUE(dialogs.criticalErrors.empty());
}

TEST_F(ScreenSetup, ClearComboSelectionsTouchesCombosZeroToTwentyTwo) {
  screen.ClearComboSelections();
  for (const auto& [index, combo] : controls.combos) {
    EXPECT_EQ(combo->highlightClears, index <= 22 ? 1 : 0) << index;
  }
}

TEST_F(ScreenSetup, LegendsGoIntoTheirLegendBoxes) {
  WriteSettingsLegends(controls, taal);
  EXPECT_EQ(controls.CharLegend(0).Text(), "Diagnostic Serial Info:");
  EXPECT_EQ(controls.CharLegend(31).Text(), "IP Address [Static]: ");
  EXPECT_EQ(controls.CharLegend(35).Text(), "PortNumber [H:L] ");
  EXPECT_EQ(controls.CharLegend(36).Text(), "PortNumber [H:L] ");
  EXPECT_EQ(controls.CharLegend(37).Text(), "Gateway Address: ");
  EXPECT_EQ(controls.CharLegend(41).Text(), "Subnet: ");
  EXPECT_EQ(controls.CharLegend(18).Text(), "ESPA simulation Bosch fixed info: ");
  EXPECT_EQ(controls.TekstLegend(0).Text(), "MAC Address");
  EXPECT_EQ(controls.TekstLegend(4).Text(), "NameServer:");
  // Boxes of a multi-box row other than the legend's own keep their text.
  EXPECT_EQ(controls.CharLegend(32).Text(), "");

  UseLanguage(Dutch);
  WriteSettingsLegends(controls, taal);
  EXPECT_EQ(controls.CharLegend(5).Text(), "Adres Lengte: ");
  EXPECT_EQ(controls.TekstLegend(1).Text(), "IP Adres [Vast]: ");
  EXPECT_FALSE(controls.CharLegend(1).Visible());  // texts only, never visibility
}

}  // namespace
}  // namespace tessaro::testing

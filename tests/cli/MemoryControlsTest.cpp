#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "core/SettingsStore.h"
#include "tests/support/ItemValueAssertions.h"
#include "lang/LanguageTexts.h"
#include "presentation/MemoryControls.h"
#include "presentation/SettingsTransfer.h"
#include "tests/support/FakeSettingsControls.h"
#include "tests/support/RecordingDialogs.h"

namespace tessaro {
namespace {

// The fake of the tests is the reference for the window's design state; the
// production arrays must match it member for member.
struct ArrayRow {
  const char* name;
  int size;  // indexes 0..size-1 are compared; beyond, both must lack members
  std::function<const void*(SettingsControls&, int)> member;
  std::function<bool(SettingsControls&, int)> visible;
};

void PrintTo(const ArrayRow& row, std::ostream* out) { *out << row.name; }

template <class Lookup>
ArrayRow Array(const char* name, int size, Lookup lookup) {
  return {name, size, [lookup](SettingsControls& c, int i) -> const void* { return lookup(c, i); },
          [lookup](SettingsControls& c, int i) { return lookup(c, i)->Visible(); }};
}

class DesignState : public ::testing::TestWithParam<ArrayRow> {};

TEST_P(DesignState, MatchesTheWindowsDesign) {
  MemoryControls memory;
  testing::FakeSettingsControls design;
  const ArrayRow& row = GetParam();
  for (int index = -1; index <= row.size + 5; ++index) {
    const bool present = row.member(design, index) != nullptr;
    ASSERT_EQ(row.member(memory, index) != nullptr, present) << "index " << index;
    if (present) {
      EXPECT_EQ(row.visible(memory, index), row.visible(design, index)) << "index " << index;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Arrays, DesignState,
    ::testing::Values(
        Array("ComboInstellingen", 42, [](SettingsControls& c, int i) { return c.ComboInstellingen(i); }),
        Array("TxtCharInput", 41, [](SettingsControls& c, int i) { return c.TxtCharInput(i); }),
        Array("TxtTekstInput", 5, [](SettingsControls& c, int i) { return c.TxtTekstInput(i); }),
        Array("TxtLegendaCharInput", 79, [](SettingsControls& c, int i) { return c.TxtLegendaCharInput(i); }),
        Array("TxtLegendaTekstInput", 83, [](SettingsControls& c, int i) { return c.TxtLegendaTekstInput(i); }),
        Array("CmdReadSingleSetting", 66, [](SettingsControls& c, int i) { return c.CmdReadSingleSetting(i); }),
        Array("CmdWriteSingleSetting", 66, [](SettingsControls& c, int i) { return c.CmdWriteSingleSetting(i); })),
    [](const ::testing::TestParamInfo<ArrayRow>& info) { return info.param.name; });

// The settings routines act on the in-memory arrays as on the window.
class MemoryScreen : public ::testing::Test {
 protected:
  void SetUp() override {
    texts.FillTextTable(language);
    screen.InitSettingsScreen();
  }

  int16_t language = English;
  MemoryControls controls;
  SettingsStore store;
  LanguageTexts texts;
  testing::RecordingDialogs dialogs;
  SettingsTransfer screen{store, texts, controls, dialogs};
};

TEST_F(MemoryScreen, HiddenCombosStoreZeroAndShownOnesTheirPosition) {
  store.ItemValues[5] = ItemValue(3);
  screen.ItemToScreen(5);
  EXPECT_EQ(controls.ComboInstellingen(5)->Text(), "Address Length: 3");
  screen.ScreenToItem(5);
  EXPECT_EQ(store.ItemValues[5], ItemValue(3));
  screen.ScreenToItem(3);
  EXPECT_EQ(store.ItemValues[3], ItemValue(0)) << "combo 3 is hidden";
  EXPECT_EQ(controls.ComboInstellingen(41)->EntryCount(), 25);
  EXPECT_EQ(controls.ComboTestBleepCode()->SelectedIndex(), 1);
}

TEST_F(MemoryScreen, AValueBeyondTheListKeepsTheOldSelectionAndResetsTheValue) {
  store.ItemValues[10] = ItemValue(2);
  screen.ItemToScreen(10);
  store.ItemValues[10] = ItemValue(7);
  screen.ItemToScreen(10);
  ASSERT_EQ(dialogs.criticalErrors.size(), 1u);
  EXPECT_EQ(dialogs.criticalErrors[0].text, "Error Screenhandling id: 10");
  EXPECT_EQ(store.ItemValues[10], ItemValue(0));
  EXPECT_EQ(controls.ComboInstellingen(10)->SelectedIndex(), 2);
  EXPECT_EQ(controls.ComboInstellingen(10)->Text(), "4800 baud");
}

TEST_F(MemoryScreen, TextBoxesTakeWhatTheyShowAndDiagnosticsNever) {
  store.ItemValues[31] = ItemValue("192");
  screen.ItemToScreen(31);
  screen.ScreenToItem(31);
  EXPECT_EQ(store.ItemValues[31], ItemValue("192"));
  store.ItemValues[150] = ItemValue("00:1E");
  screen.ItemToScreen(150);
  EXPECT_EQ(screen.ShownText(150), "00:1E");
  screen.ScreenToItem(150);
  EXPECT_EQ(store.ItemValues[150], ItemValue(""));
}

TEST_F(MemoryScreen, EveryReadableItemHasARowForTheEngineReports) {
  for (int item = 0; item <= LastUnitItem; ++item) {
    if (IsReadableItem(item) >= 0) {
      EXPECT_TRUE(screen.HasVisibleRow(static_cast<int16_t>(item))) << item;
    }
  }
  EXPECT_FALSE(screen.HasVisibleRow(3));
}

}  // namespace
}  // namespace tessaro

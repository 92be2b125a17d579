#include <gtest/gtest.h>

#include <string>

#include "presentation/SettingsLegends.h"
#include "tests/presentation/PresentationFixture.h"

namespace tessaro::testing {
namespace {

class EngineAnswers : public PresentationTest {
 protected:
  void SetUp() override {
    PresentationTest::SetUp();
    WriteSettingsLegends(controls, taal);
  }
};

struct RowCase {
  int item;
  bool visible;
  std::string legend;
};

TEST_F(EngineAnswers, VisibleRowFollowsTheLegendBox) {
  const RowCase cases[] = {
      {0, true, "Diagnostic Serial Info:"},
      {1, false, ""},  // hidden from design on
      {16, false, ""},
      {10, true, "ESPA serial speed:"},
      {31, true, "IP Address [Static]: "},
      {36, true, "PortNumber [H:L] "},
      {41, true, "Subnet: "},
      {150, true, "MAC Address"},
      {151, true, "IP Address [Static]: "},
      {154, true, "NameServer:"},
      {155, false, ""},  // the window holds no legend with index 5
      {100, false, ""},  // Int rows have no legend seam
      {79, false, ""},   // beyond the Char legends
      {250, false, ""},
      {-1, false, ""},
  };
  for (const RowCase& c : cases) {
    const auto item = static_cast<int16_t>(c.item);
    EXPECT_EQ(screen.HasVisibleRow(item), c.visible) << c.item;
    EXPECT_EQ(screen.Legend(item), c.legend) << c.item;
  }
}

TEST_F(EngineAnswers, LegendIsWhatTheBoxShowsNow) {
  controls.CharLegend(32).SetText("design text");
  EXPECT_EQ(screen.Legend(32), "design text");
  controls.CharLegend(0).visible = false;
  EXPECT_FALSE(screen.HasVisibleRow(0));
}

TEST_F(EngineAnswers, ShownTextIsTheComboEntryOrTheBoxText) {
  Value(10) = ItemValue(3);
  Value(14) = ItemValue(0);
  Value(31) = ItemValue(192);
  Value(152) = ItemValue("10.0.0.1");
  for (int item : {10, 14, 31, 152}) screen.ItemToScreen(static_cast<int16_t>(item));

  EXPECT_EQ(screen.ShownText(10), "9600 baud");
  EXPECT_EQ(screen.ShownText(14), "None ");
  EXPECT_EQ(screen.ShownText(31), "192");
  EXPECT_EQ(screen.ShownText(152), "10.0.0.1");
  EXPECT_EQ(screen.ShownText(5), "");  // no selection
  EXPECT_EQ(screen.ShownText(100), "");
  EXPECT_EQ(screen.ShownText(200), "");
  EXPECT_EQ(screen.ShownText(90), "");
  EXPECT_EQ(screen.ShownText(-1), "");
}

TEST_F(EngineAnswers, ShownTextOfAnEditedBoxIsTheEdit) {
  controls.CharBox(23).SetText("12x");
  EXPECT_EQ(screen.ShownText(23), "12x");
}

struct ValueTextCase {
  int item;
  ItemValue value;
  std::string text;
};

// A reply that arrives while the user's edit waits to be written is quoted
// without being shown: the quote must read as the control would show it.
TEST_F(EngineAnswers, ValueTextIsWhatTheControlWouldShowAndLeavesItAlone) {
  const ValueTextCase cases[] = {
      {10, ItemValue(3), "9600 baud"},
      {21, ItemValue(2), "Espa 4.4.4. IN"},
      {41, ItemValue(30), "Default for Class A/B/C"},  // beyond the list: the class default
      {41, ItemValue(4), "255.255.255.240"},
      {31, ItemValue(192), "192"},
      {152, ItemValue("10.0.0.1"), "10.0.0.1"},
  };
  for (const ValueTextCase& c : cases) {
    SCOPED_TRACE(c.item);
    const auto item = static_cast<int16_t>(c.item);
    const std::string before = screen.ShownText(item);
    EXPECT_EQ(screen.ValueText(item, c.value), c.text);
    EXPECT_EQ(screen.ShownText(item), before);
    Value(c.item) = c.value;
    screen.ItemToScreen(item);
    EXPECT_EQ(screen.ShownText(item), c.text);
  }
  // A position the list does not hold is quoted as the number the unit sent.
  EXPECT_EQ(screen.ValueText(21, ItemValue(9)), "9");
}

}  // namespace
}  // namespace tessaro::testing

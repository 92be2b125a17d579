#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

#include "core/ItemTable.h"
#include "presentation/SettingsLayout.h"
#include "tools/soak/RandomSettings.h"

namespace tessaro::soak {
namespace {

TEST(SoakSettings, OnlyWritableNumbersThatTravelUnchanged) {
  const auto items = SoakSettingItems();
  ASSERT_FALSE(items.empty());
  for (const ItemInfo& info : ItemTable()) {
    const bool taken = std::find(items.begin(), items.end(), info.item) != items.end();
    const bool wanted = info.writable && info.kind != ItemKind::Tekst && info.coding == CharCoding::Number;
    EXPECT_EQ(taken, wanted) << "item " << info.item;
  }
  EXPECT_EQ(std::count(items.begin(), items.end(), 18), 0) << "the hex-coded item";
}

TEST(SoakSettings, ValuesAreWhatTheWindowOffersAndReachEveryEnd) {
  LanguageTexts texts;
  int16_t language = English;
  texts.FillTextTable(language);
  std::mt19937 random(7);
  for (int16_t item : SoakSettingItems()) {
    const ItemInfo& info = *FindItem(item);
    const int highest = info.control == ItemControl::Combo ? static_cast<int>(ChoiceList(item, texts).size()) - 1
                                                           : info.highestValue;
    std::set<int> seen;
    for (int i = 0; i < 4000; ++i) {
      const int value = RandomSettingValue(item, random, texts);
      ASSERT_GE(value, 0) << "item " << item;
      ASSERT_LE(value, highest) << "item " << item;
      seen.insert(value);
    }
    EXPECT_TRUE(seen.contains(0)) << "item " << item;
    if (highest < 100) {
      EXPECT_TRUE(seen.contains(highest)) << "item " << item;
    }
  }
}

}  // namespace
}  // namespace tessaro::soak

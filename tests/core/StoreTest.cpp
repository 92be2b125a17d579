#include <gtest/gtest.h>

#include <vector>

#include "core/SettingsScreen.h"
#include "tests/support/ItemValueAssertions.h"
#include "core/SettingsStore.h"

namespace tessaro {
namespace {

std::vector<int> MembersOf(int16_t (*predicate)(int)) {
  std::vector<int> members;
  for (int item = -5; item <= 300; ++item) {
    if (predicate(item) >= 0) members.push_back(item);
  }
  return members;
}

TEST(ItemLists, ReadAllAndWriteAllCoverExactlyTheUsedItems) {
  const std::vector<int> writable = {0,  5,  7,  10, 11, 12, 13, 14, 15, 17, 18, 19, 20, 21,
                                     22, 23, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40, 41};
  std::vector<int> readable = writable;
  for (int item = 150; item <= 154; ++item) readable.push_back(item);

  EXPECT_EQ(MembersOf(IsWritableItem), writable);
  EXPECT_EQ(MembersOf(IsReadableItem), readable);
  EXPECT_EQ(writable.size(), 27u);
  EXPECT_EQ(readable.size(), 32u);
  EXPECT_EQ(IsReadableItem(3), -1);
  EXPECT_EQ(IsReadableItem(0), 1);
}

TEST(ItemKinds, FollowTheNumberRanges) {
  EXPECT_EQ(KindOfItem(0), ItemKind::Char);
  EXPECT_EQ(KindOfItem(99), ItemKind::Char);
  EXPECT_EQ(KindOfItem(100), ItemKind::Int);
  EXPECT_EQ(KindOfItem(149), ItemKind::Int);
  EXPECT_EQ(KindOfItem(150), ItemKind::Tekst);
  EXPECT_EQ(KindOfItem(249), ItemKind::Tekst);
  EXPECT_EQ(KindOfItem(250), ItemKind::None);
  EXPECT_EQ(KindOfItem(-1), ItemKind::None);
}

TEST(Store, StartsWithMinusOneValuesAndNothingPending) {
  const SettingsStore store;
  for (int item = 0; item < ItemCount; ++item) {
    EXPECT_EQ(store.ItemValues[item], ItemValue(-1)) << item;
    EXPECT_EQ(store.UnitValues[item], ItemValue(-1)) << item;
    EXPECT_EQ(store.ItemStatus[item], RequestNone) << item;
  }
  EXPECT_EQ(store.DebugLevel, 0);
}

TEST(Store, ClearRoutinesResetTheirArrayOnly) {
  SettingsStore store;
  store.ItemValues.fill(ItemValue("x"));
  store.UnitValues.fill(ItemValue(5));
  store.ItemStatus.fill(RequestWrite);

  ClearItemValues(store);
  EXPECT_EQ(store.ItemValues[250], ItemValue(-1));
  EXPECT_EQ(store.UnitValues[0], ItemValue(5));

  ClearUnitValues(store);
  EXPECT_EQ(store.UnitValues[250], ItemValue(-1));

  ClearItemStatus(store);
  EXPECT_EQ(store.ItemStatus[0], RequestNone);
  EXPECT_EQ(store.ItemStatus[249], RequestNone);
  EXPECT_EQ(store.ItemStatus[250], RequestWrite);  // item 250 is left alone
}

TEST(Store, CopiesBetweenFileAndItemValuesAreDeepAndIncludeItem250) {
  SettingsStore store;
  store.FileValues[150] = ItemValue("00:1E:C0");
  store.FileValues[250] = ItemValue(9);
  FileValuesToItemValues(store);
  EXPECT_EQ(store.ItemValues[150], ItemValue("00:1E:C0"));
  EXPECT_EQ(store.ItemValues[250], ItemValue(9));

  store.FileValues[150] = ItemValue("changed");
  EXPECT_EQ(store.ItemValues[150], ItemValue("00:1E:C0"));

  store.ItemValues[7] = ItemValue(3);
  ItemValuesToFileValues(store);
  EXPECT_EQ(store.FileValues[7], ItemValue(3));
  EXPECT_EQ(store.FileValues[150], ItemValue("00:1E:C0"));
}

class RecordingScreen : public SettingsScreen {
 public:
  void ItemToScreen(int16_t item) override { shown.push_back(item); }
  void ScreenToItem(int16_t item) override { taken.push_back(item); }
  std::vector<int16_t> shown;
  std::vector<int16_t> taken;
};

TEST(BulkScreenRoutines, VisitItems0To249InAscendingOrder) {
  RecordingScreen screen;
  AllItemsToScreen(screen);
  ScreenToAllItems(screen);
  ASSERT_EQ(screen.shown.size(), 250u);
  ASSERT_EQ(screen.taken.size(), 250u);
  for (int16_t i = 0; i < 250; ++i) {
    EXPECT_EQ(screen.shown[i], i);
    EXPECT_EQ(screen.taken[i], i);
  }
}

}  // namespace
}  // namespace tessaro

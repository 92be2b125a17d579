#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

#include "core/ItemTable.h"

namespace tessaro::testing {
namespace {

// Each item as the unit's documentation gives it, written down independently
// of the table: control, whether it is written, the largest value a reply may
// carry (larger becomes 0; the length lists' last positions 10 and 25 are
// taken, so what a write sends reads back), the largest value a box offers,
// its tab and the text slots of its legend.
struct Expected {
  int16_t item;
  ItemControl control;
  bool writable;
  int replyLimit;
  int highest;
  SettingsTab tab;
  int firstSlot;
  int secondSlot;
};

constexpr SettingsTab G = SettingsTab::General;
constexpr SettingsTab T = SettingsTab::TcpIp;
constexpr SettingsTab E = SettingsTab::Espa;
constexpr ItemControl C = ItemControl::Combo;
constexpr ItemControl B = ItemControl::CharBox;
constexpr ItemControl X = ItemControl::TekstBox;

const Expected kExpected[] = {
    {0, C, true, 4, 0, G, 26, -1},    {22, C, true, 1, 0, G, 27, -1},   {23, B, true, 180, 180, G, 32, -1},
    {31, B, true, 255, 255, T, 42, 44},   {32, B, true, 255, 255, T, 42, 44},   {33, B, true, 255, 255, T, 42, 44},
    {34, B, true, 255, 255, T, 42, 44},   {36, B, true, 255, 255, T, 76, -1}, {35, B, true, 255, 255, T, 76, -1},
    {37, B, true, 255, 255, T, 42, -1}, {38, B, true, 255, 255, T, 42, -1}, {39, B, true, 255, 255, T, 42, -1},
    {40, B, true, 255, 255, T, 42, -1}, {41, C, true, 24, 0, T, -1, -1}, {150, X, false, -1, 0, T, 42, -1},
    {151, X, false, -1, 0, T, 42, 44},    {152, X, false, -1, 0, T, 42, -1}, {153, X, false, -1, 0, T, -1, -1},
    {154, X, false, -1, 0, T, -1, -1}, {21, C, true, 3, 0, E, 46, -1}, {20, C, true, 255, 0, E, 47, -1},
    {10, C, true, 4, 0, E, 48, -1},   {11, C, true, 1, 0, E, 49, -1},   {12, C, true, 1, 0, E, 50, -1},
    {13, C, true, 2, 0, E, 51, -1},   {14, C, true, 2, 0, E, 59, -1},   {17, C, true, 2, 0, E, 53, -1},
    {5, C, true, 10, 0, E, 42, 54},        {7, C, true, 25, 0, E, 55, 54},       {15, C, true, 4, 0, E, 56, -1},
    {19, C, true, 15, 0, E, 57, -1},  {18, C, true, 16, 0, E, 58, -1},
};

TEST(ItemTable, EveryRowIsWhatTheUnitDocumentationGivesInScreenOrder) {
  const auto table = ItemTable();
  ASSERT_EQ(table.size(), std::size(kExpected));
  for (std::size_t index = 0; index < table.size(); ++index) {
    const ItemInfo& row = table[index];
    const Expected& want = kExpected[index];
    SCOPED_TRACE("item " + std::to_string(want.item));
    EXPECT_EQ(row.item, want.item);
    EXPECT_EQ(row.kind, KindOfItem(want.item));
    EXPECT_TRUE(row.readable);
    EXPECT_EQ(row.writable, want.writable);
    EXPECT_EQ(row.control, want.control);
    EXPECT_EQ(row.replyLimit, want.replyLimit);
    EXPECT_EQ(row.control == ItemControl::CharBox ? row.highestValue : 0, want.highest);
    EXPECT_EQ(row.typingLimit, want.control == C ? 0 : want.control == B ? 3 : 20);
    EXPECT_EQ(row.tab, want.tab);
    EXPECT_EQ(static_cast<int>(row.legend.first), want.firstSlot);
    EXPECT_EQ(static_cast<int>(row.legend.second), want.secondSlot);
    EXPECT_EQ(row.choices != Choices::None, want.control == C);
    EXPECT_EQ(FindItem(want.item), &row);
  }
}

TEST(ItemTable, RowsRunTopToBottomWithinEachTab) {
  const auto table = ItemTable();
  for (std::size_t index = 1; index < table.size(); ++index) {
    const ItemInfo& before = table[index - 1];
    const ItemInfo& row = table[index];
    if (row.tab == before.tab) {
      EXPECT_GE(row.row, before.row) << row.item;
      EXPECT_LE(row.row, before.row + 1) << row.item;
    } else {
      EXPECT_GT(static_cast<int>(row.tab), static_cast<int>(before.tab)) << row.item;
      EXPECT_EQ(row.row, 0) << row.item;
    }
  }
}

TEST(ItemTable, SpecialRowsKeepTheirOwnRules) {
  EXPECT_EQ(FindItem(18)->coding, CharCoding::HexDigit);
  EXPECT_EQ(FindItem(41)->beyondList, BeyondList::FirstEntry);
  EXPECT_EQ(static_cast<int>(FindItem(0)->toolTipSlot), 38);
  int hexCoded = 0, firstEntry = 0, toolTips = 0;
  for (const ItemInfo& row : ItemTable()) {
    hexCoded += row.coding == CharCoding::HexDigit;
    firstEntry += row.beyondList == BeyondList::FirstEntry;
    toolTips += row.toolTipSlot != NoSlot;
  }
  EXPECT_EQ(hexCoded + firstEntry + toolTips, 3) << "only items 18, 41 and 0 have a rule of their own";
}

TEST(ItemTable, ItemsWithoutARowAreUnknown) {
  std::set<int> known;
  for (const ItemInfo& row : ItemTable()) known.insert(row.item);
  for (int item : {-1, 1, 2, 3, 4, 6, 8, 9, 16, 24, 30, 42, 100, 149, 155, 249, 250, 251, 32767}) {
    EXPECT_EQ(FindItem(item), nullptr) << item;
    EXPECT_EQ(known.count(item), 0u) << item;
  }
}

// What the unit can take is the table's: a whole number up to the item's
// highest, typed as digits only; items the table does not bound take anything.
TEST(ItemTable, ValueFitsItemFollowsTheTablesRange) {
  struct Case {
    int item;
    ItemValue value;
    bool fits;
  };
  const Case cases[] = {
      {23, ItemValue("180"), true}, {23, ItemValue("181"), false}, {23, ItemValue("999"), false},
      {23, ItemValue(0), true},     {23, ItemValue(60.5), false},  {34, ItemValue("-3a"), false},
      {34, ItemValue("-3"), false}, {34, ItemValue(""), false},    {34, ItemValue(" 3"), false},
      {21, ItemValue(3), true},     {21, ItemValue(4), false},     {150, ItemValue("any text"), true},
      {100, ItemValue(40000), true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ValueFitsItem(c.item, c.value), c.fits) << c.item << " " << c.value.TextValue();
  }
  EXPECT_EQ(HighestValueOf(23), 180);
  EXPECT_EQ(HighestValueOf(150), std::nullopt);
}

// The unit's TCP/IP diagnostics are five read-only texts, read and shown in
// ascending order.
TEST(ItemTable, DiagnosticItemsAreTheReadOnlyTextsInAscendingOrder) {
  const std::vector<int16_t> diagnostics(DiagnosticItems().begin(), DiagnosticItems().end());
  EXPECT_EQ(diagnostics, (std::vector<int16_t>{150, 151, 152, 153, 154}));
  for (const ItemInfo& row : ItemTable()) {
    const bool listed = std::count(diagnostics.begin(), diagnostics.end(), row.item) > 0;
    EXPECT_EQ(listed, row.kind == ItemKind::Tekst && !row.writable) << row.item;
  }
}

// The static address, the port and the gateway are each typed as bytes in
// boxes side by side, the port's high byte on the left.
TEST(ItemTable, WholeValueGroupsAreTheAddressPortAndGatewayBoxesLeftToRight) {
  struct Group {
    WholeValue form;
    std::vector<int16_t> items;
  };
  const Group expected[] = {
      {WholeValue::Address, {31, 32, 33, 34}},
      {WholeValue::PortNumber, {36, 35}},
      {WholeValue::Address, {37, 38, 39, 40}},
  };
  const auto groups = WholeValueGroups();
  ASSERT_EQ(groups.size(), std::size(expected));
  for (std::size_t index = 0; index < groups.size(); ++index) {
    EXPECT_EQ(groups[index].form, expected[index].form) << index;
    EXPECT_EQ(std::vector<int16_t>(groups[index].Items().begin(), groups[index].Items().end()), expected[index].items)
        << index;
    for (int16_t item : expected[index].items) EXPECT_EQ(WholeValueGroupOf(item), &groups[index]) << item;
  }
  EXPECT_EQ(&PortNumberGroup(), &groups[1]);
  for (int item : {0, 23, 41, 150, 151, 30, 42, -1, 250}) EXPECT_EQ(WholeValueGroupOf(item), nullptr) << item;
}

// What the window's port tooltip shows before rounding: box 36 times 256
// plus box 35, whatever the boxes hold.
TEST(ItemTable, PortNumberIsBox36Times256PlusBox35) {
  struct Case {
    double box35;
    double box36;
    double port;
  };
  const Case cases[] = {{2, 1, 258},       {80, 0, 80},       {0, 128, 32768},  {255, 255, 65535},
                        {0.5, 0.5, 128.5}, {1.5, 0.5, 129.5}, {0, 2.5, 640},    {7, -1, -249},
                        {300, 0, 300},     {0, 0, 0}};
  for (const Case& c : cases) {
    std::vector<double> boxes;
    for (int16_t item : PortNumberGroup().Items()) boxes.push_back(item == 35 ? c.box35 : item == 36 ? c.box36 : -1e9);
    EXPECT_EQ(WholeNumberOf(boxes), c.port) << c.box36 << ":" << c.box35;
  }
}

// The rows' own rules, written down per item: the diagnostic info setting
// has its buttons on its row; the address, port and gateway bytes select all
// on entry; the TCP/IP settings and the ESPA mode and poll timeout keep the
// design's button captions; the static address's legend explains DHCP.
TEST(ItemTable, RowRulesBelongToTheirItems) {
  const std::set<int> buttonsOnRow = {0};
  const std::set<int> selectAll = {31, 32, 33, 34, 35, 36, 37, 38, 39, 40};
  const std::set<int> designCaptions = {20, 21, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40, 41};
  for (const ItemInfo& row : ItemTable()) {
    SCOPED_TRACE("item " + std::to_string(row.item));
    EXPECT_EQ(CarriesReadWriteButtons(row.item), buttonsOnRow.count(row.item) > 0);
    EXPECT_EQ(SelectsAllOnEntry(row.item), selectAll.count(row.item) > 0);
    EXPECT_EQ(ButtonCaptionsTranslated(row.item), designCaptions.count(row.item) == 0);
    EXPECT_EQ(row.legendToolTip, row.item == 31 ? "Vul 0.0.0.0 in voor DHCP" : "");
  }
  for (int item : {1, 24, 100, 249}) {
    EXPECT_FALSE(CarriesReadWriteButtons(item)) << item;
    EXPECT_FALSE(SelectsAllOnEntry(item)) << item;
    EXPECT_FALSE(ButtonCaptionsTranslated(item)) << item;
  }
}

}  // namespace
}  // namespace tessaro::testing

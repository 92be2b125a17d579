#include "tools/unit-sim/ItemStore.h"

#include <gtest/gtest.h>

#include <cctype>
#include <regex>

#include "HexBytes.h"

namespace tessaro::unitsim {
namespace {

using testing::Hex;

struct RangeRow {
  int item;
  int max;  // largest valid choice position or number
};

// Every item a full read asks for, with the top of its range.
const RangeRow kReadableChars[] = {
    {0, 4},    {5, 10},   {7, 25},   {10, 4},   {11, 1},   {12, 1},   {13, 2},   {14, 2},   {15, 4},
    {17, 2},   {19, 3},   {20, 70},  {21, 3},   {22, 1},   {23, 180}, {31, 255}, {32, 255}, {33, 255},
    {34, 255}, {35, 255}, {36, 255}, {37, 255}, {38, 255}, {39, 255}, {40, 255}, {41, 24},
};

TEST(UnitSimItemStoreDefaultsTest, ReadableItemListHas32Items) {
  int count = 0;
  for (int item = 0; item < 256; ++item) count += IsReadableUnitItem(item) ? 1 : 0;
  EXPECT_EQ(count, 32);
  EXPECT_EQ(std::size(kReadableChars) + 1 /* item 18 */ + 5 /* 150..154 */, 32u);
}

TEST(UnitSimItemStoreDefaultsTest, FactoryValuesAreWithinTheirRanges) {
  const ItemStore store;
  for (const auto& row : kReadableChars) {
    const Bytes value = store.ValueBytes(row.item);
    ASSERT_EQ(value.size(), 1u) << "item " << row.item;
    EXPECT_LE(value[0], row.max) << "item " << row.item;
  }
  const uint8_t fixedInfo = store.ValueBytes(18).at(0);
  EXPECT_TRUE(fixedInfo == 0 || std::isxdigit(fixedInfo)) << int(fixedInfo);
}

TEST(UnitSimItemStoreDefaultsTest, DiagnosticTextsLookLikeAddresses) {
  const ItemStore store;
  const std::regex mac("([0-9A-F]{2}:){5}[0-9A-F]{2}");
  const std::regex quad("(\\d{1,3}\\.){3}\\d{1,3}");
  EXPECT_TRUE(std::regex_match(store.Text(150), mac)) << store.Text(150);
  for (int item = 151; item <= 154; ++item) EXPECT_TRUE(std::regex_match(store.Text(item), quad)) << item;
  EXPECT_EQ(store.Text(151), "192.168.1.50");
  EXPECT_EQ(store.Text(153), "255.255.255.0");
}

TEST(UnitSimItemStoreTest, IntItemsAreLowByteFirst) {
  ItemStore store;
  EXPECT_FALSE(store.Write(120, Hex("00 01")));
  EXPECT_EQ(store.Number(120), 256);
  EXPECT_EQ(store.ValueBytes(120), Hex("00 01"));
  EXPECT_EQ(store.ValueText(120), "256");
}

TEST(UnitSimItemStoreTest, TekstKeepsEveryByteAndRefusesWhatCannotBeReadBack) {
  ItemStore store;
  const Bytes cp1252 = Hex("E9 20 80 00 1E");  // é, blank, euro sign, NUL, RS
  EXPECT_FALSE(store.Write(160, cp1252));
  EXPECT_EQ(store.ValueBytes(160), cp1252);
  EXPECT_FALSE(store.Write(160, Bytes(kMaxTekstLength, 'x')));
  EXPECT_TRUE(store.Write(160, Bytes(kMaxTekstLength + 1, 'x')));
  EXPECT_EQ(store.Text(160).size(), kMaxTekstLength);
}

struct PresetRow {
  const char* name;
  int item;
  const char* text;
  bool accepted;
};

class UnitSimPresetTest : public ::testing::TestWithParam<PresetRow> {};

TEST_P(UnitSimPresetTest, AcceptsWhatTheItemCanHold) {
  ItemStore store;
  EXPECT_EQ(!store.Preset(GetParam().item, GetParam().text).has_value(), GetParam().accepted);
}

INSTANTIATE_TEST_SUITE_P(
    Presets, UnitSimPresetTest,
    ::testing::Values(PresetRow{"CharBeyondChoiceList", 19, "15", true}, PresetRow{"CharByteMax", 20, "255", true},
                      PresetRow{"CharTooBig", 20, "256", false}, PresetRow{"CharNegative", 5, "-1", false},
                      PresetRow{"CharNotANumber", 5, "abc", false}, PresetRow{"IntMax", 100, "65535", true},
                      PresetRow{"IntTooBig", 100, "65536", false}, PresetRow{"Tekst", 154, "10.0.0.1", true},
                      PresetRow{"NoSuchItem", 250, "0", false}),
    [](const auto& info) { return std::string(info.param.name); });

struct NetworkRow {
  const char* name;
  int a, b, c, d, maskIndex;
  const char* ip;
  const char* mask;
};

class UnitSimNetworkInUseTest : public ::testing::TestWithParam<NetworkRow> {};

TEST_P(UnitSimNetworkInUseTest, FollowsStaticSettings) {
  const auto& row = GetParam();
  ItemStore store;
  const int values[] = {row.a, row.b, row.c, row.d};
  for (int i = 0; i < 4; ++i) ASSERT_FALSE(store.Write(31 + i, {static_cast<uint8_t>(values[i])}));
  ASSERT_FALSE(store.Write(41, {static_cast<uint8_t>(row.maskIndex)}));
  store.RefreshNetworkInUse();
  EXPECT_EQ(store.Text(151), row.ip);
  EXPECT_EQ(store.Text(153), row.mask);
}

INSTANTIATE_TEST_SUITE_P(
    Addresses, UnitSimNetworkInUseTest,
    ::testing::Values(NetworkRow{"ClassADefaultMask", 10, 1, 2, 3, 0, "10.1.2.3", "255.0.0.0"},
                      NetworkRow{"ClassBPlaceholderMask", 172, 16, 0, 9, 2, "172.16.0.9", "255.255.0.0"},
                      NetworkRow{"Mask29Bits", 192, 168, 5, 6, 3, "192.168.5.6", "255.255.255.248"},
                      NetworkRow{"Mask8Bits", 192, 168, 5, 6, 24, "192.168.5.6", "255.0.0.0"},
                      NetworkRow{"Mask16Bits", 192, 168, 5, 6, 16, "192.168.5.6", "255.255.0.0"},
                      NetworkRow{"DhcpLease", 0, 0, 0, 0, 8, "192.168.1.117", "255.255.255.0"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tessaro::unitsim

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "cli/ItemReport.h"
#include "cli/Json.h"
#include "cli/TerminalText.h"
#include "lang/LanguageTexts.h"

namespace tessaro::cli {
namespace {

LanguageTexts Texts(int16_t language) {
  LanguageTexts texts;
  texts.FillTextTable(language);
  return texts;
}

struct DescribeRow {
  const char* name;
  int16_t item;
  ItemValue value;
  std::string legend;
  std::string shown;
  bool numeric;
  bool hasChoices;
  std::optional<std::string> choice;
};

void PrintTo(const DescribeRow& row, std::ostream* out) { *out << row.name; }

class DescribeItemRows : public ::testing::TestWithParam<DescribeRow> {};

TEST_P(DescribeItemRows, ShowsTheValueAsTheSettingsScreenWould) {
  const DescribeRow& expected = GetParam();
  const ItemRow row = DescribeItem(expected.item, expected.value, Texts(English));
  EXPECT_EQ(row.item, expected.item);
  EXPECT_EQ(row.legend, expected.legend);
  EXPECT_EQ(row.value, expected.shown);
  EXPECT_EQ(row.numeric, expected.numeric);
  EXPECT_EQ(row.hasChoices, expected.hasChoices);
  EXPECT_EQ(row.choice, expected.choice);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, DescribeItemRows,
    ::testing::Values(
        DescribeRow{"ReadValueSelectsItsEntry", 21, ItemValue("1"), "ESPA mode:", "1", true, true, "Espa 4.4.4. OUT"},
        DescribeRow{"NumberSelectsItsEntry", 10, ItemValue(3), "ESPA serial speed:", "3", true, true, "9600 baud"},
        DescribeRow{"HalfGoesToTheEvenEntry", 10, ItemValue(2.5), "ESPA serial speed:", "2.5", true, true,
                    "4800 baud"},
        DescribeRow{"BeyondTheListHasNoEntry", 10, ItemValue(7), "ESPA serial speed:", "7", true, true, std::nullopt},
        DescribeRow{"NothingObtainedHasNoEntry", 5, ItemValue(-1), "Address Length:", "-1", true, true, std::nullopt},
        DescribeRow{"SubnetBeyondTheListShowsTheFirstEntry", 41, ItemValue(30), "Subnet:", "30", true, true,
                    "Default for Class A/B/C"},
        DescribeRow{"SubnetWithinTheList", 41, ItemValue("8"), "Subnet:", "8", true, true, "255.255.255.0"},
        DescribeRow{"BoxItemHasNoChoices", 23, ItemValue("60"), "Enhanced Mode Timeout:", "60", true, false,
                    std::nullopt},
        DescribeRow{"EveryBoxOfARowHasTheRowsLegend", 33, ItemValue("1"), "IP Address [Static]:", "1", true, false,
                    std::nullopt},
        DescribeRow{"TextItemKeepsItsText", 150, ItemValue("00:1E:C0:4A:21:7F"), "MAC Address", "00:1E:C0:4A:21:7F",
                    false, false, std::nullopt},
        DescribeRow{"TextItemWithoutText", 151, ItemValue(""), "IP Address [Static]:", "", false, false,
                    std::nullopt}),
    [](const ::testing::TestParamInfo<DescribeRow>& info) { return info.param.name; });

TEST(DescribeItem, FollowsTheChosenLanguage) {
  const ItemRow row = DescribeItem(13, ItemValue(2), Texts(Dutch));
  EXPECT_EQ(row.legend, "ESPA pariteit:");
  EXPECT_EQ(row.choice, "Oneven Pariteit");
  EXPECT_EQ(DescribeItem(10, ItemValue(0), Texts(Dutch)).legend, "ESPA seri\xEBle snelheid:");
}

ItemRow Row(int16_t item, std::string legend, std::string value, bool numeric, bool hasChoices,
            std::optional<std::string> choice) {
  return {item, std::move(legend), std::move(value), numeric, hasChoices, std::move(choice)};
}

const std::vector<ItemRow> MixedRows = {
    Row(21, "ESPA mode:", "1", true, true, "Espa 4.4.4. OUT"),
    Row(20, "Time-out between ESPA Poll in:", "30", true, true, "30 secs"),
    Row(10, "ESPA seri\xEBle snelheid:", "7", true, true, std::nullopt),
    Row(23, "Enhanced Mode Timeout:", "60", true, false, std::nullopt),
    Row(150, "MAC Address", "00:1E:\"C0\"", false, false, std::nullopt),
};

std::string Blanks(std::size_t count) { return std::string(count, ' '); }

TEST(ItemTable, LinesUpColumnsByCharactersNotBytes) {
  // Legend column 30 wide, value column 2 wide where a choice follows.
  const std::string expected = " 21  ESPA mode:" + Blanks(20) + "  1   Espa 4.4.4. OUT\n" +
                               " 20  Time-out between ESPA Poll in:  30  30 secs\n" +
                               " 10  ESPA seri\xC3\xAB" "le snelheid:" + Blanks(8) + "  7   (not in the list)\n" +
                               " 23  Enhanced Mode Timeout:" + Blanks(8) + "  60\n" +
                               "150  MAC Address" + Blanks(19) + "  00:1E:\"C0\"\n";
  EXPECT_EQ(ItemTable(MixedRows), expected);
}

TEST(ItemTable, PrintsNothingForNoRows) { EXPECT_EQ(ItemTable({}), ""); }

// Rows as read: each item's byte value, items left out where missing.
std::vector<ItemRow> ByteRows(const std::vector<std::pair<int16_t, int>>& values) {
  std::vector<ItemRow> rows;
  for (const auto& [item, value] : values) rows.push_back(DescribeItem(item, ItemValue(value), Texts(English)));
  return rows;
}

struct WholeRow {
  const char* name;
  std::vector<std::pair<int16_t, int>> values;
  int16_t item;
  std::optional<std::string> whole;
};

void PrintTo(const WholeRow& row, std::ostream* out) { *out << row.name; }

class WholeValueRows : public ::testing::TestWithParam<WholeRow> {};

TEST_P(WholeValueRows, GroupsFormOneValueOnTheirLastItem) {
  EXPECT_EQ(WholeValue(ByteRows(GetParam().values), GetParam().item), GetParam().whole);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, WholeValueRows,
    ::testing::Values(
        WholeRow{"IpAddress", {{31, 192}, {32, 168}, {33, 1}, {34, 50}}, 34, "192.168.1.50"},
        WholeRow{"Gateway", {{37, 10}, {38, 0}, {39, 0}, {40, 254}}, 40, "10.0.0.254"},
        WholeRow{"PortLowByteFirst", {{35, 208}, {36, 7}}, 36, "2000"},
        WholeRow{"NotOnTheFirstItems", {{31, 192}, {32, 168}, {33, 1}, {34, 50}}, 33, std::nullopt},
        WholeRow{"AMemberNotRead", {{31, 192}, {32, 168}, {34, 50}}, 34, std::nullopt},
        WholeRow{"NotAByte", {{35, 300}, {36, 7}}, 36, std::nullopt},
        WholeRow{"NotObtained", {{35, -1}, {36, 7}}, 36, std::nullopt},
        WholeRow{"NoGroup", {{21, 1}, {23, 60}}, 23, std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

// The window's tooltip on the port boxes: box 36 x 256 + box 35.
TEST(WholeValue, PortFollowsTheWindowsRule) {
  for (const auto& [low, high] : std::vector<std::pair<int, int>>{{208, 7}, {80, 0}, {0, 80}, {255, 255}, {0, 0}, {1, 2}}) {
    EXPECT_EQ(WholeValue(ByteRows({{36, high}, {35, low}}), 36), std::to_string(high * 256 + low))
        << "35=" << low << " 36=" << high;
  }
}

TEST(ItemTable, ShowsTheWholeValueBesideTheGroupsLastItem) {
  const auto rows = ByteRows({{34, 50}, {31, 192}, {33, 1}, {32, 168}, {35, 208}, {36, 7}});
  const std::string table = ItemTable(rows);
  EXPECT_NE(table.find(" 34  IP Address [Static]:  50  192.168.1.50\n"), std::string::npos) << table;
  EXPECT_NE(table.find(" 36  PortNumber [H:L]      7   2000\n"), std::string::npos) << table;
  EXPECT_NE(table.find(" 33  IP Address [Static]:  1\n"), std::string::npos) << table;
  const std::string json = ItemJson("read", true, rows);
  EXPECT_NE(json.find("\"item\":34,\"legend\":\"IP Address [Static]:\",\"value\":50,\"whole\":\"192.168.1.50\"}"),
            std::string::npos)
      << json;
  EXPECT_NE(json.find("\"value\":7,\"whole\":2000}"), std::string::npos) << json;
}

TEST(ItemJson, GivesNumbersTextsAndChoicesInUtf8) {
  EXPECT_EQ(ItemJson("read", false, {MixedRows[0], MixedRows[2], MixedRows[4]}),
            "{\"command\":\"read\",\"ok\":false,\"items\":["
            "{\"item\":21,\"legend\":\"ESPA mode:\",\"value\":1,\"choice\":\"Espa 4.4.4. OUT\"},"
            "{\"item\":10,\"legend\":\"ESPA seri\xC3\xABle snelheid:\",\"value\":7,\"choice\":null},"
            "{\"item\":150,\"legend\":\"MAC Address\",\"value\":\"00:1E:\\\"C0\\\"\"}]}\n");
  EXPECT_EQ(ItemJson("show", true, {}), "{\"command\":\"show\",\"ok\":true,\"items\":[]}\n");
  EXPECT_EQ(ResultJson("reset", false), "{\"command\":\"reset\",\"ok\":false}\n");
}

struct JsonRow {
  const char* name;
  std::string text;
  std::string literal;
};

void PrintTo(const JsonRow& row, std::ostream* out) { *out << row.name; }

class JsonStringRows : public ::testing::TestWithParam<JsonRow> {};

TEST_P(JsonStringRows, EscapesWhatJsonForbids) { EXPECT_EQ(JsonString(GetParam().text), GetParam().literal); }

INSTANTIATE_TEST_SUITE_P(Rows, JsonStringRows,
                         ::testing::Values(JsonRow{"Plain", "abc", "\"abc\""},
                                           JsonRow{"QuoteAndBackslash", "a\"b\\c", "\"a\\\"b\\\\c\""},
                                           JsonRow{"LineBreaksAndTab", "a\r\n\tb", "\"a\\r\\n\\tb\""},
                                           JsonRow{"OtherControlCharacters", std::string("a\0b\x1f\x7f", 5),
                                                   "\"a\\u0000b\\u001f\\u007f\""},
                                           JsonRow{"C1ControlCodes", "a\xC2\x9B" "b\xC2\x80\xC2\xA0",
                                                   "\"a\\u009bb\\u0080\xC2\xA0\""},
                                           JsonRow{"Utf8PassesThrough", "\xC3\xA9\xE2\x82\xAC", "\"\xC3\xA9\xE2\x82\xAC\""},
                                           JsonRow{"Empty", "", "\"\""}),
                         [](const ::testing::TestParamInfo<JsonRow>& info) { return info.param.name; });

TEST(UnitLines, KeepTheTimeAndConvertTheText) {
  EXPECT_EQ(UnitLineText("14:03:07 caf\xE9 [NULL]"), "14:03:07 caf\xC3\xA9 [NULL]\n");
  EXPECT_EQ(UnitLineJson("14:03:07 caf\xE9 \"x\""),
            "{\"time\":\"14:03:07\",\"text\":\"caf\xC3\xA9 \\\"x\\\"\"}\n");
  EXPECT_EQ(UnitLineJson("14:03:07 "), "{\"time\":\"14:03:07\",\"text\":\"\"}\n");
}

struct TerminalRow {
  const char* name;
  std::string cp1252;
  std::string shown;
};

void PrintTo(const TerminalRow& row, std::ostream* out) { *out << row.name; }

class TerminalTextRows : public ::testing::TestWithParam<TerminalRow> {};

TEST_P(TerminalTextRows, NothingFromTheUnitSteersTheTerminal) {
  EXPECT_EQ(TerminalText(GetParam().cp1252), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, TerminalTextRows,
    ::testing::Values(TerminalRow{"PlainText", "192.168.1.1", "192.168.1.1"},
                      TerminalRow{"EscapeSequence", "\x1b[2Jx", "[ESC][2Jx"},
                      TerminalRow{"NulAndDelete", std::string("a\0b\x7f", 4), "a[NULL]b[RUBOUT]"},
                      TerminalRow{"LineBreaksInsideAValue", "a\r\nb", "a[CR][LF]b"},
                      TerminalRow{"CodesWithoutACharacter", "\x90x\x9D", "?x?"},
                      TerminalRow{"LettersOfTheFourLanguages", "caf\xE9 \x80 \xDF", "caf\xC3\xA9 \xE2\x82\xAC \xC3\x9F"}),
    [](const ::testing::TestParamInfo<TerminalRow>& info) { return info.param.name; });

TEST(ItemTable, ShowsAUnitsControlCharactersByName) {
  EXPECT_EQ(ItemTable({Row(154, "NameServer:", "1.2\x1b]0;x\x07", false, false, std::nullopt)}),
            "154  NameServer:  1.2[ESC]]0;x[BEL]\n");
}

TEST(FailureLine, PlainOrAnObjectWithTheItem) {
  EXPECT_EQ(FailureLine(false, "interrupted"), "tessaro-cli: interrupted");
  EXPECT_EQ(FailureLine(false, "item 21 was not read", 21), "tessaro-cli: item 21 was not read");
  EXPECT_EQ(FailureLine(true, "item 21 was not read", 21), "{\"error\":\"item 21 was not read\",\"item\":21}");
  EXPECT_EQ(FailureLine(true, "cannot \"x\"\n"), "{\"error\":\"cannot \\\"x\\\"\\n\",\"item\":null}");
}

TEST(ProgressText, CountsItemsDoneOfItemsRequested) {
  EXPECT_EQ(ProgressText("read-all", 3, 32), "read-all: 3 of 32 items");
}

}  // namespace
}  // namespace tessaro::cli

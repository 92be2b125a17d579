#include <gtest/gtest.h>

#include <map>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "core/Cp1252.h"
#include "lang/LanguageTexts.h"
#include "presentation/SettingsLayout.h"

namespace tessaro {
namespace {

LanguageTexts TableFor(int16_t language) {
  LanguageTexts taal;
  taal.FillTextTable(language);
  return taal;
}

using Strings = std::vector<std::string>;

struct ListCase {
  const char* name;
  int item;
  std::size_t size;
  std::map<int, std::string> entries;  // index -> English text
};

void PrintTo(const ListCase& c, std::ostream* os) { *os << c.name; }

class ChoiceLists : public ::testing::TestWithParam<ListCase> {};

TEST_P(ChoiceLists, HaveTheirSizeAndEntriesInEnglish) {
  const ListCase& c = GetParam();
  const LanguageTexts english = TableFor(English);
  const Strings list = ChoiceList(c.item, english);
  ASSERT_EQ(list.size(), c.size);
  for (const auto& [index, text] : c.entries) {
    EXPECT_EQ(list[static_cast<std::size_t>(index)], text) << "entry " << index;
    EXPECT_EQ(ChoiceText(c.item, index, english), text) << "entry " << index;
  }
  EXPECT_EQ(ChoiceText(c.item, -1, english), "");
  EXPECT_EQ(ChoiceText(c.item, static_cast<int>(c.size), english), "");
}

INSTANTIATE_TEST_SUITE_P(
    EveryCombo, ChoiceLists,
    ::testing::Values(
        ListCase{"DiagnosticLevel", 0, 5,
                 {{0, "None"}, {1, "Diagnostic"}, {2, "Debug"}, {3, "Protocol Debug"}, {4, "Protocol Debug IP info"}}},
        ListCase{"AddressLength", 5, 11, {{0, "Not limited"}, {1, "Address Length: 1"}, {10, "Address Length: 10"}}},
        ListCase{"MessageLength", 7, 26, {{0, "Not limited"}, {9, "Message Length: 9"}, {25, "Message Length: 25"}}},
        ListCase{"SerialSpeed", 10, 5, {{0, "1200 baud"}, {3, "9600 baud"}, {4, "19200 baud"}}},
        ListCase{"DataBits", 11, 2, {{0, "7 bits"}, {1, "8 bits"}}},
        ListCase{"StopBits", 12, 2, {{0, "1 stopbit"}, {1, "2 stopbits"}}},
        ListCase{"Parity", 13, 3, {{0, "No Parity"}, {1, "Even Parity"}, {2, "Odd Parity"}}},
        // Slot 65 is empty in every language, hence the trailing blanks.
        ListCase{"Handshake", 14, 3, {{0, "None "}, {1, "None [RTS active]"}, {2, "CTS/RTS "}}},
        ListCase{"BrandSimulation", 15, 5, {{0, "Ascom/Nira"}, {1, "Bosch LBB5800"}, {4, "CommTechWireLess"}}},
        ListCase{"RequestStatus", 17, 3,
                 {{0, "Request for status"},
                  {1, "No request for status. Mark as PAGED"},
                  {2, "No request for status. Mark as PAGED and DELETE"}}},
        ListCase{"FixedInfo", 18, 17,
                 {{0, "No Fixed Info"}, {1, "Fixed Info: 0"}, {10, "Fixed Info: 9"}, {11, "Fixed Info: A"},
                  {16, "Fixed Info: F"}}},
        ListCase{"InfoBeforeAlpha", 19, 4,
                 {{0, "Fixed num info and variable textinfo"}, {1, "Variable textinfo only"},
                  {2, "Variable num info and textinfo"}, {3, "Num info only"}}},
        ListCase{"PollTimeout", 20, 71, {{0, "Not used"}, {1, "1 secs"}, {70, "70 secs"}}},
        ListCase{"EspaMode", 21, 4,
                 {{0, "None"}, {1, "Espa 4.4.4. OUT"}, {2, "Espa 4.4.4. IN"}, {3, "Espa 4.4.4. IN silent"}}},
        ListCase{"ConverterMode", 22, 2, {{0, "Normal"}, {1, "Enhanced Mode"}}},
        ListCase{"SubnetMask", 41, 25,
                 {{0, "Default for Class A/B/C"}, {1, "tbd 1"}, {2, "tbd 2"}, {3, "255.255.255.248"},
                  {8, "255.255.255.0"}, {16, "255.255.0.0"}, {24, "255.0.0.0"}}}),
    [](const ::testing::TestParamInfo<ListCase>& info) { return std::string(info.param.name); });

TEST(ChoiceListsSubnet, MasksShrinkOneBitPerEntry) {
  const Strings list = ChoiceList(41, TableFor(English));
  ASSERT_EQ(list.size(), 25u);
  for (int bits = 29; bits >= 8; --bits) {
    const unsigned mask = 0xFFFFFFFFu << (32 - bits);
    const std::string expected = std::to_string(mask >> 24) + "." + std::to_string((mask >> 16) & 255) + "." +
                                 std::to_string((mask >> 8) & 255) + "." + std::to_string(mask & 255);
    EXPECT_EQ(list[static_cast<std::size_t>(3 + 29 - bits)], expected) << bits << " bits";
  }
}

TEST(ChoiceListsOtherItems, AreEmpty) {
  const LanguageTexts english = TableFor(English);
  for (int item : {1, 2, 3, 4, 6, 8, 9, 16, 23, 24, 31, 40, 42, 100, 150, 250, -1}) {
    EXPECT_TRUE(ChoiceList(item, english).empty()) << item;
    EXPECT_FALSE(IsSettingCombo(item)) << item;
  }
}

TEST(ChoiceListsDutch, FollowTheLanguage) {
  const LanguageTexts dutch = TableFor(Dutch);
  EXPECT_EQ(ChoiceList(13, dutch), (Strings{"Geen Pariteit", "Even Pariteit", "Oneven Pariteit"}));
  const Strings fixedInfo = ChoiceList(18, dutch);
  ASSERT_EQ(fixedInfo.size(), 17u);
  EXPECT_EQ(fixedInfo[0], "Geen Vaste info");
  EXPECT_EQ(fixedInfo[1], "Vaste info: 0");
  EXPECT_EQ(fixedInfo[16], "Vaste info: F");
  EXPECT_EQ(ChoiceList(14, dutch), (Strings{"Geen ", "Geen [RTS actief]", "CTS/RTS "}));
  EXPECT_EQ(ChoiceText(5, 3, dutch), "Adres Lengte: 3");
  EXPECT_EQ(ChoiceText(41, 0, dutch), "Standaard voor Klasse A/B/C");
  // Fixed texts stay the same in every language.
  EXPECT_EQ(ChoiceList(10, dutch), ChoiceList(10, TableFor(English)));
}

TEST(BleepCodes, SixteenHexadecimalEntries) {
  const Strings english = BleepCodeChoices(TableFor(English));
  ASSERT_EQ(english.size(), 16u);
  EXPECT_EQ(english[0], "Bleepcode: 0");
  EXPECT_EQ(english[1], "Bleepcode: 1");
  EXPECT_EQ(english[15], "Bleepcode: F");
  EXPECT_EQ(BleepCodeChoices(TableFor(German))[10], "Signalton-Code: A");
}

TEST(SettingCombos, InSetUpOrder) {
  const auto combos = SettingCombos();
  EXPECT_EQ(std::vector<int16_t>(combos.begin(), combos.end()),
            (std::vector<int16_t>{0, 5, 7, 10, 11, 12, 13, 14, 15, 17, 18, 19, 20, 21, 22, 41}));
}

TEST(SettingsRows, EachShownItemHasExactlyOneRowInScreenOrder) {
  std::vector<std::vector<int>> tabs(SettingsTabCount);
  std::multiset<int> seen;
  for (const SettingsRow& row : SettingsRows()) {
    for (int16_t item : row.Items()) {
      tabs[static_cast<std::size_t>(row.tab)].push_back(item);
      seen.insert(item);
      EXPECT_EQ(RowOfItem(item), &row) << item;
    }
    EXPECT_EQ(row.control == RowControl::Combo, IsSettingCombo(row.items[0])) << row.items[0];
  }
  EXPECT_EQ(tabs[0], (std::vector<int>{0, 22, 23}));
  EXPECT_EQ(tabs[1], (std::vector<int>{31, 32, 33, 34, 36, 35, 37, 38, 39, 40, 41, 150, 151, 152, 153, 154}));
  EXPECT_EQ(tabs[2], (std::vector<int>{21, 20, 10, 11, 12, 13, 14, 17, 5, 7, 15, 19, 18}));
  for (int item : seen) EXPECT_EQ(seen.count(item), 1u) << item;
  EXPECT_EQ(RowOfItem(16), nullptr);
  EXPECT_EQ(RowOfItem(250), nullptr);
}

TEST(SettingsRows, TabCaptionsFollowTheLanguage) {
  const LanguageTexts english = TableFor(English);
  EXPECT_EQ(SettingsTabCaption(SettingsTab::General, english), "General settings");
  EXPECT_EQ(SettingsTabCaption(SettingsTab::TcpIp, english), "TCP/IP settings");
  EXPECT_EQ(SettingsTabCaption(SettingsTab::Espa, english), "ESPA 4.4.4. settings");
  EXPECT_EQ(SettingsTabCaption(SettingsTab::General, TableFor(Dutch)), "Algemene instellingen");
}

struct LegendCase {
  int item;
  const char* english;
  const char* dutch;  // UTF-8 here; the table holds Windows-1252
};

void PrintTo(const LegendCase& c, std::ostream* os) { *os << "item " << c.item; }

class Legends : public ::testing::TestWithParam<LegendCase> {};

TEST_P(Legends, ComposedInEnglishAndDutch) {
  const LegendCase& c = GetParam();
  EXPECT_EQ(LegendText(c.item, TableFor(English)), c.english);
  EXPECT_EQ(LegendText(c.item, TableFor(Dutch)), Utf8ToCp1252(c.dutch));
}

INSTANTIATE_TEST_SUITE_P(
    EveryRow, Legends,
    ::testing::Values(
        LegendCase{0, "Diagnostic Serial Info:", "Diagnose via Serial:"},
        LegendCase{22, "Converter mode:", "Converter mode:"},
        LegendCase{23, "Enhanced Mode Timeout:", "Enhanced Mode Timeout:"},
        LegendCase{31, "IP Address [Static]: ", "IP Adres [Vast]: "},
        LegendCase{34, "IP Address [Static]: ", "IP Adres [Vast]: "},
        LegendCase{35, "PortNumber [H:L] ", "Poortnummer [H:L] "},
        LegendCase{36, "PortNumber [H:L] ", "Poortnummer [H:L] "},
        LegendCase{37, "Gateway Address: ", "Gateway Adres: "},
        LegendCase{41, "Subnet: ", "Subnet: "},
        LegendCase{150, "MAC Address", "MAC Adres"},
        LegendCase{151, "IP Address [Static]: ", "IP Adres [Vast]: "},
        LegendCase{152, "Gateway Address: ", "Gateway Adres: "},
        LegendCase{153, "Subnet", "Subnet"},
        LegendCase{154, "NameServer:", "NameServer:"},
        LegendCase{21, "ESPA mode:", "ESPA mode:"},
        LegendCase{20, "Time-out between ESPA Poll in:", "Time-out tussen ESPA Poll's in:"},
        LegendCase{10, "ESPA serial speed:", "ESPA seriële snelheid:"},
        LegendCase{11, "ESPA nr of bits:", "ESPA aantal bits:"},
        LegendCase{12, "ESPA nr of stopbits:", "ESPA aantal stopbits:"},
        LegendCase{13, "ESPA parity:", "ESPA pariteit:"},
        LegendCase{14, "ESPA handshake:", "ESPA handshake:"},
        LegendCase{17, "ESPA request status:", "ESPA status opvragen:"},
        LegendCase{5, "Address Length: ", "Adres Lengte: "},
        LegendCase{7, "Message Length: ", "Bericht Lengte: "},
        LegendCase{15, "ESPA brand simulation: ", "ESPA merk simulatie: "},
        LegendCase{19, "ESPA simulation Bosch Info before Alpha: ", "ESPA simulatie Bosch Info voor Alfa: "},
        LegendCase{18, "ESPA simulation Bosch fixed info: ", "ESPA simulatie Bosch vaste info: "},
        LegendCase{16, "", ""},
        LegendCase{100, "", ""},
        LegendCase{155, "", ""}),
    [](const ::testing::TestParamInfo<LegendCase>& info) { return "Item" + std::to_string(info.param.item); });

TEST(LegendsCoverage, EveryRowItemHasALegend) {
  const LanguageTexts english = TableFor(English);
  for (const SettingsRow& row : SettingsRows()) {
    for (int16_t item : row.Items()) EXPECT_FALSE(LegendText(item, english).empty()) << item;
  }
}

}  // namespace
}  // namespace tessaro

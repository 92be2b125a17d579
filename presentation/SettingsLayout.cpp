#include "presentation/SettingsLayout.h"

#include <algorithm>

#include "messages/TextFormat.h"

namespace tessaro {
namespace {

constexpr SettingsRow Combo(SettingsTab tab, int16_t item) {
  return {tab, RowControl::Combo, {item, 0, 0, 0}, 1, {item, 0}, 1};
}

constexpr SettingsRow Boxes(SettingsTab tab, std::array<int16_t, 4> items, int count,
                            std::array<int16_t, 2> legends, int legendCount) {
  return {tab, RowControl::CharBoxes, items, count, legends, legendCount};
}

constexpr SettingsRow Tekst(int16_t item) {
  return {SettingsTab::TcpIp, RowControl::TekstBox, {item, 0, 0, 0}, 1, {item, 0}, 1};
}

constexpr SettingsTab kGeneral = SettingsTab::General;
constexpr SettingsTab kTcpIp = SettingsTab::TcpIp;
constexpr SettingsTab kEspa = SettingsTab::Espa;

constexpr std::array<SettingsRow, 25> kRows = {{
    Combo(kGeneral, 0),
    Combo(kGeneral, 22),
    Boxes(kGeneral, {23, 0, 0, 0}, 1, {23, 0}, 1),
    Boxes(kTcpIp, {31, 32, 33, 34}, 4, {31, 0}, 1),
    // High byte on the left; both legend boxes carry the port legend.
    Boxes(kTcpIp, {36, 35, 0, 0}, 2, {35, 36}, 2),
    Boxes(kTcpIp, {37, 38, 39, 40}, 4, {37, 0}, 1),
    Combo(kTcpIp, 41),
    Tekst(150),
    Tekst(151),
    Tekst(152),
    Tekst(153),
    Tekst(154),
    Combo(kEspa, 21),
    Combo(kEspa, 20),
    Combo(kEspa, 10),
    Combo(kEspa, 11),
    Combo(kEspa, 12),
    Combo(kEspa, 13),
    Combo(kEspa, 14),
    Combo(kEspa, 17),
    Combo(kEspa, 5),
    Combo(kEspa, 7),
    Combo(kEspa, 15),
    Combo(kEspa, 19),
    Combo(kEspa, 18),
}};

constexpr std::array<int16_t, 16> kSettingCombos = {0, 5, 7, 10, 11, 12, 13, 14, 15, 17, 18, 19, 20, 21, 22, 41};

constexpr std::array<const char*, 22> kSubnetMasks = {
    "255.255.255.248", "255.255.255.240", "255.255.255.224", "255.255.255.192", "255.255.255.128",
    "255.255.255.0",   "255.255.254.0",   "255.255.252.0",   "255.255.248.0",   "255.255.240.0",
    "255.255.224.0",   "255.255.192.0",   "255.255.128.0",   "255.255.0.0",     "255.254.0.0",
    "255.252.0.0",     "255.248.0.0",     "255.240.0.0",     "255.224.0.0",     "255.192.0.0",
    "255.128.0.0",     "255.0.0.0"};

std::string IpAddressLegend(const LanguageTexts& t) { return "IP " + t.Text(42) + " [" + t.Text(44) + "]: "; }
std::string GatewayLegend(const LanguageTexts& t) { return "Gateway " + t.Text(42) + ": "; }

// "prefix + n" for n in first..last, decimal or one hexadecimal digit.
void AppendNumbered(std::vector<std::string>& list, const std::string& prefix, int first, int last,
                    bool hexadecimal, const std::string& suffix = "") {
  for (int n = first; n <= last; ++n) {
    list.push_back(prefix + (hexadecimal ? HexText(static_cast<int16_t>(n)) : IntText(n)) + suffix);
  }
}

}  // namespace

std::span<const SettingsRow> SettingsRows() { return kRows; }

const SettingsRow* RowOfItem(int item) {
  for (const SettingsRow& row : SettingsRows()) {
    for (int16_t member : row.Items()) {
      if (member == item) return &row;
    }
  }
  return nullptr;
}

std::string SettingsTabCaption(SettingsTab tab, const LanguageTexts& taal) {
  switch (tab) {
    case SettingsTab::General: return taal.Text(39);
    case SettingsTab::TcpIp: return taal.Text(40);
    case SettingsTab::Espa: return taal.Text(41);
  }
  return {};
}

std::string LegendText(int item, const LanguageTexts& t) {
  switch (item) {
    case 0: return t.Text(26) + ":";
    case 22: return t.Text(27) + ":";
    case 23: return t.Text(32) + ":";
    case 31: case 32: case 33: case 34: case 151: return IpAddressLegend(t);
    case 35: case 36: return t.Text(76) + " [H:L] ";
    case 37: case 38: case 39: case 40: case 152: return GatewayLegend(t);
    case 41: return "Subnet: ";
    case 150: return "MAC " + t.Text(42);
    case 153: return "Subnet";
    case 154: return "NameServer:";
    case 21: return t.Text(46) + ":";
    case 20: return t.Text(47) + ":";
    case 10: return t.Text(48) + ":";
    case 11: return t.Text(49) + ":";
    case 12: return t.Text(50) + ":";
    case 13: return t.Text(51) + ":";
    case 14: return t.Text(59) + ":";
    case 17: return t.Text(53) + ":";
    case 5: return t.Text(42) + " " + t.Text(54) + ": ";
    case 7: return t.Text(55) + " " + t.Text(54) + ": ";
    case 15: return t.Text(56) + ": ";
    case 19: return t.Text(57) + ": ";
    case 18: return t.Text(58) + ": ";
    default: return {};
  }
}

std::span<const int16_t> SettingCombos() { return kSettingCombos; }

bool IsSettingCombo(int item) {
  return std::find(kSettingCombos.begin(), kSettingCombos.end(), item) != kSettingCombos.end();
}

std::vector<std::string> ChoiceList(int item, const LanguageTexts& t) {
  std::vector<std::string> list;
  switch (item) {
    case 0:
      list = {t.Text(31), t.Text(33), t.Text(34), t.Text(35) + " " + t.Text(34),
              t.Text(35) + " " + t.Text(34) + " " + t.Text(36)};
      break;
    case 5:
      list = {t.Text(60)};
      AppendNumbered(list, t.Text(42) + " " + t.Text(54) + ": ", 1, 10, false);
      break;
    case 7:
      list = {t.Text(60)};
      AppendNumbered(list, t.Text(55) + " " + t.Text(54) + ": ", 1, 25, false);
      break;
    case 10: list = {"1200 baud", "2400 baud", "4800 baud", "9600 baud", "19200 baud"}; break;
    case 11: list = {"7 bits", "8 bits"}; break;
    case 12: list = {"1 stopbit", "2 stopbits"}; break;
    case 13:
      list = {t.Text(61) + " " + t.Text(64), t.Text(62) + " " + t.Text(64), t.Text(63) + " " + t.Text(64)};
      break;
    case 14:
      list = {t.Text(70) + " " + t.Text(65), t.Text(70) + " " + t.Text(65) + "[" + t.Text(66) + "]",
              "CTS/RTS " + t.Text(65)};
      break;
    case 15: list = {"Ascom/Nira", "Bosch LBB5800", "Bosch AlfaDesk", "Autronica", "CommTechWireLess"}; break;
    case 17: list = {t.Text(67), t.Text(68), t.Text(134)}; break;
    case 18:
      list = {t.Text(61) + " " + t.Text(69)};
      AppendNumbered(list, t.Text(69) + ": ", 0, 15, true);
      break;
    case 19: list = {t.Text(77), t.Text(78), t.Text(79), t.Text(80)}; break;
    case 20:
      list = {t.Text(71)};
      AppendNumbered(list, "", 1, 70, false, " secs");
      break;
    case 21: list = {t.Text(70), t.Text(72), t.Text(73), t.Text(74)}; break;
    case 22: list = {t.Text(29), t.Text(30) + " " + t.Text(28)}; break;
    case 41:
      list = {t.Text(75), "tbd 1", "tbd 2"};
      list.insert(list.end(), kSubnetMasks.begin(), kSubnetMasks.end());
      break;
    default: break;
  }
  return list;
}

std::string ChoiceText(int item, int index, const LanguageTexts& taal) {
  const std::vector<std::string> list = ChoiceList(item, taal);
  if (index < 0 || static_cast<std::size_t>(index) >= list.size()) return {};
  return list[static_cast<std::size_t>(index)];
}

std::vector<std::string> BleepCodeChoices(const LanguageTexts& taal) {
  std::vector<std::string> list;
  AppendNumbered(list, taal.Text(97) + ": ", 0, 15, true);
  return list;
}

}  // namespace tessaro

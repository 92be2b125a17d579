#include "presentation/SettingsLayout.h"

#include <algorithm>

#include "core/ItemValue.h"
#include "messages/TextFormat.h"

namespace tessaro {
namespace {

RowControl ControlOfRow(ItemControl control) {
  switch (control) {
    case ItemControl::Combo: return RowControl::Combo;
    case ItemControl::CharBox: return RowControl::CharBoxes;
    case ItemControl::TekstBox: return RowControl::TekstBox;
  }
  return RowControl::CharBoxes;
}

// Consecutive table entries of one tab and row make one screen row.
std::vector<SettingsRow> RowsOfTheTable() {
  std::vector<SettingsRow> rows;
  const ItemInfo* previous = nullptr;
  for (const ItemInfo& info : ItemTable()) {
    if (previous == nullptr || previous->tab != info.tab || previous->row != info.row) {
      rows.push_back({info.tab, ControlOfRow(info.control), {}, 0, {}, 0});
    }
    SettingsRow& row = rows.back();
    row.items[static_cast<std::size_t>(row.itemCount++)] = info.item;
    if (info.carriesLegend) row.legendItems[static_cast<std::size_t>(row.legendCount++)] = info.item;
    previous = &info;
  }
  // The lowest legend box is the row's own label (the port's low byte, whose
  // tooltip shows the whole port number).
  for (SettingsRow& row : rows) std::sort(row.legendItems.begin(), row.legendItems.begin() + row.legendCount);
  return rows;
}

std::vector<int16_t> CombosInItemOrder() {
  std::vector<int16_t> combos;
  for (int item = 0; item < ItemCount; ++item) {
    const ItemInfo* info = FindItem(item);
    if (info != nullptr && info->control == ItemControl::Combo) combos.push_back(static_cast<int16_t>(item));
  }
  return combos;
}

const std::vector<SettingsRow> kRows = RowsOfTheTable();
const std::vector<int16_t> kSettingCombos = CombosInItemOrder();

constexpr std::array<const char*, 22> kSubnetMasks = {
    "255.255.255.248", "255.255.255.240", "255.255.255.224", "255.255.255.192", "255.255.255.128",
    "255.255.255.0",   "255.255.254.0",   "255.255.252.0",   "255.255.248.0",   "255.255.240.0",
    "255.255.224.0",   "255.255.192.0",   "255.255.128.0",   "255.255.0.0",     "255.254.0.0",
    "255.252.0.0",     "255.248.0.0",     "255.240.0.0",     "255.224.0.0",     "255.192.0.0",
    "255.128.0.0",     "255.0.0.0"};

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
    case SettingsTab::General: return taal.Text(slot::GeneralSettings);
    case SettingsTab::TcpIp: return taal.Text(slot::TcpIpSettings);
    case SettingsTab::Espa: return taal.Text(slot::EspaSettings);
  }
  return {};
}

std::string LegendText(int item, const LanguageTexts& t) {
  const ItemInfo* info = FindItem(item);
  if (info == nullptr) return {};
  const LegendRecipe& legend = info->legend;
  std::string text(legend.before);
  if (legend.first != NoSlot) text += t.Text(legend.first);
  text += legend.between;
  if (legend.second != NoSlot) text += t.Text(legend.second);
  text += legend.after;
  return text;
}

std::span<const int16_t> SettingCombos() { return kSettingCombos; }

bool IsSettingCombo(int item) {
  const ItemInfo* info = FindItem(item);
  return info != nullptr && info->control == ItemControl::Combo;
}

std::vector<std::string> ChoiceList(int item, const LanguageTexts& t) {
  std::vector<std::string> list;
  const ItemInfo* info = FindItem(item);
  switch (info != nullptr ? info->choices : Choices::None) {
    case Choices::None: break;
    case Choices::DiagnosticInfo:
      list = {t.Text(slot::NoDiagnostics), t.Text(slot::Diagnostic), t.Text(slot::Debug), t.Text(slot::Protocol) + " " + t.Text(slot::Debug),
              t.Text(slot::Protocol) + " " + t.Text(slot::Debug) + " " + t.Text(slot::IpInfo)};
      break;
    case Choices::AddressLength:
      list = {t.Text(slot::NotLimited)};
      AppendNumbered(list, t.Text(slot::Address) + " " + t.Text(slot::Length) + ": ", 1, 10, false);
      break;
    case Choices::MessageLength:
      list = {t.Text(slot::NotLimited)};
      AppendNumbered(list, t.Text(slot::Message) + " " + t.Text(slot::Length) + ": ", 1, 25, false);
      break;
    case Choices::EspaSpeed: list = {"1200 baud", "2400 baud", "4800 baud", "9600 baud", "19200 baud"}; break;
    case Choices::EspaBits: list = {"7 bits", "8 bits"}; break;
    case Choices::EspaStopBits: list = {"1 stopbit", "2 stopbits"}; break;
    case Choices::EspaParity:
      list = {t.Text(slot::No) + " " + t.Text(slot::Parity), t.Text(slot::Even) + " " + t.Text(slot::Parity), t.Text(slot::Odd) + " " + t.Text(slot::Parity)};
      break;
    case Choices::EspaHandshake:
      list = {t.Text(slot::NoneSetting) + " " + t.Text(slot::EmptyHandshake), t.Text(slot::NoneSetting) + " " + t.Text(slot::EmptyHandshake) + "[" + t.Text(slot::RtsActive) + "]",
              "CTS/RTS " + t.Text(slot::EmptyHandshake)};
      break;
    case Choices::BrandSimulation: list = {"Ascom/Nira", "Bosch LBB5800", "Bosch AlfaDesk", "Autronica", "CommTechWireLess"}; break;
    case Choices::RequestStatus: list = {t.Text(slot::RequestForStatus), t.Text(slot::NoRequestMarkPaged), t.Text(slot::NoRequestMarkPagedAndDelete)}; break;
    case Choices::FixedInfo:
      list = {t.Text(slot::No) + " " + t.Text(slot::FixedInfo)};
      AppendNumbered(list, t.Text(slot::FixedInfo) + ": ", 0, 15, true);
      break;
    case Choices::InfoBeforeAlpha: list = {t.Text(slot::FixedNumAndVariableText), t.Text(slot::VariableTextOnly), t.Text(slot::VariableNumAndText), t.Text(slot::NumInfoOnly)}; break;
    case Choices::PollTimeout:
      list = {t.Text(slot::NotUsed)};
      AppendNumbered(list, "", 1, 70, false, " secs");
      break;
    case Choices::EspaMode: list = {t.Text(slot::NoneSetting), t.Text(slot::EspaOut), t.Text(slot::EspaIn), t.Text(slot::EspaInSilent)}; break;
    case Choices::ConverterMode: list = {t.Text(slot::Normal), t.Text(slot::Enhanced) + " " + t.Text(slot::Mode)}; break;
    case Choices::SubnetMask:
      list = {t.Text(slot::DefaultForClass), "tbd 1", "tbd 2"};
      list.insert(list.end(), kSubnetMasks.begin(), kSubnetMasks.end());
      break;
  }
  return list;
}

std::string ChoiceText(int item, int index, const LanguageTexts& taal) {
  const std::vector<std::string> list = ChoiceList(item, taal);
  if (index < 0 || static_cast<std::size_t>(index) >= list.size()) return {};
  return list[static_cast<std::size_t>(index)];
}

std::optional<std::string> ChoiceForValue(int item, double number, const LanguageTexts& taal) {
  const std::vector<std::string> list = ChoiceList(item, taal);
  const ItemInfo* info = FindItem(item);
  if (info != nullptr && info->beyondList == BeyondList::FirstEntry && !(number < static_cast<double>(list.size()))) {
    number = 0;
  }
  const std::optional<int16_t> index = NearestInt16(number);
  if (!index || *index < 0 || static_cast<std::size_t>(*index) >= list.size()) return std::nullopt;
  return list[static_cast<std::size_t>(*index)];
}

std::vector<std::string> BleepCodeChoices(const LanguageTexts& taal) {
  std::vector<std::string> list;
  AppendNumbered(list, taal.Text(slot::Bleepcode) + ": ", 0, 15, true);
  return list;
}

}  // namespace tessaro

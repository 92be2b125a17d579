#include "core/ItemTable.h"

#include <algorithm>

namespace tessaro {
namespace {

constexpr ItemInfo Combo(int16_t item, Choices choices, SettingsTab tab, int row, LegendRecipe legend,
                       int replyLimit) {
  return {item, ItemKind::Char, true, true, ItemControl::Combo, choices, 0, 0, tab, row, true, legend,
        replyLimit, CharCoding::Number, BeyondList::Refused, NoSlot};
}

constexpr ItemInfo Box(int16_t item, int highest, SettingsTab tab, int row, bool carriesLegend, LegendRecipe legend) {
  return {item, ItemKind::Char, true, true, ItemControl::CharBox, Choices::None, 3, highest, tab, row,
        carriesLegend, legend, highest, CharCoding::Number, BeyondList::Refused, NoSlot};
}

constexpr ItemInfo Diagnostic(int16_t item, int row, LegendRecipe legend) {
  return {item, ItemKind::Tekst, true, false, ItemControl::TekstBox, Choices::None, 20, 0, SettingsTab::TcpIp,
        row, true, legend, -1, CharCoding::Number, BeyondList::Refused, NoSlot};
}

constexpr ItemInfo WithToolTip(ItemInfo info, TextSlot slot) {
  info.toolTipSlot = slot;
  return info;
}

constexpr ItemInfo BeyondListFirst(ItemInfo info) {
  info.beyondList = BeyondList::FirstEntry;
  return info;
}

constexpr ItemInfo HexDigitCoded(ItemInfo info) {
  info.coding = CharCoding::HexDigit;
  return info;
}

constexpr LegendRecipe Colon(TextSlot slot) { return {"", slot, "", NoSlot, ":"}; }
constexpr LegendRecipe ColonBlank(TextSlot slot) { return {"", slot, "", NoSlot, ": "}; }
constexpr LegendRecipe IpAddress() { return {"IP ", slot::Address, " [", slot::Static, "]: "}; }
constexpr LegendRecipe Gateway() { return {"Gateway ", slot::Address, "", NoSlot, ": "}; }
constexpr LegendRecipe PortNumber() { return {"", slot::PortNumber, "", NoSlot, " [H:L] "}; }
constexpr LegendRecipe Fixed(std::string_view text) { return {text, NoSlot, "", NoSlot, ""}; }

constexpr SettingsTab kGeneral = SettingsTab::General;
constexpr SettingsTab kTcpIp = SettingsTab::TcpIp;
constexpr SettingsTab kEspa = SettingsTab::Espa;

constexpr std::array<ItemInfo, 32> kItems = {{
    // General
    WithToolTip(Combo(0, Choices::DiagnosticInfo, kGeneral, 0, Colon(slot::DiagnosticSerialInfo), 4), slot::DiagnosticFirmwareHint),
    Combo(22, Choices::ConverterMode, kGeneral, 1, Colon(slot::ConverterMode), 1),
    Box(23, 180, kGeneral, 2, true, Colon(slot::EnhancedModeTimeout)),
    // TCP/IP: static address, port (high byte on the left), gateway, subnet, diagnostics
    Box(31, 255, kTcpIp, 0, true, IpAddress()),
    Box(32, 255, kTcpIp, 0, false, IpAddress()),
    Box(33, 255, kTcpIp, 0, false, IpAddress()),
    Box(34, 255, kTcpIp, 0, false, IpAddress()),
    Box(36, 255, kTcpIp, 1, true, PortNumber()),
    Box(35, 255, kTcpIp, 1, true, PortNumber()),
    Box(37, 255, kTcpIp, 2, true, Gateway()),
    Box(38, 255, kTcpIp, 2, false, Gateway()),
    Box(39, 255, kTcpIp, 2, false, Gateway()),
    Box(40, 255, kTcpIp, 2, false, Gateway()),
    BeyondListFirst(Combo(41, Choices::SubnetMask, kTcpIp, 3, Fixed("Subnet: "), 24)),
    Diagnostic(150, 4, {"MAC ", slot::Address, "", NoSlot, ""}),
    Diagnostic(151, 5, IpAddress()),
    Diagnostic(152, 6, Gateway()),
    Diagnostic(153, 7, Fixed("Subnet")),
    Diagnostic(154, 8, Fixed("NameServer:")),
    // ESPA 4.4.4
    Combo(21, Choices::EspaMode, kEspa, 0, Colon(slot::EspaMode), 3),
    Combo(20, Choices::PollTimeout, kEspa, 1, Colon(slot::EspaPollTimeout), 255),
    Combo(10, Choices::EspaSpeed, kEspa, 2, Colon(slot::EspaSerialSpeed), 4),
    Combo(11, Choices::EspaBits, kEspa, 3, Colon(slot::EspaNrOfBits), 1),
    Combo(12, Choices::EspaStopBits, kEspa, 4, Colon(slot::EspaNrOfStopbits), 1),
    Combo(13, Choices::EspaParity, kEspa, 5, Colon(slot::EspaParity), 2),
    Combo(14, Choices::EspaHandshake, kEspa, 6, Colon(slot::EspaHandshake), 2),
    Combo(17, Choices::RequestStatus, kEspa, 7, Colon(slot::EspaRequestStatus), 2),
    // The lists end at 10 and 25 and a write sends the last position, so a
    // read decodes up to there: a lower limit would read it back as 0.
    Combo(5, Choices::AddressLength, kEspa, 8, {"", slot::Address, " ", slot::Length, ": "}, 10),
    Combo(7, Choices::MessageLength, kEspa, 9, {"", slot::Message, " ", slot::Length, ": "}, 25),
    Combo(15, Choices::BrandSimulation, kEspa, 10, ColonBlank(slot::EspaBrandSimulation), 4),
    Combo(19, Choices::InfoBeforeAlpha, kEspa, 11, ColonBlank(slot::EspaInfoBeforeAlpha), 15),
    HexDigitCoded(Combo(18, Choices::FixedInfo, kEspa, 12, ColonBlank(slot::EspaFixedInfo), 16)),
}};

constexpr bool KindsFollowTheItemRanges() {
  return std::all_of(kItems.begin(), kItems.end(), [](const ItemInfo& info) {
    const ItemKind byRange = info.item <= 99 ? ItemKind::Char : info.item <= 149 ? ItemKind::Int : ItemKind::Tekst;
    return info.item >= 0 && info.item <= LastUnitItem && info.kind == byRange;
  });
}
static_assert(KindsFollowTheItemRanges(), "an item's kind is how the unit encodes it: its number range");

constexpr std::array<int8_t, ItemCount> kRowOfItem = [] {
  std::array<int8_t, ItemCount> index{};
  index.fill(-1);
  for (std::size_t row = 0; row < kItems.size(); ++row) {
    index[static_cast<std::size_t>(kItems[row].item)] = static_cast<int8_t>(row);
  }
  return index;
}();

}  // namespace

std::span<const ItemInfo> ItemTable() { return kItems; }

const ItemInfo* FindItem(int item) {
  if (item < 0 || item >= ItemCount) return nullptr;
  const int8_t row = kRowOfItem[static_cast<std::size_t>(item)];
  return row < 0 ? nullptr : &kItems[static_cast<std::size_t>(row)];
}

}  // namespace tessaro

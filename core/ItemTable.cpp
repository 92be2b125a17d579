#include "core/ItemTable.h"

#include <algorithm>

namespace tessaro {
namespace {

constexpr ItemInfo Combo(int16_t item, Choices choices, SettingsTab tab, int row, LegendRecipe legend,
                       int replyLimit) {
  return {item, ItemKind::Char, true, true, ItemControl::Combo, choices, 0, 0, tab, row, true, legend,
        replyLimit, CharCoding::Number, BeyondList::Refused, NoSlot,
        WholeValue::None, false, false, ButtonCaptions::Translated, {}};
}

constexpr ItemInfo Box(int16_t item, int highest, SettingsTab tab, int row, bool carriesLegend, LegendRecipe legend) {
  return {item, ItemKind::Char, true, true, ItemControl::CharBox, Choices::None, 3, highest, tab, row,
        carriesLegend, legend, highest, CharCoding::Number, BeyondList::Refused, NoSlot,
        WholeValue::None, false, false, ButtonCaptions::Translated, {}};
}

constexpr ItemInfo Diagnostic(int16_t item, int row, LegendRecipe legend) {
  return {item, ItemKind::Tekst, true, false, ItemControl::TekstBox, Choices::None, 20, 0, SettingsTab::TcpIp,
        row, true, legend, -1, CharCoding::Number, BeyondList::Refused, NoSlot,
        WholeValue::None, false, false, ButtonCaptions::Translated, {}};
}

// One byte of a value the row's boxes make together; typing replaces the
// byte whole, as the boxes are filled in one after the other.
constexpr ItemInfo ByteOf(WholeValue whole, ItemInfo info) {
  info.wholeValue = whole;
  info.selectsAllOnEntry = true;
  return info;
}

constexpr ItemInfo ButtonsOnRow(ItemInfo info) {
  info.buttonsOnRow = true;
  return info;
}

constexpr ItemInfo DesignCaptions(ItemInfo info) {
  info.buttonCaptions = ButtonCaptions::Design;
  return info;
}

constexpr ItemInfo WithLegendToolTip(ItemInfo info, std::string_view text) {
  info.legendToolTip = text;
  return info;
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
constexpr WholeValue kAddress = WholeValue::Address;
constexpr WholeValue kPort = WholeValue::PortNumber;

constexpr std::string_view kDhcpHint = "Vul 0.0.0.0 in voor DHCP";

constexpr std::array<ItemInfo, 32> kItems = {{
    // General
    ButtonsOnRow(WithToolTip(Combo(0, Choices::DiagnosticInfo, kGeneral, 0, Colon(slot::DiagnosticSerialInfo), 4),
                             slot::DiagnosticFirmwareHint)),
    Combo(22, Choices::ConverterMode, kGeneral, 1, Colon(slot::ConverterMode), 1),
    Box(23, 180, kGeneral, 2, true, Colon(slot::EnhancedModeTimeout)),
    // TCP/IP: static address, port (high byte on the left), gateway, subnet, diagnostics
    DesignCaptions(WithLegendToolTip(ByteOf(kAddress, Box(31, 255, kTcpIp, 0, true, IpAddress())), kDhcpHint)),
    DesignCaptions(ByteOf(kAddress, Box(32, 255, kTcpIp, 0, false, IpAddress()))),
    DesignCaptions(ByteOf(kAddress, Box(33, 255, kTcpIp, 0, false, IpAddress()))),
    DesignCaptions(ByteOf(kAddress, Box(34, 255, kTcpIp, 0, false, IpAddress()))),
    DesignCaptions(ByteOf(kPort, Box(36, 255, kTcpIp, 1, true, PortNumber()))),
    DesignCaptions(ByteOf(kPort, Box(35, 255, kTcpIp, 1, true, PortNumber()))),
    DesignCaptions(ByteOf(kAddress, Box(37, 255, kTcpIp, 2, true, Gateway()))),
    DesignCaptions(ByteOf(kAddress, Box(38, 255, kTcpIp, 2, false, Gateway()))),
    DesignCaptions(ByteOf(kAddress, Box(39, 255, kTcpIp, 2, false, Gateway()))),
    DesignCaptions(ByteOf(kAddress, Box(40, 255, kTcpIp, 2, false, Gateway()))),
    DesignCaptions(BeyondListFirst(Combo(41, Choices::SubnetMask, kTcpIp, 3, Fixed("Subnet: "), 24))),
    Diagnostic(150, 4, {"MAC ", slot::Address, "", NoSlot, ""}),
    Diagnostic(151, 5, IpAddress()),
    Diagnostic(152, 6, Gateway()),
    Diagnostic(153, 7, Fixed("Subnet")),
    Diagnostic(154, 8, Fixed("NameServer:")),
    // ESPA 4.4.4
    DesignCaptions(Combo(21, Choices::EspaMode, kEspa, 0, Colon(slot::EspaMode), 3)),
    DesignCaptions(Combo(20, Choices::PollTimeout, kEspa, 1, Colon(slot::EspaPollTimeout), 255)),
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
    const ItemKind byRange = info.item <= LastCharItem ? ItemKind::Char
                               : info.item <= LastIntItem ? ItemKind::Int
                                                          : ItemKind::Tekst;
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

template <std::size_t N>
struct ItemList {
  std::array<int16_t, N> items{};
  std::size_t count = 0;
};

constexpr ItemList<kItems.size()> kDiagnostics = [] {
  ItemList<kItems.size()> list;
  for (const ItemInfo& info : kItems) {
    if (info.control == ItemControl::TekstBox) list.items[list.count++] = info.item;
  }
  return list;
}();

// Consecutive entries of one tab row that share a whole value make one group.
constexpr bool StartsGroup(std::size_t index) {
  const ItemInfo& info = kItems[index];
  if (info.wholeValue == WholeValue::None) return false;
  if (index == 0) return true;
  const ItemInfo& before = kItems[index - 1];
  return before.wholeValue != info.wholeValue || before.tab != info.tab || before.row != info.row;
}

constexpr std::size_t CountGroups() {
  std::size_t count = 0;
  for (std::size_t index = 0; index < kItems.size(); ++index) count += StartsGroup(index);
  return count;
}

constexpr auto kGroups = [] {
  std::array<WholeValueGroup, CountGroups()> groups{};
  std::size_t count = 0;
  for (std::size_t index = 0; index < kItems.size(); ++index) {
    const ItemInfo& info = kItems[index];
    if (info.wholeValue == WholeValue::None) continue;
    if (StartsGroup(index)) groups[count++] = {info.wholeValue, {}, 0};
    WholeValueGroup& group = groups[count - 1];
    group.items[static_cast<std::size_t>(group.itemCount++)] = info.item;
  }
  return groups;
}();

constexpr bool GroupsAreWholeBytes() {
  int ports = 0;
  for (const WholeValueGroup& group : kGroups) {
    if (group.itemCount < 2) return false;
    ports += group.form == WholeValue::PortNumber;
  }
  return ports == 1;
}
static_assert(GroupsAreWholeBytes(), "a whole value takes several boxes, and one of them is the port number");

}  // namespace

std::span<const ItemInfo> ItemTable() { return kItems; }

std::span<const int16_t> DiagnosticItems() { return {kDiagnostics.items.data(), kDiagnostics.count}; }

std::span<const WholeValueGroup> WholeValueGroups() { return kGroups; }

const WholeValueGroup* WholeValueGroupOf(int item) {
  for (const WholeValueGroup& group : kGroups) {
    if (std::find(group.Items().begin(), group.Items().end(), item) != group.Items().end()) return &group;
  }
  return nullptr;
}

const WholeValueGroup& PortNumberGroup() {
  return *std::find_if(kGroups.begin(), kGroups.end(),
                       [](const WholeValueGroup& group) { return group.form == WholeValue::PortNumber; });
}

double WholeNumberOf(std::span<const double> boxValues) {
  double number = 0;
  for (const double value : boxValues) number = number * 256 + value;
  return number;
}

bool CarriesReadWriteButtons(int item) {
  const ItemInfo* info = FindItem(item);
  return info != nullptr && info->buttonsOnRow;
}

bool SelectsAllOnEntry(int item) {
  const ItemInfo* info = FindItem(item);
  return info != nullptr && info->selectsAllOnEntry;
}

bool ButtonCaptionsTranslated(int item) {
  const ItemInfo* info = FindItem(item);
  return info != nullptr && info->buttonCaptions == ButtonCaptions::Translated;
}

const ItemInfo* FindItem(int item) {
  if (item < 0 || item >= ItemCount) return nullptr;
  const int8_t row = kRowOfItem[static_cast<std::size_t>(item)];
  return row < 0 ? nullptr : &kItems[static_cast<std::size_t>(row)];
}

std::optional<int> HighestValueOf(int item) {
  const ItemInfo* info = FindItem(item);
  if (info == nullptr || info->kind != ItemKind::Char || info->replyLimit < 0) return std::nullopt;
  return info->replyLimit;
}

bool ValueFitsItem(int item, const ItemValue& value) {
  const std::optional<int> highest = HighestValueOf(item);
  if (!highest) return true;
  if (value.IsText()) {
    const std::string text = value.TextValue();
    if (text.empty() || text.size() > 5) return false;
    for (const char c : text) {
      if (c < '0' || c > '9') return false;
    }
  }
  const double number = value.NumberValue();
  return number >= 0 && number <= *highest && number == static_cast<double>(static_cast<int>(number));
}

}  // namespace tessaro

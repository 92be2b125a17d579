#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "core/ItemValue.h"
#include "core/Items.h"
#include "core/TextSlots.h"

namespace tessaro {

// The one place that knows the unit's items the program works with. A new
// setting is a row here plus its texts; the lists, the reply limits, the
// settings pages, their legends and the console's checks all follow from it.

// The three settings tabs of SSTab2, in tab order.
enum class SettingsTab : int { General = 0, TcpIp = 1, Espa = 2 };
inline constexpr int SettingsTabCount = 3;

enum class ItemControl {
  Combo,     // ComboInstellingen(item): the value is the list position
  CharBox,   // TxtCharInput(item): a number typed by the user
  TekstBox,  // TxtTekstInput(item - FirstTekstItem): read-only text from the unit
};

// The list a setting combo offers; the presentation spells each one out.
enum class Choices {
  None,
  DiagnosticInfo,
  AddressLength,
  MessageLength,
  EspaSpeed,
  EspaBits,
  EspaStopBits,
  EspaParity,
  EspaHandshake,
  BrandSimulation,
  RequestStatus,
  FixedInfo,
  InfoBeforeAlpha,
  PollTimeout,
  EspaMode,
  ConverterMode,
  SubnetMask,
};

// How a value beyond the combo's list is shown.
enum class BeyondList {
  Refused,     // a screen error: the value is reset to 0
  FirstEntry,  // the list's first entry (the subnet's "default for the class")
};

// How a Char value travels on the wire.
enum class CharCoding {
  Number,    // the value itself, one byte
  HexDigit,  // position n > 0 goes as the character of hex digit n-1, 0 as 0
};

// The value the boxes of one row make together; each box holds one byte.
enum class WholeValue {
  None,         // the box is a value of its own
  Address,      // dotted bytes, left to right: 192.168.1.50
  PortNumber,   // one number, the leftmost box its most significant byte
};

// The language of the captions of the item's Read and Write buttons.
enum class ButtonCaptions {
  Translated,  // the current language's
  Design,      // the window design's, whatever the language
};

// A legend as the window shows it:
// before + Text(first) + between + Text(second) + after, a missing slot adding nothing.
struct LegendRecipe {
  std::string_view before;
  TextSlot first = NoSlot;
  std::string_view between;
  TextSlot second = NoSlot;
  std::string_view after;
};

struct ItemInfo {
  int16_t item;
  ItemKind kind;
  bool readable;
  bool writable;
  ItemControl control;
  Choices choices;  // Combo only
  int typingLimit;     // characters a box takes from the keyboard; 0 for a combo
  int highestValue;    // the largest value a box offers; a combo's follows from its list
  SettingsTab tab;
  int row;             // top to bottom within the tab; boxes of one row left to right
  bool carriesLegend;  // its legend box shows the row's legend
  LegendRecipe legend;
  int replyLimit;      // largest value taken from a Char reply (larger becomes 0); -1 for other kinds
  CharCoding coding;
  BeyondList beyondList;
  TextSlot toolTipSlot;  // the combo's tooltip, NoSlot for none
  WholeValue wholeValue = WholeValue::None;
  bool selectsAllOnEntry = false;  // entering the box selects its text, so typing replaces it
  bool buttonsOnRow = false;       // Read and Write sit on the row at every debug level, not in the debug frame
  ButtonCaptions buttonCaptions = ButtonCaptions::Translated;
  std::string_view legendToolTip;  // the row label's fixed tooltip, empty for none
};

// Boxes of one row that make one value, left to right as the row shows them.
struct WholeValueGroup {
  WholeValue form;
  std::array<int16_t, 4> items;
  int itemCount;

  std::span<const int16_t> Items() const { return {items.data(), static_cast<std::size_t>(itemCount)}; }
};

// Every item the program works with, tab by tab, row by row, left to right.
std::span<const ItemInfo> ItemTable();

// The item's row of the table; nullptr for an item the program does not use.
const ItemInfo* FindItem(int item);

// The largest value a Char item of the table takes (its list's last
// position or its box's highest number); nullopt for an item not bounded here.
std::optional<int> HighestValueOf(int item);
// A value the unit can take for the item: for a bounded item a whole number
// 0..highest, as a number or as digits only. Unbounded items take anything.
bool ValueFitsItem(int item, const ItemValue& value);

// The read-only diagnostic items, in the order they are read and shown.
std::span<const int16_t> DiagnosticItems();

// Every group of boxes that makes one value, in table order.
std::span<const WholeValueGroup> WholeValueGroups();
// The group the item is a box of; nullptr for an item of no group.
const WholeValueGroup* WholeValueGroupOf(int item);
// The group that makes the port number.
const WholeValueGroup& PortNumberGroup();
// The number the boxes' values make, given left to right: each box one byte
// more significant than the next. Not rounded; a box may hold any number.
double WholeNumberOf(std::span<const double> boxValues);

// The item's row shows its Read and Write buttons itself, at every debug level.
bool CarriesReadWriteButtons(int item);
// Entering the item's box selects its whole text.
bool SelectsAllOnEntry(int item);
// The item's Read and Write buttons take the current language's captions.
bool ButtonCaptionsTranslated(int item);

}  // namespace tessaro

#include "tools/unit-sim/ItemStore.h"

#include <charconv>

namespace tessaro::unitsim {

namespace {

struct CharDefault {
  int item;
  uint8_t value;
};

// A unit on a small office network driving an ESPA 4.4.4 output at 9600 8N1.
constexpr CharDefault kCharDefaults[] = {
    {0, 0},    {5, 0},    {7, 0},    {10, 3},   {11, 1},   {12, 0},  {13, 0},  {14, 0},
    {15, 0},   {17, 1},   {18, 0},   {19, 0},   {20, 30},  {21, 1},  {22, 0},  {23, 60},
    {31, 192}, {32, 168}, {33, 1},   {34, 50},  {35, 0xD0}, {36, 0x07}, {37, 192}, {38, 168},
    {39, 1},   {40, 1},   {41, 8},
};

// Largest accepted value of each settings byte the unit knows; the rest take any byte.
int CharLimit(int item) {
  switch (item) {
    case 0: case 10: case 15: return 4;
    case 5: return 10;
    case 7: return 25;
    case 11: case 12: case 22: return 1;
    case 13: case 14: case 17: return 2;
    case 19: case 21: return 3;
    case 20: return 70;
    case 23: return 180;
    case 41: return 24;
    default: return 255;
  }
}

// Item 18 holds 0 (no fixed info) or the fixed info digit as a hex character.
bool IsFixedInfoByte(uint8_t v) {
  return v == 0 || (v >= '0' && v <= '9') || (v >= 'A' && v <= 'F') || (v >= 'a' && v <= 'f');
}

std::string Dotted(int a, int b, int c, int d) {
  return std::to_string(a) + "." + std::to_string(b) + "." + std::to_string(c) + "." + std::to_string(d);
}

std::string MaskText(int prefixBits) {
  uint32_t mask = prefixBits <= 0 ? 0 : 0xFFFFFFFFu << (32 - prefixBits);
  return Dotted(static_cast<int>(mask >> 24), static_cast<int>((mask >> 16) & 0xFF),
                static_cast<int>((mask >> 8) & 0xFF), static_cast<int>(mask & 0xFF));
}

std::optional<long> ParseNumber(const std::string& text) {
  long value = 0;
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (ec != std::errc() || ptr != end || text.empty()) return std::nullopt;
  return value;
}

}  // namespace

ItemKind KindOfItem(int item) {
  if (item >= 0 && item <= 99) return ItemKind::Char;
  if (item >= 100 && item <= 149) return ItemKind::Int;
  if (item >= 150 && item <= 249) return ItemKind::Tekst;
  return ItemKind::None;
}

bool IsReadableUnitItem(int item) {
  return item == 0 || item == 5 || item == 7 || (item >= 10 && item <= 15) || (item >= 17 && item <= 23) ||
         (item >= 31 && item <= 41) || (item >= 150 && item <= 154);
}

bool IsReadOnlyUnitItem(int item) { return item >= 150 && item <= 154; }

ItemStore::ItemStore() {
  for (const auto& d : kCharDefaults) numbers_[static_cast<std::size_t>(d.item)] = d.value;
  texts_[150] = "00:1E:C0:4A:21:7F";
  texts_[154] = "192.168.1.1";
  RefreshNetworkInUse();
}

Bytes ItemStore::ValueBytes(int item) const {
  const auto i = static_cast<std::size_t>(item & 0xFF);
  switch (KindOfItem(item)) {
    case ItemKind::Int:
      return {static_cast<uint8_t>(numbers_[i] & 0xFF), static_cast<uint8_t>(numbers_[i] >> 8)};
    case ItemKind::Tekst:
      return Bytes(texts_[i].begin(), texts_[i].end());
    case ItemKind::Char:
    case ItemKind::None:
      break;
  }
  return {static_cast<uint8_t>(numbers_[i] & 0xFF)};
}

std::optional<std::string> ItemStore::Write(int item, const Bytes& valueBytes) {
  const auto i = static_cast<std::size_t>(item & 0xFF);
  switch (KindOfItem(item)) {
    case ItemKind::None:
      return "no such item";
    case ItemKind::Char: {
      if (valueBytes.size() != 1) return "a byte item needs exactly one value byte";
      const uint8_t v = valueBytes[0];
      if (item == 18) {
        if (!IsFixedInfoByte(v)) return "not a hex digit";
      } else if (v > CharLimit(item)) {
        return "value above " + std::to_string(CharLimit(item));
      }
      numbers_[i] = v;
      return std::nullopt;
    }
    case ItemKind::Int:
      if (valueBytes.size() != 2) return "a number item needs exactly two value bytes";
      numbers_[i] = static_cast<uint16_t>(valueBytes[0] | (valueBytes[1] << 8));
      return std::nullopt;
    case ItemKind::Tekst:
      if (IsReadOnlyUnitItem(item)) return "read-only item";
      if (valueBytes.size() > kMaxTekstLength) return "text longer than " + std::to_string(kMaxTekstLength);
      texts_[i].assign(valueBytes.begin(), valueBytes.end());
      return std::nullopt;
  }
  return "no such item";
}

std::optional<std::string> ItemStore::Preset(int item, const std::string& text) {
  const auto i = static_cast<std::size_t>(item & 0xFF);
  const ItemKind kind = KindOfItem(item);
  if (kind == ItemKind::None) return "item " + std::to_string(item) + " does not exist (0..249)";
  if (kind == ItemKind::Tekst) {
    if (text.size() > kMaxTekstLength) return "text longer than " + std::to_string(kMaxTekstLength);
    texts_[i] = text;
    return std::nullopt;
  }
  const auto number = ParseNumber(text);
  const long limit = kind == ItemKind::Char ? 255 : 65535;
  if (!number || *number < 0 || *number > limit) {
    return "item " + std::to_string(item) + " takes a number 0.." + std::to_string(limit);
  }
  numbers_[i] = static_cast<uint16_t>(*number);
  return std::nullopt;
}

std::string ItemStore::ValueText(int item) const {
  if (KindOfItem(item) == ItemKind::Tekst) return Text(item);
  return std::to_string(Number(item));
}

int ItemStore::Number(int item) const { return numbers_[static_cast<std::size_t>(item & 0xFF)]; }

const std::string& ItemStore::Text(int item) const { return texts_[static_cast<std::size_t>(item & 0xFF)]; }

void ItemStore::RefreshNetworkInUse() {
  const int a = Number(31), b = Number(32), c = Number(33), d = Number(34);
  const bool dhcp = a == 0 && b == 0 && c == 0 && d == 0;
  if (dhcp) {
    // A lease as a typical office router hands it out.
    texts_[151] = "192.168.1.117";
    texts_[152] = "192.168.1.1";
    texts_[153] = "255.255.255.0";
    return;
  }
  texts_[151] = Dotted(a, b, c, d);
  texts_[152] = Dotted(Number(37), Number(38), Number(39), Number(40));
  const int maskIndex = Number(41);
  if (maskIndex >= 3 && maskIndex <= 24) {
    texts_[153] = MaskText(32 - maskIndex);
  } else {
    texts_[153] = MaskText(a < 128 ? 8 : a < 192 ? 16 : 24);
  }
}

}  // namespace tessaro::unitsim

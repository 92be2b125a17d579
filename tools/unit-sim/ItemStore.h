#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "tools/unit-sim/SimFrame.h"

namespace tessaro::unitsim {

// How the unit holds an item: by its number range.
enum class ItemKind { Char, Int, Tekst, None };
ItemKind KindOfItem(int item);

// The 32 items a full read asks for.
bool IsReadableUnitItem(int item);
// Diagnostic texts the unit fills in itself; writes are refused.
bool IsReadOnlyUnitItem(int item);

// The longest text the unit keeps: its read reply must fit in 98 bytes.
inline constexpr std::size_t kMaxTekstLength = 85;

// What the unit holds, with plausible factory values.
class ItemStore {
 public:
  ItemStore();

  // Value bytes as a read reply carries them (Char: 1, Int: lo hi, Tekst: the characters).
  Bytes ValueBytes(int item) const;
  // Stores a value received in a write request. Returns the reason for a
  // refusal, or nothing when stored.
  std::optional<std::string> Write(int item, const Bytes& valueBytes);
  // Start-up preset from the command line ("--set"); not range-checked, so
  // out-of-list values can be served on purpose. Returns an error text.
  std::optional<std::string> Preset(int item, const std::string& text);
  // The value as the SET line shows it: decimal for Char and Int, the text for Tekst.
  std::string ValueText(int item) const;

  int Number(int item) const;
  const std::string& Text(int item) const;

  // Items 151..153 show the address, gateway and mask in use, which follow
  // the static settings at start and after every reset.
  void RefreshNetworkInUse();

 private:
  std::array<uint16_t, 256> numbers_{};
  std::array<std::string, 256> texts_{};
};

}  // namespace tessaro::unitsim

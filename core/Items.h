#pragma once

#include <cstdint>

namespace tessaro {

// Every array of the store has this many entries, items 0 to 250.
inline constexpr int ItemCount = 251;
// Items 0 to 249 are the unit's item space; 250 exists but is never served.
inline constexpr int LastUnitItem = 249;

enum class ItemKind { Char, Int, Tekst, None };

// The kinds' ranges of the item space: Char items up to LastCharItem, Int
// items up to LastIntItem, Tekst items from FirstTekstItem to LastUnitItem.
inline constexpr int LastCharItem = 99;
inline constexpr int LastIntItem = 149;
inline constexpr int FirstTekstItem = LastIntItem + 1;

// 0..99 Char (one byte), 100..149 Int (two bytes), 150..249 Tekst, else None.
ItemKind KindOfItem(int item);

// Request codes of ItemStatus.
inline constexpr int16_t RequestNone = 0;
inline constexpr int16_t RequestRead = 1;
inline constexpr int16_t RequestWrite = 10;

// 1 for a member, -1 otherwise; callers test for a non-negative answer.
int16_t IsReadableItem(int item);  // the 32 items read-all requests
int16_t IsWritableItem(int item);  // the 27 items write-all requests

}  // namespace tessaro

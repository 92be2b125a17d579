#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tessaro {

// Decimal text of a number, no leading blank; a negative value keeps its sign.
std::string IntText(int value);
// Upper-case hexadecimal without leading zeros; a negative value gives the
// four digits of its 16-bit two's complement (-1 gives "FFFF").
std::string HexText(int16_t value);
// Codes 0..31 and 127 give their bracketed name ("[NULL]", "[NACK]",
// "[RUBOUT]", ...); every other byte gives the one character with that code.
std::string ControlCharName(int code);
// Value 0..15 of the first character: hex digits, "-" gives 15, else 0.
int16_t HexDigitValue(std::string_view text);

}  // namespace tessaro

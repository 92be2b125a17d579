#include "messages/TextFormat.h"

#include <array>
#include <cstdint>

namespace tessaro {

namespace {

// Names for the control codes 0..31; 127 is handled on its own.
constexpr std::array<const char*, 32> ControlNames = {
    "[NULL]", "[SOH]", "[STX]", "[ETX]", "[EOT]", "[ENQ]", "[ACK]",  "[BEL]",
    "[BS]",   "[HT]",  "[LF]",  "[VT]",  "[FF]",  "[CR]",  "[SO]",   "[SI]",
    "[DLE]",  "[DC1]", "[DC2]", "[DC3]", "[DC4]", "[NACK]", "[SYN]", "[ETB]",
    "[CAN]",  "[EM]",  "[SUB]", "[ESC]", "[FS]",  "[GS]",  "[RS]",   "[US]",
};

}  // namespace

std::string IntText(int value) {
  // The sign is kept: dropping it would show -5 as 5.
  return std::to_string(value);
}

std::string HexText(int16_t value) {
  static constexpr char Digits[] = "0123456789ABCDEF";
  auto pattern = static_cast<uint16_t>(value);
  std::string reversed;
  do {
    reversed.push_back(Digits[pattern & 0xF]);
    pattern = static_cast<uint16_t>(pattern >> 4);
  } while (pattern != 0);
  return std::string(reversed.rbegin(), reversed.rend());
}

std::string ControlCharName(int code) {
  if (code >= 0 && code < static_cast<int>(ControlNames.size())) {
    return ControlNames[static_cast<size_t>(code)];
  }
  if (code == 127) {
    return "[RUBOUT]";
  }
  // Not a byte: there is no character to show, so nothing is added to the line.
  if (code < 0 || code > 255) {
    return {};
  }
  return std::string(1, static_cast<char>(static_cast<unsigned char>(code)));
}

int16_t HexDigitValue(std::string_view text) {
  if (text.empty()) {
    return 0;
  }
  const char c = text.front();
  if (c >= '0' && c <= '9') {
    return static_cast<int16_t>(c - '0');
  }
  if (c >= 'A' && c <= 'F') {
    return static_cast<int16_t>(c - 'A' + 10);
  }
  if (c >= 'a' && c <= 'f') {
    return static_cast<int16_t>(c - 'a' + 10);
  }
  if (c == '-') {
    return 15;
  }
  return 0;
}

}  // namespace tessaro

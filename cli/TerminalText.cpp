#include "cli/TerminalText.h"

#include "core/Cp1252.h"
#include "messages/TextFormat.h"

namespace tessaro::cli {
namespace {

bool IsUndefinedCode(unsigned char byte) {
  return byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 || byte == 0x9D;
}

}  // namespace

std::string TerminalText(std::string_view cp1252) {
  std::string safe;
  safe.reserve(cp1252.size());
  for (const char c : cp1252) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) {
      safe += ControlCharName(byte);
    } else if (IsUndefinedCode(byte)) {
      safe += '?';
    } else {
      safe += c;
    }
  }
  return Cp1252ToUtf8(safe);
}

}  // namespace tessaro::cli

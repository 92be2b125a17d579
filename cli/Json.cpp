#include "cli/Json.h"

#include <cstdio>

namespace tessaro::cli {

std::string JsonString(std::string_view utf8) {
  std::string out = "\"";
  for (std::size_t index = 0; index < utf8.size(); ++index) {
    const char c = utf8[index];
    const auto byte = static_cast<unsigned char>(c);
    // U+0080..U+009F are control codes too; a terminal showing the text
    // could act on them.
    if (byte == 0xC2 && index + 1 < utf8.size()) {
      const auto next = static_cast<unsigned char>(utf8[index + 1]);
      if (next >= 0x80 && next <= 0x9F) {
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, "\\u%04x", next);
        out += escaped;
        ++index;
        continue;
      }
    }
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (byte < 0x20 || byte == 0x7F) {
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
          out += escaped;
        } else {
          out += c;
        }
    }
  }
  return out + "\"";
}

}  // namespace tessaro::cli

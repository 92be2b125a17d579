#include "files/SettingsLineFormat.h"

namespace tessaro {

std::string OneLineValue(std::string_view value) {
  std::string result;
  result.reserve(value.size());
  for (std::size_t pos = 0; pos < value.size(); ++pos) {
    const char byte = value[pos];
    if (byte == '\r' || byte == '\n') {
      result.push_back(' ');
      if (byte == '\r' && pos + 1 < value.size() && value[pos + 1] == '\n') ++pos;
    } else {
      result.push_back(byte);
    }
  }
  return result;
}

void AppendSettingsLine(std::string& content, std::string_view line) {
  content.append(line);
  content.append("\r\n");
}

}  // namespace tessaro

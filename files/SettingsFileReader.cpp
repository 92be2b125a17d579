#include <array>
#include <fstream>

#include "files/SettingsFiles.h"
#include "files/SettingsLineParser.h"

namespace tessaro {

SettingsFileLines ReadSettingsFileLines(const std::filesystem::path& path) {
  SettingsLineParser parser;
  // Binary mode: the bytes reach the parser unchanged on every platform.
  std::ifstream file(path, std::ios::binary);
  if (file) {
    std::array<char, 16 * 1024> buffer;
    while (!parser.Ended()) {
      file.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
      const std::streamsize got = file.gcount();
      if (got <= 0) break;  // end of file, or a read error: use what was read
      parser.Feed(std::string_view(buffer.data(), static_cast<std::size_t>(got)));
    }
  }
  parser.Finish();
  return parser.TakeLines();
}

}  // namespace tessaro

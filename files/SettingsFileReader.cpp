#include <array>
#include <fstream>
#include <system_error>

#include "files/SettingsFiles.h"
#include "files/SettingsLineParser.h"

namespace tessaro {

bool FeedFile(const std::filesystem::path& path, SettingsLineParser& parser) {
  std::error_code error;
  // Binary mode: the bytes reach the parser unchanged on every platform.
  std::ifstream file;
  if (!std::filesystem::is_directory(path, error)) file.open(path, std::ios::binary);
  if (!file) {
    parser.Finish();
    return false;
  }
  std::array<char, 16 * 1024> buffer;
  while (!parser.Ended()) {
    file.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
    const std::streamsize got = file.gcount();
    if (got <= 0) break;  // end of file, or a read error: use what was read
    parser.Feed(std::string_view(buffer.data(), static_cast<std::size_t>(got)));
  }
  parser.Finish();
  return true;
}

SettingsFileLines ReadSettingsFileLines(const std::filesystem::path& path) {
  SettingsLineParser parser;
  (void)FeedFile(path, parser);
  return parser.TakeLines();
}

}  // namespace tessaro

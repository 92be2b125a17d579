#include "cli/FileChecks.h"

#include <fstream>
#include <system_error>

#include "core/Items.h"
#include "files/SettingsFiles.h"
#include "files/SettingsLineFormat.h"
#include "messages/TextFormat.h"

#if !defined(_WIN32)
#include <unistd.h>
#endif

namespace tessaro::cli {

namespace fs = std::filesystem;

namespace {

// Items 0..149 are written as 16-bit numbers, the rest as texts.
constexpr int LastNumberItem = LastIntItem;

}  // namespace

std::optional<std::string> CannotRead(const fs::path& path) {
  std::error_code error;
  const fs::file_status status = fs::status(path, error);
  if (error || !fs::exists(status)) return "cannot read " + path.string() + ": no such file";
  if (fs::is_directory(status)) return "cannot read " + path.string() + ": it is a folder";
  std::ifstream in(path, std::ios::binary);
  if (!in.is_open()) return "cannot read " + path.string() + ": permission denied";
  return std::nullopt;
}

std::optional<std::string> CannotSave(const fs::path& path) {
  std::error_code error;
  if (fs::is_directory(path, error)) return "cannot save to " + path.string() + ": it is a folder";
  const fs::path folder = path.parent_path().empty() ? fs::path(".") : path.parent_path();
  if (!fs::is_directory(folder, error)) return "cannot save to " + path.string() + ": no such folder";
#if !defined(_WIN32)
  if (::access(folder.c_str(), W_OK) != 0) return "cannot save to " + path.string() + ": permission denied";
#endif
  return std::nullopt;
}

bool SavedAsExpected(const fs::path& path, const SettingsStore& store) {
  if (CannotRead(path)) return false;
  const SettingsFileLines lines = ReadSettingsFileLines(path);
  for (int item = 0; item <= LastUnitItem; ++item) {
    const ItemValue& value = store.FileValues[static_cast<std::size_t>(item)];
    std::string expected;
    if (item <= LastNumberItem) {
      const std::optional<int16_t> number = value.NearestInteger();
      if (!number) return false;
      expected = IntText(*number);
    } else {
      expected = OneLineValue(value.TextValue());
    }
    if (lines[static_cast<std::size_t>(item)] != expected) return false;
  }
  return true;
}

}  // namespace tessaro::cli

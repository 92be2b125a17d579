#include "files/SettingsFiles.h"

#include <array>
#include <optional>
#include <string>
#include <utility>

#include "core/ItemValue.h"
#include "files/SafeFileWriter.h"
#include "files/SettingsLineFormat.h"
#include "messages/TextFormat.h"

namespace tessaro {

namespace {

constexpr int LastNumberItem = 149;  // items 0..149 are numbers in the file, 150..249 texts
constexpr const char* ItemSeparator = "    ->";
constexpr const char* LoadFailedText = "Fout bij verwerken instellingen-file";
constexpr const char* LoadFailedCaption = "Tessaro-IP van Tornak";

}  // namespace

SettingsFiles::SettingsFiles(std::filesystem::path programFolder, SettingsStore& store,
                         ProgramSettings& settings, SettingsScreen& screen, Dialogs& dialogs)
    : programFolder_(std::move(programFolder)),
      store_(store),
      settings_(settings),
      screen_(screen),
      dialogs_(dialogs) {}

std::filesystem::path SettingsFiles::ProgramSettingsPath() const {
  return programFolder_ / ProgramSettingsFileName;
}

std::filesystem::path SettingsFiles::DefaultSettingsPath() const {
  return programFolder_ / DefaultSettingsFileName;
}

void SettingsFiles::WriteSettingsFile(const std::filesystem::path& path) {
  if (path.empty()) return;
  SaveSettingsFile(path);
}

void SettingsFiles::ReadSettingsFile(const std::filesystem::path& path) {
  if (path.empty()) return;
  LoadSettingsFile(path);
}

void SettingsFiles::WriteDefaultSettings() { SaveSettingsFile(DefaultSettingsPath()); }

bool SettingsFiles::ReadDefaultSettings() { return LoadSettingsFile(DefaultSettingsPath()); }

void SettingsFiles::LoadEmptySettings() { (void)LoadSettingsLines(SettingsFileLines{}); }

void SettingsFiles::SaveSettingsFile(const std::filesystem::path& path) {
  ScreenToAllItems(screen_);
  ItemValuesToFileValues(store_);

  std::string content;
  for (int item = 0; item <= LastUnitItem; ++item) {
    const ItemValue& value = store_.FileValues[item];
    std::string line = IntText(item) + ItemSeparator;
    if (item <= LastNumberItem) {
      // A number beyond 16 bits cannot be written back; rather than write a
      // wrong value the save is dropped and the old file stays as it was.
      const std::optional<int16_t> number = value.NearestInteger();
      if (!number) return;
      line += IntText(*number);
    } else {
      line += OneLineValue(value.TextValue());
    }
    AppendSettingsLine(content, line);
  }
  // A failed save is silent: the old file is left whole.
  (void)WriteFileSafely(path, content);
}

bool SettingsFiles::LoadSettingsFile(const std::filesystem::path& path) {
  return LoadSettingsLines(ReadSettingsFileLines(path));
}

bool SettingsFiles::LoadSettingsLines(SettingsFileLines lines) {
  // Everything is converted and checked before the store is touched, so a bad
  // file leaves the store and the screen exactly as they were.
  std::array<double, LastNumberItem + 1> numbers{};
  for (int item = 0; item <= LastNumberItem; ++item) {
    if (!lines[item]) continue;  // no line: 0
    numbers[item] = NumberValueOfText(*lines[item]);
    if (!NearestInt16(numbers[item])) {
      dialogs_.ShowCriticalError(LoadFailedText, LoadFailedCaption);
      return false;
    }
  }

  // Item 250 is in no file and keeps its FileValues entry.
  for (int item = 0; item <= LastUnitItem; ++item) {
    store_.FileValues[item] = item <= LastNumberItem
                                  ? ItemValue(numbers[item])
                                  : ItemValue(std::move(lines[item]).value_or(std::string()));
  }
  ClearUnitValues(store_);
  FileValuesToItemValues(store_);
  AllItemsToScreen(screen_);
  return true;
}

}  // namespace tessaro

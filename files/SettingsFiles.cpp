#include "files/SettingsFiles.h"

#include <array>
#include <optional>
#include <string>
#include <system_error>
#include <utility>

#include "core/ItemValue.h"
#include "core/Items.h"
#include "files/SafeFileWriter.h"

namespace tessaro {

namespace {

constexpr int LastNumberItem = LastIntItem;  // Char and Int items are numbers in the file, Tekst items texts

}  // namespace

SettingsFiles::SettingsFiles(std::filesystem::path programFolder, SettingsStore& store,
                             ProgramSettings& settings, SettingsScreen& screen)
    : programFolder_(std::move(programFolder)), store_(store), settings_(settings), screen_(screen) {}

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

std::optional<UnitFileError> SettingsFiles::ReadSettingsFile(const std::filesystem::path& path) {
  if (path.empty()) return std::nullopt;
  UnitFileRead read = ReadUnitSettingsFile(path, settings_.Taal, screen_);
  if (read.error) return std::move(read.error);
  LoadValues(std::move(read.values));
  return std::nullopt;
}

void SettingsFiles::WriteDefaultSettings() { SaveSettingsFile(DefaultSettingsPath()); }

std::optional<UnitFileError> SettingsFiles::ReadDefaultSettings() {
  std::error_code error;
  if (!std::filesystem::exists(DefaultSettingsPath(), error) && !error) {
    LoadEmptySettings();
    return std::nullopt;
  }
  return ReadSettingsFile(DefaultSettingsPath());
}

void SettingsFiles::LoadEmptySettings() {
  UnitFileValues values;
  for (int item = 0; item <= LastUnitItem; ++item) {
    values[item] = item <= LastNumberItem ? ItemValue(0) : ItemValue(std::string());
  }
  LoadValues(std::move(values));
}

void SettingsFiles::SaveSettingsFile(const std::filesystem::path& path) {
  ScreenToAllItems(screen_);
  ItemValuesToFileValues(store_);
  // A number beyond 16 bits cannot be written back; rather than write a wrong
  // value the save is dropped and the old file stays as it was.
  const std::optional<std::string> content = UnitSettingsFileText(store_.FileValues);
  if (!content) return;
  // A failed save is silent: the old file is left whole.
  (void)WriteFileSafely(path, *content);
}

void SettingsFiles::LoadValues(UnitFileValues values) {
  // Item 250 is in no file and keeps its FileValues entry.
  for (int item = 0; item <= LastUnitItem; ++item) store_.FileValues[item] = std::move(values[item]);
  ClearUnitValues(store_);
  FileValuesToItemValues(store_);
  AllItemsToScreen(screen_);
}

}  // namespace tessaro

#include "files/UnitBackupFolder.h"

#include <cstdio>
#include <optional>
#include <string_view>
#include <system_error>
#include <utility>

#include "core/Cp1252.h"
#include "files/SafeFileWriter.h"
#include "files/UnitSettingsFile.h"

namespace tessaro {

namespace fs = std::filesystem;

namespace {

constexpr int LastNumberItem = 149;  // items 0..149 are numbers in the file, 150..249 texts
// Backups made in one second beyond this many are refused.
constexpr int MostBackupsPerSecond = 100;

std::string ReportedPath(const fs::path& path) {
  const std::u8string name = path.u8string();
  return Utf8ToCp1252(std::string_view(reinterpret_cast<const char*>(name.data()), name.size()));
}

}  // namespace

std::string BackupFileName(const LocalDateTime& at, int number) {
  char name[64];
  std::snprintf(name, sizeof name, "%04d-%02d-%02d_%02d-%02d-%02d", at.year, at.month, at.day, at.hour, at.minute,
                at.second);
  std::string file = name;
  if (number > 1) file += "_" + std::to_string(number);
  return file + ".cfg";
}

UnitBackupFolder::UnitBackupFolder(fs::path programFolder, const Clock& clock)
    : programFolder_(std::move(programFolder)), clock_(clock) {}

UnitBackup::Kept UnitBackupFolder::Keep(const std::array<ItemValue, ItemCount>& unitValues) {
  const LocalDateTime now = clock_.Now();
  const fs::path first = Folder() / BackupFileName(now, 1);

  std::array<ItemValue, ItemCount> values = unitValues;
  for (int item = 0; item <= LastUnitItem; ++item) {
    ItemValue& value = values[static_cast<std::size_t>(item)];
    if (value.IsNotObtained()) value = item <= LastNumberItem ? ItemValue(0) : ItemValue(std::string());
  }
  const std::optional<std::string> content = UnitSettingsFileText(values);
  std::error_code error;
  fs::create_directories(Folder(), error);
  if (!content || error) return {false, ReportedPath(first)};

  for (int number = 1; number <= MostBackupsPerSecond; ++number) {
    const fs::path file = Folder() / BackupFileName(now, number);
    switch (WriteNewFileSafely(file, *content)) {
      case NewFileWrite::Written: return {true, ReportedPath(file)};
      case NewFileWrite::Exists: continue;
      case NewFileWrite::Failed: return {false, ReportedPath(file)};
    }
  }
  return {false, ReportedPath(first)};
}

}  // namespace tessaro

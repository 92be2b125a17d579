#pragma once

#include <array>
#include <filesystem>
#include <string>

#include "core/Clock.h"
#include "core/UnitBackup.h"

namespace tessaro {

inline constexpr const char* BackupFolderName = "Backup";

// "2026-12-11_10-15-30.cfg" for the first backup in that second, then
// "2026-12-11_10-15-30_2.cfg" and so on: no character Windows refuses, and
// names that sort by time.
std::string BackupFileName(const LocalDateTime& at, int number);

// Backups of a unit's settings as unit settings files in the folder Backup
// below the program folder, named by the date and time they were made. An
// existing backup is never replaced.
class UnitBackupFolder final : public UnitBackup {
 public:
  UnitBackupFolder(std::filesystem::path programFolder, const Clock& clock);

  // Items the unit never gave are saved as a missing defaults file has
  // them: 0, or the empty text.
  Kept Keep(const std::array<ItemValue, ItemCount>& unitValues) override;
  std::filesystem::path Folder() const { return programFolder_ / BackupFolderName; }

 private:
  std::filesystem::path programFolder_;
  const Clock& clock_;
};

}  // namespace tessaro

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <map>
#include <set>
#include <string>

#include "FilesTestSupport.h"
#include "files/SafeFileWriter.h"
#include "files/UnitBackupFolder.h"
#include "files/UnitSettingsFile.h"
#include "tests/support/FixedClock.h"

namespace tessaro {
namespace {

namespace fs = std::filesystem;
using testing::FakeSettingsScreen;
using testing::FixedClock;
using testing::FolderNames;
using testing::ReadBytes;
using testing::TestFolder;
using testing::UnitFileBytes;
using testing::WriteBytes;

struct NameCase {
  LocalDateTime at;
  int number;
  const char* name;
};

TEST(BackupFileName, SortsByTimeAndHoldsNoCharacterWindowsRefuses) {
  const NameCase cases[] = {
      {{2026, 12, 11, 10, 15, 30}, 1, "2026-12-11_10-15-30.cfg"},
      {{2027, 1, 2, 3, 4, 5}, 1, "2027-01-02_03-04-05.cfg"},
      {{2026, 12, 11, 10, 15, 30}, 2, "2026-12-11_10-15-30_2.cfg"},
      {{2026, 12, 11, 0, 0, 0}, 12, "2026-12-11_00-00-00_12.cfg"},
  };
  for (const NameCase& c : cases) EXPECT_EQ(BackupFileName(c.at, c.number), c.name);
}

class UnitBackupFolderTest : public ::testing::Test {
 protected:
  // The unit gave its writable items and the MAC; nothing else.
  std::array<ItemValue, ItemCount> UnitGave() const {
    std::array<ItemValue, ItemCount> values{};
    for (int item = 0; item <= LastUnitItem; ++item) {
      if (IsWritableItem(item) >= 0) values[static_cast<std::size_t>(item)] = ItemValue(item % 7);
    }
    values[150] = ItemValue("00:1E:C0:4A:21:7F");
    return values;
  }
  std::map<int, std::string> UnitGaveAsFile() const {
    std::map<int, std::string> file;
    for (int item = 0; item <= LastUnitItem; ++item) {
      if (IsWritableItem(item) >= 0) file[item] = std::to_string(item % 7);
    }
    file[150] = "00:1E:C0:4A:21:7F";
    return file;
  }

  TestFolder folder;
  FixedClock clock{{2026, 12, 11, 10, 15, 30}};
  UnitBackupFolder backups{folder.Path(), clock};
};

// The backup is a unit settings file as the program writes any other, so the
// reader that refuses what is not one takes it back whole.
TEST_F(UnitBackupFolderTest, SavesWhatTheUnitGaveAsASettingsFileTheReaderTakes) {
  const UnitBackup::Kept kept = backups.Keep(UnitGave());
  const fs::path file = folder.Path() / "Backup" / "2026-12-11_10-15-30.cfg";
  ASSERT_TRUE(kept.saved);
  EXPECT_EQ(kept.file, file.string());
  EXPECT_EQ(ReadBytes(file), UnitFileBytes(UnitGaveAsFile()));

  SettingsStore store;
  FakeSettingsScreen screen(store);
  const UnitFileRead read = ReadUnitSettingsFile(file, 0, screen);
  ASSERT_FALSE(read.error) << read.error->message;
  const std::array<ItemValue, ItemCount> gave = UnitGave();
  for (int item = 0; item <= LastUnitItem; ++item) {
    if (IsWritableItem(item) < 0) continue;
    EXPECT_EQ(read.values[item].NumberValue(), gave[item].NumberValue()) << item;
  }
  EXPECT_EQ(read.values[150].TextValue(), "00:1E:C0:4A:21:7F");
}

TEST_F(UnitBackupFolderTest, ABackupInTheSameSecondGetsANumberAndLeavesTheFirstAlone) {
  ASSERT_TRUE(backups.Keep(UnitGave()).saved);
  const std::string first = ReadBytes(folder.Path() / "Backup" / "2026-12-11_10-15-30.cfg");
  std::array<ItemValue, ItemCount> other = UnitGave();
  other[21] = ItemValue(3);

  const UnitBackup::Kept second = backups.Keep(other);
  ASSERT_TRUE(second.saved);
  EXPECT_EQ(second.file, (folder.Path() / "Backup" / "2026-12-11_10-15-30_2.cfg").string());
  EXPECT_EQ(ReadBytes(folder.Path() / "Backup" / "2026-12-11_10-15-30.cfg"), first);
  EXPECT_NE(ReadBytes(second.file), first);
  EXPECT_EQ(FolderNames(folder.Path() / "Backup"),
            (std::set<std::string>{"2026-12-11_10-15-30.cfg", "2026-12-11_10-15-30_2.cfg"}));
}

TEST_F(UnitBackupFolderTest, AFolderThatCannotBeMadeIsAFailureThatNamesTheFile) {
  WriteBytes(folder.Path() / "Backup", "a file where the folder belongs");
  const UnitBackup::Kept kept = backups.Keep(UnitGave());
  EXPECT_FALSE(kept.saved);
  EXPECT_EQ(kept.file, (folder.Path() / "Backup" / "2026-12-11_10-15-30.cfg").string());
  EXPECT_EQ(ReadBytes(folder.Path() / "Backup"), "a file where the folder belongs");
}

TEST(WriteNewFileSafely, MakesANewFileAndNeverReplacesOne) {
  TestFolder folder;
  const fs::path target = folder.Path() / "a.cfg";
  EXPECT_EQ(WriteNewFileSafely(target, "first"), NewFileWrite::Written);
  EXPECT_EQ(WriteNewFileSafely(target, "second"), NewFileWrite::Exists);
  EXPECT_EQ(ReadBytes(target), "first");
  EXPECT_EQ(WriteNewFileSafely(folder.Path() / "missing" / "a.cfg", "x"), NewFileWrite::Failed);
  EXPECT_EQ(FolderNames(folder.Path()), std::set<std::string>{"a.cfg"}) << "no temporary file is left";
}

}  // namespace
}  // namespace tessaro

#include <gtest/gtest.h>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "FilesTestSupport.h"
#include "tests/support/ItemValueAssertions.h"
#include "core/ProgramSettings.h"
#include "files/SettingsFiles.h"
#include "files/SafeFileWriter.h"

namespace tessaro {
namespace {

namespace fs = std::filesystem;
using testing::FakeSettingsScreen;
using testing::FolderNames;
using testing::ReadBytes;
using testing::TestFolder;
using testing::WriteBytes;

TEST(WriteFileSafely, CreatesAndReplacesWholeFiles) {
  TestFolder folder;
  const fs::path target = folder.Path() / "a.set";

  EXPECT_TRUE(WriteFileSafely(target, "first content, rather long\r\n"));
  EXPECT_EQ(ReadBytes(target), "first content, rather long\r\n");

  EXPECT_TRUE(WriteFileSafely(target, "short\r\n"));
  EXPECT_EQ(ReadBytes(target), "short\r\n") << "no tail of the longer old file may remain";

  EXPECT_TRUE(WriteFileSafely(target, ""));
  EXPECT_EQ(ReadBytes(target), "");
  EXPECT_EQ(FolderNames(folder.Path()), std::set<std::string>{"a.set"});
}

TEST(WriteFileSafely, KeepsThePermissionsOfTheOldFile) {
#ifdef _WIN32
  GTEST_SKIP() << "POSIX permission bits: Windows files have none to keep";
#endif
  TestFolder folder;
  const fs::path target = folder.Path() / "a.set";
  WriteBytes(target, "old");
  fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  ASSERT_TRUE(WriteFileSafely(target, "new"));
  EXPECT_EQ(fs::status(target).permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST(WriteFileSafely, FailuresLeaveTheOldStateAndNoTemporaryFile) {
  TestFolder folder;

  const fs::path missing = folder.Path() / "missing" / "a.set";
  EXPECT_FALSE(WriteFileSafely(missing, "x"));
  EXPECT_FALSE(fs::exists(missing.parent_path()));

  // Everything gets written, but the rename over a folder fails at the end.
  const fs::path blocked = folder.Path() / "blocked.set";
  fs::create_directory(blocked);
  WriteBytes(blocked / "inside", "kept");
  EXPECT_FALSE(WriteFileSafely(blocked, "x"));
  EXPECT_EQ(ReadBytes(blocked / "inside"), "kept");
  EXPECT_EQ(FolderNames(folder.Path()), std::set<std::string>{"blocked.set"});
}

// A real full disk: a tiny tmpfs that has room for only a part of the new
// file. Needs root and mount rights; skipped otherwise.
class FullDisk : public ::testing::Test {
 protected:
  void SetUp() override {
#ifdef _WIN32
    GTEST_SKIP() << "needs a POSIX tmpfs mount: the full-disk save is tested on Linux";
#endif
    const std::string command = "mount -t tmpfs -o size=16k tessaro-files-test '" +
                                folder.Path().string() + "' 2>/dev/null";
    if (std::system(command.c_str()) != 0) {
      GTEST_SKIP() << "cannot mount a tmpfs on " << folder.Path()
                   << " (needs root and mount rights): the full-disk save is not tested";
    }
    mounted_ = true;
  }

  void TearDown() override {
    if (!mounted_) return;
    const std::string command = "umount '" + folder.Path().string() + "'";
    EXPECT_EQ(std::system(command.c_str()), 0) << "umount of " << folder.Path();
  }

  // Fills the file system completely, then frees one page again.
  void FillLeavingOnePage() {
    const std::string filler = (folder.Path() / "filler").string();
    const int fd = ::open(filler.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0);
    const std::string block(4096, 'f');
    off_t size = 0;
    for (;;) {
      const ssize_t written = ::write(fd, block.data(), block.size());
      if (written <= 0) break;
      size += written;
    }
    ASSERT_GE(size, 4096);
    ASSERT_EQ(::ftruncate(fd, (size / 4096 - 1) * 4096), 0);
    ::close(fd);
  }

  std::uintmax_t FreeBytes() const { return fs::space(folder.Path()).available; }

  TestFolder folder;
  SettingsStore store;
  ProgramSettings settings;
  FakeSettingsScreen screen{store};
  SettingsFiles files{folder.Path(), store, settings, screen};

 private:
  bool mounted_ = false;
};

TEST_F(FullDisk, SaveThatDoesNotFitKeepsTheOldFile) {
  struct Row {
    const char* name;
    fs::path target;
    std::function<void()> saveOld;
    std::function<void()> saveNew;  // content of about 12 KB
  };
  const fs::path cfg = folder.Path() / "Instellingen.cfg";
  const std::vector<Row> rows = {
      {"unit settings file", cfg,
       [&] {
         screen.controls[150] = "old";
         files.WriteSettingsFile(cfg);
       },
       [&] {
         for (int item = 150; item < 250; ++item) screen.controls[item] = std::string(120, 'n');
         files.WriteSettingsFile(cfg);
       }},
      {"program settings file", files.ProgramSettingsPath(),
       [&] {
         settings.SetPath = "old";
         files.WriteProgramSettings();
       },
       [&] {
         settings.SetPath = std::string(12000, 'n');
         files.WriteProgramSettings();
       }},
      {"safe writer itself", folder.Path() / "plain.set",
       [&] { ASSERT_TRUE(WriteFileSafely(folder.Path() / "plain.set", "old")); },
       [&] { EXPECT_FALSE(WriteFileSafely(folder.Path() / "plain.set", std::string(12000, 'n'))); }},
  };
  for (const Row& row : rows) {
    row.saveOld();
    const std::string old = ReadBytes(row.target);
    ASSERT_FALSE(old.empty()) << row.name;

    FillLeavingOnePage();
    ASSERT_GT(FreeBytes(), 0u) << row.name;
    ASSERT_LT(FreeBytes(), 12000u) << row.name << ": the new file must not fit";

    row.saveNew();

    EXPECT_EQ(ReadBytes(row.target), old) << row.name;
    EXPECT_EQ(FolderNames(folder.Path()),
              (std::set<std::string>{row.target.filename().string(), "filler"}))
        << row.name << ": no temporary file may be left";
    fs::remove(row.target);
    fs::remove(folder.Path() / "filler");
  }
}

#ifdef _WIN32

// The Windows save: a new file beside the target, moved over it with
// MoveFileExW, and deleted again when the move is refused.
struct WindowsSaveCase {
  const char* name;
  std::function<fs::path(const fs::path& folder)> prepare;  // gives the target
  bool saved;
  std::set<std::string> namesAfter;  // in the test folder
};
void PrintTo(const WindowsSaveCase& c, std::ostream* out) { *out << c.name; }

class WindowsSafeSave : public ::testing::TestWithParam<WindowsSaveCase> {};

TEST_P(WindowsSafeSave, ReplacesTheTargetOrLeavesItAsItWas) {
  const WindowsSaveCase& c = GetParam();
  TestFolder folder;
  const fs::path target = c.prepare(folder.Path());
  const std::string before = ReadBytes(target);

  EXPECT_EQ(WriteFileSafely(target, "new\r\n"), c.saved);

  EXPECT_EQ(ReadBytes(target), c.saved ? "new\r\n" : before);
  EXPECT_EQ(FolderNames(folder.Path()), c.namesAfter) << "no temporary file may be left";
  if (fs::exists(target)) {
    // Let the folder's removal through whatever the case set up.
    SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_NORMAL);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WindowsSafeSave,
    ::testing::Values(
        WindowsSaveCase{"ReplacesAnExistingFile",
                        [](const fs::path& folder) {
                          WriteBytes(folder / "a.set", "old and longer\r\n");
                          return folder / "a.set";
                        },
                        true, {"a.set"}},
        WindowsSaveCase{"RefusesAReadOnlyTarget",
                        [](const fs::path& folder) {
                          WriteBytes(folder / "a.set", "old\r\n");
                          SetFileAttributesW((folder / "a.set").c_str(), FILE_ATTRIBUTE_READONLY);
                          return folder / "a.set";
                        },
                        false, {"a.set"}},
        WindowsSaveCase{"FailsInAMissingFolder",
                        [](const fs::path& folder) { return folder / "missing" / "a.set"; },
                        false, {}}),
    [](const auto& info) { return std::string(info.param.name); });

// A target held open by another program without leave to delete it (an
// editor, a virus scanner) cannot be replaced; the old file stays whole.
TEST(WindowsSafeSaveOpenTarget, FailsAndKeepsTheOldFile) {
  TestFolder folder;
  const fs::path target = folder.Path() / "a.set";
  WriteBytes(target, "old\r\n");
  const HANDLE held = CreateFileW(target.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);

  EXPECT_FALSE(WriteFileSafely(target, "new\r\n"));

  CloseHandle(held);
  EXPECT_EQ(ReadBytes(target), "old\r\n");
  EXPECT_EQ(FolderNames(folder.Path()), std::set<std::string>{"a.set"});
}

#endif

}  // namespace
}  // namespace tessaro

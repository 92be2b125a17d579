#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "core/ProgramSettings.h"
#include "messages/MessageLog.h"
#include "tests/support/FileBytes.h"
#include "tests/support/FixedClock.h"
#include "tests/support/TestFolder.h"

namespace tessaro {
namespace {

namespace fs = std::filesystem;
using testing::FixedClock;
using testing::ReadBytes;
using testing::TestFolder;
using testing::WriteBytes;

LocalDateTime At(int day, int month, int year, int hour, int minute, int second) {
  return {year, month, day, hour, minute, second};
}

class LogFile : public ::testing::Test {
 protected:
  LogFile() {
    settings.Logfile = 2;
    clock.now = At(14, 3, 2026, 14, 3, 7);
  }

  fs::path LogFolder() const { return folder.Path() / "Log"; }

  TestFolder folder;
  FixedClock clock;
  ProgramSettings settings;
  MessageLog log{folder.Path(), clock, settings};
};

struct LineRow {
  const char* name;
  LocalDateTime when;
  std::string text;
  std::string line;
};

TEST_F(LogFile, LineIsTimeBlankAndText) {
  const std::vector<LineRow> rows = {
      {"afternoon", At(14, 3, 2026, 14, 3, 7), "Comport closed by software",
       "14:03:07 Comport closed by software"},
      {"single digits padded", At(14, 3, 2026, 9, 5, 7), "x", "09:05:07 x"},
      {"midnight", At(14, 3, 2026, 0, 0, 0), "x", "00:00:00 x"},
      {"last second of the day", At(14, 3, 2026, 23, 59, 59), "x", "23:59:59 x"},
      {"empty text keeps the blank", At(14, 3, 2026, 8, 0, 1), "", "08:00:01 "},
      {"text kept unchanged", At(14, 3, 2026, 8, 0, 1), "  a  b  ", "08:00:01   a  b  "},
  };
  std::string expectedFile;
  for (const auto& row : rows) {
    clock.now = row.when;
    log.LogMessage(row.text);
    EXPECT_EQ(log.MessageLines()[static_cast<size_t>(log.MessageLineCount() - 1)], row.line)
        << row.name;
    expectedFile += row.line + "\r\n";
  }
  EXPECT_EQ(ReadBytes(LogFolder() / "14032026.log"), expectedFile);
}

struct NameRow {
  LocalDateTime when;
  std::string fileName;
};

TEST_F(LogFile, FileIsNamedDayMonthFourDigitYear) {
  const std::vector<NameRow> rows = {
      {At(5, 3, 2026, 12, 0, 0), "05032026.log"},
      {At(31, 12, 2026, 12, 0, 0), "31122026.log"},
      {At(1, 1, 2027, 12, 0, 0), "01012027.log"},
      {At(9, 10, 999, 12, 0, 0), "09100999.log"},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(log.LogFilePath(row.when), LogFolder() / row.fileName);
    clock.now = row.when;
    log.LogMessage("dated");
    EXPECT_EQ(ReadBytes(LogFolder() / row.fileName), "12:00:00 dated\r\n") << row.fileName;
  }
}

TEST_F(LogFile, LinesAcrossMidnightGoToTwoFiles) {
  clock.now = At(31, 12, 2026, 23, 59, 59);
  log.LogMessage("old year");
  clock.now = At(1, 1, 2027, 0, 0, 0);
  log.LogMessage("new year");

  EXPECT_EQ(ReadBytes(LogFolder() / "31122026.log"), "23:59:59 old year\r\n");
  EXPECT_EQ(ReadBytes(LogFolder() / "01012027.log"), "00:00:00 new year\r\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(LogFolder()), fs::directory_iterator()), 2);
}

TEST_F(LogFile, AppendsToWhatTheFileAlreadyHolds) {
  fs::create_directory(LogFolder());
  WriteBytes(LogFolder() / "14032026.log", "earlier run\r\n");
  log.LogMessage("one");
  log.LogMessage("two");
  EXPECT_EQ(ReadBytes(LogFolder() / "14032026.log"),
            "earlier run\r\n14:03:07 one\r\n14:03:07 two\r\n");
}

TEST_F(LogFile, MissingLogFolderIsCreatedByTheFirstLine) {
  ASSERT_FALSE(fs::exists(LogFolder()));
  log.LogMessage("first");
  EXPECT_TRUE(fs::is_directory(LogFolder()));
  EXPECT_EQ(ReadBytes(LogFolder() / "14032026.log"), "14:03:07 first\r\n");
}

TEST_F(LogFile, LogfileZeroLeavesNoTrace) {
  settings.Logfile = 0;
  int heard = 0;
  log.SetLineListener([&](const std::string&) { ++heard; });
  log.LogMessage("nothing");
  EXPECT_EQ(log.MessageLineCount(), 0);
  EXPECT_EQ(heard, 0);
  EXPECT_FALSE(fs::exists(LogFolder()));
  EXPECT_TRUE(fs::is_empty(folder.Path()));
}

TEST_F(LogFile, Windows1252BytesAreWrittenUnchanged) {
  const std::string text = "Stra\xDF" "e caf\xE9 \x80 \xFF";
  log.LogMessage(text);
  EXPECT_EQ(log.MessageLines()[0], "14:03:07 " + text);
  EXPECT_EQ(ReadBytes(LogFolder() / "14032026.log"), "14:03:07 " + text + "\r\n");
}

struct FailureRow {
  const char* name;
  // Prepares the folder so that the day's file cannot be written.
  std::function<void(const fs::path& programFolder, const fs::path& logFile)> spoil;
};

TEST(LogFileFailure, UnwritableLogNeverThrowsAndKeepsTheLine) {
  const std::vector<FailureRow> rows = {
      {"day's log path is a folder",
       [](const fs::path&, const fs::path& logFile) { fs::create_directories(logFile); }},
      {"Log is a plain file",
       [](const fs::path& program, const fs::path&) { WriteBytes(program / "Log", "x"); }},
      {"program folder is gone",
       [](const fs::path& program, const fs::path&) { fs::remove_all(program); }},
  };
  for (const auto& row : rows) {
    TestFolder folder;
    FixedClock clock;
    clock.now = At(14, 3, 2026, 14, 3, 7);
    ProgramSettings settings;
    settings.Logfile = 2;
    const fs::path program = folder.Path() / "program";
    fs::create_directory(program);
    MessageLog log{program, clock, settings};
    row.spoil(program, log.LogFilePath(clock.now));

    EXPECT_NO_THROW(log.LogMessage("kept")) << row.name;
    EXPECT_NO_THROW(log.LogMessage("kept too")) << row.name;
    EXPECT_EQ(log.MessageLineCount(), 2) << row.name;
    EXPECT_EQ(log.MessageLines()[1], "14:03:07 kept too") << row.name;
    EXPECT_FALSE(fs::is_regular_file(log.LogFilePath(clock.now))) << row.name;
  }
}

TEST_F(LogFile, ReadOnlyLogFileNeverThrowsAndKeepsTheLine) {
  const fs::path file = LogFolder() / "14032026.log";
  fs::create_directory(LogFolder());
  WriteBytes(file, "before\r\n");
  fs::permissions(file, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  if (std::ofstream(file, std::ios::binary | std::ios::app).is_open()) {
    GTEST_SKIP() << "file modes are not enforced for this user (e.g. root); the unwritable "
                    "cases are covered by LogFileFailure";
  }
  EXPECT_NO_THROW(log.LogMessage("kept"));
  EXPECT_EQ(log.MessageLineCount(), 1);
  EXPECT_EQ(log.MessageLines()[0], "14:03:07 kept");
  EXPECT_EQ(ReadBytes(file), "before\r\n");
}

}  // namespace
}  // namespace tessaro

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FilesTestSupport.h"
#include "core/ProgramSettings.h"
#include "files/SettingsFiles.h"

namespace tessaro {
namespace {

namespace fs = std::filesystem;
using testing::FakeSettingsScreen;
using testing::FolderNames;
using testing::ReadBytes;
using testing::TestFolder;
using testing::WriteBytes;

ProgramSettings Settings(int16_t compoort, int16_t logfile, std::string setPath, int16_t unitType,
                         int16_t taal, int16_t caseValue) {
  ProgramSettings settings;
  settings.Compoort = compoort;
  settings.Logfile = logfile;
  settings.SetPath = std::move(setPath);
  settings.UnitType = unitType;
  settings.Taal = taal;
  settings.Case = caseValue;
  return settings;
}

void ExpectSettings(const ProgramSettings& actual, const ProgramSettings& expected,
                    const std::string& context) {
  EXPECT_EQ(actual.Compoort, expected.Compoort) << context;
  EXPECT_EQ(actual.Logfile, expected.Logfile) << context;
  EXPECT_EQ(actual.SetPath, expected.SetPath) << context;
  EXPECT_EQ(actual.UnitType, expected.UnitType) << context;
  EXPECT_EQ(actual.Taal, expected.Taal) << context;
  EXPECT_EQ(actual.Case, expected.Case) << context;
}

class ProgramSettingsFile : public ::testing::Test {
 protected:
  // Settings from before the read, so that a read visibly replaces them.
  static ProgramSettings Earlier() { return Settings(9, 9, "earlier", 9, 9, 9); }

  fs::path FilePath() const { return folder.Path() / "TessaroIP.set"; }

  TestFolder folder;
  SettingsStore store;
  ProgramSettings settings = Earlier();
  FakeSettingsScreen screen{store};
  SettingsFiles files{folder.Path(), store, settings, screen};
};

TEST_F(ProgramSettingsFile, WritesSixExactLines) {
  // COM3, logging on, German, guide switched off.
  settings = Settings(2, 2, "C:\\Tessaro\\Mijn instellingen", 3, 2, 1);
  files.WriteProgramSettings();
  EXPECT_EQ(files.ProgramSettingsPath(), FilePath());
  EXPECT_EQ(ReadBytes(FilePath()),
            "0        Compoort ->2\r\n"
            "1      Logfile ->2\r\n"
            "2       SetPath ->C:\\Tessaro\\Mijn instellingen\r\n"
            "3       UnitType ->3\r\n"
            "4       Taal ->2\r\n"
            "5       Case ->1\r\n");
}

TEST_F(ProgramSettingsFile, RoundTrip) {
  const std::vector<std::pair<const char*, ProgramSettings>> rows = {
      {"blanks in SetPath", Settings(0, 2, "D:\\Gegevens\\Tessaro instellingen", 3, 1, 0)},
      {"Windows-1252 bytes in SetPath", Settings(4, 2, "D:\\Caf\xe9 \x80\\\xc4rger\xdf", 3, 3, 1)},
      {"arrow, comma and outer blanks", Settings(1, 0, "  E:\\a->b, c  ", 3, 0, 0)},
      {"empty SetPath", Settings(29, 2, "", 3, 2, 0)},
      {"negative and extreme numbers", Settings(-1, -32768, "x", 32767, -5, -1)},
  };
  for (const auto& [name, written] : rows) {
    settings = written;
    files.WriteProgramSettings();
    settings = Earlier();
    files.ReadProgramSettings();
    ExpectSettings(settings, written, name);
  }
}

TEST_F(ProgramSettingsFile, MissingFileGivesZerosAndEmptyPath) {
  files.ReadProgramSettings();
  ExpectSettings(settings, Settings(0, 0, "", 0, 0, 0), "missing file");
  EXPECT_TRUE(FolderNames(folder.Path()).empty()) << "reading creates nothing";
}

TEST_F(ProgramSettingsFile, ReadsByLineNumberAlone) {
  struct Row {
    const char* name;
    std::string bytes;
    ProgramSettings expected;
  };
  const std::vector<Row> rows = {
      {"Taal 7 is kept as read", "4       Taal ->7\r\n", Settings(0, 0, "", 0, 7, 0)},
      {"other order and other keys", "5 Foo ->1\r\n2 Pad ->D:\\x y\r\n0 Poort ->4\r\n",
       Settings(4, 0, "D:\\x y", 0, 0, 1)},
      {"empty SetPath", "2       SetPath ->\r\n3       UnitType ->3\r\n",
       Settings(0, 0, "", 3, 0, 0)},
      {"LF only", "0 ->1\n2 ->p\n4 ->2\n", Settings(1, 0, "p", 0, 2, 0)},
      {"CR only", "0 ->1\r2 ->p\r4 ->2\r", Settings(1, 0, "p", 0, 2, 0)},
      {"line without arrow repeats nothing", "0        Compoort ->3\r\n1      Logfile 2\r\n",
       Settings(3, 0, "", 0, 0, 0)},
      {"halves go to the even neighbour", "0 ->2.5\r\n1 ->3.5\r\n5 ->-0.5\r\n",
       Settings(2, 4, "", 0, 0, 0)},
      {"blanks and letters", "3 -> 5\r\n4 ->2abc\r\n5 ->abc\r\n", Settings(0, 0, "", 5, 2, 0)},
      {"lines after -1 are not read", "0 ->1\r\n-1 ->x\r\n4 ->2\r\n", Settings(1, 0, "", 0, 0, 0)},
      {"later line wins", "4 ->1\r\n4 ->3\r\n", Settings(0, 0, "", 0, 3, 0)},
  };
  for (const Row& row : rows) {
    WriteBytes(FilePath(), row.bytes);
    settings = Earlier();
    files.ReadProgramSettings();
    ExpectSettings(settings, row.expected, row.name);
  }
}

// A number beyond 16 bits cannot be taken: that one setting keeps its value
// from before the read, the other lines still count.
TEST_F(ProgramSettingsFile, NumberBeyond16BitsLeavesThatSettingAlone) {
  struct Row {
    int line;
    const char* bad;
    int16_t ProgramSettings::*setting;
  };
  const std::vector<Row> rows = {
      {0, "40000", &ProgramSettings::Compoort}, {1, "-32769", &ProgramSettings::Logfile},
      {3, "99999999", &ProgramSettings::UnitType}, {4, "32767.5", &ProgramSettings::Taal},
      {5, "40000", &ProgramSettings::Case},
  };
  for (const Row& row : rows) {
    std::vector<std::string> values = {"1", "2", "pad", "3", "4", "5"};
    values[row.line] = row.bad;
    std::string bytes;
    for (int line = 0; line < 6; ++line) bytes += std::to_string(line) + " ->" + values[line] + "\r\n";
    WriteBytes(FilePath(), bytes);

    settings = Earlier();
    files.ReadProgramSettings();

    ProgramSettings expected = Settings(1, 2, "pad", 3, 4, 5);
    expected.*row.setting = 9;
    ExpectSettings(settings, expected, "line " + std::to_string(row.line) + " holds " + row.bad);
  }
}

// A line break inside SetPath must not split its record, or the rest of the
// path could be read as another setting.
TEST_F(ProgramSettingsFile, LineBreaksInSetPathBecomeBlanks) {
  settings = Settings(0, 2, "C:\\a\r\nb\n4       Taal ->3\rc", 3, 1, 0);
  files.WriteProgramSettings();
  EXPECT_EQ(ReadBytes(FilePath()),
            "0        Compoort ->0\r\n"
            "1      Logfile ->2\r\n"
            "2       SetPath ->C:\\a b 4       Taal ->3 c\r\n"
            "3       UnitType ->3\r\n"
            "4       Taal ->1\r\n"
            "5       Case ->0\r\n");

  settings = Earlier();
  files.ReadProgramSettings();
  ExpectSettings(settings, Settings(0, 2, "C:\\a b 4       Taal ->3 c", 3, 1, 0), "read back");
}

TEST_F(ProgramSettingsFile, FailedSaveIsSilentAndKeepsSettings) {
  const fs::path missing = folder.Path() / "gone";
  SettingsFiles elsewhere{missing, store, settings, screen};
  settings = Settings(2, 2, "p", 3, 1, 1);
  elsewhere.WriteProgramSettings();
  EXPECT_FALSE(fs::exists(missing));
  ExpectSettings(settings, Settings(2, 2, "p", 3, 1, 1), "settings in memory");
}

}  // namespace
}  // namespace tessaro

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "FilesTestSupport.h"
#include "tests/support/ItemValueAssertions.h"
#include "core/ProgramSettings.h"
#include "files/SettingsFiles.h"

namespace tessaro {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
using testing::AllUnitItems;
using testing::FakeDialogs;
using testing::FakeSettingsScreen;
using testing::FolderNames;
using testing::ReadBytes;
using testing::TestFolder;
using testing::UnitFileBytes;
using testing::WriteBytes;

class UnitSettingsFile : public ::testing::Test {
 protected:
  UnitSettingsFile() { FillStore(); }

  // Values left over from earlier work, so that a load visibly replaces them.
  void FillStore() {
    for (int item = 0; item < ItemCount; ++item) {
      store.ItemValues[item] = ItemValue("before " + std::to_string(item));
      store.UnitValues[item] = ItemValue(item);
      store.FileValues[item] = ItemValue(item + 0.25);
    }
  }

  // Loads a file; item 250 is in no file, so the load must leave it as FileValues had it.
  void Load(const fs::path& path) {
    item250BeforeLoad_ = store.FileValues[250];
    screen.shown.clear();
    files.ReadSettingsFile(path);
  }
  void LoadDefaults() {
    item250BeforeLoad_ = store.FileValues[250];
    screen.shown.clear();
    files.ReadDefaultSettings();
  }

  fs::path CfgPath() const { return folder.Path() / "Instellingen.cfg"; }

  // Items 0..249 as a load must leave them: the named values, else 0 or "".
  static std::array<ItemValue, ItemCount> Loaded(const std::map<int, LiteralValue>& values) {
    std::array<ItemValue, ItemCount> expected{};
    for (int item = 0; item <= LastUnitItem; ++item) {
      const auto found = values.find(item);
      expected[item] = found != values.end() ? found->second.value
                       : item < 150          ? ItemValue(0)
                                             : ItemValue(std::string());
    }
    return expected;
  }

  // What every successful load does besides filling the items.
  void ExpectLoaded(const std::array<ItemValue, ItemCount>& expected, const std::string& context) {
    EXPECT_TRUE(dialogs.errors.empty()) << context;
    for (int item = 0; item <= LastUnitItem; ++item) {
      EXPECT_EQ(store.ItemValues[item], expected[item]) << context << ": item " << item;
      EXPECT_EQ(screen.controls[item], expected[item]) << context << ": control " << item;
    }
    EXPECT_EQ(store.FileValues, store.ItemValues) << context;
    EXPECT_EQ(store.ItemValues[250], item250BeforeLoad_) << context << ": item 250 is not in a file";
    EXPECT_TRUE(std::all_of(store.UnitValues.begin(), store.UnitValues.end(),
                            [](const ItemValue& value) { return value == ItemValue(-1); }))
        << context;
    EXPECT_EQ(screen.shown, AllUnitItems()) << context;
  }

  TestFolder folder;
  SettingsStore store;
  ProgramSettings settings;
  FakeSettingsScreen screen{store};
  FakeDialogs dialogs;
  SettingsFiles files{folder.Path(), store, settings, screen, dialogs};

 private:
  ItemValue item250BeforeLoad_;
};

TEST_F(UnitSettingsFile, WritesTheScreenAsExactly250Lines) {
  screen.controls[0] = 3;
  screen.controls[5] = "2";
  screen.controls[7] = 7.5;
  screen.controls[8] = 6.5;
  screen.controls[9] = -2.5;
  screen.controls[31] = "192";
  screen.controls[32] = "abc";
  screen.controls[33] = " 17x";
  screen.controls[100] = 32767;
  screen.controls[101] = -32768;
  screen.controls[150] = "ABC";
  screen.controls[151] = "a b->c";
  screen.controls[152] = "Caf\xe9 \x80";
  screen.controls[249] = "last";
  screen.controls[250] = "never saved";

  files.WriteSettingsFile(CfgPath());

  const std::string bytes = ReadBytes(CfgPath());
  EXPECT_EQ(bytes, UnitFileBytes({{0, "3"},
                                  {5, "2"},
                                  {7, "8"},
                                  {8, "6"},
                                  {9, "-2"},
                                  {31, "192"},
                                  {32, "0"},
                                  {33, "17"},
                                  {100, "32767"},
                                  {101, "-32768"},
                                  {150, "ABC"},
                                  {151, "a b->c"},
                                  {152, "Caf\xe9 \x80"},
                                  {249, "last"}}));
  EXPECT_EQ(bytes.substr(0, 20), "0    ->3\r\n1    ->0\r\n");
  EXPECT_NE(bytes.find("\r\n5    ->2\r\n"), std::string::npos);
  EXPECT_TRUE(bytes.ends_with("\r\n249    ->last\r\n"));

  EXPECT_EQ(screen.taken, AllUnitItems());
  EXPECT_EQ(store.ItemValues[7], ItemValue(7.5)) << "the store keeps the unrounded value";
  EXPECT_EQ(store.FileValues, store.ItemValues) << "item 250 is copied too";
  EXPECT_EQ(FolderNames(folder.Path()), std::set<std::string>{"Instellingen.cfg"});
}

TEST_F(UnitSettingsFile, RoundTripKeepsNumbersAndTexts) {
  screen.controls[0] = 4;
  screen.controls[41] = 24;
  screen.controls[120] = -300;
  screen.controls[150] = "00:11:22:33:44:55";
  screen.controls[151] = "  leading and trailing blanks  ";
  screen.controls[152] = "Stra\xdf" "e \xe9\xe8\x80 ->,;\"'";
  files.WriteSettingsFile(CfgPath());

  for (auto& control : screen.controls) control = "edited after the save";
  Load(CfgPath());

  ExpectLoaded(Loaded({{0, 4},
                       {41, 24},
                       {120, -300},
                       {150, "00:11:22:33:44:55"},
                       {151, "  leading and trailing blanks  "},
                       {152, "Stra\xdf" "e \xe9\xe8\x80 ->,;\"'"}}),
               "round trip");
}

struct LoadRow {
  const char* name;
  std::string bytes;
  std::map<int, LiteralValue> values;
};

std::string TenMegabytes() {
  std::string bytes;
  const std::string ignored = "4000    ->" + std::string(200, '9') + "\r\n";
  const std::string text = "200    ->" + std::string(100, 'x') + "\r\n";
  while (bytes.size() < 10 * 1024 * 1024) bytes += ignored + text;
  return bytes + "7    ->3\r\n200    ->end\r\n";
}

TEST_F(UnitSettingsFile, LoadsWhatTheLinesSay) {
  const std::vector<LoadRow> rows = {
      {"only line 7", "7    ->3\r\n", {{7, 3}}},
      {"12, one blank, arrow", "12 ->5\r\n", {{12, 5}}},
      {"later line wins", "5    ->1\r\n5    ->2\r\n", {{5, 2}}},
      {"ignored numbers and the end at -1",
       "1    ->4\r\n299    ->9\r\n4000    ->9\r\n99999    ->9\r\n-1    ->9\r\n2    ->9\r\n",
       {{1, 4}}},
      {"text holding an arrow", "150    ->a->b\r\n", {{150, "a->b"}}},
      {"a fraction stays a fraction", "7    ->7.5\r\n", {{7, 7.5}}},
      {"16-bit limits load", "100    ->32767\r\n101    ->-32768\r\n102    ->32767.4\r\n",
       {{100, 32767}, {101, -32768}, {102, 32767.4}}},
      {"blanks and letters", "31    -> 12abc\r\n32    ->abc\r\n160    -> a b \r\n",
       {{31, 12}, {32, 0}, {160, " a b "}}},
      {"line order free", "160    ->z\r\n3    ->1\r\n0    ->2\r\n", {{160, "z"}, {3, 1}, {0, 2}}},
      {"LF only", "1    ->5\n150    ->t\n", {{1, 5}, {150, "t"}}},
      {"CR only", "1    ->5\r150    ->t\r", {{1, 5}, {150, "t"}}},
      {"line without arrow repeats nothing", "5    ->1\r\n6    7\r\n150    ->t\r\n151\r\n",
       {{5, 1}, {150, "t"}}},
      {"lines 250 to 298 are not used", "250    ->x\r\n298    ->y\r\n", {}},
      {"empty file", "", {}},
      {"binary garbage", "\x00\xff->7\x00z\r\n151 \xff\xfe->\x00\x01\x02\r\n\x80\x81\x82\r\n"s,
       {{0, 7}, {151, "\x00\x01\x02"s}}},
      {"one very long line", "200    ->" + std::string(2 * 1024 * 1024, 'y'),
       {{200, std::string(2 * 1024 * 1024, 'y')}}},
      {"10 MB file", TenMegabytes(), {{7, 3}, {200, "end"}}},
  };
  for (const LoadRow& row : rows) {
    FillStore();
    WriteBytes(CfgPath(), row.bytes);
    Load(CfgPath());
    ExpectLoaded(Loaded(row.values), row.name);
  }
}

TEST_F(UnitSettingsFile, MissingFileLoadsAsEmptyWithoutMessage) {
  Load(folder.Path() / "NieuweInstellingen.cfg");
  ExpectLoaded(Loaded({}), "missing file");
}

TEST_F(UnitSettingsFile, EmptyPathDoesNothing) {
  const SettingsStore before = store;
  files.ReadSettingsFile("");
  files.WriteSettingsFile("");
  EXPECT_EQ(store.ItemValues, before.ItemValues);
  EXPECT_EQ(store.UnitValues, before.UnitValues);
  EXPECT_EQ(store.FileValues, before.FileValues);
  EXPECT_TRUE(screen.shown.empty());
  EXPECT_TRUE(screen.taken.empty());
  EXPECT_TRUE(FolderNames(folder.Path()).empty());
}

TEST_F(UnitSettingsFile, DefaultsFileLivesInTheProgramFolder) {
  screen.controls[10] = 3;
  screen.controls[153] = "255.255.255.0";
  files.WriteDefaultSettings();
  EXPECT_EQ(files.DefaultSettingsPath(), folder.Path() / "default.set");
  EXPECT_EQ(ReadBytes(folder.Path() / "default.set"),
            UnitFileBytes({{10, "3"}, {153, "255.255.255.0"}}));

  LoadDefaults();
  ExpectLoaded(Loaded({{10, 3}, {153, "255.255.255.0"}}), "defaults file");
}

// A line break inside a text must not split its record: the second half
// would be read as a line of its own and could set another item.
TEST_F(UnitSettingsFile, LineBreaksInsideTextsBecomeBlanks) {
  screen.controls[7] = 1;
  screen.controls[150] = "a\r\nb";
  screen.controls[151] = "c\nd";
  screen.controls[152] = "e\rf";
  screen.controls[153] = "g\r\r\nh";
  screen.controls[154] = "x\r\n7    ->9\r\n";
  files.WriteSettingsFile(CfgPath());

  const std::string bytes = ReadBytes(CfgPath());
  EXPECT_EQ(bytes, UnitFileBytes({{7, "1"},
                                  {150, "a b"},
                                  {151, "c d"},
                                  {152, "e f"},
                                  {153, "g  h"},
                                  {154, "x 7    ->9 "}}));

  Load(CfgPath());
  ExpectLoaded(Loaded({{7, 1},
                       {150, "a b"},
                       {151, "c d"},
                       {152, "e f"},
                       {153, "g  h"},
                       {154, "x 7    ->9 "}}),
               "read back");
}

enum class Reader { ChosenFile, DefaultsFile };

struct OutOfRangeRow {
  const char* name;
  Reader reader;
  std::string bytes;
};

// A number beyond 16 bits cannot be taken into the store: the whole file is
// refused before anything changes.
TEST_F(UnitSettingsFile, NumberBeyond16BitsLoadsNothing) {
  const std::string huge(400, '9');  // beyond even a double
  const std::vector<OutOfRangeRow> rows = {
      {"chosen file, 40000", Reader::ChosenFile, "1    ->1\r\n5    ->40000\r\n150    ->t\r\n"},
      {"chosen file, -32769", Reader::ChosenFile, "100    ->-32769\r\n"},
      {"chosen file, 32767.5 rounds to 32768", Reader::ChosenFile, "149    ->32767.5\r\n"},
      {"chosen file, 400 digits", Reader::ChosenFile, "0    ->" + huge + "\r\n"},
      {"defaults file, 40000", Reader::DefaultsFile, "5    ->40000\r\n"},
      {"defaults file, 400 digits", Reader::DefaultsFile, "149    ->-" + huge + "\r\n"},
  };
  for (const OutOfRangeRow& row : rows) {
    FillStore();
    dialogs.errors.clear();
    screen.shown.clear();
    for (auto& control : screen.controls) control = "on screen";
    const SettingsStore before = store;
    const auto controlsBefore = screen.controls;

    if (row.reader == Reader::ChosenFile) {
      WriteBytes(CfgPath(), row.bytes);
      files.ReadSettingsFile(CfgPath());
    } else {
      WriteBytes(files.DefaultSettingsPath(), row.bytes);
      files.ReadDefaultSettings();
    }

    ASSERT_EQ(dialogs.errors.size(), 1u) << row.name;
    EXPECT_EQ(dialogs.errors[0].first, "Fout bij verwerken instellingen-file") << row.name;
    EXPECT_EQ(dialogs.errors[0].second, "Tessaro-IP van Tornak") << row.name;
    EXPECT_EQ(store.ItemValues, before.ItemValues) << row.name;
    EXPECT_EQ(store.UnitValues, before.UnitValues) << row.name;
    EXPECT_EQ(store.FileValues, before.FileValues) << row.name;
    EXPECT_TRUE(screen.shown.empty()) << row.name;
    EXPECT_EQ(screen.controls, controlsBefore) << row.name;
  }
}

TEST_F(UnitSettingsFile, FailedSavesLeaveNothingBehind) {
  screen.controls[5] = 2;

  const fs::path missing = folder.Path() / "missing" / "x.cfg";
  files.WriteSettingsFile(missing);
  EXPECT_FALSE(fs::exists(missing.parent_path()));
  EXPECT_EQ(store.FileValues[5], ItemValue(2)) << "the store is brought up to date all the same";

  // A folder where the file should be: the new file cannot replace it.
  const fs::path blocked = folder.Path() / "blocked.cfg";
  fs::create_directory(blocked);
  WriteBytes(blocked / "inside", "kept");
  files.WriteSettingsFile(blocked);
  EXPECT_TRUE(fs::is_directory(blocked));
  EXPECT_EQ(ReadBytes(blocked / "inside"), "kept");
  EXPECT_EQ(FolderNames(folder.Path()), std::set<std::string>{"blocked.cfg"});
}

// A screen number beyond 16 bits cannot be written back; the save is dropped
// rather than writing a wrong value, and the old file stays.
TEST_F(UnitSettingsFile, NumberBeyond16BitsKeepsTheOldFile) {
  files.WriteSettingsFile(CfgPath());
  const std::string old = ReadBytes(CfgPath());

  screen.controls[5] = "40000";
  screen.controls[150] = "new text";
  files.WriteSettingsFile(CfgPath());

  EXPECT_EQ(ReadBytes(CfgPath()), old);
  EXPECT_EQ(FolderNames(folder.Path()), std::set<std::string>{"Instellingen.cfg"});
}

}  // namespace
}  // namespace tessaro

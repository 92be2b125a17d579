#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <optional>
#include <map>
#include <string>
#include <vector>

#include "FilesTestSupport.h"
#include "tests/support/ItemValueAssertions.h"
#include "core/ProgramSettings.h"
#include "files/SettingsFiles.h"
#include "files/UnitSettingsFile.h"

namespace tessaro {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
using testing::AllUnitItems;
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
    refusal = files.ReadSettingsFile(path);
  }
  void LoadDefaults() {
    item250BeforeLoad_ = store.FileValues[250];
    screen.shown.clear();
    refusal = files.ReadDefaultSettings();
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
    EXPECT_FALSE(refusal) << context << ": " << (refusal ? refusal->message : "");
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
  SettingsFiles files{folder.Path(), store, settings, screen};
  std::optional<UnitFileError> refusal;

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
  std::string bytes;  // after a whole file of zeros and empty texts
  std::map<int, LiteralValue> values;
};

std::string TenMegabytes() {
  std::string bytes;
  const std::string ignored = "4000    ->" + std::string(200, '9') + "\r\n";
  const std::string text = "200    ->" + std::string(100, 'x') + "\r\n";
  while (bytes.size() < 10 * 1024 * 1024) bytes += ignored + text;
  return bytes + "7    ->3\r\n200    ->end\r\n";
}

// Every writable item has its line in these files; what follows a whole
// file of zeros and empty texts changes it as the lines say.
TEST_F(UnitSettingsFile, LoadsWhatTheLinesSay) {
  const std::vector<LoadRow> rows = {
      {"line 7 again", "7    ->3\r\n", {{7, 3}}},
      {"12, one blank, arrow", "12 ->5\r\n", {{12, 5}}},
      {"arrow right after the number", "12->5\r\n", {{12, 5}}},
      {"later line wins", "5    ->1\r\n5    ->2\r\n", {{5, 2}}},
      {"ignored numbers and the end at -1",
       "1    ->4\r\n299    ->9\r\n4000    ->9\r\n99999    ->9\r\n-1    ->9\r\n2    ->9\r\n",
       {{1, 4}}},
      {"a negative line ends the file whatever follows", "1    ->4\r\n-3\r\nnot read\r\n", {{1, 4}}},
      {"text holding an arrow", "150    ->a->b\r\n", {{150, "a->b"}}},
      {"16-bit limits load", "100    ->32767\r\n101    ->-32768\r\n", {{100, 32767}, {101, -32768}}},
      {"blanks around numbers, texts unchanged", "31    -> 12 \r\n160    -> a b \r\n",
       {{31, 12}, {160, " a b "}}},
      {"line order free", "160    ->z\r\n3    ->1\r\n0    ->2\r\n", {{160, "z"}, {3, 1}, {0, 2}}},
      {"LF only", "1    ->5\n150    ->t\n", {{1, 5}, {150, "t"}}},
      {"CR only", "1    ->5\r150    ->t\r", {{1, 5}, {150, "t"}}},
      {"blank and empty lines carry nothing", "\r\n   \r\n\n150    ->t\r\n", {{150, "t"}}},
      {"lines 250 to 298 are not used", "250    ->x\r\n298    ->y\r\n", {}},
      {"binary in a text", "151 ->\x00\x01\x02\xff\r\n"s, {{151, "\x00\x01\x02\xff"s}}},
      {"one very long line", "200    ->" + std::string(2 * 1024 * 1024, 'y'),
       {{200, std::string(2 * 1024 * 1024, 'y')}}},
      {"10 MB file", TenMegabytes(), {{7, 3}, {200, "end"}}},
  };
  for (const LoadRow& row : rows) {
    FillStore();
    WriteBytes(CfgPath(), UnitFileBytes({}) + row.bytes);
    Load(CfgPath());
    ExpectLoaded(Loaded(row.values), row.name);
  }
}

// Files the program writes always load, whatever the screen held: any
// number a box took, a combo at either end of its list or without a selection.
TEST_F(UnitSettingsFile, EverySavedFileLoadsBack) {
  screen.comboEntries = {{21, 4}, {41, 25}};
  const std::vector<std::map<int, LiteralValue>> screens = {
      {},
      {{21, 3}, {41, 24}, {23, 999}, {34, "-3a"}, {35, 255}, {36, 255}},
      {{21, -1}, {41, -1}, {23, -32768}, {100, 32767}, {150, "->"}, {249, " "}},
  };
  for (const auto& shown : screens) {
    for (int item = 0; item <= LastUnitItem; ++item) screen.controls[item] = item < 150 ? LiteralValue(0) : "";
    for (const auto& [item, value] : shown) screen.controls[item] = value;
    files.WriteSettingsFile(CfgPath());
    const auto saved = store.FileValues;
    Load(CfgPath());
    ASSERT_FALSE(refusal) << refusal->message;
    for (int item = 0; item <= LastUnitItem; ++item) {
      const ItemValue expected = item < 150 ? ItemValue(static_cast<int>(*saved[item].NearestInteger())) : saved[item];
      EXPECT_EQ(store.ItemValues[item], expected) << "item " << item;
    }
  }
}

struct RefusalRow {
  const char* name;
  std::string bytes;
  UnitFileFault fault;
  int line;
  std::vector<int16_t> items;
};

void PrintTo(const RefusalRow& row, std::ostream* out) { *out << row.name; }

// A whole file with `line` put in place of the line of its item.
std::string WholeFileWith(int item, const std::string& line) {
  std::string bytes = UnitFileBytes({});
  const std::string old = std::to_string(item) + "    ->" + (item < 150 ? "0" : "") + "\r\n";
  const std::size_t at = bytes.find("\n" + old) + 1;
  return bytes.replace(at, old.size(), line + "\r\n");
}

std::vector<RefusalRow> RefusalRows() {
  const std::string whole = UnitFileBytes({});
  const std::string cutAfter21 = whole.substr(0, whole.find("\r\n22    ->") + 2);
  return {
      {"two lines of text", "hello\nworld\n", UnitFileFault::NotASetting, 1, {}},
      {"binary", "\x00\xff->7\x00z\r\n\x80\x81\r\n"s, UnitFileFault::NotASetting, 1, {}},
      {"empty", "", UnitFileFault::NoSettings, 0, {}},
      {"only line ends and blanks", "\r\n\n  \r\r\n", UnitFileFault::NoSettings, 0, {}},
      {"cut after item 21", cutAfter21, UnitFileFault::ItemsMissing, 0, {22, 23, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40, 41}},
      {"cut inside the line of item 22", cutAfter21 + "2", UnitFileFault::NotASetting, 23, {}},
      {"only line 7", "7    ->3\r\n", UnitFileFault::ItemsMissing, 0,
       {0, 5, 10, 11, 12, 13, 14, 15, 17, 18, 19, 20, 21, 22, 23, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40, 41}},
      {"a line without arrow", WholeFileWith(6, "6    7"), UnitFileFault::NotASetting, 7, {}},
      {"a number after blanks", WholeFileWith(3, "  3    ->1"), UnitFileFault::NotASetting, 4, {}},
      {"a second line the lines end split", "0    ->0\r\r\n\n5   x->1\r\n", UnitFileFault::NotASetting, 4, {}},
      {"letters after a number", WholeFileWith(31, "31    -> 12abc"), UnitFileFault::NotAWholeNumber, 32, {31}},
      {"letters for a number", WholeFileWith(32, "32    ->abc"), UnitFileFault::NotAWholeNumber, 33, {32}},
      {"no number at all", WholeFileWith(23, "23    ->"), UnitFileFault::NotAWholeNumber, 24, {23}},
      {"a fraction", WholeFileWith(7, "7    ->7.5"), UnitFileFault::NotAWholeNumber, 8, {7}},
      {"beyond 16 bits", WholeFileWith(5, "5    ->40000"), UnitFileFault::NotAWholeNumber, 6, {5}},
      {"400 digits", WholeFileWith(149, "149    ->-" + std::string(400, '9')), UnitFileFault::NotAWholeNumber, 150, {149}},
      {"beyond its list", WholeFileWith(21, "21    ->7"), UnitFileFault::NotOffered, 22, {21}},
      {"the earliest of two faults", WholeFileWith(41, "41    ->x") + "21    ->4\r\n", UnitFileFault::NotAWholeNumber, 42, {41}},
  };
}

class UnitSettingsFileRefusals : public UnitSettingsFile, public ::testing::WithParamInterface<RefusalRow> {};

// Nothing is taken from a file that is not a unit settings file as the
// program writes it: store and screen keep what they held.
TEST_P(UnitSettingsFileRefusals, LoadNothingAndSayWhere) {
  screen.comboEntries = {{21, 4}};
  for (auto& control : screen.controls) control = "on screen";
  const SettingsStore before = store;
  const auto controlsBefore = screen.controls;

  for (const bool defaults : {false, true}) {
    const fs::path path = defaults ? files.DefaultSettingsPath() : CfgPath();
    WriteBytes(path, GetParam().bytes);
    const auto refused = defaults ? files.ReadDefaultSettings() : files.ReadSettingsFile(path);

    ASSERT_TRUE(refused) << (defaults ? "default.set" : "chosen file");
    EXPECT_EQ(refused->fault, GetParam().fault);
    EXPECT_EQ(refused->line, GetParam().line);
    EXPECT_EQ(refused->items, GetParam().items);
    EXPECT_EQ(refused->message.rfind(path.string(), 0), 0u) << refused->message;
    if (GetParam().line > 0) {
      EXPECT_NE(refused->message.find("line " + std::to_string(GetParam().line)), std::string::npos)
          << refused->message;
    }
    EXPECT_EQ(store.ItemValues, before.ItemValues);
    EXPECT_EQ(store.UnitValues, before.UnitValues);
    EXPECT_EQ(store.FileValues, before.FileValues);
    EXPECT_TRUE(screen.shown.empty());
    EXPECT_EQ(screen.controls, controlsBefore);
  }
}

INSTANTIATE_TEST_SUITE_P(Rows, UnitSettingsFileRefusals, ::testing::ValuesIn(RefusalRows()),
                         [](const auto& info) {
                           std::string name;
                           for (const char c : std::string(info.param.name)) {
                             if (std::isalnum(static_cast<unsigned char>(c)) != 0) name += c;
                           }
                           return name;
                         });

TEST_F(UnitSettingsFile, MessagesSayWhatIsWrong) {
  struct Row {
    std::string bytes;
    std::string message;  // after the file name
  };
  screen.comboEntries = {{21, 4}};
  const std::vector<Row> rows = {
      {"hello\n", " is not a unit settings file: line 1 is not a setting."},
      {"", " is not a unit settings file: it holds no settings."},
      {WholeFileWith(23, "23    ->1\x01x"), ", line 24: item 23 must be a whole number from -32768 to 32767, not \"1?x\"."},
      {WholeFileWith(150, "150    ->t") + "0    ->" + std::string(30, '7') + "\r\n",
       ", line 251: item 0 must be a whole number from -32768 to 32767, not \"77777777777777777777...\"."},
      {WholeFileWith(21, "21    ->4"), ", line 22: item 21 holds 4, which its setting does not offer."},
      {"5    ->1\r\n7    ->1\r\n", " is incomplete: these items have no line: 0, 10-15, 17-23, 31-41."},
  };
  for (const Row& row : rows) {
    WriteBytes(CfgPath(), row.bytes);
    Load(CfgPath());
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->message, CfgPath().string() + row.message);
  }
  Load(folder.Path() / "NieuweInstellingen.cfg");
  ASSERT_TRUE(refusal);
  EXPECT_EQ(refusal->fault, UnitFileFault::CannotOpen);
  EXPECT_EQ(refusal->message, "Cannot read the settings file " + (folder.Path() / "NieuweInstellingen.cfg").string() + ".");
}

// In the program's language, in Windows-1252, with every mark filled in.
TEST_F(UnitSettingsFile, MessagesInEachLanguage) {
  const std::vector<std::pair<int16_t, std::string>> expected = {
      {0, " is incomplete: these items have no line: 0, 5, 7, 10-15, 17-23, 31-41."},
      {1, " is onvolledig: deze items hebben geen regel: 0, 5, 7, 10-15, 17-23, 31-41."},
      {2, " ist unvollst\xe4ndig: diese Items haben keine Zeile: 0, 5, 7, 10-15, 17-23, 31-41."},
      {3, " est incomplet : ces items n'ont pas de ligne : 0, 5, 7, 10-15, 17-23, 31-41."},
  };
  WriteBytes(CfgPath(), "150    ->t\r\n");
  for (const auto& [language, message] : expected) {
    const UnitFileRead read = ReadUnitSettingsFile(CfgPath(), language, screen);
    ASSERT_TRUE(read.error) << language;
    EXPECT_EQ(read.error->message, CfgPath().string() + message);
  }
  for (int16_t language = 0; language < 4; ++language) {
    for (const std::string& bytes : {std::string("x\r\n"), WholeFileWith(7, "7    ->x"), std::string()}) {
      WriteBytes(CfgPath(), bytes);
      const UnitFileRead read = ReadUnitSettingsFile(CfgPath(), language, screen);
      ASSERT_TRUE(read.error);
      EXPECT_EQ(read.error->message.find('{'), std::string::npos) << read.error->message;
      EXPECT_EQ(read.error->message.rfind(CfgPath().string(), 0), 0u) << read.error->message;
    }
  }
}

// A missing default.set is a fresh program folder: it starts empty, quietly.
TEST_F(UnitSettingsFile, MissingDefaultsFileLoadsAsEmpty) {
  LoadDefaults();
  ExpectLoaded(Loaded({}), "missing default.set");
}

TEST_F(UnitSettingsFile, EmptyPathDoesNothing) {
  const SettingsStore before = store;
  EXPECT_FALSE(files.ReadSettingsFile(""));
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

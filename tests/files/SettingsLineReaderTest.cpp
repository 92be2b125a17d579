#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "FilesTestSupport.h"
#include "files/SettingsFiles.h"
#include "files/SettingsLineParser.h"

namespace tessaro {
namespace {

using namespace std::string_literals;
using testing::TestFolder;
using testing::WriteBytes;

struct ReaderRow {
  const char* name;
  std::string bytes;
  std::map<int, std::string> entries;  // every other entry must stay empty
};

void ExpectEntries(const SettingsFileLines& lines, const std::map<int, std::string>& expected,
                   const std::string& context) {
  for (int number = 0; number < SettingsFileLineSlots; ++number) {
    const auto found = expected.find(number);
    if (found == expected.end()) {
      EXPECT_FALSE(lines[number].has_value())
          << context << ": entry " << number << " holds \"" << lines[number].value_or("") << "\"";
    } else {
      EXPECT_EQ(lines[number], found->second) << context << ": entry " << number;
    }
  }
}

std::vector<ReaderRow> ReaderRows() {
  return {
      {"only line 7", "7    ->3\r\n", {{7, "3"}}},
      {"number in four characters, value after the arrow", "12 ->5\r\n", {{12, "5"}}},
      {"arrow inside the first four characters", "12->5\r\n", {{12, "5"}}},
      {"later line wins", "5    ->1\r\n6    ->x\r\n5    ->2\r\n", {{5, "2"}, {6, "x"}}},
      {"298 stored, 299 and above ignored",
       "298    ->k\r\n299    ->a\r\n4000    ->b\r\n99999    ->c\r\n1    ->d\r\n",
       {{298, "k"}, {1, "d"}}},
      {"minus one ends the reading", "1    ->a\r\n-1    ->b\r\n2    ->c\r\n", {{1, "a"}}},
      {"a short negative line ends the reading too", "1    ->a\r\n-3\r\n2    ->c\r\n", {{1, "a"}}},
      {"a fraction rounds to the even neighbour", "2.5 ->a\r\n3.5 ->b\r\n", {{2, "a"}, {4, "b"}}},
      {"minus zero point four is line 0, not the end", "-0.4->a\r\n1 ->b\r\n",
       {{0, "a"}, {1, "b"}}},
      {"text holds an arrow", "150    ->a->b\r\n", {{150, "a->b"}}},
      {"value unchanged, blanks and letters kept", "160    -> a b \r\n7    ->12abc\r\n",
       {{160, " a b "}, {7, "12abc"}}},
      {"empty value", "2       SetPath ->\r\n", {{2, ""}}},
      {"no number in the first four characters is line 0", "abcd->v\r\n  ->w\r\n",
       {{0, "w"}}},
      {"line order free, last line without line end", "3 ->c\r\n1 ->a\r\n2 ->b",
       {{1, "a"}, {2, "b"}, {3, "c"}}},
      {"empty file", "", {}},
      {"only line ends", "\r\n\n\r\r\n", {}},
      {"empty lines skipped", "\r\n\r\n4    ->x\r\n\r\n\r\n5    ->y", {{4, "x"}, {5, "y"}}},
      {"LF only", "1    ->a\n2    ->b\n", {{1, "a"}, {2, "b"}}},
      {"CR only", "1    ->a\r2    ->b\r", {{1, "a"}, {2, "b"}}},
      {"mixed line ends", "1    ->a\r2    ->b\n3    ->c\r\n4    ->d", {{1, "a"}, {2, "b"}, {3, "c"}, {4, "d"}}},
      {"line without arrow stores nothing", "5    ->x\r\n6    nothing\r\n5\r\n", {{5, "x"}}},
      {"binary garbage",
       "\x00\xff->7\x00z\r\n151 \xff\xfe->\x00\x01\x02\r\n\x7f\x80\x81\x82\x83\x84\r\n"s,
       {{0, "7\x00z"s}, {151, "\x00\x01\x02"s}}},
      {"Windows-1252 bytes unchanged", "150    ->Caf\xe9 \x80 \xff\r\n", {{150, "Caf\xe9 \x80 \xff"}}},
  };
}

TEST(SettingsFileReader, ReadsLinesByNumber) {
  for (const ReaderRow& row : ReaderRows()) {
    TestFolder folder;
    const auto path = folder.Path() / "input.cfg";
    WriteBytes(path, row.bytes);
    ExpectEntries(ReadSettingsFileLines(path), row.entries, row.name);
  }
}

// The file arrives in pieces; a line, a CR LF pair or an arrow split between
// two pieces must read the same as in one piece.
TEST(SettingsLineParser, PieceSizeDoesNotMatter) {
  for (const ReaderRow& row : ReaderRows()) {
    for (const std::size_t piece : {1u, 2u, 3u, 5u}) {
      SettingsLineParser parser;
      for (std::size_t pos = 0; pos < row.bytes.size(); pos += piece) {
        parser.Feed(std::string_view(row.bytes).substr(pos, piece));
      }
      parser.Finish();
      ExpectEntries(parser.Lines(), row.entries,
                    std::string(row.name) + ", pieces of " + std::to_string(piece));
    }
  }
}

struct RecordRow {
  const char* name;
  std::string bytes;
  int oddLine;                    // 0: every line a record
  std::map<int, int> entryLines;  // entry -> the file line it came from
};

// Unit settings files: each line must be a record; lines are counted as an
// editor counts them, whichever line ends the file uses and however the
// bytes arrive.
TEST(SettingsLineParser, UnitRecordsNameTheFirstLineThatIsNone) {
  const std::vector<RecordRow> rows = {
      {"records", "0    ->1\r\n12 ->5\r\n7->x", 0, {{0, 1}, {12, 2}, {7, 3}}},
      {"CR LF, LF and CR each end one line", "1 ->a\r\n2 ->b\n3 ->c\r\r\n4 ->d", 0, {{1, 1}, {2, 2}, {3, 3}, {4, 5}}},
      {"blank lines count but carry nothing", "\r\n  \r\n1 ->a\r\n", 0, {{1, 3}}},
      {"later line wins, with its line", "5 ->a\r\n5 ->b\r\n", 0, {{5, 2}}},
      {"a word", "1 ->a\r\nhello\r\n2 ->b\r\n", 2, {{1, 1}}},
      {"number without arrow", "1 ->a\r\n2\r\n", 2, {{1, 1}}},
      {"last line without arrow or line end", "1 ->a\r\n2 -", 2, {{1, 1}}},
      {"blanks before the number", " 1 ->a\r\n", 1, {}},
      {"a fraction for a number", "1.5 ->a\r\n", 1, {}},
      {"a plus sign", "+1 ->a\r\n", 1, {}},
      {"a word between number and arrow", "0        Compoort ->0\r\n", 1, {}},
      {"a negative line ends the file first", "1 ->a\r\n-1\r\nhello\r\n", 0, {{1, 1}}},
      {"an ignored number is still a record", "4000 ->x\r\n4000 x\r\n", 2, {}},
  };
  for (const RecordRow& row : rows) {
    for (const std::size_t piece : {1u, 2u, 3u, 5u, 1000u}) {
      SettingsLineParser parser(SettingsLineParser::Form::UnitRecords);
      for (std::size_t pos = 0; pos < row.bytes.size(); pos += piece) {
        parser.Feed(std::string_view(row.bytes).substr(pos, piece));
      }
      parser.Finish();
      const std::string context = std::string(row.name) + ", pieces of " + std::to_string(piece);
      EXPECT_EQ(parser.OddLine(), row.oddLine) << context;
      for (int number = 0; number < SettingsFileLineSlots; ++number) {
        const auto found = row.entryLines.find(number);
        EXPECT_EQ(parser.EntryLines()[number], found == row.entryLines.end() ? 0 : found->second)
            << context << ": entry " << number;
        EXPECT_EQ(parser.Lines()[number].has_value(), found != row.entryLines.end()) << context << ": entry " << number;
      }
    }
  }
}

TEST(SettingsLineParser, BytesAfterTheEndAreIgnored) {
  SettingsLineParser parser;
  parser.Feed("1 ->a\r\n-5 ->b\r\n");
  EXPECT_TRUE(parser.Ended());
  parser.Feed("2 ->c\r\n");
  parser.Finish();
  ExpectEntries(parser.Lines(), {{1, "a"}}, "after the end");
}

TEST(SettingsFileReader, MissingFileReadsEmpty) {
  TestFolder folder;
  ExpectEntries(ReadSettingsFileLines(folder.Path() / "nothing-here.cfg"), {}, "missing file");
  ExpectEntries(ReadSettingsFileLines(folder.Path()), {}, "a folder");
}

TEST(SettingsFileReader, VeryLongLinesAreKeptOrSkippedWhole) {
  TestFolder folder;
  const auto path = folder.Path() / "long.cfg";
  const std::string longText(3 * 1024 * 1024, 'x');
  WriteBytes(path, "4000    ->" + longText + "->\r\n200    ->" + longText + "\r\n1 ->a");
  ExpectEntries(ReadSettingsFileLines(path), {{200, longText}, {1, "a"}}, "long lines");
}

TEST(SettingsFileReader, TenMegabyteFile) {
  TestFolder folder;
  const auto path = folder.Path() / "big.cfg";
  std::map<int, std::string> expected;
  std::string bytes;
  for (int round = 0; bytes.size() < 10 * 1024 * 1024; ++round) {
    const int number = round % 320;  // runs past 298 into ignored numbers
    const std::string value = "value " + std::to_string(round) + std::string(40, '.');
    bytes += std::to_string(number) + "    ->" + value + "\r\n";
    if (number <= 298) expected[number] = value;
  }
  bytes += "7    ->last\r\n";
  expected[7] = "last";
  WriteBytes(path, bytes);
  ExpectEntries(ReadSettingsFileLines(path), expected, "10 MB file");
}

}  // namespace
}  // namespace tessaro

#include "core/Cp1252.h"
#include "lang/LanguageTexts.h"
#include "lang/TextTableData.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace tessaro {
namespace {

// data/texts.tsv is a copy of the text table kept apart from the program's own
// data, so that a slip in any slot of any language shows up here.
struct CopiedRow {
  int slot = -1;
  std::array<std::string, LanguageCount> text;
};

std::vector<CopiedRow> ReadCopy() {
  std::ifstream in(TESSARO_TEXTS_TSV, std::ios::binary);
  std::vector<CopiedRow> rows;
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line.front() == '#') continue;
    std::vector<std::string> fields;
    std::istringstream split(line);
    for (std::string field; std::getline(split, field, '\t');) fields.push_back(field);
    if (fields.size() != 1 + LanguageCount) {
      ADD_FAILURE() << "bad line: " << line;
      continue;
    }
    CopiedRow row;
    row.slot = std::stoi(fields[0]);
    for (int language = 0; language < LanguageCount; ++language)
      row.text[static_cast<std::size_t>(language)] = fields[static_cast<std::size_t>(1 + language)];
    rows.push_back(row);
  }
  return rows;
}

// The title slot ends with the maker's web domain, which the copy leaves out.
constexpr int kTitleSlot = 19;

TEST(TextTableCopy, CopyHoldsEveryFilledSlotOnce) {
  const std::vector<CopiedRow> rows = ReadCopy();
  ASSERT_EQ(rows.size(), static_cast<std::size_t>(FilledSlotsPerLanguage));
  std::set<int> slots;
  for (const CopiedRow& row : rows) slots.insert(row.slot);
  EXPECT_EQ(slots.size(), rows.size());
  EXPECT_EQ(*slots.begin(), 0);
  EXPECT_EQ(*slots.rbegin(), 134);
}

TEST(TextTableCopy, EverySlotOfEveryLanguageMatchesTheCopy) {
  const std::vector<CopiedRow> rows = ReadCopy();
  ASSERT_EQ(rows.size(), static_cast<std::size_t>(FilledSlotsPerLanguage));
  int compared = 0;
  for (int16_t language = 0; language < LanguageCount; ++language) {
    int16_t chosen = language;
    LanguageTexts texts;
    texts.FillTextTable(chosen);
    std::set<int> copied;
    for (const CopiedRow& row : rows) {
      SCOPED_TRACE("language " + std::to_string(language) + " slot " + std::to_string(row.slot));
      copied.insert(row.slot);
      const std::string expected = Utf8ToCp1252(row.text[static_cast<std::size_t>(language)]);
      const std::string& actual = texts.Text(TextSlot{static_cast<int16_t>(row.slot)});
      if (row.slot == kTitleSlot) {
        EXPECT_TRUE(actual.starts_with(expected + " ")) << actual;
        EXPECT_GT(actual.size(), expected.size() + 1);
      } else {
        EXPECT_EQ(actual, expected) << Cp1252ToUtf8(actual);
      }
      ++compared;
    }
    // A slot the copy does not list stays empty.
    for (int slot = 0; slot < TextSlots; ++slot) {
      if (copied.count(slot) == 0) {
        EXPECT_EQ(texts.Text(TextSlot{static_cast<int16_t>(slot)}), "") << "slot " << slot;
      }
    }
  }
  EXPECT_EQ(compared, 127 * 4);
}

}  // namespace
}  // namespace tessaro

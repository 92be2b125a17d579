#include "lang/LanguageTexts.h"

#include "core/Cp1252.h"
#include "lang/TextTableData.h"

namespace tessaro {
namespace {

const std::string kEmptyText;

}  // namespace

void LanguageTexts::FillTextTable(int16_t& language) {
  for (auto& text : table_) text.clear();
  // A negative index would match no language and leave the program without a
  // single caption, so it falls back to English like an index above 3.
  if (language < English || language > French) language = English;
  for (const TextRow& row : TextRows()) {
    const auto column = static_cast<std::size_t>(language);
    table_[static_cast<std::size_t>(row.slot)] = Utf8ToCp1252(row.text[column]);
  }
  for (std::size_t text = 0; text < ProgramTextCount; ++text) {
    programTexts_[text] = Utf8ToCp1252(ProgramTextRow(static_cast<ProgramText>(text))[static_cast<std::size_t>(language)]);
  }
}

const std::string& LanguageTexts::Text(TextSlot slot) const {
  const int index = static_cast<int>(slot);
  if (index < 0 || index >= TextSlots) return kEmptyText;
  return table_[static_cast<std::size_t>(index)];
}

}  // namespace tessaro

namespace tessaro {

const std::string& LanguageTexts::Text(ProgramText text) const {
  const auto index = static_cast<std::size_t>(text);
  return index < ProgramTextCount ? programTexts_[index] : kEmptyText;
}

}  // namespace tessaro

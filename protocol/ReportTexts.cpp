#include "protocol/ReportTexts.h"

#include <cmath>

#include "core/Items.h"
#include "messages/TextFormat.h"

namespace tessaro {
namespace {

std::string Bracketed(const LanguageTexts& texts, int16_t item, const std::string& value) {
  return "[" + texts.Text(slot::Item) + ": " + IntText(item) + " " + texts.Text(slot::Value) + ": " + value + "] ";
}

// The whole number of a value; values beyond int keep their own text.
std::string WholeNumberText(const ItemValue& value) {
  const double number = value.NumberValue();
  if (!std::isfinite(number) || std::fabs(number) > 2.0e9) return value.TextValue();
  return IntText(static_cast<int>(std::nearbyint(number)));
}

}  // namespace

std::string WriteTag(const LanguageTexts& texts, int16_t item, const ItemValue& value) {
  const bool tekst = KindOfItem(item) == ItemKind::Tekst;
  return " " + Bracketed(texts, item, tekst ? value.TextValue() : WholeNumberText(value));
}

std::string ReadTag(const LanguageTexts& texts, int16_t replyItem, const ItemValue& decoded) {
  if (KindOfItem(replyItem) == ItemKind::Tekst) {
    return " [Item: " + IntText(replyItem) + " Waarde: " + decoded.TextValue() + "] ";
  }
  return " " + Bracketed(texts, replyItem, decoded.TextValue());
}

std::string ItemDescription(const LanguageTexts& texts, int16_t item, EngineScreen& screen) {
  if (!screen.HasVisibleRow(item)) return {};
  return Bracketed(texts, item, screen.ShownText(item));
}

std::string WriteLine(const LanguageTexts& texts, int16_t item, EngineScreen& screen) {
  return texts.Text(slot::WritingOf) + " " + screen.Legend(item) + " " + screen.ShownText(item);
}

std::string ReadLineStart(const LanguageTexts& texts, int16_t item) {
  return texts.Text(slot::ReadingOf) + " " + texts.Text(slot::Item) + ": " + IntText(item) + "  ";
}

std::string GiveUpText(const LanguageTexts& texts, bool write) {
  if (write) return texts.Text(slot::ErrorWritingSettings) + "." + CrLf + texts.Text(slot::WritingAborted) + "!";
  return texts.Text(slot::ErrorReadingSettings) + "." + CrLf + texts.Text(slot::ReadingAborted) + "!";
}

}  // namespace tessaro

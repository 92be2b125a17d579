#include "protocol/ReportTexts.h"

#include <cmath>

#include "core/Items.h"
#include "messages/TextFormat.h"

namespace tessaro {
namespace {

std::string Bracketed(const LanguageTexts& texts, int16_t item, const std::string& value) {
  return "[" + texts.Text(118) + ": " + IntText(item) + " " + texts.Text(119) + ": " + value + "] ";
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
  return texts.Text(116) + " " + screen.Legend(item) + " " + screen.ShownText(item);
}

std::string ReadLineStart(const LanguageTexts& texts, int16_t item) {
  return texts.Text(117) + " " + texts.Text(118) + ": " + IntText(item) + "  ";
}

std::string GiveUpText(const LanguageTexts& texts, bool write) {
  if (write) return texts.Text(103) + "." + CrLf + texts.Text(105) + "!";
  return texts.Text(104) + "." + CrLf + texts.Text(106) + "!";
}

}  // namespace tessaro

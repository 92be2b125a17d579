#pragma once

#include <cstdint>
#include <string>

#include "core/ItemValue.h"
#include "lang/LanguageTexts.h"
#include "protocol/EngineScreen.h"

namespace tessaro {

inline constexpr const char* CrLf = "\r\n";

// " [Item: n Value: v] " with the value being written: the whole number for
// Char and Int items, the text for Tekst items.
std::string WriteTag(const LanguageTexts& texts, int16_t item, const ItemValue& value);

// " [Item: n Value: v] " for a decoded reply; Tekst replies use the fixed
// words " [Item: n Waarde: text] ".
std::string ReadTag(const LanguageTexts& texts, int16_t replyItem, const ItemValue& decoded);

// "[Item: n Value: shown text] ", or the empty text without a visible row.
std::string ItemDescription(const LanguageTexts& texts, int16_t item, EngineScreen& screen);

// "Writing of legend shown-text".
std::string WriteLine(const LanguageTexts& texts, int16_t item, EngineScreen& screen);

// "Reading of Item: n  " — the start of every read line.
std::string ReadLineStart(const LanguageTexts& texts, int16_t item);

// The message box text when the engine gives up on writes or reads.
std::string GiveUpText(const LanguageTexts& texts, bool write);

}  // namespace tessaro

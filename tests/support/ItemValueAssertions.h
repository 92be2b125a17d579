#pragma once

#include <ostream>
#include <string>
#include <utility>

#include "core/ItemValue.h"

namespace tessaro {

// Assertions compare stored values by kind and content, as the engine does
// when it decides whether a value is still the one sent.
inline bool operator==(const ItemValue& a, const ItemValue& b) { return a.SameKindAndContent(b); }

inline void PrintTo(const ItemValue& value, std::ostream* out) {
  if (value.IsText()) {
    *out << "text \"" << value.TextValue() << "\"";
  } else {
    *out << "number " << value.TextValue();
  }
}

}  // namespace tessaro

namespace tessaro {

// Test tables spell values as literals: a number or a text.
struct LiteralValue {
  LiteralValue() = default;
  LiteralValue(int number) : value(number) {}            // NOLINT: tables read better without the type
  LiteralValue(double number) : value(number) {}         // NOLINT
  LiteralValue(const char* text) : value(text) {}        // NOLINT
  LiteralValue(std::string text) : value(std::move(text)) {}  // NOLINT
  LiteralValue(ItemValue item) : value(std::move(item)) {}    // NOLINT
  operator const ItemValue&() const { return value; }    // NOLINT
  ItemValue value;
};

}  // namespace tessaro

#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>

namespace tessaro {

// The number value of a text: the decimal number at its start (leading blanks
// skipped, optional sign, optional fraction), 0 when there is none.
double NumberValueOfText(const std::string& text);

// The decimal form of a number without a leading blank ("7", "7.5", "-1").
std::string TextOfNumber(double value);

// Nearest integer, a half going to the even neighbour; nullopt when the result
// does not fit a signed 16-bit integer (or the value is not finite).
std::optional<int16_t> NearestInt16(double value);

// One setting's value: a number or a text, depending on who stored it last.
// Every reader converts; the number -1 marks a value not obtained yet.
class ItemValue {
 public:
  ItemValue() : value_(-1.0) {}
  explicit ItemValue(double number) : value_(number) {}
  explicit ItemValue(int number) : value_(static_cast<double>(number)) {}
  explicit ItemValue(std::string text) : value_(std::move(text)) {}
  explicit ItemValue(const char* text) : value_(std::string(text)) {}
  // A character is neither a number nor a text here: say which is meant.
  explicit ItemValue(char) = delete;

  bool IsText() const { return std::holds_alternative<std::string>(value_); }
  bool IsNumber() const { return !IsText(); }

  // A number unchanged; a text by its leading number.
  double NumberValue() const;
  // A text unchanged; a number as its decimal form.
  std::string TextValue() const;
  // Nearest integer of the number value; nullopt outside the 16-bit range.
  std::optional<int16_t> NearestInteger() const { return NearestInt16(NumberValue()); }

  // The number -1 that marks a value not obtained yet (the text "-1" is a value).
  bool IsNotObtained() const { return IsNumber() && std::get<double>(value_) == -1.0; }

  // Same kind and same content: the number 2 is not the text "2". This is
  // what tells whether a value is still exactly the one that was sent.
  bool SameKindAndContent(const ItemValue& other) const { return value_ == other.value_; }

 private:
  std::variant<double, std::string> value_;
};

}  // namespace tessaro

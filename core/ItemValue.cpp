#include "core/ItemValue.h"

#include <cmath>
#include <cstdio>
#include <limits>

namespace tessaro {

double NumberValueOfText(const std::string& text) {
  std::size_t pos = 0;
  while (pos < text.size() && text[pos] == ' ') ++pos;
  double sign = 1.0;
  if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) {
    if (text[pos] == '-') sign = -1.0;
    ++pos;
  }
  // Accumulated as an integer part and a fraction so that long digit runs
  // grow towards infinity instead of wrapping.
  double value = 0.0;
  bool any = false;
  while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
    value = value * 10.0 + (text[pos] - '0');
    ++pos;
    any = true;
  }
  if (pos < text.size() && text[pos] == '.') {
    ++pos;
    double scale = 0.1;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
      value += (text[pos] - '0') * scale;
      scale /= 10.0;
      ++pos;
      any = true;
    }
  }
  return any ? sign * value : 0.0;
}

std::string TextOfNumber(double value) {
  if (std::isfinite(value) && value == std::trunc(value) && std::fabs(value) < 1e15) {
    return std::to_string(static_cast<long long>(value));
  }
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.15g", value);
  return buffer;
}

std::optional<int16_t> NearestInt16(double value) {
  if (!std::isfinite(value)) return std::nullopt;
  const double rounded = std::nearbyint(value);  // default rounding: halves to even
  if (rounded < std::numeric_limits<int16_t>::min() ||
      rounded > std::numeric_limits<int16_t>::max()) {
    return std::nullopt;
  }
  return static_cast<int16_t>(rounded);
}

double ItemValue::NumberValue() const {
  if (const double* number = std::get_if<double>(&value_)) return *number;
  return NumberValueOfText(std::get<std::string>(value_));
}

std::string ItemValue::TextValue() const {
  if (const std::string* text = std::get_if<std::string>(&value_)) return *text;
  return TextOfNumber(std::get<double>(value_));
}

}  // namespace tessaro

#pragma once

#include <cstddef>
#include <string_view>

namespace tessaro {

// Longest texts a test call takes: the pager's number and its display text.
inline constexpr std::size_t PagerAddressLimit = 10;
inline constexpr std::size_t PagerMessageLimit = 40;

// A pager number is 1..PagerAddressLimit digits; the unit pages nothing else.
constexpr bool IsPagerNumber(std::string_view text) {
  if (text.empty() || text.size() > PagerAddressLimit) return false;
  for (const char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

}  // namespace tessaro

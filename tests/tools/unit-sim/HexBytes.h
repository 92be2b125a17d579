#pragma once

#include <cstdlib>
#include <sstream>
#include <string>

#include "tools/unit-sim/SimFrame.h"

namespace tessaro::unitsim::testing {

// "01 09 1F" -> {0x01, 0x09, 0x1F}
inline Bytes Hex(const std::string& text) {
  Bytes bytes;
  std::istringstream in(text);
  std::string pair;
  while (in >> pair) bytes.push_back(static_cast<uint8_t>(std::strtoul(pair.c_str(), nullptr, 16)));
  return bytes;
}

inline Bytes Concat(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

}  // namespace tessaro::unitsim::testing

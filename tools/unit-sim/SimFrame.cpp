#include "tools/unit-sim/SimFrame.h"

namespace tessaro::unitsim {

uint8_t ChecksumFor(const Bytes& body) {
  unsigned sum = 0;
  for (uint8_t b : body) sum += b;
  return static_cast<uint8_t>((256 - (sum % 256)) % 256);
}

bool SumsToZero(const Bytes& frame) {
  unsigned sum = 0;
  for (uint8_t b : frame) sum += b;
  return sum % 256 == 0;
}

Bytes WithChecksum(Bytes body) {
  const uint8_t cs = ChecksumFor(body);
  body.push_back(cs);
  return body;
}

Bytes BuildFrame(uint8_t answer, const Bytes& data) {
  if (data.size() > kMaxDataBytes) return {};
  Bytes body{kSoh, static_cast<uint8_t>(kDataOffset + data.size()), 0x01, 0x00, answer};
  body.insert(body.end(), data.begin(), data.end());
  return WithChecksum(std::move(body));
}

std::string HexDump(const Bytes& bytes) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text;
  text.reserve(bytes.size() * 3);
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (i > 0) text += ' ';
    text += kDigits[bytes[i] >> 4];
    text += kDigits[bytes[i] & 0x0F];
  }
  return text;
}

}  // namespace tessaro::unitsim

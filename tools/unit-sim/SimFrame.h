#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Byte-level frame layout as the unit speaks it:
//   SOH LEN 01 00 <STX|ACK|NAK> <data ...> <checksum>
// LEN counts the bytes from SOH up to the last data byte; all bytes including
// the checksum add up to 0 modulo 256.
namespace tessaro::unitsim {

using Bytes = std::vector<uint8_t>;

inline constexpr uint8_t kSoh = 0x01;
inline constexpr uint8_t kStx = 0x02;
inline constexpr uint8_t kAck = 0x06;
inline constexpr uint8_t kNak = 0x15;
inline constexpr uint8_t kRs = 0x1E;
inline constexpr uint8_t kUs = 0x1F;

// Offset of the first data byte and of the answer byte.
inline constexpr std::size_t kDataOffset = 5;
inline constexpr std::size_t kAnswerOffset = 4;
// Largest data part a LEN byte can describe.
inline constexpr std::size_t kMaxDataBytes = 255 - kDataOffset;

// The attention frame breaks both the length and the checksum rule.
inline const Bytes kAttentionFrame{0x01, 0x01, 0x80, 0x7F};

// The byte that brings the sum of `body` to 0 modulo 256.
uint8_t ChecksumFor(const Bytes& body);
// True when all bytes add up to 0 modulo 256.
bool SumsToZero(const Bytes& frame);
// Appends the checksum byte to `body`.
Bytes WithChecksum(Bytes body);
// A complete frame; empty when `data` is longer than kMaxDataBytes.
Bytes BuildFrame(uint8_t answer, const Bytes& data);
// Upper-case hex pairs separated by blanks: "01 09 01 00".
std::string HexDump(const Bytes& bytes);

}  // namespace tessaro::unitsim

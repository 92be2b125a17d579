#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/ItemValue.h"

namespace tessaro {

// Frame bytes used by the engine and its transactions.
inline constexpr uint8_t SOH = 0x01;
inline constexpr uint8_t STX = 0x02;
inline constexpr uint8_t ACK = 0x06;
inline constexpr uint8_t US = 0x1F;
inline constexpr uint8_t RS = 0x1E;

// A reply may occupy at most 98 bytes (LEN at most 97); reception gives up
// as soon as the 99th byte has arrived.
inline constexpr int InfoMaxLen = 98;

// The received reply; offset i of the frame at index i, -1 where nothing arrived.
inline constexpr int RxBufferSize = 101;
using ReplyBuffer = std::array<int16_t, RxBufferSize>;

// Reply positions the program reads.
inline constexpr int ReplyAnswerOffset = 4;  // ACK = accepted
inline constexpr int ReplyItemOffset = 7;    // item number, or the call-status digit
inline constexpr int ReplyValueOffset = 11;  // first value byte

// The byte that brings the sum of `bytes` to 0 modulo 256.
uint8_t ChecksumByte(std::span<const uint8_t> bytes);

// The fixed four-byte wake-up sequence; it follows neither the length nor
// the checksum rule and is sent exactly as it is.
std::vector<uint8_t> AttentionFrame();

// Request frames, checksum included. nullopt: the request cannot be framed,
// and nothing of it may go on the wire.
std::optional<std::vector<uint8_t>> BuildReadRequest(int item);
std::optional<std::vector<uint8_t>> BuildWriteRequest(int item, const ItemValue& value);
std::optional<std::vector<uint8_t>> BuildCallStatusRequest();
std::optional<std::vector<uint8_t>> BuildCallFrame(const std::string& callRecords);
std::optional<std::vector<uint8_t>> BuildResetRequest();

// The ESPA records of a test call: sequence, address (first 10 characters),
// message (first 40, left out when empty) and beep coding (hex of the list
// position; nothing selected gives "FFFF").
std::string BuildCallRecords(int pagerSequence, const std::string& address,
                             const std::string& message, int16_t bleepCode);

// True when `offset` of a complete reply is a data byte that arrived
// (before the checksum at LEN).
bool ReplyHoldsOffset(const ReplyBuffer& rxBuffer, int rxLength, int offset);

// The unit accepted the request: ACK at offset 4.
bool ReplyAccepted(const ReplyBuffer& rxBuffer, int rxLength);

// The item number a reply names (offset 7), -1 when that byte did not arrive.
int16_t ReplyItem(const ReplyBuffer& rxBuffer);

// True when the complete reply carries every position the value of `item`
// is read from (offset 7 and the value bytes), each a data byte before the
// checksum. A reply that fails this must not be decoded.
bool ReplyHoldsValue(int item, const ReplyBuffer& rxBuffer, int rxLength);

// The value of `item` from a complete reply: a Char value as decimal text
// ("3"), an Int value as decimal text with one blank in front (" 1000"), a
// Tekst value as its characters. The number -1 when the item's value is not
// accepted from the unit or the reply does not hold it.
ItemValue ParseReplyValue(int item, const ReplyBuffer& rxBuffer, int rxLength);

}  // namespace tessaro

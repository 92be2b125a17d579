#include "protocol/Frames.h"

#include <cmath>

#include "core/Items.h"
#include "messages/TextFormat.h"

namespace tessaro {
namespace {

constexpr uint8_t kReadRecord = 'w';
constexpr uint8_t kWriteRecord = 'W';
constexpr uint8_t kCallStatus = '2';
constexpr uint8_t kReset = 'R';
// Longest text whose write frame still has a one-byte LEN (k + 12 <= 255).
constexpr std::size_t kMaxTekstLength = 243;

// Nearest whole number, halves to even; nullopt when not finite.
std::optional<long long> NearestWhole(double value) {
  if (!std::isfinite(value) || std::fabs(value) > 1e15) return std::nullopt;
  return static_cast<long long>(std::nearbyint(value));
}

// SOH, LEN, the two fixed bytes and STX, then `data`, then the checksum.
std::optional<std::vector<uint8_t>> Frame(const std::vector<uint8_t>& data) {
  const std::size_t length = 5 + data.size();
  if (length > 255) return std::nullopt;
  std::vector<uint8_t> frame = {SOH, static_cast<uint8_t>(length), 0x01, 0x00, STX};
  frame.insert(frame.end(), data.begin(), data.end());
  frame.push_back(ChecksumByte(frame));
  return frame;
}

// The value byte of a Char item; nullopt when it does not fit one byte.
std::optional<uint8_t> CharValueByte(int item, const ItemValue& value) {
  const double number = value.NumberValue();
  if (item == 18) {
    // Stored as list position: 0 = no fixed info, n = hex digit n-1.
    if (!(number < 256)) return std::nullopt;
    const auto position = NearestWhole(number);
    if (!position || *position < 0) return std::nullopt;
    if (*position == 0) return 0;
    return static_cast<uint8_t>(HexText(static_cast<int16_t>(*position - 1)).front());
  }
  const auto whole = NearestWhole(number);
  if (!whole || *whole < 0 || *whole > 255) return std::nullopt;
  return static_cast<uint8_t>(*whole);
}

void AppendRecord(std::string& records, char identifier, const std::string& data) {
  records += identifier;
  records += static_cast<char>(US);
  records += data;
  records += static_cast<char>(RS);
}

bool IsByte(int16_t entry) { return entry >= 0 && entry <= 255; }

// The most a Char item accepts from the unit; larger values become 0.
// -1 for an item whose value is not taken from the unit.
int CharReplyLimit(int item) {
  switch (item) {
    case 0: case 15: case 10: return 4;
    // The length lists end at 10 and 25; a write sends the last position.
    case 5: return 10;
    case 7: return 25;
    case 41: return 24;
    case 11: case 12: case 22: return 1;
    case 13: case 14: case 17: return 2;
    case 19: return 15;
    case 21: return 3;
    case 23: return 180;
    case 20: return 255;
    default: break;
  }
  if (item >= 31 && item <= 40) return 255;
  return -1;
}

}  // namespace

uint8_t ChecksumByte(std::span<const uint8_t> bytes) {
  unsigned sum = 0;
  for (uint8_t byte : bytes) sum += byte;
  return static_cast<uint8_t>((256 - sum % 256) % 256);
}

std::vector<uint8_t> AttentionFrame() { return {0x01, 0x01, 0x80, 0x7F}; }

std::optional<std::vector<uint8_t>> BuildReadRequest(int item) {
  if (item < 0 || item > LastUnitItem) return std::nullopt;
  return Frame({kReadRecord, US, static_cast<uint8_t>(item), RS});
}

std::optional<std::vector<uint8_t>> BuildWriteRequest(int item, const ItemValue& value) {
  if (item < 0 || item > LastUnitItem) return std::nullopt;
  std::vector<uint8_t> data = {kWriteRecord, US, static_cast<uint8_t>(item), RS, kReadRecord, US};
  switch (KindOfItem(item)) {
    case ItemKind::Char: {
      const auto byte = CharValueByte(item, value);
      if (!byte) return std::nullopt;
      data.push_back(*byte);
      break;
    }
    case ItemKind::Int: {
      const auto whole = NearestWhole(value.NumberValue());
      if (!whole || *whole < 0 || *whole > 65535) return std::nullopt;
      data.push_back(static_cast<uint8_t>(*whole & 0xFF));
      data.push_back(static_cast<uint8_t>(*whole >> 8));
      break;
    }
    case ItemKind::Tekst: {
      const std::string text = value.TextValue();
      if (text.size() > kMaxTekstLength) return std::nullopt;
      data.insert(data.end(), text.begin(), text.end());
      break;
    }
    case ItemKind::None:
      return std::nullopt;
  }
  data.push_back(RS);
  return Frame(data);
}

std::optional<std::vector<uint8_t>> BuildCallStatusRequest() { return Frame({kCallStatus}); }

std::optional<std::vector<uint8_t>> BuildCallFrame(const std::string& callRecords) {
  return Frame(std::vector<uint8_t>(callRecords.begin(), callRecords.end()));
}

std::optional<std::vector<uint8_t>> BuildResetRequest() { return Frame({kReset}); }

std::string BuildCallRecords(int pagerSequence, const std::string& address,
                             const std::string& message, int16_t bleepCode) {
  std::string records;
  AppendRecord(records, 'A', IntText(pagerSequence));
  AppendRecord(records, '1', address.substr(0, 10));
  const std::string shownMessage = message.substr(0, 40);
  if (!shownMessage.empty()) AppendRecord(records, '2', shownMessage);
  AppendRecord(records, '3', HexText(bleepCode));
  return records;
}

bool ReplyHoldsOffset(const ReplyBuffer& rxBuffer, int rxLength, int offset) {
  return offset >= 0 && offset < rxLength && offset < RxBufferSize &&
         IsByte(rxBuffer[static_cast<std::size_t>(offset)]);
}

bool ReplyAccepted(const ReplyBuffer& rxBuffer, int rxLength) {
  return ReplyHoldsOffset(rxBuffer, rxLength, ReplyAnswerOffset) &&
         rxBuffer[ReplyAnswerOffset] == ACK;
}

int16_t ReplyItem(const ReplyBuffer& rxBuffer) { return rxBuffer[ReplyItemOffset]; }

bool ReplyHoldsValue(int item, const ReplyBuffer& rxBuffer, int rxLength) {
  if (!ReplyHoldsOffset(rxBuffer, rxLength, ReplyItemOffset)) return false;
  switch (KindOfItem(item)) {
    case ItemKind::Char:
      return ReplyHoldsOffset(rxBuffer, rxLength, ReplyValueOffset);
    case ItemKind::Int:
      return ReplyHoldsOffset(rxBuffer, rxLength, ReplyValueOffset) &&
             ReplyHoldsOffset(rxBuffer, rxLength, ReplyValueOffset + 1);
    case ItemKind::Tekst:
      for (int offset = ReplyValueOffset; offset <= rxLength - 2; ++offset) {
        if (!ReplyHoldsOffset(rxBuffer, rxLength, offset)) return false;
      }
      return true;
    case ItemKind::None:
      return true;  // nothing to read; ParseReplyValue refuses it
  }
  return false;
}

ItemValue ParseReplyValue(int item, const ReplyBuffer& rxBuffer, int rxLength) {
  const ItemValue notAccepted(-1);
  const ItemKind kind = KindOfItem(item);
  if (kind == ItemKind::None || !ReplyHoldsValue(item, rxBuffer, rxLength)) return notAccepted;
  const int b11 = rxBuffer[ReplyValueOffset];
  switch (kind) {
    case ItemKind::Char: {
      if (item == 18) {
        if (b11 <= 0) return ItemValue(IntText(0));
        const std::string digit(1, static_cast<char>(b11));
        return ItemValue(IntText(HexDigitValue(digit) + 1));
      }
      const int limit = CharReplyLimit(item);
      if (limit < 0) return notAccepted;
      return ItemValue(IntText(b11 > limit ? 0 : b11));
    }
    case ItemKind::Int: {
      // Unsigned, as the encoder sends 0..65535.
      const int b12 = rxBuffer[ReplyValueOffset + 1];
      return ItemValue(" " + IntText(b12 * 256 + b11));
    }
    case ItemKind::Tekst: {
      std::string text;
      for (int offset = ReplyValueOffset; offset <= rxLength - 2; ++offset) {
        text += static_cast<char>(rxBuffer[static_cast<std::size_t>(offset)]);
      }
      return ItemValue(text);
    }
    case ItemKind::None:
      break;
  }
  return notAccepted;
}

}  // namespace tessaro

#include "tools/unit-sim/UnitResponder.h"

#include <optional>

namespace tessaro::unitsim {

namespace {

constexpr uint8_t kReadId = 'w';
constexpr uint8_t kWriteId = 'W';
constexpr uint8_t kCallStatusId = '2';
constexpr uint8_t kResetId = 'R';
constexpr uint8_t kCallId = 'A';

// Answer frame for write, call, reset and refusals: the request's identifier echoed.
Bytes ShortAnswer(uint8_t answer, uint8_t id) { return BuildFrame(answer, {id}); }

std::string Printable(const std::string& text) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : text) {
    if (c < 0x20 || c == 0x7F) {
      out += "\\x";
      out += kDigits[c >> 4];
      out += kDigits[c & 0x0F];
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

struct Record {
  uint8_t id;
  std::string data;
};

// id US data RS, back to back, nothing after the last RS.
std::optional<std::vector<Record>> SplitRecords(const Bytes& data) {
  std::vector<Record> records;
  std::size_t p = 0;
  while (p < data.size()) {
    if (p + 1 >= data.size() || data[p + 1] != kUs) return std::nullopt;
    std::size_t end = p + 2;
    while (end < data.size() && data[end] != kRs) ++end;
    if (end == data.size()) return std::nullopt;
    records.push_back({data[p], std::string(data.begin() + static_cast<long>(p) + 2,
                                            data.begin() + static_cast<long>(end))});
    p = end + 1;
  }
  return records;
}

UnitReply Refusal(RequestKind kind, uint8_t id, std::string note) {
  UnitReply reply;
  reply.kind = kind;
  reply.frame = ShortAnswer(kNak, id);
  reply.notes.push_back("REFUSED " + std::move(note));
  return reply;
}

}  // namespace

UnitReply UnitResponder::Handle(const Bytes& frame, const ReplyOptions& options) {
  if (frame.size() <= kDataOffset + 1) return Refusal(RequestKind::Unknown, 0, "frame without data");
  const Bytes data(frame.begin() + kDataOffset, frame.end() - 1);
  switch (data[0]) {
    case kReadId: return Read(data, options);
    case kWriteId: return Write(data, options);
    case kCallStatusId: return CallStatus(data);
    case kCallId: return Call(data, options);
    case kResetId: return Reset(data, options);
    default: return Refusal(RequestKind::Unknown, data[0], "unknown request " + HexDump({data[0]}));
  }
}

UnitReply UnitResponder::Read(const Bytes& data, const ReplyOptions& options) {
  // The item byte may itself be 1E or 1F, so the layout is checked by position.
  if (data.size() != 4 || data[1] != kUs || data[3] != kRs) {
    return Refusal(RequestKind::Read, kReadId, "malformed read " + HexDump(data));
  }
  int item = data[2];
  if (options.answerNextItem && IsReadableUnitItem(item + 1)) ++item;
  Bytes reply{kWriteId, kUs, static_cast<uint8_t>(item), kRs, kReadId, kUs};
  const Bytes value = store_.ValueBytes(item);
  reply.insert(reply.end(), value.begin(), value.end());
  reply.push_back(kRs);
  return {RequestKind::Read, BuildFrame(kAck, reply), {}, {}};
}

UnitReply UnitResponder::Write(const Bytes& data, const ReplyOptions& options) {
  const bool laidOut = data.size() >= 7 && data[1] == kUs && data[3] == kRs && data[4] == kReadId &&
                       data[5] == kUs && data.back() == kRs;
  if (!laidOut) return Refusal(RequestKind::Write, kWriteId, "malformed write " + HexDump(data));
  const int item = data[2];
  const Bytes value(data.begin() + 6, data.end() - 1);
  if (options.refuse) {
    return Refusal(RequestKind::Write, kWriteId, std::to_string(item) + " on request (nack fault)");
  }
  if (auto why = store_.Write(item, value)) {
    return Refusal(RequestKind::Write, kWriteId, std::to_string(item) + " " + HexDump(value) + ": " + *why);
  }
  return {RequestKind::Write,
          ShortAnswer(kAck, kWriteId),
          {"SET " + std::to_string(item) + " " + Printable(store_.ValueText(item))},
          {}};
}

UnitReply UnitResponder::CallStatus(const Bytes& data) {
  if (data.size() != 1) return Refusal(RequestKind::CallStatus, kCallStatusId, "malformed call status");
  lastSequence_ = nextSequence_;
  nextSequence_ = (nextSequence_ + 1) % 10;
  const Bytes reply{kCallStatusId, kUs, static_cast<uint8_t>('0' + lastSequence_), kRs};
  return {RequestKind::CallStatus, BuildFrame(kAck, reply), {}, {}};
}

UnitReply UnitResponder::Call(const Bytes& data, const ReplyOptions& options) {
  const auto records = SplitRecords(data);
  const auto ids = [&] {
    std::string s;
    if (records) for (const auto& r : *records) s += static_cast<char>(r.id);
    return s;
  }();
  if (!records || (ids != "A13" && ids != "A123")) {
    return Refusal(RequestKind::Call, kCallId, "malformed call " + HexDump(data));
  }
  const std::string& sequence = records->front().data;
  std::string line = "CALL sequence=" + Printable(sequence) + " address=" + Printable((*records)[1].data) +
                     " bleep=" + Printable(records->back().data);
  if (records->size() == 4) line += " message=" + Printable((*records)[2].data);
  if (options.refuse) return Refusal(RequestKind::Call, kCallId, line.substr(5) + " (nack fault)");

  UnitReply reply{RequestKind::Call, ShortAnswer(kAck, kCallId), {line}, {}};
  if (lastSequence_ < 0 || sequence != std::to_string(lastSequence_)) {
    reply.notes.push_back("WARN call sequence " + Printable(sequence) + " does not match the last call status " +
                          (lastSequence_ < 0 ? std::string("(none)") : std::to_string(lastSequence_)));
  }
  ++callsQueued_;
  return reply;
}

UnitReply UnitResponder::Reset(const Bytes& data, const ReplyOptions& options) {
  if (data.size() != 1) return Refusal(RequestKind::Reset, kResetId, "malformed reset");
  if (options.refuse) return Refusal(RequestKind::Reset, kResetId, "reset (nack fault)");
  store_.RefreshNetworkInUse();
  callsQueued_ = 0;
  return {RequestKind::Reset, ShortAnswer(kAck, kResetId), {"RESET"}, BootBanner()};
}

std::string UnitResponder::TakeStatusLine() {
  const int queued = callsQueued_;
  callsQueued_ = 0;
  const char* link = store_.Number(21) == 0 ? "ESPA link down" : "ESPA link up";
  return std::string("Tessaro-IP status: ") + link + ", " + std::to_string(queued) + " calls queued";
}

std::vector<std::string> UnitResponder::BootBanner() const {
  return {
      "Tessaro-IP converter starting",
      "MAC " + store_.Text(150),
      "IP " + store_.Text(151) + " mask " + store_.Text(153) + " gateway " + store_.Text(152),
      store_.Number(21) == 0 ? "ESPA link down" : "ESPA link up",
  };
}

}  // namespace tessaro::unitsim

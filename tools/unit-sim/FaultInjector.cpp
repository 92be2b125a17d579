#include "tools/unit-sim/FaultInjector.h"

#include <algorithm>
#include <charconv>

namespace tessaro::unitsim {

namespace {

struct NamedFault {
  FaultKind kind;
  const char* name;
};

constexpr NamedFault kFaults[] = {
    {FaultKind::NoReply, "no-reply"},   {FaultKind::NoLen, "no-len"},
    {FaultKind::BadChecksum, "bad-checksum"}, {FaultKind::Nack, "nack"},
    {FaultKind::TooLong, "too-long"},   {FaultKind::CutOff, "cut-off"},
    {FaultKind::Noise, "noise"},        {FaultKind::OtherItem, "other-item"},
    {FaultKind::Short, "short"},        {FaultKind::AckOnly, "ack-only"},
};

constexpr std::size_t kTooLongTotal = 120;
// Offsets 0..7 survive a short reply: the item number, but no value.
constexpr std::size_t kShortLen = 8;
constexpr std::size_t kAckOnlyLen = 6;
constexpr uint8_t kPadding = '.';

// Keeps the first `len` bytes of an intact reply and closes it with a fresh LEN and checksum.
Bytes Truncated(Bytes reply, std::size_t len) {
  if (reply.size() < 2 || len + 1 >= reply.size()) return reply;
  reply.resize(len);
  reply[1] = static_cast<uint8_t>(len);
  return WithChecksum(std::move(reply));
}

Bytes Padded(const Bytes& reply) {
  if (reply.size() < kDataOffset + 1) return reply;
  Bytes body(reply.begin(), reply.end() - 1);
  body.resize(kTooLongTotal - 1, kPadding);
  body[1] = static_cast<uint8_t>(kTooLongTotal - 1);
  return WithChecksum(std::move(body));
}

}  // namespace

std::optional<FaultSwitch> ParseFaultSwitch(const std::string& text) {
  const auto colon = text.find(':');
  const std::string name = text.substr(0, colon);
  const auto found = std::find_if(std::begin(kFaults), std::end(kFaults),
                                  [&](const NamedFault& f) { return name == f.name; });
  if (found == std::end(kFaults)) return std::nullopt;
  FaultSwitch fault{found->kind, std::nullopt};
  if (colon != std::string::npos) {
    const std::string countText = text.substr(colon + 1);
    int count = 0;
    const char* end = countText.data() + countText.size();
    auto [ptr, ec] = std::from_chars(countText.data(), end, count);
    if (countText.empty() || ec != std::errc() || ptr != end || count < 1) return std::nullopt;
    fault.count = count;
  }
  return fault;
}

const char* FaultName(FaultKind kind) {
  for (const auto& f : kFaults) {
    if (f.kind == kind) return f.name;
  }
  return "?";
}

std::string FaultNames() {
  std::string names;
  for (const auto& f : kFaults) {
    if (!names.empty()) names += ", ";
    names += f.name;
  }
  return names;
}

bool FaultPlan::Has(FaultKind kind) const {
  return std::find(kinds_.begin(), kinds_.end(), kind) != kinds_.end();
}

std::string FaultPlan::Describe() const {
  std::string text;
  for (FaultKind k : kinds_) {
    if (!text.empty()) text += ' ';
    text += FaultName(k);
  }
  return text;
}

FaultInjector::FaultInjector(std::vector<FaultSwitch> switches, unsigned seed)
    : switches_(std::move(switches)), random_(seed) {}

FaultPlan FaultInjector::NextPlan() {
  FaultPlan plan;
  for (auto& fault : switches_) {
    if (fault.count && *fault.count <= 0) continue;
    if (fault.count) --*fault.count;
    plan.Add(fault.kind);
  }
  return plan;
}

ReplyOptions FaultInjector::OptionsFor(const FaultPlan& plan) {
  ReplyOptions options;
  options.refuse = plan.Has(FaultKind::Nack);
  options.answerNextItem = plan.Has(FaultKind::OtherItem);
  return options;
}

Bytes FaultInjector::Mangle(const FaultPlan& plan, Bytes reply) {
  if (plan.Has(FaultKind::NoReply) || reply.empty()) return {};
  if (plan.Has(FaultKind::AckOnly)) reply = Truncated(std::move(reply), kAckOnlyLen);
  if (plan.Has(FaultKind::Short)) reply = Truncated(std::move(reply), kShortLen);
  if (plan.Has(FaultKind::TooLong)) reply = Padded(reply);
  if (plan.Has(FaultKind::BadChecksum)) ++reply.back();
  if (plan.Has(FaultKind::CutOff) && reply.size() > kDataOffset + 1) {
    const std::size_t dataBytes = reply.size() - 1 - kDataOffset;
    reply.resize(kDataOffset + dataBytes / 2);
  }
  if (plan.Has(FaultKind::NoLen)) reply.resize(1);
  if (plan.Has(FaultKind::Noise)) {
    std::uniform_int_distribution<int> length(1, 8);
    // Anything but SOH, which would start a false frame.
    std::uniform_int_distribution<int> value(2, 255);
    Bytes noise(static_cast<std::size_t>(length(random_)));
    for (auto& b : noise) b = static_cast<uint8_t>(value(random_));
    reply.insert(reply.begin(), noise.begin(), noise.end());
  }
  return reply;
}

}  // namespace tessaro::unitsim

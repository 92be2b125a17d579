#include "tools/unit-sim/FrameParser.h"

namespace tessaro::unitsim {

namespace {

// Requests always carry 01 00 STX after LEN.
constexpr uint8_t kHeader2 = 0x01;
constexpr uint8_t kHeader3 = 0x00;
// The shortest request holds one data byte ("2" or "R").
constexpr std::size_t kMinRequestLen = kDataOffset + 1;
// Keeps the skipped-bytes report readable on a noisy line.
constexpr std::size_t kMaxSkippedReport = 64;

}  // namespace

std::vector<ParseEvent> FrameParser::Feed(uint8_t byte) {
  std::deque<Pending> work{{byte, false}};
  std::vector<ParseEvent> out;
  Drain(work, out);
  return out;
}

std::vector<ParseEvent> FrameParser::Feed(const Bytes& bytes) {
  std::vector<ParseEvent> out;
  for (uint8_t b : bytes) {
    auto events = Feed(b);
    out.insert(out.end(), std::make_move_iterator(events.begin()), std::make_move_iterator(events.end()));
  }
  return out;
}

std::vector<ParseEvent> FrameParser::Flush() {
  std::vector<ParseEvent> out;
  // Each rejection drops at least the SOH, so this ends.
  while (!candidate_.empty()) {
    std::deque<Pending> work;
    Reject(ParseEvent::Kind::Incomplete, work, out);
    Drain(work, out);
  }
  ReportSkipped(out);
  return out;
}

void FrameParser::Drain(std::deque<Pending>& work, std::vector<ParseEvent>& out) {
  while (!work.empty()) {
    const Pending in = work.front();
    work.pop_front();
    Step(in, work, out);
  }
}

void FrameParser::Step(const Pending& in, std::deque<Pending>& work, std::vector<ParseEvent>& out) {
  if (candidate_.empty()) {
    if (in.byte != kSoh) {
      if (!in.rescanned) {
        skipped_.push_back(in.byte);
        if (skipped_.size() >= kMaxSkippedReport) ReportSkipped(out);
      }
      return;
    }
    ReportSkipped(out);
    candidate_.push_back(in.byte);
    freshInCandidate_ = in.rescanned ? 0 : 1;
    return;
  }

  candidate_.push_back(in.byte);
  if (!in.rescanned) ++freshInCandidate_;
  const std::size_t pos = candidate_.size() - 1;
  const uint8_t len = candidate_[1];

  if (len == kAttentionFrame[1]) {
    if (candidate_[pos] != kAttentionFrame[pos]) {
      Reject(ParseEvent::Kind::Malformed, work, out);
    } else if (candidate_.size() == kAttentionFrame.size()) {
      out.push_back({ParseEvent::Kind::Attention, std::move(candidate_)});
      candidate_.clear();
    }
    return;
  }

  const bool badHeader = (pos == 1 && len < kMinRequestLen) || (pos == 2 && in.byte != kHeader2) ||
                         (pos == 3 && in.byte != kHeader3) || (pos == kAnswerOffset && in.byte != kStx);
  if (badHeader) {
    Reject(ParseEvent::Kind::Malformed, work, out);
    return;
  }
  if (pos == len) {
    if (SumsToZero(candidate_)) {
      out.push_back({ParseEvent::Kind::Frame, std::move(candidate_)});
      candidate_.clear();
    } else {
      Reject(ParseEvent::Kind::BadChecksum, work, out);
    }
  }
}

void FrameParser::Reject(ParseEvent::Kind kind, std::deque<Pending>& work, std::vector<ParseEvent>& out) {
  Bytes rejected = std::move(candidate_);
  candidate_.clear();
  for (std::size_t i = rejected.size(); i > 1; --i) work.push_front({rejected[i - 1], true});
  if (freshInCandidate_ > 0) out.push_back({kind, std::move(rejected)});
  freshInCandidate_ = 0;
}

void FrameParser::ReportSkipped(std::vector<ParseEvent>& out) {
  if (skipped_.empty()) return;
  out.push_back({ParseEvent::Kind::Skipped, std::move(skipped_)});
  skipped_.clear();
}

}  // namespace tessaro::unitsim

#pragma once

#include <deque>
#include <vector>

#include "tools/unit-sim/SimFrame.h"

namespace tessaro::unitsim {

struct ParseEvent {
  enum class Kind {
    Frame,        // an intact request frame, checksum included
    Attention,    // 01 01 80 7F
    BadChecksum,  // complete by its LEN, but the sum is not 0
    Malformed,    // impossible LEN or fixed header bytes
    Incomplete,   // the line went quiet in the middle of a frame
    Skipped,      // bytes outside any frame
  };
  Kind kind;
  Bytes bytes;
};

// Splits the incoming byte stream into request frames. Fed byte by byte,
// independent of any I/O. A rejected candidate is rescanned from the byte
// after its SOH, so a frame hidden behind a broken one is still found.
class FrameParser {
 public:
  std::vector<ParseEvent> Feed(uint8_t byte);
  std::vector<ParseEvent> Feed(const Bytes& bytes);
  // Called when the line has been quiet: gives up a partial frame and
  // reports skipped bytes.
  std::vector<ParseEvent> Flush();
  // True when bytes are held (a partial frame or unreported skipped bytes).
  bool HasPending() const { return !candidate_.empty() || !skipped_.empty(); }

 private:
  struct Pending {
    uint8_t byte;
    bool rescanned;  // already reported as part of a rejected candidate
  };
  void Drain(std::deque<Pending>& work, std::vector<ParseEvent>& out);
  void Step(const Pending& in, std::deque<Pending>& work, std::vector<ParseEvent>& out);
  void Reject(ParseEvent::Kind kind, std::deque<Pending>& work, std::vector<ParseEvent>& out);
  void ReportSkipped(std::vector<ParseEvent>& out);

  Bytes candidate_;
  // Bytes of the candidate not yet reported as part of an earlier rejection;
  // a rejection made only of those is not reported again.
  std::size_t freshInCandidate_ = 0;
  Bytes skipped_;
};

}  // namespace tessaro::unitsim

#pragma once

#include <string>
#include <vector>

#include "tools/unit-sim/ItemStore.h"
#include "tools/unit-sim/SimFrame.h"

namespace tessaro::unitsim {

enum class RequestKind { Read, Write, CallStatus, Call, Reset, Unknown };

struct UnitReply {
  RequestKind kind = RequestKind::Unknown;
  // Every intact request is answered.
  Bytes frame;
  // Lines for whoever watches the simulator: "SET 21 2", "CALL ...", "RESET".
  std::vector<std::string> notes;
  // Free text lines the unit prints on its port after the reply, without line ends.
  std::vector<std::string> unitText;
};

// Deliberate misbehaviour that changes what the unit decides, not just the bytes.
struct ReplyOptions {
  // Refuse a write, call or reset (NAK at the answer position); nothing is applied.
  bool refuse = false;
  // Answer a read of item n with the value of item n+1 when that one is readable.
  bool answerNextItem = false;
};

// Decides what the unit answers to one intact request frame.
class UnitResponder {
 public:
  explicit UnitResponder(ItemStore& store) : store_(store) {}

  UnitReply Handle(const Bytes& frame, const ReplyOptions& options = {});
  // The periodic diagnostic line; counts the calls taken since the previous one.
  std::string TakeStatusLine();
  std::vector<std::string> BootBanner() const;

 private:
  UnitReply Read(const Bytes& data, const ReplyOptions& options);
  UnitReply Write(const Bytes& data, const ReplyOptions& options);
  UnitReply CallStatus(const Bytes& data);
  UnitReply Call(const Bytes& data, const ReplyOptions& options);
  UnitReply Reset(const Bytes& data, const ReplyOptions& options);

  ItemStore& store_;
  int nextSequence_ = 0;
  int lastSequence_ = -1;
  int callsQueued_ = 0;
};

}  // namespace tessaro::unitsim

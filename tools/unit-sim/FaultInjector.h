#pragma once

#include <optional>
#include <random>
#include <string>
#include <vector>

#include "tools/unit-sim/SimFrame.h"
#include "tools/unit-sim/UnitResponder.h"

namespace tessaro::unitsim {

enum class FaultKind {
  NoReply,      // nothing at all
  NoLen,        // the SOH alone
  BadChecksum,  // checksum byte off by one
  Nack,         // write, call and reset refused with NAK
  TooLong,      // an intact frame of 120 bytes
  CutOff,       // stops in the middle of its data
  Noise,        // random non-SOH bytes before the SOH
  OtherItem,    // a read answered for item n+1
  Short,        // an intact frame that ends before offset 11
  AckOnly,      // an intact 7-byte answer that ends before offset 7
};

struct FaultSwitch {
  FaultKind kind;
  // Number of replies it applies to; nothing = all of them.
  std::optional<int> count;
};

// "kind" or "kind:count"; nothing when not understood.
std::optional<FaultSwitch> ParseFaultSwitch(const std::string& text);
const char* FaultName(FaultKind kind);
// The known kinds, for --help.
std::string FaultNames();

// Which faults hit one reply.
class FaultPlan {
 public:
  void Add(FaultKind kind) { kinds_.push_back(kind); }
  bool Has(FaultKind kind) const;
  bool Empty() const { return kinds_.empty(); }
  std::string Describe() const;

 private:
  std::vector<FaultKind> kinds_;
};

// Hands out faults to replies in order and mangles the reply bytes.
class FaultInjector {
 public:
  FaultInjector(std::vector<FaultSwitch> switches, unsigned seed);

  // Called once for every request that gets a reply; uses up counts.
  FaultPlan NextPlan();
  // What the unit decides differently under the plan.
  static ReplyOptions OptionsFor(const FaultPlan& plan);
  // The bytes actually put on the line for `reply` under the plan.
  Bytes Mangle(const FaultPlan& plan, Bytes reply);

 private:
  std::vector<FaultSwitch> switches_;
  std::mt19937 random_;
};

}  // namespace tessaro::unitsim

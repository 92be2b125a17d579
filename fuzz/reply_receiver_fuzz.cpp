// Feeds arbitrary bytes and ticks to the reply receiver alone. It must
// answer at most once per reply, never store past its buffer, and every
// answer must agree with what it holds.
//
// Input: byte 0 sets the time-out and how often a tick passes; the rest is
// what arrives. A byte 0xFF followed by n means n ticks pass.

#include <cstddef>
#include <cstdint>

#include "protocol/Frames.h"
#include "protocol/ReplyReceiver.h"

namespace {

using namespace tessaro;

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

void CheckAnswer(const ReplyReceiver& receiver, ReplyOutcome outcome) {
  const int position = receiver.Position();
  // The first data byte ends a reply whose LEN is below 2.
  const int frameEnd = receiver.Length() + 1 > 3 ? receiver.Length() + 1 : 3;
  Check(position >= 0 && position <= InfoMaxLen + 1);
  Check(receiver.CheckSum() >= 0 && receiver.CheckSum() <= 255);
  if (outcome == ReplyOutcome::Waiting) return;
  // Nothing stored past the frame (bytes are only ever stored at the position).
  if (position < RxBufferSize) Check(receiver.Buffer()[static_cast<std::size_t>(position)] == -1);
  switch (outcome) {
    case ReplyOutcome::Waiting:
      return;
    case ReplyOutcome::Complete:
      Check(receiver.CheckSum() == 0 && position == frameEnd && position <= InfoMaxLen);
      break;
    case ReplyOutcome::ChecksumError:
      Check(receiver.CheckSum() != 0 && position == frameEnd);
      break;
    case ReplyOutcome::TooLong:
      Check(position == InfoMaxLen + 1);
      break;
    case ReplyOutcome::SohTimeout:
      Check(position == 0);
      break;
    case ReplyOutcome::LenTimeout:
      Check(position == 1);
      break;
    case ReplyOutcome::DataTimeout:
      Check(position >= 2 && (position <= receiver.Length() || position == 2));
      break;
  }
  Check(!receiver.Receiving());
  if (position > 0) Check(receiver.Buffer()[0] == SOH);
}

}  // namespace

// Two over-long replies and some noise; longer inputs add nothing new and
// only slow the search.
constexpr std::size_t kMaxInput = 256;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  if (size < 1 || size > kMaxInput) return 0;
  const int timeout = 1 + data[0] % 8;
  const int tickEvery = 1 + (data[0] >> 3) % 16;
  ReplyReceiver receiver(timeout);
  receiver.Start((data[0] & 0x80) != 0);
  int sinceTick = 0;
  for (std::size_t i = 1; i < size; ++i) {
    if (!receiver.Receiving()) receiver.Start();
    if (data[i] == 0xFF && i + 1 < size) {
      for (int n = data[++i]; n > 0 && receiver.Receiving(); --n) CheckAnswer(receiver, receiver.TickPassed());
      continue;
    }
    CheckAnswer(receiver, receiver.Feed(data[i]));
    if (++sinceTick >= tickEvery) {
      sinceTick = 0;
      CheckAnswer(receiver, receiver.TickPassed());
    }
  }
  return 0;
}

#pragma once

#include <deque>
#include <stdexcept>
#include <vector>

#include "serial/BytePort.h"

namespace tessaro::testing {

// A scriptable port: feed bytes the unit "sends", capture what was written,
// inject open, write and hang-up failures.
class FakeBytePort : public BytePort {
 public:
  bool Open(int portNumber, const LineSettings& settings) override {
    ++openCalls;
    ThrowIfAsked();
    if (open || failOpen) return false;
    open = true;
    lastPortNumber = portNumber;
    lastSettings = settings;
    return true;
  }
  bool Close() override {
    ++closeCalls;
    ThrowIfAsked();
    if (failClose) return false;
    open = false;
    return true;
  }
  bool IsOpen() override {
    ThrowIfAsked();
    return open;
  }
  int ReadByte() override {
    ThrowIfAsked();
    if (!open || received.empty()) return -1;
    const int byte = received.front();
    received.pop_front();
    return byte;
  }
  bool WriteByte(uint8_t value) override {
    ThrowIfAsked();
    if (!open || failWrite) return false;
    written.push_back(value);
    return true;
  }
  void DiscardInput() override {
    ++discardCalls;
    ThrowIfAsked();
    received.clear();
  }

  void Feed(const std::vector<uint8_t>& bytes) { received.insert(received.end(), bytes.begin(), bytes.end()); }
  // The device vanished: the port reads as closed.
  void HangUp() { open = false; }

  bool open = false;
  bool failOpen = false;
  bool failClose = false;
  bool failWrite = false;
  // Every call throws, as a serial layer that reports faults by exception would.
  bool throwOnCall = false;
  int openCalls = 0;
  int closeCalls = 0;
  int discardCalls = 0;
  int lastPortNumber = 0;
  LineSettings lastSettings;
  std::deque<uint8_t> received;
  std::vector<uint8_t> written;

 private:
  void ThrowIfAsked() const {
    if (throwOnCall) throw std::runtime_error("serial layer fault");
  }
};

}  // namespace tessaro::testing

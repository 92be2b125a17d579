#pragma once

#include <deque>
#include <functional>
#include <stdexcept>
#include <utility>
#include <vector>

#include "serial/BytePort.h"

namespace tessaro::testing {

// A scriptable port: feed bytes the unit "sends", capture what was written,
// inject open, write and hang-up failures.
class FakeBytePort : public BytePort {
 public:
  bool Open(int portNumber, const LineSettings& settings) override {
    ++openCalls;
    if (RefusedInsideCallback()) return false;
    ThrowIfAsked();
    if (open || failOpen) return false;
    open = true;
    writtenBeforeOpen = written.size();
    lastPortNumber = portNumber;
    lastSettings = settings;
    return true;
  }
  bool Close() override {
    ++closeCalls;
    if (RefusedInsideCallback()) return false;
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

  void SetArrivalHandler(std::function<void()> handler) override { arrival = std::move(handler); }

  void Feed(const std::vector<uint8_t>& bytes) { received.insert(received.end(), bytes.begin(), bytes.end()); }
  // Bytes arrive as a real port's signal brings them: the handler runs
  // inside the port's own callback, where a real port must not be closed or
  // opened. Such a call fails and is counted.
  void Arrive(const std::vector<uint8_t>& bytes = {}) {
    Feed(bytes);
    insideCallback = true;
    if (arrival) arrival();
    insideCallback = false;
  }
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
  std::size_t writtenBeforeOpen = 0;  // written.size() at the last open
  int callsInsideCallback = 0;  // Open or Close made inside the arrival callback
  bool insideCallback = false;
  std::function<void()> arrival;
  LineSettings lastSettings;
  std::deque<uint8_t> received;
  std::vector<uint8_t> written;

 private:
  bool RefusedInsideCallback() {
    if (insideCallback) ++callsInsideCallback;
    return insideCallback;
  }
  void ThrowIfAsked() const {
    if (throwOnCall) throw std::runtime_error("serial layer fault");
  }
};

}  // namespace tessaro::testing

#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "cli/Console.h"
#include "tests/support/ItemValueAssertions.h"
#include "cli/TickSource.h"
#include "serial/BytePort.h"
#include "tests/support/FileBytes.h"
#include "tests/support/FixedClock.h"
#include "tests/support/TestFolder.h"

namespace tessaro::cli::testing {

using tessaro::testing::FixedClock;
using tessaro::testing::ReadBytes;
using tessaro::testing::TestFolder;
using tessaro::testing::WriteBytes;

// Keeps what the program writes, line by line.
class RecordingConsole final : public Console {
 public:
  void Out(const std::string& text) override { out += text; }
  void ErrLine(const std::string& line) override { err.push_back(line); }
  void Progress(const std::string& text) override { progress.push_back(text); }
  void EndProgress() override { ++progressEnds; }

  std::string Err() const {
    std::string all;
    for (const std::string& line : err) all += line + "\n";
    return all;
  }

  std::string out;
  std::vector<std::string> err;
  std::vector<std::string> progress;
  int progressEnds = 0;
};

// Ticks on demand: no waiting. After `limit` ticks it reports a stop request,
// as Ctrl-C would; `onTick` runs before each tick is handed out.
class CountedTicks final : public TickSource {
 public:
  explicit CountedTicks(long tickLimit = 100000) : limit(tickLimit) {}
  bool NextTick() override {
    if (count >= limit) return false;
    ++count;
    if (onTick) onTick(count);
    return true;
  }
  long limit;
  long count = 0;
  std::function<void(long tick)> onTick;
};

// Hands the program a port the test keeps hold of.
class PortRef final : public BytePort {
 public:
  explicit PortRef(BytePort& port) : port_(port) {}
  bool Open(int portNumber, const LineSettings& settings) override { return port_.Open(portNumber, settings); }
  bool Close() override { return port_.Close(); }
  bool IsOpen() override { return port_.IsOpen(); }
  int ReadByte() override { return port_.ReadByte(); }
  bool WriteByte(uint8_t value) override { return port_.WriteByte(value); }
  void DiscardInput() override { port_.DiscardInput(); }

 private:
  BytePort& port_;
};

}  // namespace tessaro::cli::testing

#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <random>
#include <string>
#include <system_error>
#include <vector>

#include "cli/Console.h"
#include "cli/TickSource.h"
#include "core/Clock.h"
#include "serial/BytePort.h"

namespace tessaro::cli::testing {

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

class FixedClock final : public Clock {
 public:
  LocalDateTime Now() const override { return {2024, 3, 5, 14, 3, 7}; }
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

// A fresh folder below the system temporary folder, removed with everything in it.
class ScratchFolder {
 public:
  ScratchFolder() {
    std::random_device random;
    const auto base = std::filesystem::temp_directory_path();
    for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
      auto candidate = base / ("tessaro-cli-" + std::to_string(random()));
      std::error_code error;
      if (std::filesystem::create_directory(candidate, error)) path_ = candidate;
    }
    if (path_.empty()) ADD_FAILURE() << "no temporary folder could be made below " << base;
  }
  ~ScratchFolder() {
    std::error_code error;
    if (!path_.empty()) std::filesystem::remove_all(path_, error);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

inline std::string FileText(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteFileText(const std::filesystem::path& file, const std::string& text) {
  std::ofstream(file, std::ios::binary) << text;
}

}  // namespace tessaro::cli::testing

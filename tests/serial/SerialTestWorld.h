#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <random>
#include <string>
#include <system_error>
#include <vector>

#include "core/Clock.h"
#include "core/ProgramSettings.h"
#include "lang/ModTaal.h"
#include "messages/Logfile.h"
#include "serial/BytePort.h"
#include "serial/Datacom.h"

namespace tessaro::testing {

// A fresh folder below the system temporary folder, removed with its contents.
class ScratchFolder {
 public:
  ScratchFolder() {
    std::random_device random;
    const auto base = std::filesystem::temp_directory_path();
    for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
      auto candidate = base / ("tessaro-serial-" + std::to_string(random()));
      std::error_code error;
      if (std::filesystem::create_directory(candidate, error)) path_ = candidate;
    }
    if (path_.empty()) ADD_FAILURE() << "no scratch folder could be made below " << base;
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

class FixedClock final : public Clock {
 public:
  LocalDateTime now{2024, 3, 7, 12, 34, 56};
  LocalDateTime Now() const override { return now; }
};

class RecordingFrame final : public CommunicationFrame {
 public:
  void SetCommunicationCaption(const std::string& text) override {
    caption = text;
    ++captionCalls;
  }
  std::string caption = "(as designed)";
  int captionCalls = 0;
};

// Datacom wired to a real message ring and log file in a scratch folder,
// with the English text table, around the given port.
class DatacomWorld {
 public:
  explicit DatacomWorld(BytePort& port, int16_t language = English)
      : log(folder.Path(), clock, settings), datacom(port, log, texts, &frame) {
    settings.Logfile = 1;
    texts.FillTextTable(language);
  }

  // The message lines so far, oldest first, as the Status tab shows them.
  std::vector<std::string> Lines() const {
    const auto& ring = log.MessageLines();
    return {ring.begin(), ring.begin() + log.MessageLineCount()};
  }
  // What a line looks like once the fixed clock has stamped it.
  static std::string Stamped(const std::string& text) { return "12:34:56 " + text; }

  ScratchFolder folder;
  FixedClock clock;
  ProgramSettings settings;
  ModTaal texts;
  Logfile log;
  RecordingFrame frame;
  Datacom datacom;
};

}  // namespace tessaro::testing

#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

#include "core/Clock.h"
#include "core/ProgramSettings.h"

namespace tessaro {

inline constexpr int MessageLineSlots = 25;

// The message ring of the last 25 lines and the daily log file in
// <program folder>/Log/ddmmyyyy.log. The one entry point for every report.
class MessageLog {
 public:
  // The program settings are read for their Logfile value at every call.
  MessageLog(std::filesystem::path programFolder, const Clock& clock, const ProgramSettings& settings);

  // Time-stamps the text ("hh:mm:ss text"), keeps it in the ring and appends
  // it to the day's log file. Never throws, never reports a failure.
  void LogMessage(const std::string& text);
  void AddMessageLine(const std::string& line);
  void ClearMessageLines();

  const std::array<std::string, MessageLineSlots>& MessageLines() const { return lines_; }
  int16_t MessageLineCount() const { return count_; }

  // Path of the log file for the given date.
  std::filesystem::path LogFilePath(const LocalDateTime& when) const;

  // Optional listener that sees every stored line (a console front end echoes them).
  void SetLineListener(std::function<void(const std::string&)> listener) {
    listener_ = std::move(listener);
  }

 private:
  std::filesystem::path programFolder_;
  const Clock& clock_;
  const ProgramSettings& settings_;
  std::array<std::string, MessageLineSlots> lines_{};
  int16_t count_ = 0;
  std::function<void(const std::string&)> listener_;
};

}  // namespace tessaro

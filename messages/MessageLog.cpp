#include "messages/MessageLog.h"

#include <cstdio>
#include <exception>
#include <fstream>
#include <system_error>
#include <utility>

namespace tessaro {

namespace fs = std::filesystem;

namespace {

std::string TimeText(const LocalDateTime& when) {
  char text[48];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d", when.hour, when.minute, when.second);
  return text;
}

std::string LogFileName(const LocalDateTime& when) {
  char text[64];
  std::snprintf(text, sizeof text, "%02d%02d%04d.log", when.day, when.month, when.year);
  return text;
}

// Opens, appends and closes at once so nothing stays open between lines.
// Binary mode keeps CR LF exactly as written on every platform.
// Returns false only when the file could not be opened.
bool AppendLine(const fs::path& file, const std::string& line) {
  std::ofstream out(file, std::ios::binary | std::ios::app);
  if (!out.is_open()) {
    return false;
  }
  out.write(line.data(), static_cast<std::streamsize>(line.size()));
  out.write("\r\n", 2);
  // A failed write (disk full) drops the line from the file; the ring keeps it.
  return true;
}

}  // namespace

MessageLog::MessageLog(fs::path programFolder, const Clock& clock, const ProgramSettings& settings)
    : programFolder_(std::move(programFolder)), clock_(clock), settings_(settings) {}

void MessageLog::LogMessage(const std::string& text) {
  try {
    const LocalDateTime now = clock_.Now();
    const std::string line = TimeText(now) + ' ' + text;
    if (settings_.Logfile == 0) {
      return;
    }
    AddMessageLine(line);

    const fs::path file = LogFilePath(now);
    if (AppendLine(file, line)) {
      return;
    }
    // Only a missing log folder is mended, and only once per line.
    const fs::path folder = file.parent_path();
    std::error_code error;
    if (fs::exists(folder, error) || error) {
      return;
    }
    fs::create_directory(folder, error);
    if (error) {
      return;
    }
    AppendLine(file, line);
  } catch (const std::exception&) {
    // Logging must never stop the program; the line stays in the ring if it got there.
  }
}

void MessageLog::AddMessageLine(const std::string& line) {
  if (count_ >= MessageLineSlots) {
    for (int i = 1; i < MessageLineSlots; ++i) {
      lines_[static_cast<size_t>(i - 1)] = std::move(lines_[static_cast<size_t>(i)]);
    }
    lines_[MessageLineSlots - 1] = line;
  } else {
    lines_[static_cast<size_t>(count_)] = line;
    ++count_;
  }
  if (listener_) {
    listener_(line);
  }
}

void MessageLog::ClearMessageLines() {
  for (auto& line : lines_) {
    line.clear();
  }
  count_ = 0;
}

fs::path MessageLog::LogFilePath(const LocalDateTime& when) const {
  return programFolder_ / "Log" / LogFileName(when);
}

}  // namespace tessaro

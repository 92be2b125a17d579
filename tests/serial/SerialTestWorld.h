#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/ProgramSettings.h"
#include "lang/LanguageTexts.h"
#include "messages/MessageLog.h"
#include "serial/BytePort.h"
#include "serial/Datacom.h"
#include "tests/support/FixedClock.h"
#include "tests/support/TestFolder.h"

namespace tessaro::testing {

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

  TestFolder folder;
  FixedClock clock{{2024, 3, 7, 12, 34, 56}};
  ProgramSettings settings;
  LanguageTexts texts;
  MessageLog log;
  RecordingFrame frame;
  Datacom datacom;
};

}  // namespace tessaro::testing

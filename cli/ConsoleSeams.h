#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "cli/Console.h"
#include "core/Dialogs.h"
#include "lang/LanguageTexts.h"
#include "presentation/SettingsTransfer.h"
#include "protocol/EngineScreen.h"

namespace tessaro::cli {

// The progress box as lines on standard error; the rows the reports quote
// come from the settings routines, the test-call inputs from the command line.
class ConsoleEngineScreen final : public EngineScreen {
 public:
  explicit ConsoleEngineScreen(Console& console) : console_(console) {}

  // The settings routines exist only once the program is built.
  void AttachRows(SettingsTransfer& rows) { rows_ = &rows; }
  void SetTestCall(std::string address, std::string message, int16_t bleepCode);
  // Writes out a line the engine has begun but not ended.
  void FlushProgress();

  void AppendProgress(const std::string& text) override;
  void SetProgressBar(bool /*visible*/, int /*minimum*/, int /*maximum*/, int /*value*/) override {}
  bool HasVisibleRow(int16_t item) override { return rows_ != nullptr && rows_->HasVisibleRow(item); }
  std::string Legend(int16_t item) override { return rows_ != nullptr ? rows_->Legend(item) : std::string(); }
  std::string ShownText(int16_t item) override { return rows_ != nullptr ? rows_->ShownText(item) : std::string(); }
  std::string TestPagerAddress() override { return address_; }
  std::string TestPagerDisplayInfo() override { return message_; }
  int16_t TestBleepCode() override { return bleepCode_; }

 private:
  void EmitLine(const std::string& line);

  Console& console_;
  SettingsTransfer* rows_ = nullptr;
  std::string pending_;
  std::string address_;
  std::string message_;
  int16_t bleepCode_ = 1;
};

// Error boxes become lines on standard error; they are kept so the front end
// can tell that something went wrong.
class ConsoleDialogs final : public Dialogs {
 public:
  explicit ConsoleDialogs(Console& console, bool json = false) : console_(console), json_(json) {}
  void ShowCriticalError(const std::string& text, const std::string& caption) override;
  // Runs before each box is shown: what the window's progress box holds by
  // then comes first on standard error too.
  void BeforeEachBox(std::function<void()> hook) { beforeBox_ = std::move(hook); }

  const std::vector<std::string>& Shown() const { return shown_; }
  void Forget() { shown_.clear(); }

 private:
  Console& console_;
  bool json_;
  std::function<void()> beforeBox_;
  std::vector<std::string> shown_;  // one line each, Windows-1252
};

// Line breaks inside a box text or report become blanks.
std::string OneLine(const std::string& text);

}  // namespace tessaro::cli

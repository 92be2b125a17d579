#pragma once

// The whole program as start-up wires it (store, texts, log, Datacom over the
// Qt serial adapter, settings screen over fake controls, engine), talking to
// the simulated unit over a pseudo-terminal that is reached the way a user's
// adapter is: COM73 through TESSARO_COM73, pointing at a link in a temporary
// folder that the simulator keeps aimed at its current port.

#include <gtest/gtest.h>

#include <stdlib.h>

#include <QCoreApplication>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "program/TessaroProgram.h"
#include "tests/support/ItemValueAssertions.h"
#include "presentation/SettingsLegends.h"
#include "protocol/ProtocolEngine.h"
#include "serial/QtSerialBytePort.h"
#include "tests/support/FakeSettingsControls.h"
#include "tests/support/FixedClock.h"
#include "tests/support/PseudoTerminal.h"
#include "tests/support/RecordingDialogs.h"
#include "tests/support/TestFolder.h"
#include "tests/support/UnitSimProcess.h"

namespace tessaro::testing {

using namespace std::chrono_literals;

inline constexpr int kComNumber = 73;
inline constexpr const char* kComVariable = "TESSARO_COM73";
inline constexpr const char* kComOpenedLine = "Com: 73 opened with: 9600,N,8,1";
inline constexpr const char* kComOpenFailedLine = "Error opening Comport:  73";
inline constexpr const char* kComClosedLine = "Comport closed by software.";

// One setting as the unit is started with it (--set) and as the program must
// decode it. A null preset: the unit derives the value itself.
struct UnitSetting {
  int16_t item;
  const char* preset;
  const char* decoded;
};

// Every readable item, ascending, with values unlike the unit's factory ones
// so that a value that did not travel shows.
inline std::vector<UnitSetting> UnitProfile() {
  return {
      {0, "2", "2"},      {5, "4", "4"},      {7, "12", "12"},    {10, "2", "2"},     {11, "0", "0"},
      {12, "1", "1"},     {13, "2", "2"},     {14, "1", "1"},     {15, "3", "3"},     {17, "2", "2"},
      {18, "65", "11"},  // the unit keeps the hex digit "A"
      {19, "2", "2"},     {20, "45", "45"},   {21, "2", "2"},     {22, "1", "1"},     {23, "120", "120"},
      {31, "10", "10"},   {32, "20", "20"},   {33, "30", "30"},   {34, "40", "40"},   {35, "57", "57"},
      {36, "48", "48"},   {37, "10", "10"},   {38, "20", "20"},   {39, "30", "30"},   {40, "1", "1"},
      {41, "16", "16"},
      {150, "02:00:5E:10:20:30", "02:00:5E:10:20:30"},
      {151, nullptr, "10.20.30.40"},
      {152, nullptr, "10.20.30.1"},
      {153, nullptr, "255.255.0.0"},  // subnet entry 16: a 16-bit mask
      {154, "10.20.30.2", "10.20.30.2"},
  };
}

inline std::string HexBytes(const std::vector<uint8_t>& bytes) {
  std::string text;
  char pair[4];
  for (uint8_t byte : bytes) {
    std::snprintf(pair, sizeof pair, "%02X ", byte);
    text += pair;
  }
  if (!text.empty()) text.pop_back();
  return text;
}

// A request frame as the unit must receive it, checksum worked out here.
inline std::vector<uint8_t> Checksummed(std::vector<uint8_t> frame) {
  unsigned sum = 0;
  for (uint8_t byte : frame) sum += byte;
  frame.push_back(static_cast<uint8_t>((256 - sum % 256) % 256));
  return frame;
}

// "RX ..." line of the unit for a read request of the item.
inline std::string ReadRequestLine(int item) {
  return "RX " + HexBytes(Checksummed({0x01, 0x09, 0x01, 0x00, 0x02, 0x77, 0x1F, static_cast<uint8_t>(item), 0x1E}));
}

// Start of the "RX ..." line of the unit for a write request of the item,
// whatever its value.
inline std::string WriteRequestLineStart(int item) {
  return "RX 01 0D 01 00 02 57 1F " + HexBytes({static_cast<uint8_t>(item)}) + " 1E ";
}

inline std::vector<std::string> SplitCrLf(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (auto end = text.find("\r\n"); end != std::string::npos; end = text.find("\r\n", start)) {
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

// The progress box, the bar and the test-call inputs; the row texts come
// from the settings screen, as in the window.
class WindowScreen final : public EngineScreen {
 public:
  void Attach(SettingsTransfer& rows) { rows_ = &rows; }

  void AppendProgress(const std::string& text) override { progress += text; }
  void SetProgressBar(bool visible, int, int, int value) override {
    barVisible = visible;
    barValue = value;
  }
  bool HasVisibleRow(int16_t item) override { return rows_ != nullptr && rows_->HasVisibleRow(item); }
  std::string Legend(int16_t item) override { return rows_ != nullptr ? rows_->Legend(item) : std::string(); }
  std::string ShownText(int16_t item) override { return rows_ != nullptr ? rows_->ShownText(item) : std::string(); }
  std::string TestPagerAddress() override { return pagerAddress; }
  std::string TestPagerDisplayInfo() override { return pagerMessage; }
  int16_t TestBleepCode() override { return bleepCode; }

  std::string progress;
  bool barVisible = false;
  int barValue = -1;
  std::string pagerAddress;
  std::string pagerMessage;
  int16_t bleepCode = -1;

 private:
  SettingsTransfer* rows_ = nullptr;
};

// What start-up asks of the main window; the legends go into the fake rows.
class QuietWindow final : public MainWindowView {
 public:
  QuietWindow(SettingsControls& controls, const LanguageTexts& texts) : controls_(controls), texts_(texts) {}
  void UpdateMessageWindow() override {}
  void SetTeksten() override { WriteSettingsLegends(controls_, texts_); }
  void HideSettingsTab(int) override {}
  void ShowMainTab(int) override {}
  void SelectSettingsTab(int) override {}
  void SelectMainTab(int) override {}
  void SetDebugFramesVisible(bool) override {}
  void ShowCoverGuide() override {}

 private:
  SettingsControls& controls_;
  const LanguageTexts& texts_;
};

class ProtocolE2eTest : public ::testing::Test {
 protected:
  // A tick with nothing arriving in a reception state waits this long, so
  // the 120-tick reply time-out stays about a second of real time.
  static constexpr auto kReceptionPause = 8ms;
  // Between two reopen attempts (200 ticks) about a second passes.
  static constexpr auto kPortLostPause = 5ms;
  // Idle with nothing to do: only the unit's own text can still come.
  static constexpr auto kIdlePause = 1ms;
  // No wait in this file may take longer, whatever the tick count.
  static constexpr auto kWallLimit = 20s;

  void SetUp() override {
    if (const auto why = WhyNoPseudoTerminal()) GTEST_SKIP() << "no pseudo-terminal can be made here: " << *why;
    if (QCoreApplication::instance() == nullptr) app_ = std::make_unique<QCoreApplication>(argc_, argv_);
    ASSERT_FALSE(folder_.Path().empty());
  }

  void TearDown() override {
    program.reset();
    port_.reset();
    sim.Stop();
    ::unsetenv(kComVariable);
  }

  // The unit started with the profile plus `extra` switches, and the
  // program started on it as start-up does; the engine idle with its
  // start-up delay over.
  void StartUnitAndProgram(const std::vector<std::string>& extra) {
    const std::string link = (folder_.Path() / "com73").string();
    std::vector<std::string> args = {"--link", link, "--status-every", "0", "--quit-after", "90"};
    for (const auto& setting : UnitProfile()) {
      if (setting.preset != nullptr) {
        args.push_back("--set");
        args.push_back(std::to_string(setting.item) + "=" + setting.preset);
      }
    }
    args.insert(args.end(), extra.begin(), extra.end());
    ASSERT_TRUE(sim.Start(args)) << TESSARO_UNIT_SIM_PATH;
    ASSERT_TRUE(sim.WaitForLine("PTY ", 5s)) << sim.Transcript();
    ::setenv(kComVariable, link.c_str(), 1);

    port_ = std::make_unique<QtSerialBytePort>();
    program = std::make_unique<TessaroProgram>(
        TessaroProgram::World{folder_.Path(), clock_, *port_, dialogs, controls, screen, nullptr});
    screen.Attach(program->Screen);
    program->Log.SetLineListener([this](const std::string& line) { lines.push_back(line.substr(9)); });
    program->Settings.Compoort = kComNumber - 1;
    program->Settings.Logfile = 1;
    program->Settings.Case = 1;
    program->Files.WriteProgramSettings();

    window_ = std::make_unique<QuietWindow>(controls, program->Texts);
    program->StartProgram("", *window_);
    ASSERT_EQ(Engine().EngineState, engine_state::Idle) << Transcript();
    ASSERT_TRUE(HasLine(kComOpenedLine)) << Transcript();
    ASSERT_TRUE(Run([&] { return Engine().DelayCountdown == 0; }, 50));
    ASSERT_TRUE(dialogs.criticalErrors.empty()) << dialogs.criticalErrors.front().text;
    lines.clear();
  }

  ProtocolEngine& Engine() { return program->Engine; }
  SettingsStore& Store() { return program->Store; }
  const std::string& Text(TextSlot slot) const { return program->Texts.Text(slot); }

  // Engine ticks until done() holds; false when it did not within maxTicks
  // ticks (or the wall-clock limit). With a tick period set, ticks come at
  // that pace, as from the window's timer; otherwise as fast as the unit
  // lets them.
  bool Run(const std::function<bool()>& done, int maxTicks) {
    const auto deadline = std::chrono::steady_clock::now() + kWallLimit;
    auto nextTick = std::chrono::steady_clock::now();
    for (int tick = 0; tick < maxTicks; ++tick) {
      sim.Drain();
      if (done()) return true;
      if (std::chrono::steady_clock::now() > deadline) return false;
      const EngineStateCode stateBefore = Engine().EngineState;
      const int posBefore = Engine().Reply().Position();
      Engine().EngineTick(0);
      QCoreApplication::processEvents();
      if (tickPeriod_) {
        nextTick += *tickPeriod_;
        std::this_thread::sleep_until(nextTick);
      } else {
        std::this_thread::sleep_for(PauseAfter(stateBefore, posBefore));
      }
    }
    sim.Drain();
    return done();
  }

  // Nothing pending, no flag raised, no batch open: the engine has finished
  // what it was asked.
  bool Settled() {
    const ProtocolEngine& engine = Engine();
    if (engine.EngineState != engine_state::Idle || engine.BatchReport != 0) return false;
    if (engine.ReadAllRequest || engine.WriteAllRequest || engine.TestCallRequest || engine.ResetRequest) {
      return false;
    }
    for (int16_t status : Store().ItemStatus) {
      if (status != RequestNone) return false;
    }
    return true;
  }

  bool RunUntilSettled(int maxTicks) {
    return Run([&] { return Settled(); }, maxTicks);
  }

  // The window's 25 ms timer instead of ticks as fast as the unit allows.
  void UseProgramTickPeriod() { tickPeriod_ = 25ms; }

  bool HasLine(const std::string& text) const {
    for (const auto& line : lines) {
      if (line == text) return true;
    }
    return false;
  }

  std::size_t CountLines(const std::string& text) const {
    std::size_t count = 0;
    for (const auto& line : lines) count += line == text ? 1 : 0;
    return count;
  }

  // The unit's output, the message lines and the progress box, for failures.
  std::string Transcript() const {
    std::string text = "--- unit\n" + sim.Transcript() + "--- message lines\n";
    for (const auto& line : lines) text += line + "\n";
    text += "--- progress box\n" + screen.progress + "\n";
    if (program) text += "--- engine state " + std::to_string(StateNumber(program->Engine.EngineState)) + "\n";
    return text;
  }

  // What the program shows of an item: "legend shown-text".
  std::string Row(int16_t item) { return program->Screen.Legend(item) + " " + program->Screen.ShownText(item); }

  // Puts a value on the screen as loading a settings file would.
  void ShowOnScreen(int16_t item, int value) {
    Store().ItemValues[static_cast<std::size_t>(item)] = ItemValue(value);
    program->Screen.ItemToScreen(item);
  }

  UnitSimProcess sim{TESSARO_UNIT_SIM_PATH};
  RecordingDialogs dialogs;
  FakeSettingsControls controls;
  WindowScreen screen;
  std::vector<std::string> lines;  // message lines without their time stamp
  std::unique_ptr<TessaroProgram> program;

 private:
  std::chrono::milliseconds PauseAfter(EngineStateCode stateBefore, int posBefore) {
    const EngineStateCode state = Engine().EngineState;
    if (state == engine_state::PortLost) return kPortLostPause;
    const bool nothingCame = state == stateBefore && Engine().Reply().Position() == posBefore;
    if (IsReceptionState(state) && nothingCame) return kReceptionPause;
    if (Settled()) return kIdlePause;
    return 0ms;
  }

  int argc_ = 1;
  char name_[24] = "tests_protocol_e2e";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QCoreApplication> app_;
  TestFolder folder_;
  FixedClock clock_{{2024, 5, 17, 10, 11, 12}};
  std::unique_ptr<QtSerialBytePort> port_;
  std::unique_ptr<QuietWindow> window_;
  std::optional<std::chrono::milliseconds> tickPeriod_;
};

}  // namespace tessaro::testing

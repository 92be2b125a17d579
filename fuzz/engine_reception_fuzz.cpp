// Feeds arbitrary bytes to the engine while a read, a write, a test call or
// a reset waits for its reply, or while it listens idle. The engine must
// stay within its states and never write outside RxBuffer.
//
// Input: byte 0 picks the transaction (and whether bytes are also taken as
// they arrive, between ticks), byte 1 the options (debug level, visible
// rows, how the bytes arrive), byte 2 the item and its value; the rest is
// what the unit "sends".

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "core/Dialogs.h"
#include "core/ProgramSettings.h"
#include "core/SettingsScreen.h"
#include "core/SettingsStore.h"
#include "lang/LanguageTexts.h"
#include "messages/MessageLog.h"
#include "protocol/EngineScreen.h"
#include "protocol/ProtocolEngine.h"
#include "serial/Datacom.h"
#include "tests/support/FakeBytePort.h"
#include "tests/support/FixedClock.h"

namespace {

using namespace tessaro;

class FuzzScreen final : public EngineScreen {
 public:
  explicit FuzzScreen(bool rows) : rows_(rows) {}
  void AppendProgress(const std::string& text) override {
    // Keeps the box small; only the composition is exercised.
    progress_ = text;
  }
  void SetProgressBar(bool, int, int, int) override {}
  bool HasVisibleRow(int16_t) override { return rows_; }
  std::string Legend(int16_t) override { return "legend"; }
  std::string ShownText(int16_t) override { return "shown"; }
  std::string TestPagerAddress() override { return "123456789012"; }
  std::string TestPagerDisplayInfo() override { return "message"; }
  int16_t TestBleepCode() override { return -1; }

 private:
  bool rows_;
  std::string progress_;
};

class FuzzSettingsScreen final : public SettingsScreen {
 public:
  void ItemToScreen(int16_t) override {}
  void ScreenToItem(int16_t) override {}
};

class FuzzDialogs final : public Dialogs {
 public:
  void ShowCriticalError(const std::string&, const std::string&) override {}
};

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

void CheckEngine(const ProtocolEngine& engine) {
  Check(IsEngineState(engine.EngineState));
  Check(engine.Reply().Position() >= 0 && engine.Reply().Position() <= RxBufferSize);
  Check(engine.CheckSum >= 0 && engine.CheckSum <= 255);
}

// Idle with nothing left to do: further ticks only repeat the idle scan.
bool Settled(const ProtocolEngine& engine, const SettingsStore& store, const testing::FakeBytePort& port) {
  if (engine.EngineState != engine_state::Idle || !port.received.empty()) return false;
  if (engine.TestCallRequest || engine.ResetRequest) return false;
  for (int16_t status : store.ItemStatus) {
    if (status != RequestNone) return false;
  }
  return true;
}

constexpr std::size_t kMaxPayload = 512;
constexpr int kFeedTickBudget = 1500;  // keeps one input fast
constexpr int kSettleTicks = 450;  // past every time-out and the follow-up call

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  if (size < 3) return 0;
  const uint8_t selector = data[0];
  const uint8_t options = data[1];
  const uint8_t itemByte = data[2];
  const std::vector<uint8_t> payload(data + 3, data + std::min(size, kMaxPayload + 3));

  ProgramSettings settings;
  settings.Logfile = 0;  // lines are composed, then thrown away: no files
  testing::FixedClock clock;
  MessageLog log(std::filesystem::path("unused"), clock, settings);
  // The engine only reads the texts: each language is filled once.
  static const std::array<LanguageTexts, 4> kTexts = [] {
    std::array<LanguageTexts, 4> all;
    for (int16_t language = 0; language < 4; ++language) {
      int16_t chosen = language;
      all[static_cast<std::size_t>(language)].FillTextTable(chosen);
    }
    return all;
  }();
  const LanguageTexts& texts = kTexts[options >> 6];
  SettingsStore store;
  ClearItemValues(store);
  ClearUnitValues(store);
  store.DebugLevel = (options & 0x01) != 0 ? 2 : 0;
  testing::FakeBytePort port;
  Datacom datacom(port, log, texts);
  FuzzScreen screen((options & 0x02) != 0);
  FuzzSettingsScreen settingsScreen;
  FuzzDialogs dialogs;
  ProtocolEngine engine(store, settings, datacom, log, texts, screen, settingsScreen, dialogs);

  if (datacom.OpenComPort(0, 4, 0, 1, 0, 0) != 0) return 0;
  engine.EngineTick(10);

  const int16_t item = static_cast<int16_t>(itemByte % 250);
  EngineStateCode waitFor = engine_state::Idle;
  switch (selector % 5) {
    case 0:
      store.ItemStatus[static_cast<std::size_t>(item)] = RequestRead;
      waitFor = engine_state::ReadSoh;
      break;
    case 1:
      store.ItemValues[static_cast<std::size_t>(item)] =
          item >= 150 ? ItemValue(std::string(itemByte % 8, 'x')) : ItemValue(itemByte);
      store.ItemStatus[static_cast<std::size_t>(item)] = RequestWrite;
      waitFor = engine_state::WriteSoh;
      break;
    case 2:
      engine.TestCallRequest = true;
      waitFor = engine_state::CallStatusSoh;
      break;
    case 3:
      engine.ResetRequest = true;
      waitFor = engine_state::ResetSoh;
      break;
    default:
      break;
  }
  engine.FailCount = static_cast<int16_t>((selector / 5) % 3);
  for (int i = 0; i < 40 && engine.EngineState != waitFor; ++i) {
    engine.EngineTick(0);
    CheckEngine(engine);
  }

  // How the bytes arrive: all at once, one per tick, or in chunks.
  const int mode = (options >> 2) & 0x03;
  const std::size_t chunk = mode == 0 ? payload.size() : mode == 1 ? 1 : 1 + ((options >> 4) & 0x03) * 7;
  int budget = kFeedTickBudget;
  for (std::size_t at = 0; at < payload.size() && budget > 0; at += chunk) {
    const std::size_t end = std::min(payload.size(), at + chunk);
    port.Feed(std::vector<uint8_t>(payload.begin() + static_cast<std::ptrdiff_t>(at),
                                   payload.begin() + static_cast<std::ptrdiff_t>(end)));
    // Bytes taken as they arrive, the quiet gap ended early or by the ticks.
    if ((selector & 0x40) != 0) {
      engine.Arrived();
      CheckEngine(engine);
      if (engine.NextTurnDue()) engine.Continue();
      CheckEngine(engine);
      if ((selector & 0x80) != 0 && engine.WaitsForGap()) engine.GapEnded();
      CheckEngine(engine);
    }
    engine.EngineTick(0);
    CheckEngine(engine);
    --budget;
    if (mode == 3) {
      // A gap between chunks, long enough at times for a time-out.
      for (std::size_t i = 0; i < end % 130 && budget > 0; ++i, --budget) {
        engine.EngineTick(0);
        CheckEngine(engine);
      }
    }
  }
  for (int i = 0; i < kSettleTicks && !Settled(engine, store, port); ++i) {
    engine.EngineTick(0);
    CheckEngine(engine);
  }
  return 0;
}

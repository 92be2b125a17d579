#pragma once

// The engine wired for measuring: window seams that only take what they are
// given, message lines switched off so no file is touched.

#include <cstdint>
#include <filesystem>
#include <string>

#include "core/Dialogs.h"
#include "core/ProgramSettings.h"
#include "core/SettingsScreen.h"
#include "core/SettingsStore.h"
#include "lang/LanguageTexts.h"
#include "messages/MessageLog.h"
#include "protocol/EngineScreen.h"
#include "protocol/ProtocolEngine.h"
#include "serial/BytePort.h"
#include "serial/Datacom.h"
#include "tests/support/FixedClock.h"

namespace tessaro::bench {

// Every item has a row, so reports are composed as in the window; the
// progress box keeps only its last piece, so long runs do not grow it.
class BenchScreen final : public EngineScreen {
 public:
  void AppendProgress(const std::string& text) override { lastProgress = text; }
  void SetProgressBar(bool, int, int, int) override {}
  bool HasVisibleRow(int16_t) override { return true; }
  std::string Legend(int16_t) override { return "Legend:"; }
  std::string ShownText(int16_t) override { return "value"; }
  std::string TestPagerAddress() override { return "1234"; }
  std::string TestPagerDisplayInfo() override { return {}; }
  int16_t TestBleepCode() override { return 0; }

  std::string lastProgress;
};

class BenchSettingsScreen final : public SettingsScreen {
 public:
  void ItemToScreen(int16_t) override {}
  void ScreenToItem(int16_t) override {}
};

class BenchDialogs final : public Dialogs {
 public:
  void ShowCriticalError(const std::string&, const std::string&) override { ++boxes; }
  int boxes = 0;
};

// The engine over the given port, started as start-up does (port open,
// EngineTick(10), start-up delay over).
struct EngineBenchWorld {
  explicit EngineBenchWorld(BytePort& port, int16_t portIndex = 0,
                            std::filesystem::path folder = std::filesystem::temp_directory_path())
      : log(std::move(folder), clock, settings),
        datacom(port, log, texts),
        engine(store, settings, datacom, log, texts, screen, settingsScreen, dialogs) {
    settings.Compoort = portIndex;
    int16_t language = English;
    texts.FillTextTable(language);
    ClearItemValues(store);
    ClearUnitValues(store);
  }

  // False when the port did not open.
  bool Start() {
    if (datacom.OpenComPort(settings.Compoort, 4, 0, 1, 0, 0) < 0) return false;
    engine.EngineTick(10);
    while (engine.DelayCountdown > 0) engine.EngineTick(0);
    return engine.EngineState == engine_state::Idle;
  }

  bool NothingPending() const {
    for (int16_t status : store.ItemStatus) {
      if (status != RequestNone) return false;
    }
    return true;
  }

  testing::FixedClock clock{{2024, 5, 17, 10, 11, 12}};
  ProgramSettings settings;  // Logfile 0: message lines are dropped
  LanguageTexts texts;
  SettingsStore store;
  MessageLog log;
  Datacom datacom;
  BenchScreen screen;
  BenchSettingsScreen settingsScreen;
  BenchDialogs dialogs;
  ProtocolEngine engine;
};

}  // namespace tessaro::bench

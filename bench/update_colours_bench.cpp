// One UpdateItemColours pass (the 100 ms colour timer's work) over the
// setting controls kept in memory: the cost of the pass itself, without any
// toolkit behind the controls.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "core/Dialogs.h"
#include "core/ItemValue.h"
#include "core/SettingsScreen.h"
#include "core/SettingsStore.h"
#include "lang/LanguageTexts.h"
#include "presentation/MemoryControls.h"
#include "presentation/SettingsTransfer.h"

namespace tessaro {
namespace {

class SilentDialogs final : public Dialogs {
 public:
  void ShowCriticalError(const std::string& /*text*/, const std::string& /*caption*/) override {}
};

// The items the pass visits, with a value each as a read leaves it: decimal
// texts for the settings, the unit's texts for the diagnostics.
constexpr int16_t kSettings[] = {0,  5,  7,  10, 11, 12, 13, 14, 15, 17, 18, 19, 20, 21, 22, 23,
                                 31, 32, 33, 34, 35, 36, 37, 38, 39, 40, 41};

enum class Scenario {
  MatchesUnit,      // just read: every control equals UnitValues
  DiffersFromUnit,  // just loaded from a file: UnitValues all -1
  AllPending,       // a read-all has just been requested: every item skipped
};

// The settings screen as start-up builds it, filled as after a read.
class ColourWorld {
 public:
  explicit ColourWorld(Scenario scenario) : screen_(store_, texts_, controls_, dialogs_) {
    int16_t english = 0;
    texts_.FillTextTable(english);
    screen_.InitSettingsScreen();
    ClearItemValues(store_);
    ClearUnitValues(store_);
    ClearItemStatus(store_);
    for (int16_t item : kSettings) store_.ItemValues[static_cast<std::size_t>(item)] = ItemValue("1");
    store_.ItemValues[150] = ItemValue("02:00:5E:10:20:30");
    store_.ItemValues[151] = ItemValue("10.20.30.40");
    store_.ItemValues[152] = ItemValue("10.20.30.1");
    store_.ItemValues[153] = ItemValue("255.255.0.0");
    store_.ItemValues[154] = ItemValue("10.20.30.2");
    AllItemsToScreen(screen_);
    if (scenario != Scenario::DiffersFromUnit) store_.UnitValues = store_.ItemValues;
    if (scenario == Scenario::AllPending) {
      for (auto& status : store_.ItemStatus) status = RequestRead;
    }
  }

  void Pass() { screen_.UpdateItemColours(); }

  // The settings are on the screen as the case says.
  bool Shown() {
    const ComboControl* combo = controls_.ComboInstellingen(5);
    const TextBoxControl* box = controls_.TxtCharInput(31);
    return combo != nullptr && combo->SelectedIndex() == 1 && box != nullptr && box->Text() == "1";
  }

 private:
  SettingsStore store_;
  LanguageTexts texts_;
  MemoryControls controls_;
  SilentDialogs dialogs_;
  SettingsTransfer screen_;
};

void BM_UpdateItemColours(benchmark::State& state, Scenario scenario) {
  ColourWorld world(scenario);
  if (!world.Shown()) state.SkipWithError("the settings are not on the screen");
  for (auto _ : state) {
    world.Pass();
    benchmark::ClobberMemory();
  }
}

BENCHMARK_CAPTURE(BM_UpdateItemColours, memory_matches_unit, Scenario::MatchesUnit);
BENCHMARK_CAPTURE(BM_UpdateItemColours, memory_differs_from_unit, Scenario::DiffersFromUnit);
BENCHMARK_CAPTURE(BM_UpdateItemColours, memory_all_pending, Scenario::AllPending);

}  // namespace
}  // namespace tessaro

BENCHMARK_MAIN();

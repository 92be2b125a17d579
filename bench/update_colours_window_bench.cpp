// One UpdateItemColours pass over the real Qt controls of the main window,
// on the offscreen platform. The steady cases are what the 100 ms timer costs
// almost always (no colour changes, so no palette is touched); the flipping
// cases change every control's colour on each pass, the worst case, once
// without and once with the repaint that follows on a shown window.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <array>
#include <fstream>
#include <memory>
#include <string>
#include <utility>

#include "core/Clock.h"
#include "core/ItemValue.h"
#include "serial/QtSerialBytePort.h"
#include "tests/support/TempFolder.h"
#include "ui/InputBox.h"
#include "ui/ListCombo.h"
#include "ui/QtControls.h"
#include "ui/UserPrompts.h"
#include "ui/MainWindow.h"

namespace tessaro {
namespace {

constexpr std::array<int16_t, 33> kColouredItems = {0,  5,  7,  10, 11, 12, 13, 14, 15, 16, 17,
                                                    18, 19, 20, 21, 22, 23, 31, 32, 33, 34, 35,
                                                    36, 37, 38, 39, 40, 41, 150, 151, 152, 153, 154};

class NoPrompts final : public UserPrompts {
 public:
  bool Confirm(const QString& /*title*/, const QString& /*text*/) override { return false; }
  std::optional<QString> SaveFileName(const FileDialogRequest& /*request*/) override { return std::nullopt; }
  std::optional<QString> OpenFileName(const FileDialogRequest& /*request*/) override { return std::nullopt; }
  void Beep() override {}
};

class ProgramFolder : public testing::TempFolder {
 public:
  ProgramFolder() : TempFolder("tessaro-colour-bench-") {
    std::ofstream settings(Path() / "TessaroIP.set", std::ios::binary);
    settings << "0        Compoort ->0\r\n1      Logfile ->0\r\n2       SetPath ->\r\n"
             << "3       UnitType ->3\r\n4       Taal ->0\r\n5       Case ->1\r\n";
    // Settings as a read would leave them: every combo on entry 1, every box "1".
    std::ofstream defaults(Path() / "default.set", std::ios::binary);
    for (int item = 0; item <= 249; ++item) {
      defaults << item << "    ->" << (item < 150 ? "1" : "10.20.30.40") << "\r\n";
    }
  }
};

// The started window without a port (none is named) and with its timers
// stopped: the benchmark calls the colour timer's handler itself.
class WindowWorld {
 public:
  explicit WindowWorld(bool shown)
      : port_([](int) { return std::string(); }),
        window_(MainWindow::Environment{folder_.Path(), clock_, port_, prompts_}) {
    window_.Form_Load("");
    window_.TimerStartRefresh_Timer();
    if (shown) {
      window_.Widgets().SSTab1->setCurrentIndex(1);  // the settings in front
      window_.show();
      QCoreApplication::processEvents();
    }
    SettingsStore& store = window_.Program().Store;
    store.UnitValues = store.ItemValues;
    for (int16_t item : kColouredItems) other_[static_cast<std::size_t>(item)] = ItemValue(-1);
    window_.TmrUpdateVensters_Timer();
  }

  void Pass() { window_.TmrUpdateVensters_Timer(); }

  // Whether the ESPA address length combo and the first IP box are drawn
  // in the given colour: the set-up did what the case says.
  bool DrawnAs(ValueColour colour) {
    const MainWindowWidgets& widgets = window_.Widgets();
    const QWidget& combo = *widgets.ComboInstellingen.at(5)->lineEdit();
    const QWidget& box = *widgets.TxtCharInput.at(31);
    return combo.palette().color(QPalette::Text) == ColourOf(colour, combo.palette()) &&
           box.palette().color(QPalette::Text) == ColourOf(colour, box.palette());
  }

  // Swaps what the unit is known to hold between the shown values and -1,
  // so that the next pass recolours every control.
  void FlipUnitValues() {
    SettingsStore& store = window_.Program().Store;
    for (int16_t item : kColouredItems) {
      const auto index = static_cast<std::size_t>(item);
      std::swap(store.UnitValues[index], other_[index]);
    }
  }

  void MakeAllDiffer() { FlipUnitValues(); }

 private:
  ProgramFolder folder_;
  SystemClock clock_;
  QtSerialBytePort port_;
  NoPrompts prompts_;
  MainWindow window_;
  std::array<ItemValue, ItemCount> other_{};
};

void BM_WindowSteadyMatches(benchmark::State& state) {
  WindowWorld world(false);
  if (!world.DrawnAs(ValueColour::MatchesUnit)) state.SkipWithError("values do not match the unit");
  for (auto _ : state) world.Pass();
}

void BM_WindowSteadyDiffers(benchmark::State& state) {
  WindowWorld world(false);
  world.MakeAllDiffer();
  world.Pass();
  if (!world.DrawnAs(ValueColour::DiffersFromUnit)) state.SkipWithError("values match the unit");
  for (auto _ : state) world.Pass();
}

void BM_WindowFlipping(benchmark::State& state) {
  WindowWorld world(false);
  for (auto _ : state) {
    world.FlipUnitValues();
    world.Pass();
  }
}

void BM_WindowFlippingWithRepaint(benchmark::State& state) {
  WindowWorld world(true);
  for (auto _ : state) {
    world.FlipUnitValues();
    world.Pass();
    QCoreApplication::processEvents();
  }
}

BENCHMARK(BM_WindowSteadyMatches)->Name("UpdateItemColours/window_steady_matches_unit");
BENCHMARK(BM_WindowSteadyDiffers)->Name("UpdateItemColours/window_steady_differs_from_unit");
BENCHMARK(BM_WindowFlipping)->Name("UpdateItemColours/window_every_colour_changes");
BENCHMARK(BM_WindowFlippingWithRepaint)->Name("UpdateItemColours/window_every_colour_changes_and_repaint");

}  // namespace
}  // namespace tessaro

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

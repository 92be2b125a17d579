// The four timers: engine tick, colouring, LED blink, the one start-up refresh.
#include <QMessageBox>

#include "core/Items.h"
#include "tests/ui/UiFixture.h"
#include "ui/LedShape.h"

namespace tessaro::testing {
namespace {

const QColor kTxDark(0xC0, 0x00, 0x00);
const QColor kTxLight(0xFF, 0x80, 0x80);
const QColor kRxDark(0x00, 0xC0, 0x00);
const QColor kRxLight(0x80, 0xFF, 0x80);

struct TimerCase {
  const char* name;
  QTimer& (MainWindow::*timer)();
  int interval;
  bool singleShot;
  friend void PrintTo(const TimerCase& row, std::ostream* out) { *out << row.name; }
};

class TimerSetupTest : public MainWindowTest, public ::testing::WithParamInterface<TimerCase> {};

TEST_P(TimerSetupTest, StartsOnlyWhenStartUpHasReturned) {
  Start();
  QTimer& timer = (window.get()->*GetParam().timer)();
  EXPECT_FALSE(timer.isActive());
  window->StartTimers();
  EXPECT_TRUE(timer.isActive());
  EXPECT_EQ(timer.interval(), GetParam().interval);
  EXPECT_EQ(timer.isSingleShot(), GetParam().singleShot);
}

INSTANTIATE_TEST_SUITE_P(
    Timers, TimerSetupTest,
    ::testing::Values(TimerCase{"TmrAfhandel", &MainWindow::TmrAfhandel, 25, false},
                      TimerCase{"TmrUpdateVensters", &MainWindow::TmrUpdateVensters, 100, false},
                      TimerCase{"LedTimer", &MainWindow::LedTimer, 250, false},
                      TimerCase{"TimerStartRefresh", &MainWindow::TimerStartRefresh, 300, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainWindowTest, EngineTimerIsPrecise) {
  Start();
  EXPECT_EQ(window->TmrAfhandel().timerType(), Qt::PreciseTimer);
}

class LedTest : public MainWindowTest {
 protected:
  void SetUp() override { Start(); }

  // One LED step; returns whether each LED is lit afterwards.
  std::pair<bool, bool> Step() {
    window->LedTimer_Timer();
    const QColor tx = W().ShpTx->FillColour();
    const QColor rx = W().ShpRx->FillColour();
    EXPECT_TRUE(tx == kTxDark || tx == kTxLight);
    EXPECT_TRUE(rx == kRxDark || rx == kRxLight);
    return {tx == kTxLight, rx == kRxLight};
  }

  void OneExchange() {
    ASSERT_EQ(Program().Link.SendByte(0x06), 0);
    port.Feed({0x15});
    ASSERT_EQ(Program().Link.ReadByte(), 0x15);
  }
};

TEST_F(LedTest, StayDarkWithoutTraffic) {
  Program().Link.TxActivity = false;
  Program().Link.RxActivity = false;
  for (int tick = 0; tick < 4; ++tick) EXPECT_EQ(Step(), std::make_pair(false, false)) << tick;
}

TEST_F(LedTest, OneExchangeLightsEachLedOnce) {
  OneExchange();
  int txLit = 0;
  int rxLit = 0;
  for (int tick = 0; tick < 6; ++tick) {
    const auto [tx, rx] = Step();
    txLit += tx;
    rxLit += rx;
  }
  EXPECT_EQ(txLit, 1);
  EXPECT_EQ(rxLit, 1);
  EXPECT_FALSE(Program().Link.TxActivity);
  EXPECT_FALSE(Program().Link.RxActivity);
}

TEST_F(LedTest, ContinuousTrafficBlinks) {
  std::vector<bool> tx;
  for (int tick = 0; tick < 6; ++tick) {
    OneExchange();
    tx.push_back(Step().first);
  }
  EXPECT_EQ(tx, (std::vector<bool>{true, false, true, false, true, false}));
}

TEST_F(LedTest, RefreshesTheMessageLines) {
  Program().Log.LogMessage("first line of the unit");
  window->LedTimer_Timer();
  EXPECT_EQ(W().Text2[1]->text(), QStringLiteral("09:26:53 first line of the unit"));
}

TEST_F(MainWindowTest, StartRefreshShowsTheStoreOnceAndStops) {
  Start();
  window->StartTimers();
  Value(23) = ItemValue(42);
  Value(5) = ItemValue(3);
  window->TimerStartRefresh_Timer();
  EXPECT_FALSE(window->TimerStartRefresh().isActive());
  EXPECT_EQ(W().TxtCharInput.at(23)->text(), QStringLiteral("42"));
  EXPECT_EQ(W().ComboInstellingen.at(5)->currentIndex(), 3);
  // The other timers keep running.
  EXPECT_TRUE(window->TmrAfhandel().isActive());
  EXPECT_TRUE(window->LedTimer().isActive());
}

TEST_F(MainWindowTest, ColourTimerGreysValuesThatMatchTheUnit) {
  Start();
  W().TxtCharInput.at(23)->setText(QStringLiteral("8"));
  Program().Store.UnitValues[23] = ItemValue(8);
  Program().Store.UnitValues[31] = ItemValue(-1);
  W().TxtCharInput.at(31)->setText(QStringLiteral("192"));
  window->TmrUpdateVensters_Timer();
  const QColor matches = W().TxtCharInput.at(23)->palette().color(QPalette::Text);
  const QColor differs = W().TxtCharInput.at(31)->palette().color(QPalette::Text);
  EXPECT_NE(matches, differs);
  EXPECT_EQ(differs, window->palette().color(QPalette::WindowText));
}

TEST_F(MainWindowTest, ScreenErrorBoxDoesNotHoldUpTheEngine) {
  Start();
  Value(10) = ItemValue(7);
  window->TimerStartRefresh_Timer();

  const auto boxes = OpenBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0]->text(), QStringLiteral("Error Screenhandling id: 10"));
  EXPECT_EQ(boxes[0]->icon(), QMessageBox::Critical);
  EXPECT_EQ(boxes[0]->windowModality(), Qt::NonModal);
  EXPECT_EQ(Value(10), ItemValue(0));

  // With the box still open the engine goes on and serves a request.
  port.written.clear();
  Status(5) = RequestRead;
  for (int tick = 0; tick < 1000 && port.written.empty(); ++tick) window->TmrAfhandel_Timer();
  EXPECT_FALSE(port.written.empty());
  EXPECT_TRUE(boxes[0]->isVisible());
}

}  // namespace
}  // namespace tessaro::testing

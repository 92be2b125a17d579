// The Status tab goes back through every line of this run, by wheel, keys
// and scroll bar, while the ring of 25 lines stays what it is.
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

#include "tests/ui/UiFixture.h"
#include "ui/MessageScrollback.h"

namespace tessaro::testing {
namespace {

class StatusScrollbackTest : public MainWindowTest {
 protected:
  void SetUp() override {
    Start();
    window->LedTimer_Timer();
    firstLine = Shown(0);
    ASSERT_FALSE(firstLine.isEmpty());
  }
  // Lines logged, then the LED timer's refresh of the boxes.
  void Log(int from, int to) {
    for (int n = from; n < to; ++n) Program().Log.LogMessage("line " + std::to_string(n));
    window->LedTimer_Timer();
  }
  QString Shown(int box) const { return W().Text2[static_cast<std::size_t>(box)]->text(); }
  static QString Line(int n) { return QStringLiteral("09:26:53 line %1").arg(n); }
  void ExpectRingShown() {
    const auto& ring = Program().Log.MessageLines();
    for (int box = 0; box < MessageBoxCount; ++box) {
      EXPECT_EQ(Shown(box), ToQString(ring[static_cast<std::size_t>(box)])) << "box " << box;
    }
  }
  void WheelOver(QWidget* widget, int notches) {
    const QPointF at(5, 5);
    QWheelEvent wheel(at, widget->mapToGlobal(at), QPoint(), QPoint(0, 120 * notches), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &wheel);
  }
  QLineEdit* Box(int box) const { return W().Text2[static_cast<std::size_t>(box)]; }

  QString firstLine;  // the run's first message line
};

TEST_F(StatusScrollbackTest, TheBoxesFollowTheRingAsBefore) {
  Log(0, 60);
  ExpectRingShown();
  EXPECT_EQ(Shown(24), Line(59));
  EXPECT_EQ(Program().Log.MessageLineCount(), 25);
  auto* bar = W().SSTab1->widget(0)->findChild<QScrollBar*>(QStringLiteral("Text2ScrollBar"));
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->orientation(), Qt::Vertical);
  EXPECT_EQ(bar->value(), bar->maximum());
  EXPECT_GT(bar->maximum(), 0);
}

TEST_F(StatusScrollbackTest, WheelAndKeysGoBackThroughEveryLineOfTheRun) {
  Log(0, 60);
  WheelOver(Box(12), 1);
  const int back = QApplication::wheelScrollLines();
  EXPECT_EQ(Shown(24), Line(59 - back));
  EXPECT_EQ(Shown(23), Line(58 - back));

  QTest::keyClick(Box(0), Qt::Key_Home, Qt::ControlModifier);
  EXPECT_EQ(Shown(0), firstLine);
  QTest::keyClick(Box(0), Qt::Key_PageDown);
  const QString pageTwoTop = Shown(0);
  QTest::keyClick(Box(0), Qt::Key_Up);
  EXPECT_EQ(Shown(1), pageTwoTop);

  // New lines do not move what the user went back to.
  const QString top = Shown(0);
  Log(60, 65);
  EXPECT_EQ(Shown(0), top);

  QTest::keyClick(Box(0), Qt::Key_End, Qt::ControlModifier);
  ExpectRingShown();
  EXPECT_EQ(Shown(24), Line(64));
  Log(65, 66);
  EXPECT_EQ(Shown(24), Line(65));
}

TEST_F(StatusScrollbackTest, TheScrollBarGoesBackToo) {
  Log(0, 60);
  auto* bar = W().SSTab1->widget(0)->findChild<QScrollBar*>(QStringLiteral("Text2ScrollBar"));
  ASSERT_NE(bar, nullptr);
  bar->triggerAction(QAbstractSlider::SliderToMinimum);
  EXPECT_EQ(Shown(0), firstLine);
  bar->triggerAction(QAbstractSlider::SliderToMaximum);
  ExpectRingShown();
}

// A long run keeps its newest lines for going back, the oldest go first.
TEST_F(StatusScrollbackTest, ALongRunKeepsItsNewestLines) {
  const int extra = 30;
  for (std::size_t n = 0; n < MessageScrollback::KeptLines + extra; ++n) {
    Program().Log.AddMessageLine("l " + std::to_string(n));
  }
  window->LedTimer_Timer();
  QTest::keyClick(Box(0), Qt::Key_Home, Qt::ControlModifier);
  // The start-up lines and the first of these have gone.
  EXPECT_EQ(Shown(0), QStringLiteral("l %1").arg(extra));
  QTest::keyClick(Box(0), Qt::Key_End, Qt::ControlModifier);
  EXPECT_EQ(Shown(24), QStringLiteral("l %1").arg(MessageScrollback::KeptLines + extra - 1));
}

}  // namespace
}  // namespace tessaro::testing

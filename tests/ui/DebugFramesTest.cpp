// The debug view's per-item buttons as the user reads them: no item number
// without its buttons, and on the TCP/IP page each group of lines headed by
// the row it serves, in the order of that row's boxes.
#include <QLabel>
#include <QTest>
#include <algorithm>

#include "lang/TextTableData.h"
#include "presentation/SettingsLayout.h"
#include "tests/ui/UiFixture.h"

namespace tessaro::testing {
namespace {

class DebugFramesTest : public MainWindowTest {
 protected:
  void ShowSettingsTab(int tab) {
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    W().SSTab1->setCurrentIndex(1);
    W().SSTab2->setCurrentIndex(tab);
    QCoreApplication::processEvents();
  }
  QLabel* Number(QWidget* frame, int item) const {
    return frame->findChild<QLabel*>(QStringLiteral("DebugItemNumber_%1").arg(item));
  }
  QPoint At(const QWidget* widget) const { return widget->mapTo(window.get(), QPoint(0, 0)); }
  int CentreY(const QWidget* widget) const { return At(widget).y() + widget->height() / 2; }
};

// Item 23's buttons stay hidden in the debug view as in the design; its
// number goes with them instead of standing alone on an empty line.
TEST_F(DebugFramesTest, NoItemNumberWithoutItsButtons) {
  Start("/DEBUG");
  for (int tab = 0; tab < SettingsTabCount; ++tab) {
    ShowSettingsTab(tab);
    for (QGroupBox* frame : {W().FrameDebugCmdButtonsAlgemeen, W().FrameDebugCmdButtonsIPSet,
                             W().FrameDebugCmdButtonsPaging, W().FrameDebugCmdButtonsIPdiagnose}) {
      if (!frame->isVisible()) continue;
      for (QLabel* number : frame->findChildren<QLabel*>()) {
        if (!number->objectName().startsWith(QStringLiteral("DebugItemNumber_")) || !number->isVisible()) continue;
        const int item = number->text().toInt();
        QPushButton* read = item >= 150 ? W().CmdReadSingleTekstSetting.at(item - 150) : W().CmdReadSingleSetting.at(item);
        EXPECT_TRUE(read->isVisible()) << "item " << item;
        EXPECT_LE(std::abs(CentreY(read) - CentreY(number)), 3) << "item " << item;
      }
    }
  }
  ShowSettingsTab(0);
  EXPECT_TRUE(Number(W().FrameDebugCmdButtonsAlgemeen, 22)->isVisible());
  EXPECT_FALSE(Number(W().FrameDebugCmdButtonsAlgemeen, 23)->isVisible());
  EXPECT_FALSE(W().CmdReadSingleSetting.at(23)->isVisible());
  EXPECT_FALSE(W().CmdWriteSingleSetting.at(23)->isVisible());
}

// Two columns: IP address then port (high byte 36 before low byte 35), and
// gateway then subnet; each group under its row's legend, in every language.
TEST_F(DebugFramesTest, TcpIpLinesAreGroupedByRowInTheBoxesOrder) {
  const std::vector<std::vector<int16_t>> columns = {{31, 32, 33, 34, 36, 35}, {37, 38, 39, 40, 41}};
  for (int language : {0, 2}) {
    ProgramFile file;
    file.taal = language;
    Start("/DEBUG", file);
    ShowSettingsTab(static_cast<int>(SettingsTab::TcpIp));
    int previousLeft = -1;
    for (const auto& column : columns) {
      const int left = At(W().CmdReadSingleSetting.at(column.front())).x();
      EXPECT_GT(left, previousLeft) << "language " << language;
      previousLeft = left;
      int previousTop = -1;
      int16_t previousRowItem = -1;
      for (int16_t item : column) {
        QPushButton* read = W().CmdReadSingleSetting.at(item);
        ASSERT_TRUE(read->isVisible()) << item;
        EXPECT_EQ(At(read).x(), left) << item;
        // A new row's group starts with its heading, between the groups.
        const SettingsRow* row = RowOfItem(item);
        ASSERT_NE(row, nullptr);
        if (row->Items().front() != previousRowItem) {
          const int16_t legendItem = row->LegendItems().front();
          QLabel* heading = W().FrameDebugCmdButtonsIPSet->findChild<QLabel*>(
              QStringLiteral("DebugHeading_%1").arg(legendItem));
          ASSERT_NE(heading, nullptr) << "row of " << item;
          EXPECT_TRUE(heading->isVisible());
          EXPECT_EQ(heading->text(), ToQString(LegendText(legendItem, Program().Texts)).trimmed());
          EXPECT_GT(At(heading).y(), previousTop) << "heading of " << item;
          EXPECT_LT(At(heading).y() + heading->height(), At(read).y() + 3) << "heading of " << item;
          previousRowItem = row->Items().front();
        }
        EXPECT_GT(At(read).y(), previousTop) << item;
        previousTop = At(read).y();
      }
    }
    window.reset();
  }
}

}  // namespace
}  // namespace tessaro::testing

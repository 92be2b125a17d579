// Typing limits, select-all on entry, the port-number tooltip and tab clicks.
#include <QFocusEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QTabBar>
#include <QTabWidget>

#include "tests/ui/UiFixture.h"
#include "ui/InputBox.h"
#include "ui/ListCombo.h"
#include "ui/QtControls.h"

namespace tessaro::testing {
namespace {

struct LimitCase {
  const char* name;
  int limit;
  friend void PrintTo(const LimitCase& row, std::ostream* out) { *out << row.name; }
};

class InputLimitTest : public MainWindowTest, public ::testing::WithParamInterface<LimitCase> {};

TEST_P(InputLimitTest, TypingStopsAtTheLimit) {
  Start();
  auto* box = window->findChild<QLineEdit*>(QString::fromLatin1(GetParam().name));
  ASSERT_NE(box, nullptr);
  box->clear();
  TypeInto(box, QStringLiteral("1234567890123456789012345678901234567890123456789"));
  EXPECT_EQ(box->text().size(), GetParam().limit);
  EXPECT_TRUE(QStringLiteral("1234567890123456789012345678901234567890").startsWith(box->text()));
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, InputLimitTest,
    ::testing::Values(LimitCase{"TxtCharInput_23", 3}, LimitCase{"TxtCharInput_31", 3}, LimitCase{"TxtCharInput_34", 3},
                      LimitCase{"TxtCharInput_35", 3}, LimitCase{"TxtCharInput_36", 3}, LimitCase{"TxtCharInput_37", 3},
                      LimitCase{"TxtCharInput_40", 3}, LimitCase{"TxtTestPagerAdres", 10},
                      LimitCase{"TxtTestPagerDisplayInfo", 40}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainWindowTest, DiagnosticBoxesTakeTwentyCharactersAndRefuseTyping) {
  Start();
  for (const auto& [index, box] : W().TxtTekstInput) {
    EXPECT_EQ(box->InputLimit(), 20) << index;
    box->setText(QStringLiteral("ab"));
    TypeInto(box, QStringLiteral("cd"));
    EXPECT_EQ(box->text(), QStringLiteral("ab")) << index;
  }
}

TEST_F(MainWindowTest, AStoredValueLongerThanTheLimitIsShownWholeAndCanBeShortened) {
  Start();
  TextBoxControl* control = window->Arrays().TxtCharInput(23);
  control->SetText("1000");
  EXPECT_EQ(control->Text(), "1000");
  InputBox* box = W().TxtCharInput.at(23);
  box->end(false);
  TypeInto(box, QStringLiteral("5"));
  EXPECT_EQ(control->Text(), "1000");
  PressKey(box, Qt::Key_Backspace);
  EXPECT_EQ(control->Text(), "100");
}

struct EntryCase {
  const char* name;
  Qt::FocusReason reason;
  friend void PrintTo(const EntryCase& row, std::ostream* out) { *out << row.name; }
};

class SelectOnEntryTest : public MainWindowTest, public ::testing::WithParamInterface<EntryCase> {};

TEST_P(SelectOnEntryTest, OnlyTheAddressAndPortBoxesSelectTheirText) {
  Start();
  for (const auto& [index, box] : W().TxtCharInput) {
    box->setText(QStringLiteral("12"));
    box->deselect();
    QFocusEvent entry(QEvent::FocusIn, GetParam().reason);
    QApplication::sendEvent(box, &entry);
    const bool selectsAll = index >= 31 && index <= 40;
    EXPECT_EQ(box->selectedText(), selectsAll ? QStringLiteral("12") : QString()) << "TxtCharInput(" << index << ")";
  }
}

INSTANTIATE_TEST_SUITE_P(Reasons, SelectOnEntryTest,
                         ::testing::Values(EntryCase{"tab", Qt::TabFocusReason}, EntryCase{"mouse", Qt::MouseFocusReason},
                                           EntryCase{"other", Qt::OtherFocusReason}),
                         [](const auto& info) { return std::string(info.param.name); });

struct PortCase {
  const char* name;
  const char* high;
  const char* low;
  const char* shown;
  friend void PrintTo(const PortCase& row, std::ostream* out) { *out << row.name; }
};

class PortToolTipTest : public MainWindowTest, public ::testing::WithParamInterface<PortCase> {};

TEST_P(PortToolTipTest, ShowsHighTimes256PlusLow) {
  Start();
  W().TxtCharInput.at(36)->setText(QString::fromLatin1(GetParam().high));
  W().TxtCharInput.at(35)->setText(QString::fromLatin1(GetParam().low));
  EXPECT_EQ(W().TxtLegendaCharInput.at(35)->toolTip(),
            QText(slot::PortNumber) + QStringLiteral(" is: ") + QString::fromLatin1(GetParam().shown));
}

INSTANTIATE_TEST_SUITE_P(
    Values, PortToolTipTest,
    ::testing::Values(PortCase{"highAndLow", "1", "2", "258"}, PortCase{"emptyHigh", "", "80", "80"},
                      PortCase{"highByte128", "128", "0", "32768"}, PortCase{"highest", "255", "255", "65535"},
                      PortCase{"notANumber", "abc", "7", "7"}, PortCase{"fraction", "2.5", "0", "640"},
                      PortCase{"halfToEvenDown", "0.5", "0.5", "128"}, PortCase{"halfToEvenUp", "0.5", "1.5", "130"},
                      PortCase{"leadingNumber", "1x", " 3", "259"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainWindowTest, TypingInPortBoxUpdatesTheTooltipAndOtherBoxesDoNot) {
  Start();
  W().TxtCharInput.at(36)->clear();
  W().TxtCharInput.at(35)->clear();
  TypeInto(W().TxtCharInput.at(36), QStringLiteral("1"));
  const QString afterPort = W().TxtLegendaCharInput.at(35)->toolTip();
  EXPECT_EQ(afterPort, QText(slot::PortNumber) + QStringLiteral(" is: 256"));
  for (int index : {31, 32, 33, 34, 37, 38, 39, 40}) {
    TypeInto(W().TxtCharInput.at(index), QStringLiteral("9"));
    EXPECT_EQ(W().TxtLegendaCharInput.at(35)->toolTip(), afterPort) << index;
    EXPECT_EQ(W().TxtLegendaCharInput.at(31)->toolTip(), QStringLiteral("Vul 0.0.0.0 in voor DHCP")) << index;
    EXPECT_TRUE(W().TxtCharInput.at(index)->toolTip().isEmpty()) << index;
  }
}

TEST_F(MainWindowTest, ClickingATabRemovesTheComboTextHighlight) {
  Start();
  window->show();
  for (QTabWidget* tabs : {W().SSTab1, W().SSTab2}) {
    ListCombo* combo = W().ComboInstellingen.at(5);
    combo->setCurrentIndex(2);
    combo->lineEdit()->selectAll();
    ASSERT_TRUE(combo->lineEdit()->hasSelectedText());
    // A click on the tab already in front changes no page but still counts.
    QTabBar* bar = tabs->tabBar();
    const QPoint where = bar->tabRect(tabs->currentIndex()).center();
    QMouseEvent press(QEvent::MouseButtonPress, where, bar->mapToGlobal(where), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(bar, &press);
    EXPECT_FALSE(combo->lineEdit()->hasSelectedText()) << tabs->objectName().toStdString();
    EXPECT_EQ(combo->currentIndex(), 2);
  }
}

TEST_F(MainWindowTest, DoubleClickEmptiesTheTestCallBoxes) {
  Start();
  for (InputBox* box : {W().TxtTestPagerAdres, W().TxtTestPagerDisplayInfo}) {
    box->setText(QStringLiteral("1234"));
    QMouseEvent click(QEvent::MouseButtonDblClick, QPointF(4, 4), box->mapToGlobal(QPointF(4, 4)), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(box, &click);
    EXPECT_TRUE(box->text().isEmpty()) << box->objectName().toStdString();
  }
}

TEST_F(MainWindowTest, SettingCombosOfferListEntriesOnly) {
  Start();
  ListCombo* combo = W().ComboInstellingen.at(10);
  combo->setCurrentIndex(1);
  TypeInto(combo->lineEdit(), QStringLiteral("xyz"));
  EXPECT_EQ(combo->currentText(), QStringLiteral("2400 baud"));
  EXPECT_EQ(window->Arrays().ComboInstellingen(10)->SelectedIndex(), 1);
}

// A value the unit cannot take shows as wrong where it is typed, with the
// range, and neither Write all nor the item's own button sends anything.
TEST_F(MainWindowTest, ValueOutsideTheRangeIsMarkedAndNeverSent) {
  Start("/DEBUG");
  InputBox* timeout = W().TxtCharInput.at(23);
  InputBox* address = W().TxtCharInput.at(34);
  timeout->clear();
  TypeInto(timeout, QStringLiteral("99999"));
  ASSERT_EQ(timeout->text(), QStringLiteral("999"));
  address->clear();
  TypeInto(address, QStringLiteral("-3a"));
  window->TmrUpdateVensters_Timer();
  EXPECT_EQ(timeout->palette().color(QPalette::Text), ColourOf(ValueColour::OutOfRange, timeout->palette()));
  EXPECT_EQ(timeout->toolTip(), QStringLiteral("The unit takes 0..180"));
  EXPECT_EQ(address->toolTip(), QStringLiteral("The unit takes 0..255"));
  EXPECT_TRUE(W().TxtCharInput.at(31)->toolTip().isEmpty());

  port.written.clear();
  W().CmdSchrijfAlles->click();
  W().CmdWriteSingleSetting.at(23)->click();
  for (int tick = 0; tick < 40; ++tick) window->TmrAfhandel_Timer();
  EXPECT_TRUE(port.written.empty());
  EXPECT_FALSE(Program().Engine.WriteAllRequest);
  const std::vector<QMessageBox*> boxes = OpenBoxes();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_TRUE(boxes[0]->text().startsWith(QStringLiteral("Nothing was sent: these values are outside what the unit takes:")))
      << boxes[0]->text().toStdString();
  EXPECT_TRUE(boxes[0]->text().contains(QStringLiteral("999 (The unit takes 0..180)")));
  EXPECT_TRUE(boxes[0]->text().contains(QStringLiteral("-3a (The unit takes 0..255)")));

  // Put right, it goes.
  timeout->clear();
  TypeInto(timeout, QStringLiteral("90"));
  window->TmrUpdateVensters_Timer();
  EXPECT_TRUE(timeout->toolTip().isEmpty());
  W().CmdWriteSingleSetting.at(23)->click();
  EXPECT_EQ(Status(23), RequestWrite);
}

}  // namespace
}  // namespace tessaro::testing

// What each button and menu entry does to the request flags, the store and
// the progress box. None of them talks to the unit.
#include <QAction>
#include <QPushButton>
#include <algorithm>

#include "core/Items.h"
#include "tests/ui/UiFixture.h"
#include "ui/InputBox.h"
#include "ui/ListCombo.h"

namespace tessaro::testing {
namespace {

class ButtonsTest : public MainWindowTest {
 protected:
  void SetUp() override { Start("/DEBUG"); }

  std::vector<int> PendingItems() {
    std::vector<int> pending;
    for (int item = 0; item < ItemCount; ++item) {
      if (Status(item) != RequestNone) pending.push_back(item);
    }
    return pending;
  }
  bool AnyFlag() {
    const ProtocolEngine& engine = Program().Engine;
    return engine.ReadAllRequest || engine.WriteAllRequest || engine.TestCallRequest || engine.ResetRequest;
  }
};

TEST_F(ButtonsTest, EachReadButtonRequestsOnlyItsItem) {
  for (const auto& [index, button] : W().CmdReadSingleSetting) {
    Program().Store.ItemStatus.fill(RequestNone);
    button->click();
    EXPECT_EQ(PendingItems(), std::vector<int>{index}) << "CmdReadSingleSetting(" << index << ")";
    EXPECT_EQ(Status(index), RequestRead);
  }
  for (const auto& [index, button] : W().CmdReadSingleTekstSetting) {
    Program().Store.ItemStatus.fill(RequestNone);
    button->click();
    EXPECT_EQ(PendingItems(), std::vector<int>{150 + index}) << "CmdReadSingleTekstSetting(" << index << ")";
    EXPECT_EQ(Status(150 + index), RequestRead);
  }
  Program().Store.ItemStatus.fill(RequestNone);
  W().CmdReadIPdiagnose->click();
  EXPECT_EQ(PendingItems(), (std::vector<int>{150, 151, 152, 153, 154}));
  EXPECT_FALSE(AnyFlag());
}

TEST_F(ButtonsTest, EachWriteButtonTakesItsControlIntoTheStoreFirst) {
  for (const auto& [index, button] : W().CmdWriteSingleSetting) {
    Program().Store.ItemStatus.fill(RequestNone);
    ItemValue expected;
    if (W().ComboInstellingen.count(index) != 0) {
      W().ComboInstellingen.at(index)->setCurrentIndex(1);
      expected = ItemValue(1);
    } else {
      W().TxtCharInput.at(index)->setText(QStringLiteral("7"));
      expected = ItemValue("7");
    }
    Value(index) = ItemValue(-1);
    button->click();
    EXPECT_EQ(Value(index), expected) << "CmdWriteSingleSetting(" << index << ")";
    EXPECT_EQ(PendingItems(), std::vector<int>{index}) << "CmdWriteSingleSetting(" << index << ")";
    EXPECT_EQ(Status(index), RequestWrite);
  }
  EXPECT_FALSE(AnyFlag());
}

TEST_F(ButtonsTest, ReadAllEmptiesTheProgressBoxAndRaisesItsFlagWithoutAsking) {
  window->AppendProgress("earlier\r\n");
  W().CmdLeesAlles->click();
  EXPECT_TRUE(Progress().isEmpty());
  EXPECT_TRUE(Program().Engine.ReadAllRequest);
  EXPECT_FALSE(Program().Engine.WriteAllRequest);
  EXPECT_TRUE(prompts.questions.empty());
}

TEST_F(ButtonsTest, WriteAllAsksThenTakesTheScreenIntoTheStore) {
  window->AppendProgress("earlier");
  W().TxtCharInput.at(23)->setText(QStringLiteral("45"));
  Value(23) = ItemValue(-1);
  prompts.confirmAnswers = {true};
  W().CmdSchrijfAlles->click();
  ASSERT_EQ(prompts.questions.size(), 1u);
  EXPECT_EQ(prompts.questions[0].title, Title());
  EXPECT_EQ(prompts.questions[0].text, QText(slot::WriteAllSettings) + QStringLiteral("!\r\n") + QText(slot::AreYouSure) + QStringLiteral("?"));
  EXPECT_EQ(Value(23), ItemValue("45"));
  EXPECT_EQ(Value(150), ItemValue(std::string()));
  EXPECT_TRUE(Progress().isEmpty());
  EXPECT_TRUE(Program().Engine.WriteAllRequest);
}

TEST_F(ButtonsTest, WriteAllAnsweredWithCancelChangesNothing) {
  window->AppendProgress("earlier");
  W().TxtCharInput.at(23)->setText(QStringLiteral("45"));
  Value(23) = ItemValue(-1);
  const auto before = Program().Store.ItemValues;
  prompts.confirmAnswers = {false};
  W().CmdSchrijfAlles->click();
  EXPECT_EQ(prompts.questions.size(), 1u);
  EXPECT_EQ(Program().Store.ItemValues, before);
  EXPECT_EQ(Progress(), QStringLiteral("earlier"));
  EXPECT_FALSE(AnyFlag());
}

TEST_F(ButtonsTest, CancelDropsEveryRequestAndSaysSoOnALineOfItsOwn) {
  window->AppendProgress("Reading");
  Status(5) = RequestRead;
  Status(23) = RequestWrite;
  Status(250) = RequestRead;
  Program().Engine.ReadAllRequest = true;
  W().CmdCancelReadWrite->click();
  EXPECT_TRUE(PendingItems().empty());
  EXPECT_EQ(Progress(), QStringLiteral("Reading\n") + QText(slot::Cancelled) + QStringLiteral("!\n"));
  // A raised request not yet served goes too: it would start work the user called off.
  EXPECT_FALSE(Program().Engine.ReadAllRequest);

  // With nothing running the line is still added.
  W().CmdCancelReadWrite->click();
  EXPECT_EQ(Progress().count(QText(slot::Cancelled) + QStringLiteral("!")), 2);
}

TEST_F(ButtonsTest, ClearMessageWindowEmptiesOnlyTheProgressBox) {
  window->AppendProgress("some progress");
  window->LedTimer_Timer();
  const QString firstLine = W().Text2[0]->text();
  ASSERT_FALSE(firstLine.isEmpty());
  W().CmdWisLogVenster->click();
  EXPECT_TRUE(Progress().isEmpty());
  EXPECT_EQ(W().Text2[0]->text(), firstLine);
  EXPECT_EQ(Program().Log.MessageLineCount(), 1);
}

TEST_F(ButtonsTest, TestCallWithoutAPagerNumberShowsTheErrorAndRequestsNothing) {
  for (const QString& address : {QString(), QStringLiteral(" "), QStringLiteral("abc"), QStringLiteral("12 4"),
                                QStringLiteral("-3")}) {
    W().TxtTestPagerAdres->setText(address);
    W().CmdTestOproepPager->click();
    EXPECT_FALSE(Program().Engine.TestCallRequest) << address.toStdString();
    const auto boxes = OpenBoxes();
    ASSERT_EQ(boxes.size(), 1u) << address.toStdString();
    EXPECT_EQ(boxes[0]->text(), QText(slot::EnterValidPagerNumber));
    EXPECT_EQ(boxes[0]->icon(), QMessageBox::Critical);
    EXPECT_EQ(boxes[0]->standardButtons(), QMessageBox::Ok);
    delete boxes[0];
  }
}

TEST_F(ButtonsTest, TestCallWithAPagerNumberIsRequested) {
  W().TxtTestPagerAdres->setText(QStringLiteral("0123456789"));
  W().CmdTestOproepPager->click();
  EXPECT_TRUE(Program().Engine.TestCallRequest);
  EXPECT_TRUE(OpenBoxes().empty());
}

TEST_F(ButtonsTest, TestCallInputsReachTheEngine) {
  W().TxtTestPagerAdres->setText(QStringLiteral("1234"));
  W().TxtTestPagerDisplayInfo->setText(QStringLiteral("Kühlraum 3"));
  W().ComboTestBleepCode->setCurrentIndex(12);
  EXPECT_EQ(window->TestPagerAddress(), "1234");
  EXPECT_EQ(window->TestPagerDisplayInfo(), "K\xFChlraum 3");
  EXPECT_EQ(window->TestBleepCode(), 12);
}

TEST_F(ButtonsTest, SaveAsDefaultWritesTheDefaultsFileOnlyWhenConfirmed) {
  const auto defaults = folder.Path() / "default.set";
  std::filesystem::remove(defaults);
  prompts.confirmAnswers = {false, true};
  W().CmdInstellingenOpslaan->click();
  EXPECT_FALSE(std::filesystem::exists(defaults));
  W().CmdInstellingenOpslaan->click();
  EXPECT_TRUE(std::filesystem::exists(defaults));
  ASSERT_EQ(prompts.questions.size(), 2u);
  EXPECT_EQ(prompts.questions[1].title, Title());
  EXPECT_EQ(prompts.questions[1].text, QText(slot::WriteDefaultsToFile) + QStringLiteral("\r\n") + QText(slot::OldDefaultsOverwritten) + QStringLiteral("\r\n") +
                                           QText(slot::AreYouSure) + QStringLiteral("?"));
}

TEST_F(ButtonsTest, ReadDefaultsLoadsTheDefaultsFileOnlyWhenConfirmed) {
  W().TxtCharInput.at(23)->setText(QStringLiteral("77"));
  W().CmdInstellingenOpslaan->click();
  W().TxtCharInput.at(23)->setText(QStringLiteral("5"));
  Program().Store.UnitValues[23] = ItemValue(5);

  prompts.confirmAnswers = {false};
  W().CmdInstellingenLezen->click();
  EXPECT_EQ(W().TxtCharInput.at(23)->text(), QStringLiteral("5"));
  EXPECT_EQ(prompts.questions.back().text, QText(slot::ReadDefaultsFromFile) + QStringLiteral("\r\n") + QText(slot::ChangesWillBeLost) + QStringLiteral("\r\n") +
                                               QText(slot::AreYouSure) + QStringLiteral("?"));

  prompts.confirmAnswers = {true};
  W().CmdInstellingenLezen->click();
  EXPECT_EQ(W().TxtCharInput.at(23)->text(), QStringLiteral("77"));
  EXPECT_EQ(Program().Store.UnitValues[23], ItemValue(-1));
}

TEST_F(MainWindowTest, SaveAsDefaultIsOutOfReachBelowDebugLevelTwo) {
  Start();
  W().CmdInstellingenOpslaan->click();
  EXPECT_TRUE(prompts.questions.empty());
  EXPECT_FALSE(std::filesystem::exists(folder.Path() / "default.set"));
}

TEST_F(MainWindowTest, QuitAnsweredWithCancelKeepsThePortOpen) {
  Start();
  window->StartTimers();
  prompts.confirmAnswers = {false};
  W().Quit->trigger();
  ASSERT_EQ(prompts.questions.size(), 1u);
  EXPECT_EQ(prompts.questions[0].title, Title());
  EXPECT_EQ(prompts.questions[0].text, QText(slot::SureToLeave));
  EXPECT_TRUE(port.open);
  EXPECT_EQ(port.closeCalls, 0);
  EXPECT_TRUE(window->TmrAfhandel().isActive());
}

TEST_F(MainWindowTest, QuitConfirmedClosesThePortAndStopsEveryTimerOnce) {
  Start();
  window->StartTimers();
  prompts.confirmAnswers = {true};
  W().Quit->trigger();
  EXPECT_FALSE(port.open);
  EXPECT_EQ(port.closeCalls, 1);
  for (QTimer* timer : {&window->TmrAfhandel(), &window->TmrUpdateVensters(), &window->LedTimer(),
                        &window->TimerStartRefresh()}) {
    EXPECT_FALSE(timer->isActive());
  }
  window->close();
  window.reset();
  EXPECT_EQ(port.closeCalls, 1);
}

TEST_F(MainWindowTest, ClosingTheWindowClosesThePort) {
  Start();
  window->show();
  window->close();
  EXPECT_FALSE(port.open);
  EXPECT_EQ(port.closeCalls, 1);
  EXPECT_TRUE(prompts.questions.empty());
}

}  // namespace
}  // namespace tessaro::testing

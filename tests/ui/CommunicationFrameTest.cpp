// The communication frame names the open port whatever rewrote the window's
// texts, and says "back" for a few seconds only.
#include <QTest>

#include "tests/ui/SecondaryWindowFixture.h"
#include "ui/LockableCombo.h"

namespace tessaro::testing {
namespace {

class CommunicationFrameTest : public SecondaryWindowTest {
 protected:
  QString Caption() const { return W().FrmCommunicatie->title(); }
};

TEST_F(CommunicationFrameTest, SaveInTheSettingsDialogKeepsThePortLine) {
  Start();
  ASSERT_EQ(Caption(), QStringLiteral("Serial Port: 1 9600,N,8,1"));
  for (int language : {0, 2}) {
    SaveLanguageInSetup(language);
    EXPECT_EQ(Caption(), QStringLiteral("Serial Port: 1 9600,N,8,1")) << language;
  }
  // A language change alone, as after a Save.
  window->SetTeksten();
  EXPECT_EQ(Caption(), QStringLiteral("Serial Port: 1 9600,N,8,1"));
}

TEST_F(CommunicationFrameTest, APortThatDoesNotOpenAgainLeavesTheBareCaption) {
  Start();
  port.failOpen = true;
  SaveLanguageInSetup(2);
  EXPECT_FALSE(port.open);
  EXPECT_EQ(Caption(), QText(slot::ComPort) + QStringLiteral(": "));
}

TEST_F(CommunicationFrameTest, PortBackShowsForFourSecondsOfLedTicks) {
  Start();
  port.HangUp();
  port.failOpen = true;
  for (int tick = 0; tick < 5; ++tick) window->TmrAfhandel_Timer();
  ASSERT_EQ(W().LabelPortState->text(), QStringLiteral("Port lost, reconnecting..."));
  port.failOpen = false;
  for (int tick = 0; tick < ReopenDelayTicks + 5; ++tick) window->TmrAfhandel_Timer();
  ASSERT_EQ(W().LabelPortState->text(), QStringLiteral("Port back"));

  // The LED timer runs every 250 ms.
  for (int led = 1; led < 16; ++led) window->LedTimer_Timer();
  EXPECT_EQ(W().LabelPortState->text(), QStringLiteral("Port back"));
  window->LedTimer_Timer();
  EXPECT_EQ(W().LabelPortState->text(), QString());
  EXPECT_EQ(window->LedTimer().interval(), 250);
}

}  // namespace
}  // namespace tessaro::testing

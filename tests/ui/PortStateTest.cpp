// A lost port shows in the communication frame, and so does its return; a
// port that never opened is named when the user asks for a bulk transfer.
#include "tests/ui/UiFixture.h"

namespace tessaro::testing {
namespace {

class PortStateTest : public MainWindowTest {
 protected:
  QString PortState() const { return W().LabelPortState->text(); }
  // Engine ticks and LED ticks, as the timers would run them.
  void Run(int engineTicks) {
    for (int tick = 0; tick < engineTicks; ++tick) window->TmrAfhandel_Timer();
    window->LedTimer_Timer();
  }
};

TEST_F(PortStateTest, FrameSaysWhenThePortIsLostAndWhenItIsBack) {
  Start();
  Run(5);
  EXPECT_EQ(PortState(), QString());

  port.HangUp();
  port.failOpen = true;
  Run(5);
  EXPECT_EQ(PortState(), QStringLiteral("Port lost, reconnecting..."));
  Run(ReopenDelayTicks + 5);
  EXPECT_EQ(PortState(), QStringLiteral("Port lost, reconnecting..."));

  port.failOpen = false;
  Run(ReopenDelayTicks + 5);
  EXPECT_EQ(PortState(), QStringLiteral("Port back"));
  for (int led = 0; led < 40; ++led) window->LedTimer_Timer();
  EXPECT_EQ(PortState(), QString());
}

// The frame speaks the program's language, and follows a language change
// while the port is away.
TEST_F(PortStateTest, FrameSpeaksTheProgramsLanguage) {
  struct Words {
    int language;
    const char* lost;
    const char* back;
  };
  const Words table[] = {
      {0, "Port lost, reconnecting...", "Port back"},
      {1, "Poort verloren, opnieuw verbinden...", "Poort weer verbonden"},
      {2, "Port getrennt, neuer Verbindungsversuch...", "Port wieder verbunden"},
      {3, "Port perdu, reconnexion...", "Port r\xC3\xA9tabli"},
  };
  for (const Words& words : table) {
    ProgramFile file;
    file.taal = words.language;
    Start("", file);
    Run(5);
    port.HangUp();
    port.failOpen = true;
    Run(5);
    EXPECT_EQ(PortState(), QString::fromUtf8(words.lost)) << words.language;
    port.failOpen = false;
    Run(ReopenDelayTicks + 5);
    EXPECT_EQ(PortState(), QString::fromUtf8(words.back)) << words.language;
    window.reset();
  }

  Start();
  Run(5);
  port.HangUp();
  port.failOpen = true;
  Run(5);
  Program().Settings.Taal = 2;
  Program().Texts.FillTextTable(Program().Settings.Taal);
  window->SetTeksten();
  EXPECT_EQ(PortState(), QStringLiteral("Port getrennt, neuer Verbindungsversuch..."));
}

TEST_F(PortStateTest, ReadAllWithAPortThatNeverOpenedSaysWhy) {
  port.failOpen = true;
  Start();
  W().CmdLeesAlles->click();
  EXPECT_EQ(Progress(), QStringLiteral("Error opening Comport:  1 -> Settings: ComPort\n"));
  EXPECT_FALSE(Program().Engine.ReadAllRequest);

  // Plugged in since: the click opens the port and the engine serves it.
  port.failOpen = false;
  W().CmdLeesAlles->click();
  EXPECT_EQ(Progress(), QString());
  EXPECT_TRUE(Program().Engine.ReadAllRequest);
  EXPECT_TRUE(port.open);
}

}  // namespace
}  // namespace tessaro::testing

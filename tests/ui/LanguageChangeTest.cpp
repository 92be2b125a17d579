// A language chosen in the settings dialog changes words, never values: the
// unit's diagnostics and the chosen bleep code stay, and the port lines the
// change causes speak the new language.
#include <QComboBox>
#include <QTest>

#include "tests/ui/SecondaryWindowFixture.h"
#include "ui/LockableCombo.h"

namespace tessaro::testing {
namespace {

class LanguageChangeTest : public SecondaryWindowTest {
 protected:
  // What the unit answered for a diagnostic item, shown as the engine shows it.
  void UnitAnswered(int16_t item, const std::string& text) {
    Value(item) = ItemValue(text);
    Program().Store.UnitValues[static_cast<std::size_t>(item)] = ItemValue(text);
    Program().Screen.ItemToScreen(item);
  }
};

TEST_F(LanguageChangeTest, DiagnosticsAndTheBleepCodeStay) {
  Start();
  UnitAnswered(150, "00-1A-2B-3C-4D-5E");
  UnitAnswered(151, "192.168.1.50");
  // Saving the screen to a file takes every setting from the screen, the
  // diagnostics as empty texts; the boxes still show the unit's answers.
  prompts.saveAnswer = ScriptedPrompts::AcceptOffered;
  W().CmdOpslaanUnitGegevens->click();
  ASSERT_EQ(W().TxtTekstInput.at(0)->text(), QStringLiteral("00-1A-2B-3C-4D-5E"));
  W().ComboTestBleepCode->setFocus();
  for (int step = 0; step < 6; ++step) QTest::keyClick(W().ComboTestBleepCode, Qt::Key_Down);
  ASSERT_EQ(W().ComboTestBleepCode->currentIndex(), 7);

  SaveLanguageInSetup(2);

  EXPECT_EQ(W().TxtTekstInput.at(0)->text(), QStringLiteral("00-1A-2B-3C-4D-5E"));
  EXPECT_EQ(W().TxtTekstInput.at(1)->text(), QStringLiteral("192.168.1.50"));
  EXPECT_EQ(W().ComboTestBleepCode->currentIndex(), 7);
  EXPECT_EQ(W().ComboTestBleepCode->currentText(), QStringLiteral("Signalton-Code: 7"));
  EXPECT_EQ(window->TestBleepCode(), 7);  // what a test call sends
}

TEST_F(LanguageChangeTest, ThePortLinesOfTheChangeSpeakTheNewLanguage) {
  Start();
  const int before = Program().Log.MessageLineCount();
  SaveLanguageInSetup(2);
  const auto& lines = Program().Log.MessageLines();
  std::vector<std::string> added(lines.begin() + before, lines.begin() + Program().Log.MessageLineCount());
  ASSERT_EQ(added.size(), 2u);
  EXPECT_EQ(added[0].substr(9), "Comport geschlossen durch Software.");
  EXPECT_EQ(added[1].substr(9), FromQString(QString::fromUtf8("Com: 1 er\u00f6ffnet mit: 9600,N,8,1")));
}

}  // namespace
}  // namespace tessaro::testing

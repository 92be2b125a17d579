// The about box, its hidden debug switch, and the reset button of the debug
// view.
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <algorithm>

#include "tests/ui/SecondaryWindowFixture.h"

namespace tessaro::testing {
namespace {

class AboutBoxTest : public SecondaryWindowTest {
 protected:
  static void DoubleClick(QWidget* widget) {
    const QPointF inside(4, 4);
    QMouseEvent click(QEvent::MouseButtonDblClick, inside, widget->mapToGlobal(inside), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &click);
  }

  void ExpectDebugView(bool shown) {
    for (QGroupBox* frame : {W().FrameDebugCmdButtonsAlgemeen, W().FrameDebugCmdButtonsPaging,
                             W().FrameDebugCmdButtonsIPdiagnose, W().FrameDebugCmdButtonsIPSet}) {
      EXPECT_EQ(frame->isHidden(), !shown) << frame->objectName().toStdString();
    }
    EXPECT_EQ(W().CmdInstellingenOpslaan->isEnabled(), shown);
  }
};

TEST_F(AboutBoxTest, ShowsLogoNoticeWebSiteAndVersion) {
  ProgramFile file;
  file.taal = 1;
  Start("", file);
  AboutBox* about = OpenAbout();
  ASSERT_NE(about, nullptr);
  const AboutBox::Controls& a = about->Widgets();
  EXPECT_EQ(about->windowTitle(), QText(slot::About));
  EXPECT_EQ(a.CmdSluit->text(), QStringLiteral("Sluiten"));
  EXPECT_EQ(a.Label4->text(), QStringLiteral("SW versie 2.4"));
  ASSERT_FALSE(a.Image1->pixmap().isNull());
  EXPECT_GE(a.Image1->pixmap().width(), a.Image1->width());
  for (QLabel* line : {a.Label3, a.Label6}) {
    EXPECT_FALSE(line->text().isEmpty());
    EXPECT_EQ(line->palette().color(QPalette::WindowText), QColor(0x00, 0x00, 0xFF));
    EXPECT_EQ(line->parentWidget(), a.FrameLogo);
  }
  EXPECT_EQ(a.Label4->palette().color(QPalette::WindowText), QColor(Qt::black));
  EXPECT_FALSE(about->windowIcon().isNull());

  a.CmdSluit->click();
  Settle();
  EXPECT_EQ(WindowCount<AboutBox>(), 0);
}

struct SwitchCase {
  const char* name;
  std::string commandLine;
  int doubleClicks;
  int16_t level;
  friend void PrintTo(const SwitchCase& row, std::ostream* out) { *out << row.name; }
};

class DebugSwitchTest : public AboutBoxTest, public ::testing::WithParamInterface<SwitchCase> {};

TEST_P(DebugSwitchTest, DoubleClicksOnTheLogoCycleTheDebugLevel) {
  const SwitchCase& row = GetParam();
  Start(row.commandLine);
  AboutBox* about = OpenAbout();
  ASSERT_NE(about, nullptr);
  for (int click = 0; click < row.doubleClicks; ++click) {
    // Anywhere in the logo area, the picture and the lines included.
    QWidget* targets[] = {about->Widgets().FrameLogo, about->Widgets().Image1, about->Widgets().Label3};
    DoubleClick(targets[click % 3]);
  }
  EXPECT_EQ(Program().Store.DebugLevel, row.level);
  ExpectDebugView(row.level == 2);
}

INSTANTIATE_TEST_SUITE_P(
    Cycles, DebugSwitchTest,
    ::testing::Values(SwitchCase{"none", "", 0, 0}, SwitchCase{"onceFromNormal", "", 1, 1},
                      SwitchCase{"twiceFromNormal", "", 2, 2}, SwitchCase{"threeTimesFromNormal", "", 3, 0},
                      SwitchCase{"fiveTimesFromNormal", "", 5, 2}, SwitchCase{"onceFromDebug", "/DEBUG", 1, 0},
                      SwitchCase{"threeTimesFromDebug", "/DEBUG", 3, 2}, SwitchCase{"onceFromLog", "/LOG", 1, 2}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(AboutBoxTest, DoubleClicksOutsideTheLogoAreaDoNothing) {
  Start();
  AboutBox* about = OpenAbout();
  ASSERT_NE(about, nullptr);
  DoubleClick(about->Widgets().Label4);
  DoubleClick(about);
  EXPECT_EQ(Program().Store.DebugLevel, 0);
}

TEST_F(AboutBoxTest, TheLevelOutlivesTheAboutBox) {
  Start();
  AboutBox* about = OpenAbout();
  ASSERT_NE(about, nullptr);
  DoubleClick(about->Widgets().FrameLogo);
  DoubleClick(about->Widgets().FrameLogo);
  about->Widgets().CmdSluit->click();
  Settle();
  ASSERT_EQ(WindowCount<AboutBox>(), 0);
  EXPECT_EQ(Program().Store.DebugLevel, 2);
  ExpectDebugView(true);

  about = OpenAbout();
  ASSERT_NE(about, nullptr);
  DoubleClick(about->Widgets().FrameLogo);
  EXPECT_EQ(Program().Store.DebugLevel, 0);
  ExpectDebugView(false);
}

// ---- the reset button in the debug view

struct ResetCase {
  const char* name;
  bool answer;
  bool requested;
  friend void PrintTo(const ResetCase& row, std::ostream* out) { *out << row.name; }
};

class ResetButtonTest : public AboutBoxTest, public ::testing::WithParamInterface<ResetCase> {};

TEST_P(ResetButtonTest, AsksFirstAndOnlyOkRaisesTheRequest) {
  Start("/DEBUG");
  QPushButton* reset = W().CmdResetUnit;
  ASSERT_NE(reset, nullptr);
  EXPECT_EQ(reset->parentWidget(), W().FrameDebugCmdButtonsAlgemeen);
  EXPECT_TRUE(reset->isVisibleTo(W().SSTab2->widget(0)));
  const auto statusBefore = Program().Store.ItemStatus;

  prompts.confirmAnswers = {GetParam().answer};
  reset->click();
  ASSERT_EQ(prompts.questions.size(), 1u);
  EXPECT_EQ(prompts.questions[0].title, Title());
  EXPECT_FALSE(prompts.questions[0].text.isEmpty());
  EXPECT_EQ(Program().Engine.ResetRequest, GetParam().requested);
  EXPECT_FALSE(Program().Engine.ReadAllRequest || Program().Engine.WriteAllRequest ||
               Program().Engine.TestCallRequest);
  EXPECT_EQ(Program().Store.ItemStatus, statusBefore);
}

INSTANTIATE_TEST_SUITE_P(Answers, ResetButtonTest,
                         ::testing::Values(ResetCase{"cancel", false, false}, ResetCase{"ok", true, true}),
                         [](const auto& info) { return std::string(info.param.name); });

// The button and its question speak the program's language.
TEST_F(AboutBoxTest, ResetButtonAndQuestionSpeakTheProgramsLanguage) {
  struct Words {
    int language;
    const char* button;
    const char* question;
  };
  const Words table[] = {
      {0, "Reset unit", "Reset the unit now?"},
      {1, "Unit resetten", "De unit nu resetten?"},
      {2, "Unit zur\xC3\xBC" "cksetzen", "Die Unit jetzt zur\xC3\xBC" "cksetzen?"},
      {3, "R\xC3\xA9initialiser l'unit\xC3\xA9", "R\xC3\xA9initialiser l'unit\xC3\xA9 maintenant ?"},
  };
  for (const Words& words : table) {
    ProgramFile file;
    file.taal = words.language;
    Start("/DEBUG", file);
    EXPECT_EQ(W().CmdResetUnit->text(), QString::fromUtf8(words.button)) << words.language;
    prompts.questions.clear();
    prompts.confirmAnswers = {false};
    W().CmdResetUnit->click();
    ASSERT_EQ(prompts.questions.size(), 1u);
    EXPECT_EQ(prompts.questions[0].text, QString::fromUtf8(words.question)) << words.language;
    window.reset();
  }
}

TEST_F(AboutBoxTest, TheResetButtonIsPartOfTheDebugViewOnly) {
  Start();
  EXPECT_FALSE(W().CmdResetUnit->isVisibleTo(W().SSTab2->widget(0)));
  Program().Store.DebugLevel = 1;
  AboutBox* about = OpenAbout();
  ASSERT_NE(about, nullptr);
  DoubleClick(about->Widgets().FrameLogo);
  EXPECT_TRUE(W().CmdResetUnit->isVisibleTo(W().SSTab2->widget(0)));
}

TEST_F(AboutBoxTest, AnOkResetIsSentToTheUnitByTheEngine) {
  Start("/DEBUG");
  prompts.confirmAnswers = {true};
  W().CmdResetUnit->click();
  port.written.clear();
  for (int tick = 0; tick < 40 && Program().Engine.EngineState != engine_state::ResetSoh; ++tick) {
    window->TmrAfhandel_Timer();
  }
  EXPECT_EQ(Program().Engine.EngineState, engine_state::ResetSoh);
  EXPECT_FALSE(Program().Engine.ResetRequest);
  const std::vector<uint8_t> resetFrame = {0x01, 0x06, 0x01, 0x00, 0x02, 0x52, 0xA4};
  EXPECT_NE(std::search(port.written.begin(), port.written.end(), resetFrame.begin(), resetFrame.end()),
            port.written.end());
}

}  // namespace
}  // namespace tessaro::testing

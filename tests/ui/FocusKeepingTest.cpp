// While a secondary window is open, activating the main window beeps and
// gives the focus back to it.
#include <QApplication>
#include <QMessageBox>
#include <functional>

#include "tests/ui/SecondaryWindowFixture.h"

namespace tessaro::testing {
namespace {

class FocusKeepingTest;

struct WindowCase {
  const char* name;
  std::function<QWidget*(FocusKeepingTest&)> open;
  friend void PrintTo(const WindowCase& row, std::ostream* out) { *out << row.name; }
};

class FocusKeepingTest : public SecondaryWindowTest, public ::testing::WithParamInterface<WindowCase> {
 public:
  // Start-up as the program does it: load, then show the main window.
  void StartShown(int caseSetting = 1) {
    ProgramFile file;
    file.caseShown = caseSetting;
    Start("", file);
    window->show();
    Settle();
  }
  QWidget* OpenTheWindow() {
    QWidget* opened = GetParam().open(*this);
    Settle();
    return opened;
  }
  void Activate(QWidget* widget) {
    widget->activateWindow();
    Settle();
  }

  ProgramSettingsDialog* SettingsDialog() { return OpenSetup(); }
  AboutBox* About() { return OpenAbout(); }
  CoverGuide* GuideOfAFirstRun() {
    window.reset();
    StartShown(0);
    return OpenWindow<CoverGuide>();
  }
};

TEST_P(FocusKeepingTest, ActivatingTheMainWindowBeepsAndReturnsTheFocus) {
  StartShown();
  QWidget* secondary = OpenTheWindow();
  ASSERT_NE(secondary, nullptr);
  ASSERT_EQ(QApplication::activeWindow(), secondary);
  EXPECT_EQ(prompts.beeps, 0);

  Activate(window.get());
  EXPECT_EQ(QApplication::activeWindow(), secondary);
  EXPECT_EQ(prompts.beeps, 1);
  Activate(window.get());
  EXPECT_EQ(prompts.beeps, 2);
}

TEST_P(FocusKeepingTest, MessageBoxesOfTheProgramMayTakeTheFocus) {
  StartShown();
  QWidget* secondary = OpenTheWindow();
  ASSERT_NE(secondary, nullptr);
  QMessageBox box(QMessageBox::Critical, Title(), QStringLiteral("error"), QMessageBox::Ok, window.get());
  box.show();
  Activate(&box);
  EXPECT_EQ(QApplication::activeWindow(), &box);
  EXPECT_EQ(prompts.beeps, 0);
}

TEST_P(FocusKeepingTest, OnceClosedTheMainWindowKeepsTheFocus) {
  StartShown();
  QWidget* secondary = OpenTheWindow();
  ASSERT_NE(secondary, nullptr);
  secondary->close();
  Settle();
  Activate(window.get());
  EXPECT_EQ(QApplication::activeWindow(), window.get());
  EXPECT_EQ(prompts.beeps, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Windows, FocusKeepingTest,
    ::testing::Values(WindowCase{"settings", [](FocusKeepingTest& test) -> QWidget* { return test.SettingsDialog(); }},
                      WindowCase{"about", [](FocusKeepingTest& test) -> QWidget* { return test.About(); }},
                      WindowCase{"guide",
                                 [](FocusKeepingTest& test) -> QWidget* { return test.GuideOfAFirstRun(); }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SecondaryWindowTest, TheGuideComesUpInFrontOfTheNewMainWindowWithoutABeep) {
  ProgramFile file;
  file.caseShown = 0;
  Start("", file);
  window->show();
  Settle();
  CoverGuide* guide = OpenWindow<CoverGuide>();
  ASSERT_NE(guide, nullptr);
  EXPECT_EQ(QApplication::activeWindow(), guide);
  EXPECT_EQ(prompts.beeps, 0);
}

}  // namespace
}  // namespace tessaro::testing

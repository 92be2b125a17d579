// The window as start-up leaves it, and the design state of its control arrays.
#include <QAction>
#include <QGroupBox>
#include <QPushButton>
#include <QTabWidget>
#include <functional>
#include <initializer_list>
#include <utility>

#include "tests/ui/UiFixture.h"

namespace tessaro::testing {
namespace {

struct CommandLineCase {
  const char* name;
  std::string commandLine;
  int16_t debugLevel;
  friend void PrintTo(const CommandLineCase& row, std::ostream* out) { *out << row.name; }
};

class StartupCommandLineTest : public MainWindowTest, public ::testing::WithParamInterface<CommandLineCase> {};

TEST_P(StartupCommandLineTest, OpensOnStatusTabWithTheWorkingLayout) {
  Start(GetParam().commandLine);
  const bool debug = GetParam().debugLevel == 2;

  EXPECT_EQ(Program().Store.DebugLevel, GetParam().debugLevel);
  ASSERT_EQ(W().SSTab1->count(), 5);
  for (int tab = 0; tab < 5; ++tab) EXPECT_TRUE(W().SSTab1->isTabVisible(tab)) << "main tab " << tab;
  EXPECT_EQ(W().SSTab1->currentIndex(), 0);
  ASSERT_EQ(W().SSTab2->count(), 9);
  for (int tab = 0; tab < 9; ++tab) EXPECT_EQ(W().SSTab2->isTabVisible(tab), tab <= 2) << "settings tab " << tab;
  EXPECT_EQ(W().SSTab2->currentIndex(), 0);

  for (QGroupBox* frame : {W().FrameDebugCmdButtonsAlgemeen, W().FrameDebugCmdButtonsPaging,
                           W().FrameDebugCmdButtonsIPdiagnose, W().FrameDebugCmdButtonsIPSet}) {
    EXPECT_EQ(frame->isHidden(), !debug) << frame->objectName().toStdString();
  }
  EXPECT_EQ(W().CmdInstellingenOpslaan->isEnabled(), debug);
  // Item 0's buttons sit on the tab itself, outside any debug frame.
  EXPECT_FALSE(W().CmdReadSingleSetting.at(0)->isHidden());
  EXPECT_FALSE(W().CmdWriteSingleSetting.at(0)->isHidden());
  EXPECT_EQ(W().CmdReadSingleSetting.at(0)->parentWidget(), W().SSTab2->widget(0));
}

INSTANTIATE_TEST_SUITE_P(Switches, StartupCommandLineTest,
                         ::testing::Values(CommandLineCase{"none", "", 0}, CommandLineCase{"log", "/LOG", 1},
                                           CommandLineCase{"debug", "/DEBUG", 2},
                                           CommandLineCase{"lowerCaseDebug", "/debug", 0},
                                           CommandLineCase{"both", "/LOG /DEBUG", 2}),
                         [](const auto& info) { return std::string(info.param.name); });

struct MessageLineCase {
  const char* name;
  int logfile;
  bool openReportShown;
  friend void PrintTo(const MessageLineCase& row, std::ostream* out) { *out << row.name; }
};

class StartupMessageLinesTest : public MainWindowTest, public ::testing::WithParamInterface<MessageLineCase> {};

TEST_P(StartupMessageLinesTest, LinesAreEmptyUntilTheFirstLedTick) {
  ProgramFile file;
  file.logfile = GetParam().logfile;
  Start("", file);
  // The message window was refreshed before the port was opened.
  for (QLineEdit* line : W().Text2) EXPECT_TRUE(line->text().isEmpty());

  window->LedTimer_Timer();
  const auto& lines = Program().Log.MessageLines();
  for (std::size_t index = 0; index < W().Text2.size(); ++index) {
    EXPECT_EQ(W().Text2[index]->text(), ToQString(lines[index])) << "line " << index;
  }
  if (GetParam().openReportShown) {
    EXPECT_TRUE(W().Text2[0]->text().startsWith(QStringLiteral("09:26:53 Com: 1 "))) << W().Text2[0]->text().toStdString();
    EXPECT_TRUE(W().Text2[1]->text().isEmpty());
  } else {
    EXPECT_TRUE(W().Text2[0]->text().isEmpty());
  }
}

INSTANTIATE_TEST_SUITE_P(LogfileSetting, StartupMessageLinesTest,
                         ::testing::Values(MessageLineCase{"logging", 1, true}, MessageLineCase{"notLogging", 0, false}),
                         [](const auto& info) { return std::string(info.param.name); });

// The design state of each control array: which indices exist and which are
// visible before start-up touches them.
using Ranges = std::initializer_list<std::pair<int, int>>;

bool In(int index, Ranges ranges) {
  for (const auto& [first, last] : ranges) {
    if (index >= first && index <= last) return true;
  }
  return false;
}

struct ArrayCase {
  const char* name;
  std::function<bool(ControlArrays&, int)> exists;
  std::function<bool(ControlArrays&, int)> visible;
  int probeUpTo;
  Ranges present;
  Ranges shown;
  friend void PrintTo(const ArrayCase& row, std::ostream* out) { *out << row.name; }
};

template <class Lookup>
std::function<bool(ControlArrays&, int)> Exists(Lookup lookup) {
  return [lookup](ControlArrays& arrays, int index) { return lookup(arrays, index) != nullptr; };
}
template <class Lookup>
std::function<bool(ControlArrays&, int)> Visible(Lookup lookup) {
  return [lookup](ControlArrays& arrays, int index) { return lookup(arrays, index)->Visible(); };
}

#define ARRAY(member) [](ControlArrays& arrays, int index) { return arrays.member(index); }

const ArrayCase kArrays[] = {
    {"ComboInstellingen", Exists(ARRAY(ComboInstellingen)), Visible(ARRAY(ComboInstellingen)), 50,
     {{0, 22}, {24, 41}}, {{5, 5}, {7, 7}, {10, 15}, {17, 21}, {25, 25}}},
    {"TxtCharInput", Exists(ARRAY(TxtCharInput)), Visible(ARRAY(TxtCharInput)), 50, {{23, 23}, {31, 40}},
     {{23, 23}, {31, 40}}},
    {"TxtLegendaCharInput", Exists(ARRAY(TxtLegendaCharInput)), Visible(ARRAY(TxtLegendaCharInput)), 90,
     {{0, 78}}, {{0, 0}, {5, 5}, {7, 7}, {10, 15}, {17, 23}, {25, 25}, {30, 78}}},
    {"CmdReadSingleSetting", Exists(ARRAY(CmdReadSingleSetting)), Visible(ARRAY(CmdReadSingleSetting)), 80,
     {{0, 65}}, {{1, 1}, {5, 5}, {7, 7}, {10, 15}, {17, 21}, {25, 25}, {31, 41}}},
    {"CmdWriteSingleSetting", Exists(ARRAY(CmdWriteSingleSetting)), Visible(ARRAY(CmdWriteSingleSetting)), 80,
     {{0, 65}}, {{1, 1}, {5, 5}, {7, 7}, {10, 15}, {17, 21}, {25, 25}, {31, 41}}},
    {"TxtTekstInput", Exists(ARRAY(TxtTekstInput)), Visible(ARRAY(TxtTekstInput)), 10, {{0, 4}}, {{0, 4}}},
    {"TxtLegendaTekstInput", Exists(ARRAY(TxtLegendaTekstInput)), Visible(ARRAY(TxtLegendaTekstInput)), 90,
     {{0, 4}, {6, 40}, {42, 43}, {45, 82}}, {{0, 4}, {6, 40}, {42, 43}, {45, 82}}},
    {"CmdReadSingleTekstSetting", Exists(ARRAY(CmdReadSingleTekstSetting)),
     Visible(ARRAY(CmdReadSingleTekstSetting)), 10, {{0, 4}}, {{0, 4}}},
    {"TxtIntInput", Exists(ARRAY(TxtIntInput)), Visible(ARRAY(TxtIntInput)), 10, {{0, 4}}, {{0, 4}}},
    {"TxtLegendaIntInput", Exists(ARRAY(TxtLegendaIntInput)), Visible(ARRAY(TxtLegendaIntInput)), 50,
     {{0, 4}, {6, 43}}, {{0, 4}, {6, 43}}},
};

#undef ARRAY

class DesignArraysTest : public MainWindowTest, public ::testing::WithParamInterface<ArrayCase> {};

TEST_P(DesignArraysTest, EveryListedIndexExistsWithItsDesignVisibility) {
  WriteProgramFile({});
  Create();
  const ArrayCase& array = GetParam();
  for (int index = -1; index <= array.probeUpTo; ++index) {
    const bool present = In(index, array.present);
    ASSERT_EQ(array.exists(window->Arrays(), index), present) << array.name << "(" << index << ")";
    if (present) {
      EXPECT_EQ(array.visible(window->Arrays(), index), In(index, array.shown)) << array.name << "(" << index << ")";
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Arrays, DesignArraysTest, ::testing::ValuesIn(kArrays),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainWindowTest, DesignStateOfTheOtherControls) {
  WriteProgramFile({});
  Create();
  EXPECT_TRUE(W().ProgressBarProgrammeren->isHidden());
  EXPECT_FALSE(window->Arrays().ComboTestBleepCode()->Visible());
  EXPECT_TRUE(W().TxtProgress->isReadOnly());
  EXPECT_EQ(W().TxtProgress->palette().color(QPalette::Text), QColor(0x00, 0x00, 0xFF));
  EXPECT_EQ(W().Label4.at(1)->text(), QStringLiteral("TxD"));
  EXPECT_EQ(W().Label4.at(2)->text(), QStringLiteral("RxD"));
  EXPECT_EQ(W().ShpTx->FillColour(), QColor(0xC0, 0x00, 0x00));
  EXPECT_EQ(W().ShpRx->FillColour(), QColor(0x00, 0xC0, 0x00));
  for (const auto& [index, box] : W().TxtTekstInput) EXPECT_TRUE(box->isReadOnly()) << index;
  for (QLineEdit* line : W().Text2) {
    EXPECT_TRUE(line->isReadOnly());
    EXPECT_FALSE(line->hasFrame());
  }
  EXPECT_FALSE(window->windowIcon().isNull());
}

TEST_F(MainWindowTest, StartUpFillsEverySettingComboAndTheBleepCodes) {
  Start();
  for (const auto& [index, combo] : W().ComboInstellingen) {
    EXPECT_GT(combo->count(), 0) << index;
    EXPECT_FALSE(combo->isHidden()) << index;
  }
  EXPECT_EQ(W().ComboTestBleepCode->count(), 16);
  EXPECT_EQ(W().ComboTestBleepCode->currentIndex(), 1);
  EXPECT_FALSE(W().ComboTestBleepCode->isHidden());
}

TEST_F(MainWindowTest, RebuiltListsHaveNoSelectionAndNoDoubles) {
  Start();
  for (int round = 0; round < 2; ++round) {
    Program().Screen.InitSettingsScreen();
    for (const auto& [index, combo] : W().ComboInstellingen) {
      EXPECT_EQ(combo->currentIndex(), -1) << index;
      EXPECT_TRUE(combo->currentText().isEmpty()) << index;
    }
    EXPECT_EQ(W().ComboInstellingen.at(41)->count(), 25);
    EXPECT_EQ(W().ComboInstellingen.at(20)->count(), 71);
    EXPECT_EQ(W().ComboTestBleepCode->count(), 16);
  }
}

}  // namespace
}  // namespace tessaro::testing

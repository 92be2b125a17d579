// The cover-opening guide: its pages, and its check box at the next start.
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <stdexcept>

#include "tests/ui/SecondaryWindowFixture.h"

namespace tessaro::testing {
namespace {

class CoverGuideTest : public SecondaryWindowTest {
 protected:
  // A first run: no guide switched off yet.
  CoverGuide& StartWithGuide() {
    ProgramFile file;
    file.caseShown = 0;
    Start("", file);
    Settle();
    CoverGuide* guide = OpenWindow<CoverGuide>();
    if (guide == nullptr) throw std::logic_error("no guide at start-up");
    return *guide;
  }

  static void ExpectPage(const CoverGuide& guide, int page, const QString& text) {
    EXPECT_EQ(guide.Page(), page);
    for (int index = 0; index < 3; ++index) {
      EXPECT_EQ(guide.Widgets().Image[static_cast<std::size_t>(index)]->isHidden(), index + 1 != page)
          << "Image" << index + 1 << " on page " << page;
    }
    EXPECT_EQ(guide.Widgets().LabelBeschrijving->text(), text);
  }
};

struct StepsCase {
  const char* name;
  std::string steps;  // N next, P previous
  int page;
  friend void PrintTo(const StepsCase& row, std::ostream* out) { *out << row.name; }
};

class CoverGuidePagesTest : public CoverGuideTest, public ::testing::WithParamInterface<StepsCase> {};

TEST_P(CoverGuidePagesTest, NextAndPreviousStayWithinTheThreePages) {
  CoverGuide& guide = StartWithGuide();
  ExpectPage(guide, 1, QText(slot::SlideTheLidUp) + QStringLiteral("."));
  for (char step : GetParam().steps) (step == 'N' ? guide.Widgets().CmdVolgende : guide.Widgets().CmdVorige)->click();
  const TextSlot pageSlots[] = {slot::SlideTheLidUp, slot::TurnAScrewdriver, slot::ConnectTheDiagnosePort};
  ExpectPage(guide, GetParam().page, QText(pageSlots[GetParam().page - 1]) + QStringLiteral("."));
  EXPECT_TRUE(guide.Widgets().CmdVolgende->isEnabled());
  EXPECT_TRUE(guide.Widgets().CmdVorige->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(Steps, CoverGuidePagesTest,
                         ::testing::Values(StepsCase{"opening", "", 1}, StepsCase{"previousOnTheFirst", "P", 1},
                                           StepsCase{"next", "N", 2}, StepsCase{"nextTwice", "NN", 3},
                                           StepsCase{"nextBeyondTheLast", "NNN", 3},
                                           StepsCase{"backFromTheLast", "NNNP", 2},
                                           StepsCase{"backThreeTimes", "NNNPPP", 1}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CoverGuideTest, EveryPageHasItsPictureAndTheTextsTheirSlots) {
  CoverGuide& guide = StartWithGuide();
  for (QLabel* image : guide.Widgets().Image) {
    ASSERT_FALSE(image->pixmap().isNull()) << image->objectName().toStdString();
    EXPECT_GE(image->pixmap().width(), image->width()) << "drawn for the size it is shown at";
  }
  EXPECT_NE(guide.Widgets().Image[0]->pixmap().toImage(), guide.Widgets().Image[1]->pixmap().toImage());
  EXPECT_NE(guide.Widgets().Image[1]->pixmap().toImage(), guide.Widgets().Image[2]->pixmap().toImage());
  EXPECT_EQ(guide.windowTitle(), QText(slot::OpeningTheCover));
  EXPECT_EQ(guide.Widgets().CmdVolgende->text(), QText(slot::Next));
  EXPECT_EQ(guide.Widgets().CmdVorige->text(), QText(slot::Previous));
  EXPECT_EQ(guide.Widgets().CmdClose->text(), QText(slot::Close));
  EXPECT_EQ(guide.Widgets().CheckDontShow->text(), QText(slot::DontShowAgain));
  EXPECT_FALSE(guide.Widgets().CheckDontShow->isChecked());
}

TEST_F(CoverGuideTest, NotShownOnceSwitchedOff) {
  Start();  // the fixture's Case 1
  Settle();
  EXPECT_EQ(WindowCount<CoverGuide>(), 0);
}

TEST_F(CoverGuideTest, ShownInTheProgramsLanguage) {
  ProgramFile file;
  file.caseShown = 0;
  file.taal = 3;
  Start("", file);
  Settle();
  CoverGuide* guide = OpenWindow<CoverGuide>();
  ASSERT_NE(guide, nullptr);
  EXPECT_EQ(guide->Widgets().CmdVolgende->text(), QStringLiteral("Suivante"));
  EXPECT_EQ(guide->Widgets().LabelBeschrijving->text(), QString::fromUtf8("Faites glisser le couvercle l\u00e9g\u00e8rement."));
}

struct CloseCase {
  const char* name;
  bool ticked;
  bool byTitleBar;
  bool fileWritten;
  friend void PrintTo(const CloseCase& row, std::ostream* out) { *out << row.name; }
};

class CoverGuideCloseTest : public CoverGuideTest, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(CoverGuideCloseTest, OnlyATickedBoxSwitchesTheGuideOffForTheNextStart) {
  const CloseCase& row = GetParam();
  CoverGuide& guide = StartWithGuide();
  const std::string fileBefore = ProgramFileBytes();
  guide.Widgets().CmdVolgende->click();
  guide.Widgets().CheckDontShow->setChecked(row.ticked);
  if (row.byTitleBar) {
    guide.close();
  } else {
    guide.Widgets().CmdClose->click();
  }
  Settle();
  EXPECT_EQ(WindowCount<CoverGuide>(), 0);
  if (row.fileWritten) {
    EXPECT_EQ(Program().Settings.Case, 1);
    ASSERT_EQ(ProgramFileLines().size(), 6u);
    EXPECT_EQ(ProgramFileLines()[5], "5       Case ->1");
    EXPECT_EQ(ProgramFileLines()[1], "1      Logfile ->2");
  } else {
    EXPECT_EQ(Program().Settings.Case, 0);
    EXPECT_EQ(ProgramFileBytes(), fileBefore);
  }

  Restart();
  EXPECT_EQ(WindowCount<CoverGuide>(), row.fileWritten ? 0 : 1);
  if (!row.fileWritten) {
    // A new run starts on page 1 with the box cleared.
    CoverGuide* again = OpenWindow<CoverGuide>();
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->Page(), 1);
    EXPECT_FALSE(again->Widgets().CheckDontShow->isChecked());
  }
}

INSTANTIATE_TEST_SUITE_P(Closing, CoverGuideCloseTest,
                         ::testing::Values(CloseCase{"notTicked", false, false, false},
                                           CloseCase{"ticked", true, false, true},
                                           CloseCase{"tickedByTitleBar", true, true, true},
                                           CloseCase{"notTickedByTitleBar", false, true, false}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tessaro::testing

// The program settings dialog: its two states, what the fields show, and
// what Save applies.
#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <stdexcept>
#include <vector>

#include "presentation/SettingsLayout.h"
#include "tests/ui/SecondaryWindowFixture.h"
#include "ui/LockableCombo.h"

namespace tessaro::testing {
namespace {

const QColor LockedGrey(0xC0, 0xC0, 0xC0);

class SettingsDialogTest : public SecondaryWindowTest {
 protected:
  ProgramSettingsDialog& Dialog() {
    if (dialog_ == nullptr) dialog_ = OpenSetup();
    if (dialog_ == nullptr) throw std::logic_error("the settings dialog did not open");
    return *dialog_;
  }
  const ProgramSettingsDialog::Controls& D() { return Dialog().Widgets(); }

  // Viewing: fields write-protected and grey, Edit and Close usable.
  void ExpectViewing() {
    EXPECT_TRUE(D().ComboCom->Locked());
    EXPECT_TRUE(D().ComboTaal->Locked());
    EXPECT_TRUE(D().TxtSetPath->isReadOnly());
    for (QWidget* field : {static_cast<QWidget*>(D().ComboCom), static_cast<QWidget*>(D().ComboTaal),
                           static_cast<QWidget*>(D().TxtSetPath)}) {
      EXPECT_EQ(field->palette().color(QPalette::Text), LockedGrey) << field->objectName().toStdString();
    }
    EXPECT_FALSE(D().CheckOpeningUnit->isEnabled());
    EXPECT_TRUE(D().CmdWijzigen->isEnabled());
    EXPECT_TRUE(D().CmdClose->isEnabled());
    EXPECT_FALSE(D().CmdCancel->isEnabled());
    EXPECT_FALSE(D().CmdSave->isEnabled());
  }
  void ExpectEditing() {
    EXPECT_FALSE(D().ComboCom->Locked());
    EXPECT_FALSE(D().ComboTaal->Locked());
    EXPECT_FALSE(D().TxtSetPath->isReadOnly());
    const QColor windowText = QApplication::palette().color(QPalette::Text);
    for (QWidget* field : {static_cast<QWidget*>(D().ComboCom), static_cast<QWidget*>(D().ComboTaal),
                           static_cast<QWidget*>(D().TxtSetPath)}) {
      EXPECT_EQ(field->palette().color(QPalette::Text), windowText) << field->objectName().toStdString();
    }
    EXPECT_TRUE(D().CheckOpeningUnit->isEnabled());
    EXPECT_FALSE(D().CmdWijzigen->isEnabled());
    EXPECT_FALSE(D().CmdClose->isEnabled());
    EXPECT_TRUE(D().CmdCancel->isEnabled());
    EXPECT_TRUE(D().CmdSave->isEnabled());
  }

  // The user's way of changing every field.
  void EditFields(int comIndex, int language, const QString& path, bool dontShowGuide) {
    D().ComboCom->setCurrentIndex(comIndex);
    D().ComboTaal->setCurrentIndex(language);
    D().TxtSetPath->selectAll();
    TypeInto(D().TxtSetPath, path);
    D().CheckOpeningUnit->setChecked(dontShowGuide);
  }

  ProgramSettingsDialog* dialog_ = nullptr;
};

// ---- what the fields show

struct FieldsCase {
  const char* name;
  int16_t compoort;
  int16_t taal;
  std::string setPath;
  int16_t caseSetting;
  int comIndex;
  int languageIndex;
  bool ticked;
  friend void PrintTo(const FieldsCase& row, std::ostream* out) { *out << row.name; }
};

class SettingsDialogFieldsTest : public SettingsDialogTest, public ::testing::WithParamInterface<FieldsCase> {};

TEST_P(SettingsDialogFieldsTest, OpensViewingTheStoredSettings) {
  const FieldsCase& row = GetParam();
  Start();
  ProgramSettings& settings = Program().Settings;
  settings.Compoort = row.compoort;
  settings.Taal = row.taal;
  settings.SetPath = row.setPath;
  settings.Case = row.caseSetting;
  const std::string fileBefore = ProgramFileBytes();

  EXPECT_EQ(D().ComboCom->currentIndex(), row.comIndex);
  EXPECT_EQ(D().ComboTaal->currentIndex(), row.languageIndex);
  EXPECT_EQ(D().TxtSetPath->text(), ToQString(row.setPath));
  EXPECT_EQ(D().CheckOpeningUnit->isChecked(), row.ticked);
  ExpectViewing();
  EXPECT_EQ(ProgramFileBytes(), fileBefore);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, SettingsDialogFieldsTest,
    ::testing::Values(FieldsCase{"firstPortEnglish", 0, 0, "", 0, 0, 0, false},
                      FieldsCase{"com3GermanWithFolder", 2, 2, "D:\\S\xe4tze neu", 1, 2, 2, true},
                      FieldsCase{"lastPortFrench", 29, 3, "", 0, 29, 3, false},
                      FieldsCase{"portBeyondTheListShowsCom1", 45, 1, "", 0, 0, 1, false},
                      FieldsCase{"languageBeyondTheListShowsEnglish", 0, 7, "", 0, 0, 0, false},
                      FieldsCase{"noPortShowsNoSelection", -1, -1, "", 0, -1, -1, false},
                      FieldsCase{"anyPositiveCaseTicks", 0, 0, "", 2, 0, 0, true},
                      FieldsCase{"negativeCaseDoesNotTick", 0, 0, "", -1, 0, 0, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SettingsDialogTest, PortListNamesTheDeviceOfEachNumber) {
  Start();
  const EnvironmentLookup lookup = [](const char* name) -> const char* {
    return std::string(name) == "TESSARO_COM2" ? "/dev/ttyUSB0" : nullptr;
  };
  // No port present: where ports have COM names, the entries are their names alone.
  const auto nonePresent = [] { return std::vector<PresentPort>{}; };
  ProgramSettingsDialog dialog(ProgramSettingsDialog::Environment{Program(), *window, prompts, lookup, nonePresent},
                               *window);
  const LockableCombo& ports = *dialog.Widgets().ComboCom;
  ASSERT_EQ(ports.count(), 30);
#ifdef _WIN32
  EXPECT_EQ(ports.itemText(0), QStringLiteral("Com1"));
  EXPECT_EQ(ports.itemText(29), QStringLiteral("Com30"));
#else
  EXPECT_EQ(ports.itemText(0), QStringLiteral("Com1  (/dev/ttyS0)"));
  EXPECT_EQ(ports.itemText(1), QStringLiteral("Com2  (/dev/ttyUSB0)"));
  EXPECT_EQ(ports.itemText(29), QStringLiteral("Com30  (/dev/ttyS29)"));
#endif
  const LockableCombo& languages = *dialog.Widgets().ComboTaal;
  ASSERT_EQ(languages.count(), 4);
  EXPECT_EQ(languages.itemText(0), QStringLiteral("English"));
  EXPECT_EQ(languages.itemText(1), QStringLiteral("Nederlands"));
  EXPECT_EQ(languages.itemText(2), QStringLiteral("Deutsch"));
  EXPECT_EQ(languages.itemText(3), QString::fromUtf8("Fran\u00e7aise"));
}

TEST_F(SettingsDialogTest, CaptionsComeFromTheTextTableInTheProgramsLanguage) {
  ProgramFile file;
  file.taal = 1;
  Start("", file);
  EXPECT_EQ(Dialog().windowTitle(), QText(slot::Settings));
  EXPECT_EQ(D().CmdCancel->text(), QText(slot::Cancel));
  EXPECT_EQ(D().CmdWijzigen->text(), QText(slot::Edit));
  EXPECT_EQ(D().CmdClose->text(), QText(slot::Close));
  EXPECT_EQ(D().CmdSave->text(), QText(slot::Save));
  EXPECT_EQ(D().LabelCompoort->text(), QText(slot::ComPort) + QStringLiteral(": "));
  EXPECT_EQ(D().LabelMapInstellingen->text(), QText(slot::SettingsFolder));
  EXPECT_EQ(D().LabelTaal->text(), QText(slot::Language));
  EXPECT_EQ(D().LabelOpeningTheUnit->text(), QText(slot::OpeningTheCover));
  EXPECT_EQ(D().CheckOpeningUnit->text(), QText(slot::DontShowAgain));
  EXPECT_EQ(D().CmdWijzigen->text(), QStringLiteral("Wijzigen"));
  EXPECT_FALSE(Dialog().windowIcon().isNull());
}

// ---- the two states

TEST_F(SettingsDialogTest, LockedFieldsRefuseTheUserUntilEdit) {
  Start();
  const auto pressDown = [](QWidget* widget) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
  };
  pressDown(D().ComboCom);
  pressDown(D().ComboTaal);
  TypeInto(D().TxtSetPath, QStringLiteral("abc"));
  EXPECT_EQ(D().ComboCom->currentIndex(), 0);
  EXPECT_EQ(D().ComboTaal->currentIndex(), 0);
  EXPECT_TRUE(D().TxtSetPath->text().isEmpty());

  D().CmdWijzigen->click();
  ExpectEditing();
  pressDown(D().ComboCom);
  pressDown(D().ComboTaal);
  TypeInto(D().TxtSetPath, QStringLiteral("abc"));
  EXPECT_EQ(D().ComboCom->currentIndex(), 1);
  EXPECT_EQ(D().ComboTaal->currentIndex(), 1);
  EXPECT_EQ(D().TxtSetPath->text(), QStringLiteral("abc"));
}

TEST_F(SettingsDialogTest, CancelShowsTheStoredSettingsAgainAndWritesNothing) {
  Start();
  const std::string fileBefore = ProgramFileBytes();
  const int opensBefore = port.openCalls;
  D().CmdWijzigen->click();
  EditFields(4, 2, QStringLiteral("X:\\elsewhere"), true);
  D().CmdCancel->click();

  ExpectViewing();
  EXPECT_EQ(D().ComboCom->currentIndex(), 0);
  EXPECT_EQ(D().ComboTaal->currentIndex(), 0);
  EXPECT_TRUE(D().TxtSetPath->text().isEmpty());
  EXPECT_TRUE(D().CheckOpeningUnit->isChecked());  // the fixture's Case 1
  EXPECT_EQ(Program().Settings.Compoort, 0);
  EXPECT_EQ(Program().Settings.Taal, 0);
  EXPECT_EQ(ProgramFileBytes(), fileBefore);
  EXPECT_EQ(port.openCalls, opensBefore);
  EXPECT_EQ(D().CmdWijzigen->text(), QStringLiteral("Edit"));
}

TEST_F(SettingsDialogTest, CloseWritesNothingAndTheNextOpeningIsANewDialog) {
  Start();
  const std::string fileBefore = ProgramFileBytes();
  Dialog();
  D().CmdClose->click();
  Settle();
  EXPECT_EQ(WindowCount<ProgramSettingsDialog>(), 0);
  EXPECT_EQ(ProgramFileBytes(), fileBefore);

  // Settings changed elsewhere show in the new dialog.
  Program().Settings.Compoort = 6;
  ProgramSettingsDialog* second = OpenSetup();
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(second->Widgets().ComboCom->currentIndex(), 6);
}

TEST_F(SettingsDialogTest, TheMenuEntryBringsAnOpenDialogForwardInsteadOfASecondOne) {
  Start();
  Dialog();
  OpenSetup();
  EXPECT_EQ(WindowCount<ProgramSettingsDialog>(), 1);
}

// ---- Save

TEST_F(SettingsDialogTest, SaveAppliesEverySettingAtOnce) {
  WriteDefaults({{0, "2"}, {23, "30"}});
  Start();
  W().TxtCharInput.at(23)->setText(QStringLiteral("99"));  // an unsaved edit
  WriteDefaults({{0, "3"}, {23, "45"}});
  const QString englishChoice = W().ComboInstellingen.at(0)->itemText(0);
  const int closesBefore = port.closeCalls;
  const int opensBefore = port.openCalls;

  D().CmdWijzigen->click();
  EditFields(2, 2, ToQString("D:\\S\xe4tze neu"), true);
  D().CmdSave->click();

  // The settings file holds the new values.
  EXPECT_EQ(ProgramFileLines(), (std::vector<std::string>{
                                    "0        Compoort ->2", "1      Logfile ->2", "2       SetPath ->D:\\S\xe4tze neu",
                                    "3       UnitType ->3", "4       Taal ->2", "5       Case ->1"}));
  // The defaults file is not read again: the unsaved edit and the values
  // on screen stay.
  EXPECT_EQ(W().TxtCharInput.at(23)->text(), QStringLiteral("99"));
  EXPECT_EQ(Value(0).NumberValue(), 2);
  // The port was closed and opened on the new number, reported in the
  // language just chosen.
  EXPECT_EQ(port.closeCalls, closesBefore + 1);
  EXPECT_EQ(port.openCalls, opensBefore + 1);
  EXPECT_TRUE(port.open);
  EXPECT_EQ(port.lastPortNumber, 3);
  const int count = Program().Log.MessageLineCount();
  ASSERT_GE(count, 2);
  const auto& lines = Program().Log.MessageLines();
  EXPECT_NE(lines[static_cast<std::size_t>(count - 2)].find(Text(slot::ComportClosed) + "."), std::string::npos);
  EXPECT_NE(lines[static_cast<std::size_t>(count - 1)].find("Com: 3 " + Text(slot::OpenedWith) + ": 9600,N,8,1"),
            std::string::npos);
  EXPECT_EQ(lines[static_cast<std::size_t>(count - 2)].find("Comport closed by software."), std::string::npos);
  // Both windows speak German at once; the screen was rebuilt in German and
  // shows the values again.
  EXPECT_EQ(W().Setup->text(), QStringLiteral("Einstellungen"));
  EXPECT_EQ(Dialog().windowTitle(), QStringLiteral("Einstellungen"));
  EXPECT_EQ(D().CmdWijzigen->text(), QString::fromUtf8("\u00c4ndern"));
  EXPECT_EQ(D().CmdSave->text(), QStringLiteral("Speichern"));
  const std::vector<std::string> germanChoices = ChoiceList(0, Program().Texts);
  ASSERT_EQ(W().ComboInstellingen.at(0)->count(), static_cast<int>(germanChoices.size()));
  EXPECT_EQ(W().ComboInstellingen.at(0)->itemText(0), ToQString(germanChoices[0]));
  EXPECT_NE(W().ComboInstellingen.at(0)->itemText(0), englishChoice);
  EXPECT_EQ(W().ComboInstellingen.at(0)->currentIndex(), 2);
  // Back to viewing, still open.
  ExpectViewing();
  EXPECT_FALSE(Dialog().isHidden());
}

TEST_F(SettingsDialogTest, APortBeyondTheListIsSavedAsTheFirstPort) {
  {
    std::ofstream out(folder.Path() / "TessaroIP.set", std::ios::binary);
    out << "0        Compoort ->45\r\n1      Logfile ->1\r\n5       Case ->1\r\n";
  }
  Create();
  window->Form_Load("");
  EXPECT_EQ(D().ComboCom->currentIndex(), 0);
  D().CmdWijzigen->click();
  D().CmdSave->click();
  ASSERT_FALSE(ProgramFileLines().empty());
  EXPECT_EQ(ProgramFileLines()[0], "0        Compoort ->0");
  EXPECT_EQ(port.lastPortNumber, 1);
}

struct GuideChoiceCase {
  const char* name;
  bool ticked;
  const char* caseLine;
  bool guideAtNextStart;
  friend void PrintTo(const GuideChoiceCase& row, std::ostream* out) { *out << row.name; }
};

class SettingsDialogGuideTest : public SettingsDialogTest, public ::testing::WithParamInterface<GuideChoiceCase> {};

TEST_P(SettingsDialogGuideTest, TheTickDecidesTheGuideAtTheNextStart) {
  ProgramFile file;
  file.caseShown = GetParam().ticked ? 0 : 1;
  Start("", file);
  Settle();
  if (auto* guide = OpenWindow<CoverGuide>()) guide->close();
  D().CmdWijzigen->click();
  D().CheckOpeningUnit->setChecked(GetParam().ticked);
  D().CmdSave->click();
  ASSERT_EQ(ProgramFileLines().size(), 6u);
  EXPECT_EQ(ProgramFileLines()[5], GetParam().caseLine);

  Restart();
  EXPECT_EQ(OpenWindow<CoverGuide>() != nullptr, GetParam().guideAtNextStart);
}

INSTANTIATE_TEST_SUITE_P(Choices, SettingsDialogGuideTest,
                         ::testing::Values(GuideChoiceCase{"ticked", true, "5       Case ->1", false},
                                           GuideChoiceCase{"cleared", false, "5       Case ->0", true}),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- a port that was missing at start-up

// COM1 does not exist; every other port opens.
class PortWithoutCom1 final : public FakeBytePort {
 public:
  bool Open(int portNumber, const LineSettings& settings) override {
    if (portNumber == 1) {
      ++openCalls;
      return false;
    }
    return FakeBytePort::Open(portNumber, settings);
  }
};

class MissingPortTest : public SettingsDialogTest {
 protected:
  void SetUp() override {
    WriteProgramFile({});
    window = std::make_unique<MainWindow>(
        MainWindow::Environment{folder.Path(), clock, portWithoutCom1, prompts});
    window->Form_Load("");
  }
  // The window goes before the port it uses.
  void TearDown() override { window.reset(); }

  void Tick(int count) {
    for (int tick = 0; tick < count; ++tick) window->TmrAfhandel_Timer();
  }
  void ChoosePortAndSave(int comIndex) {
    D().CmdWijzigen->click();
    D().ComboCom->setCurrentIndex(comIndex);
    D().CmdSave->click();
  }

  PortWithoutCom1 portWithoutCom1;
};

TEST_F(MissingPortTest, AGoodPortChosenLaterStartsTheEngineAndReadAllIsServed) {
  ASSERT_EQ(Program().Engine.EngineState, engine_state::Initial);
  // As things stand the buttons do nothing, and say why.
  W().CmdLeesAlles->click();
  Tick(20);
  EXPECT_FALSE(Program().Engine.ReadAllRequest);
  EXPECT_TRUE(Progress().startsWith(QStringLiteral("Error opening Comport:  1")));
  EXPECT_TRUE(portWithoutCom1.written.empty());

  ChoosePortAndSave(1);
  EXPECT_EQ(portWithoutCom1.lastPortNumber, 2);
  EXPECT_EQ(Program().Engine.EngineState, engine_state::Idle);

  W().CmdLeesAlles->click();
  Tick(20);
  EXPECT_FALSE(Program().Engine.ReadAllRequest);
  EXPECT_TRUE(std::any_of(Program().Store.ItemStatus.begin(), Program().Store.ItemStatus.end(),
                          [](int16_t status) { return status == RequestRead; }));
  EXPECT_FALSE(portWithoutCom1.written.empty());
  EXPECT_TRUE(portWithoutCom1.open);
}

TEST_F(MissingPortTest, TheSameMissingPortLeavesTheEngineWaiting) {
  ChoosePortAndSave(0);
  EXPECT_EQ(Program().Engine.EngineState, engine_state::Initial);
  EXPECT_FALSE(portWithoutCom1.open);
  // Choosing a good port afterwards still starts it.
  ChoosePortAndSave(2);
  EXPECT_EQ(Program().Engine.EngineState, engine_state::Idle);
  EXPECT_EQ(portWithoutCom1.lastPortNumber, 3);
}

TEST_F(SettingsDialogTest, ARunningEngineIsNotRestartedBySave) {
  Start();
  ASSERT_EQ(Program().Engine.EngineState, engine_state::Idle);
  Status(23) = RequestRead;
  for (int tick = 0; tick < 40 && Program().Engine.EngineState != engine_state::ReadSoh; ++tick) {
    window->TmrAfhandel_Timer();
  }
  ASSERT_EQ(Program().Engine.EngineState, engine_state::ReadSoh);
  D().CmdWijzigen->click();
  D().CmdSave->click();
  EXPECT_EQ(Program().Engine.EngineState, engine_state::ReadSoh);
  EXPECT_EQ(Program().Engine.CurrentItem, 23);
}

}  // namespace
}  // namespace tessaro::testing

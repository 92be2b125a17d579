// The real main window with the real serial adapter against the simulated
// unit over a pseudo-terminal: the program folder selects COM58, which
// TESSARO_COM58 maps to a link the simulator keeps pointed at its port.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "core/Clock.h"
#include "serial/QtSerialBytePort.h"
#include "tests/support/PseudoTerminal.h"
#include "tests/support/TestFolder.h"
#include "tests/support/UnitSimProcess.h"
#include "ui/InputBox.h"
#include "ui/ListCombo.h"
#include "ui/QtControls.h"
#include "ui/QtText.h"
#include "ui/UserPrompts.h"
#include "ui/MainWindow.h"

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }
QT_END_NAMESPACE

namespace tessaro::testing {
namespace {

using namespace std::chrono_literals;

constexpr int kComIndex = 57;  // "Compoort" in the program settings file: COM58
constexpr const char* kComVariable = "TESSARO_COM58";
constexpr const char* kComOpenedLine = "Com: 58 opened with: 9600,N,8,1";

// A setting as the defaults file holds it, as the unit is started with it and
// as its control must show it after a read: the list position of a combo, the
// text of a text box. Every unit value differs from the defaults file, so a
// value that did not travel shows. A null preset: the unit derives it.
struct Setting {
  int16_t item;
  const char* inDefaults;
  const char* unitPreset;
  const char* shown;
};

const std::vector<Setting>& Settings() {
  static const std::vector<Setting> settings = {
      {0, "0", "1", "1"},       {5, "0", "4", "4"},       {7, "0", "12", "12"},     {10, "3", "2", "2"},
      {11, "1", "0", "0"},      {12, "0", "1", "1"},      {13, "0", "2", "2"},      {14, "0", "1", "1"},
      {15, "0", "3", "3"},      {17, "1", "2", "2"},
      {18, "0", "49", "2"},  // the unit keeps the hex digit "1": list entry 2
      {19, "0", "2", "2"},      {20, "30", "45", "45"},   {21, "1", "2", "2"},      {22, "0", "1", "1"},
      {23, "60", "120", "120"}, {31, "192", "10", "10"},  {32, "168", "20", "20"},  {33, "1", "30", "30"},
      {34, "50", "40", "40"},   {35, "208", "57", "57"},  {36, "7", "48", "48"},    {37, "192", "10", "10"},
      {38, "168", "20", "20"},  {39, "1", "30", "30"},    {40, "1", "1", "1"},      {41, "8", "16", "16"},
      {150, "", "02:00:5E:10:20:30", "02:00:5E:10:20:30"},
      {151, "", nullptr, "10.20.30.40"},
      {152, "", nullptr, "10.20.30.1"},
      {153, "", nullptr, "255.255.0.0"},  // subnet entry 16: a 16-bit mask
      {154, "", "10.20.30.2", "10.20.30.2"},
  };
  return settings;
}

bool IsCombo(int item) { return item <= 22 || item == 41; }

// Answers OK to every question and records them; the open dialog picks
// `fileToOpen`, if the test names one.
class OkPrompts final : public UserPrompts {
 public:
  bool Confirm(const QString& /*title*/, const QString& text) override {
    questions.push_back(text);
    return true;
  }
  std::optional<QString> SaveFileName(const FileDialogRequest& /*request*/) override { return std::nullopt; }
  std::optional<QString> OpenFileName(const FileDialogRequest& /*request*/) override { return fileToOpen; }
  void Beep() override {}

  std::vector<QString> questions;
  std::optional<QString> fileToOpen;
};

class MainWindowE2eTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (const auto why = WhyNoPseudoTerminal()) GTEST_SKIP() << "no pseudo-terminal available here: " << *why;
    ASSERT_FALSE(scratch.Path().empty());

    program = scratch.Path() / "program";
    std::filesystem::create_directory(program);
    WriteProgramFiles();

    link = (scratch.Path() / "unit").string();
    std::vector<std::string> args{"--no-pace", "--status-every", "0", "--link", link, "--quit-after", "60"};
    for (const Setting& setting : Settings()) {
      if (setting.unitPreset != nullptr) {
        args.insert(args.end(), {"--set", std::to_string(setting.item) + "=" + setting.unitPreset});
      }
    }
    ASSERT_TRUE(sim.Start(args));
    ASSERT_TRUE(sim.WaitForLine("PTY ", 5s)) << sim.Transcript();
    ::setenv(kComVariable, link.c_str(), 1);

    window = std::make_unique<MainWindow>(MainWindow::Environment{program, clock, port, prompts});
    window->Form_Load("");
    window->show();
    window->TimerStartRefresh_Timer();
  }

  void TearDown() override {
    window.reset();  // closes the port before the unit goes
    sim.Stop();
    ::unsetenv(kComVariable);
  }

  void WriteProgramFiles() {
    std::ofstream settings(program / "TessaroIP.set", std::ios::binary);
    settings << "0        Compoort ->" << kComIndex << "\r\n"
             << "1      Logfile ->1\r\n"
             << "2       SetPath ->\r\n"
             << "3       UnitType ->3\r\n"
             << "4       Taal ->0\r\n"
             << "5       Case ->1\r\n";
    std::map<int, std::string> values;
    for (const Setting& setting : Settings()) values[setting.item] = setting.inDefaults;
    std::ofstream defaults(program / "default.set", std::ios::binary);
    for (int item = 0; item <= 249; ++item) {
      const auto found = values.find(item);
      const std::string value = found != values.end() ? found->second : item < 150 ? "0" : "";
      defaults << item << "    ->" << value << "\r\n";
    }
  }

  const MainWindowWidgets& W() const { return window->Widgets(); }
  TessaroProgram& Program() { return window->Program(); }

  QComboBox& Combo(int item) { return *W().ComboInstellingen.at(item); }
  QLineEdit& Box(int item) {
    return item >= 150 ? static_cast<QLineEdit&>(*W().TxtTekstInput.at(item - 150))
                       : static_cast<QLineEdit&>(*W().TxtCharInput.at(item));
  }

  // What the item's control shows: a combo's list position, a box's text.
  QString Shown(int item) {
    return IsCombo(item) ? QString::number(Combo(item).currentIndex()) : Box(item).text();
  }
  // The text the engine quotes for the item: the combo's entry or the box.
  QString ShownText(int item) { return IsCombo(item) ? Combo(item).currentText() : Box(item).text(); }

  // The text of the item's legend box, which the window may hold as a spare
  // member without a widget (the port row's second box).
  QString Legend(int item) {
    ControlArrays& arrays = window->Arrays();
    const TextBoxControl* box =
        item >= 150 ? arrays.TxtLegendaTekstInput(item - 150) : arrays.TxtLegendaCharInput(item);
    return box != nullptr ? ToQString(box->Text()) : QString();
  }

  // The colour the item's value is drawn in, and the two the window uses.
  QColor DrawnColour(int item) {
    if (!IsCombo(item)) return Box(item).palette().color(QPalette::Text);
    return Combo(item).lineEdit()->palette().color(QPalette::Text);
  }
  QColor ValueColourOf(int item, ValueColour colour) {
    QWidget& widget = IsCombo(item) ? static_cast<QWidget&>(*Combo(item).lineEdit()) : Box(item);
    return tessaro::ValueColourOf(colour, widget);
  }
  bool DrawnAs(int item, ValueColour colour) { return DrawnColour(item) == ValueColourOf(item, colour); }

  bool NothingPending() {
    const auto& status = Program().Store.ItemStatus;
    return std::all_of(status.begin(), status.end(), [](int16_t code) { return code == RequestNone; });
  }

  bool BatchOver() {
    const ProtocolEngine& engine = Program().Engine;
    return !engine.ReadAllRequest && !engine.WriteAllRequest && engine.BatchReport == 0 && NothingPending() &&
           engine.EngineState == engine_state::Idle;
  }

  // Runs the engine tick by tick, as its 25 ms timer would, but a few
  // milliseconds apart; bounded by ticks and by time.
  bool TickUntil(const std::function<bool()>& done, std::chrono::milliseconds limit = 8s) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (int tick = 0; tick < 4000; ++tick) {
      window->TmrAfhandel_Timer();
      QCoreApplication::processEvents();
      sim.Drain();
      if (done()) return true;
      if (std::chrono::steady_clock::now() >= deadline) return false;
      std::this_thread::sleep_for(2ms);
    }
    return false;
  }

  bool MessageLineContains(const std::string& text) {
    const auto& lines = Program().Log.MessageLines();
    return std::any_of(lines.begin(), lines.end(),
                       [&](const std::string& line) { return line.find(text) != std::string::npos; });
  }

  QStringList ProgressLines() const {
    return W().TxtProgress->toPlainText().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
  }

  static void PressKey(QWidget& widget, Qt::Key key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(&widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(&widget, &release);
  }

  static void Type(QWidget& widget, const QString& text) {
    for (QChar character : text) {
      const int key = character.toUpper().unicode();
      QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(character));
      QApplication::sendEvent(&widget, &press);
      QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(character));
      QApplication::sendEvent(&widget, &release);
    }
  }

  TestFolder scratch;
  std::filesystem::path program;
  std::string link;
  UnitSimProcess sim{TESSARO_UNIT_SIM_PATH};
  SystemClock clock;
  QtSerialBytePort port;
  OkPrompts prompts;
  std::unique_ptr<MainWindow> window;
};

TEST_F(MainWindowE2eTest, ReadAllRunsOnTheRepliesWithoutFurtherTicks) {
  ASSERT_TRUE(MessageLineContains(kComOpenedLine)) << "the port did not open on " << link;
  W().SSTab1->setCurrentIndex(3);
  W().CmdLeesAlles->click();
  ASSERT_TRUE(TickUntil([&] { return Program().Engine.EngineState == engine_state::ReadSoh; }))
      << sim.Transcript();

  // No tick from here: each reply and the quiet gap after it move the
  // engine on, up to the batch's success line.
  const auto deadline = std::chrono::steady_clock::now() + 8s;
  while (!BatchOver() && std::chrono::steady_clock::now() < deadline) {
    QCoreApplication::processEvents();
    sim.Drain();
    std::this_thread::sleep_for(1ms);
  }
  EXPECT_TRUE(BatchOver()) << "engine state " << StateNumber(Program().Engine.EngineState) << "\n"
                           << sim.Transcript();
  EXPECT_TRUE(MessageLineContains("Reading of all settings successfull.")) << sim.Transcript();
}

TEST_F(MainWindowE2eTest, ReadAllShowsTheUnitsValuesAndEditsAreWrittenBack) {
  ASSERT_TRUE(MessageLineContains(kComOpenedLine)) << "the port did not open on " << link;

  // The defaults file is on the screen and nothing is known of the unit yet.
  window->TmrUpdateVensters_Timer();
  for (const Setting& setting : Settings()) {
    SCOPED_TRACE("item " + std::to_string(setting.item));
    EXPECT_EQ(Shown(setting.item), QString::fromLatin1(setting.inDefaults));
    EXPECT_TRUE(DrawnAs(setting.item, ValueColour::DiffersFromUnit));
    if (IsCombo(setting.item)) {
      EXPECT_LT(QString::fromLatin1(setting.shown).toInt(), Combo(setting.item).count());
    }
  }
  ASSERT_NE(ValueColourOf(0, ValueColour::MatchesUnit), ValueColourOf(0, ValueColour::DiffersFromUnit));

  // "Read all settings from Unit" on the Unit tab.
  W().SSTab1->setCurrentIndex(3);
  W().TxtProgress->setPlainText(QStringLiteral("left over"));
  ASSERT_TRUE(W().CmdLeesAlles->isVisibleTo(window.get()));
  W().CmdLeesAlles->click();
  EXPECT_TRUE(W().TxtProgress->toPlainText().isEmpty());
  ASSERT_TRUE(TickUntil([&] { return BatchOver(); }))
      << "engine state " << StateNumber(Program().Engine.EngineState) << "\n"
      << W().TxtProgress->toPlainText().toStdString() << "\n"
      << sim.Transcript();
  EXPECT_TRUE(MessageLineContains("Reading of all settings successfull.")) << sim.Transcript();
  EXPECT_FALSE(W().ProgressBarProgrammeren->isVisible());

  window->TmrUpdateVensters_Timer();
  std::vector<QString> expectedLines;
  for (const Setting& setting : Settings()) {
    SCOPED_TRACE("item " + std::to_string(setting.item));
    EXPECT_EQ(Shown(setting.item), QString::fromLatin1(setting.shown));
    EXPECT_TRUE(DrawnAs(setting.item, ValueColour::MatchesUnit));
    expectedLines.push_back(QStringLiteral("Reading of Item: %1  %2 %3 OK")
                                .arg(setting.item)
                                .arg(Legend(setting.item), ShownText(setting.item)));
  }
  EXPECT_EQ(ProgressLines(), QStringList(expectedLines.begin(), expectedLines.end()));

  // Item 0 through its own write button, the only one shown at this level.
  W().SSTab1->setCurrentIndex(1);
  W().SSTab2->setCurrentIndex(0);
  ASSERT_TRUE(W().CmdWriteSingleSetting.at(0)->isVisibleTo(window.get()));
  PressKey(Combo(0), Qt::Key_Down);
  ASSERT_EQ(Combo(0).currentIndex(), 2);
  window->TmrUpdateVensters_Timer();
  EXPECT_TRUE(DrawnAs(0, ValueColour::DiffersFromUnit));
  W().CmdWriteSingleSetting.at(0)->click();
  ASSERT_TRUE(TickUntil([&] { return BatchOver() && sim.HasLine("SET 0 "); })) << sim.Transcript();
  EXPECT_EQ(sim.LinesStartingWith("SET "), std::vector<std::string>{"SET 0 2"});
  window->TmrUpdateVensters_Timer();
  EXPECT_TRUE(DrawnAs(0, ValueColour::MatchesUnit));
  const QString writeLine =
      QStringLiteral("Writing of %1 %2 -> Saved.").arg(Legend(0), Combo(0).currentText());
  EXPECT_EQ(ProgressLines().back(), writeLine);

  // The ESPA mode from the list and the enhanced mode time-out typed anew, then
  // "Write all settings to Unit", answered with OK.
  W().SSTab2->setCurrentIndex(2);
  ASSERT_TRUE(Combo(21).isVisibleTo(window.get()));
  PressKey(Combo(21), Qt::Key_Down);
  ASSERT_EQ(Combo(21).currentIndex(), 3);
  Box(23).setFocus();
  Box(23).selectAll();
  Type(Box(23), QStringLiteral("95"));
  ASSERT_EQ(Box(23).text(), QStringLiteral("95"));
  window->TmrUpdateVensters_Timer();
  EXPECT_TRUE(DrawnAs(21, ValueColour::DiffersFromUnit));
  EXPECT_TRUE(DrawnAs(23, ValueColour::DiffersFromUnit));
  EXPECT_TRUE(DrawnAs(5, ValueColour::MatchesUnit));

  W().SSTab1->setCurrentIndex(3);
  ASSERT_TRUE(W().CmdSchrijfAlles->isVisibleTo(window.get()));
  W().CmdSchrijfAlles->click();
  ASSERT_EQ(prompts.questions.size(), 1u);
  EXPECT_EQ(prompts.questions[0], QStringLiteral("Write all settings to Unit!\r\nAre you sure?"));
  ASSERT_TRUE(TickUntil([&] { return BatchOver() && sim.HasLine("SET 41 "); }))
      << W().TxtProgress->toPlainText().toStdString() << "\n"
      << sim.Transcript();
  EXPECT_TRUE(MessageLineContains("Writing of all settings successfull."));
  EXPECT_TRUE(sim.LinesStartingWith("REFUSED").empty()) << sim.Transcript();

  // Every writable setting went out once, the edits with their new values
  // and the rest unchanged.
  std::vector<std::string> expectedSets{"SET 0 2"};
  for (const Setting& setting : Settings()) {
    if (setting.item >= 150) continue;
    std::string value = setting.unitPreset;
    if (setting.item == 0) value = "2";
    if (setting.item == 21) value = "3";
    if (setting.item == 23) value = "95";
    expectedSets.push_back("SET " + std::to_string(setting.item) + " " + value);
  }
  EXPECT_EQ(sim.LinesStartingWith("SET "), expectedSets);

  window->TmrUpdateVensters_Timer();
  for (const Setting& setting : Settings()) {
    SCOPED_TRACE("item " + std::to_string(setting.item));
    EXPECT_TRUE(DrawnAs(setting.item, ValueColour::MatchesUnit));
  }
  const QStringList lines = ProgressLines();
  EXPECT_TRUE(lines.contains(QStringLiteral("Writing of %1 %2 -> Saved.")
                                 .arg(Legend(21), Combo(21).currentText())));
  EXPECT_TRUE(lines.contains(QStringLiteral("Writing of %1 95 -> Saved.").arg(Legend(23))));
}

// The user writes a file without reading the unit first: the unit's own
// settings are read and kept in a backup, named in the progress box and the
// log, before the first write. Loaded and written back, the backup makes the
// unit hold what it held before.
TEST_F(MainWindowE2eTest, WriteAllLeavesABackupThatRestoresTheUnit) {
  ASSERT_TRUE(MessageLineContains(kComOpenedLine)) << "the port did not open on " << link;
  const std::filesystem::path backups = program / "Backup";
  constexpr std::size_t kWritable = 27;
  const auto writeAll = [&] {
    W().SSTab1->setCurrentIndex(3);
    const std::size_t before = sim.Count("SET ");
    W().CmdSchrijfAlles->click();
    return TickUntil([&] { return BatchOver() && sim.Count("SET ") >= before + kWritable; }, 15s);
  };
  const auto backupFiles = [&] {
    std::vector<std::filesystem::path> files;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(backups, error)) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
  };

  // The defaults file is on the screen; the unit holds its presets.
  ASSERT_TRUE(writeAll()) << W().TxtProgress->toPlainText().toStdString() << "\n" << sim.Transcript();
  const std::vector<std::filesystem::path> first = backupFiles();
  ASSERT_EQ(first.size(), 1u);
  const QString named =
      QStringLiteral("Backup of the unit's settings saved as %1.").arg(QString::fromStdString(first[0].string()));
  EXPECT_TRUE(ProgressLines().contains(named)) << W().TxtProgress->toPlainText().toStdString();
  EXPECT_TRUE(MessageLineContains("Writing of all settings successfull."));
  // The 25 message lines have moved on by now; the day's log keeps the line.
  std::string log;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(program / "Log", error)) {
    std::ifstream in(entry.path(), std::ios::binary);
    log.append(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  EXPECT_NE(log.find(" " + named.toStdString() + "\r\n"), std::string::npos) << log;
  for (const Setting& setting : Settings()) {
    if (setting.item >= 150) continue;
    SCOPED_TRACE("item " + std::to_string(setting.item));
    EXPECT_EQ(Shown(setting.item), QString::fromLatin1(setting.inDefaults)) << "the screen shows what was written";
  }

  // "Read from file" with the backup, then "Write all settings to Unit".
  prompts.fileToOpen = QString::fromStdString(first[0].string());
  W().SSTab1->setCurrentIndex(2);
  W().CmdLezenUnitgegevens->click();
  W().TxtProgress->setPlainText(QString());
  ASSERT_TRUE(writeAll()) << W().TxtProgress->toPlainText().toStdString() << "\n" << sim.Transcript();

  std::vector<std::string> restored;
  for (const Setting& setting : Settings()) {
    if (setting.item < 150) restored.push_back("SET " + std::to_string(setting.item) + " " + setting.unitPreset);
  }
  const std::vector<std::string> sets = sim.LinesStartingWith("SET ");
  ASSERT_EQ(sets.size(), 2 * kWritable) << sim.Transcript();
  EXPECT_EQ(std::vector<std::string>(sets.begin() + kWritable, sets.end()), restored) << sim.Transcript();
  // Every writable item was confirmed since the port opened: the second
  // backup needed no read.
  EXPECT_FALSE(W().TxtProgress->toPlainText().contains(QStringLiteral("Reading of Item")))
      << W().TxtProgress->toPlainText().toStdString();
  EXPECT_EQ(backupFiles().size(), 2u);
}

// A button pressed while work runs: its request reopens the port once the
// work is over. The reply that ends the work arrives in the port's own
// signal, where the port must be neither closed nor deleted (run under
// valgrind, a port closed there shows as a write into freed memory).
struct ImpatientCase {
  const char* name;
  std::function<void(MainWindowE2eTest&)> start;
  std::function<void(MainWindowE2eTest&)> press;
  // The pressed request was served: the unit's log or the progress box shows it.
  std::function<bool(const UnitSimProcess&, const QString& progress)> served;
  friend void PrintTo(const ImpatientCase& c, std::ostream* out) { *out << c.name; }
};

class ImpatientPress : public MainWindowE2eTest, public ::testing::WithParamInterface<ImpatientCase> {
 public:
  const MainWindowWidgets& Widgets() const { return W(); }
  TessaroProgram& TheProgram() { return Program(); }
};

TEST_P(ImpatientPress, RequestRaisedDuringWorkIsServedAfterIt) {
  const ImpatientCase& c = GetParam();
  ASSERT_TRUE(MessageLineContains(kComOpenedLine)) << "the port did not open on " << link;
  W().SSTab1->setCurrentIndex(3);
  c.start(*this);
  ASSERT_TRUE(TickUntil([&] { return IsReceptionState(Program().Engine.EngineState); })) << sim.Transcript();
  c.press(*this);
  ASSERT_TRUE(TickUntil([&] { return BatchOver() && c.served(sim, W().TxtProgress->toPlainText()); }, 15s))
      << "engine state " << StateNumber(Program().Engine.EngineState) << "\n"
      << W().TxtProgress->toPlainText().toStdString() << "\n"
      << sim.Transcript();
  EXPECT_TRUE(port.IsOpen());
}

INSTANTIATE_TEST_SUITE_P(
    WhileWorkRuns, ImpatientPress,
    ::testing::Values(
        ImpatientCase{"ReadAllDuringReadAll", [](MainWindowE2eTest& t) {
                        static_cast<ImpatientPress&>(t).Widgets().CmdLeesAlles->click();
                      },
                      [](MainWindowE2eTest& t) { static_cast<ImpatientPress&>(t).Widgets().CmdLeesAlles->click(); },
                      // The click emptied the box while item 0 was out: its line is the second batch's.
                      [](const UnitSimProcess&, const QString& progress) {
                        return progress.contains(QStringLiteral("Reading of Item: 0 "));
                      }},
        ImpatientCase{"WriteAllDuringDiagnostics", [](MainWindowE2eTest& t) {
                        static_cast<ImpatientPress&>(t).Widgets().CmdReadIPdiagnose->click();
                      },
                      [](MainWindowE2eTest& t) { static_cast<ImpatientPress&>(t).Widgets().CmdSchrijfAlles->click(); },
                      [](const UnitSimProcess& unit, const QString&) { return unit.HasLine("SET 41 "); }},
        ImpatientCase{"TestCallDuringReadAll", [](MainWindowE2eTest& t) {
                        static_cast<ImpatientPress&>(t).Widgets().CmdLeesAlles->click();
                      },
                      [](MainWindowE2eTest& t) {
                        auto& w = static_cast<ImpatientPress&>(t).Widgets();
                        w.TxtTestPagerAdres->setText(QStringLiteral("1234"));
                        w.CmdTestOproepPager->click();
                      },
                      [](const UnitSimProcess& unit, const QString&) { return unit.HasLine("CALL "); }},
        ImpatientCase{"ResetDuringReadAll", [](MainWindowE2eTest& t) {
                        static_cast<ImpatientPress&>(t).Widgets().CmdLeesAlles->click();
                      },
                      [](MainWindowE2eTest& t) { static_cast<ImpatientPress&>(t).TheProgram().Engine.Reset(); },
                      [](const UnitSimProcess& unit, const QString&) { return unit.HasLine("RESET"); }}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tessaro::testing

int main(int argc, char** argv) {
  // Real widgets without a display.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}

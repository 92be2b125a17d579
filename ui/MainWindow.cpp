#include "ui/MainWindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QGridLayout>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <algorithm>
#include <cmath>
#include <system_error>
#include <vector>

#include "core/ItemValue.h"
#include "core/ItemTable.h"
#include "core/Items.h"
#include "core/PagerNumber.h"
#include "core/SettingsScreen.h"
#include "messages/TextFormat.h"
#include "presentation/SettingsLayout.h"
#include "presentation/ValueChecks.h"
#include "ui/InputBox.h"
#include "ui/LedShape.h"
#include "ui/ListCombo.h"
#include "ui/MessageScrollback.h"
#include "ui/ProgramIcon.h"
#include "ui/QtText.h"

namespace tessaro {
namespace {

// LED colours, dark when idle and light while a byte has just moved.
const QColor TxDark(0xC0, 0x00, 0x00);
const QColor TxLight(0xFF, 0x80, 0x80);
const QColor RxDark(0x00, 0xC0, 0x00);
const QColor RxLight(0x80, 0xFF, 0x80);

constexpr const char* LineBreak = "\r\n";

// How long, in LED ticks, the frame says the port is back: long enough to be
// seen, short enough not to be mistaken for news a minute later.
constexpr int PortBackTicks = 16;
const QColor PortLostColour(0xC0, 0x00, 0x00);
const QColor PortBackColour(0x00, 0x6B, 0x1E);
constexpr int UnitTab = 3;

// Progress text arrives with CR LF line ends; the box breaks lines on LF.
QString ProgressLines(const std::string& text) {
  QString lines = ToQString(text);
  lines.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  lines.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return lines;
}

}  // namespace

MainWindow::MainWindow(const Environment& environment, QWidget* parent)
    : QMainWindow(parent),
      programFolder_(environment.programFolder),
      prompts_(environment.prompts),
      dialogs_(*this, [this] { return Title(); }),
      port_(environment.port) {
  setObjectName(QStringLiteral("frmHoofdscherm"));
  widgets_ = BuildMainWindowWidgets(*this, arrays_);
  scrollback_ = std::make_unique<MessageScrollback>(widgets_.Text2, *widgets_.Text2ScrollBar);
  setWindowIcon(ProgramIcon());

  program_ = std::make_unique<TessaroProgram>(TessaroProgram::World{
      programFolder_, environment.clock, environment.port, dialogs_, arrays_, *this, this});
  program_->Log.SetLineListener([this](const std::string& line) { scrollback_->Add(line); });
  program_->Engine.SetEvents(this);
  driver_ = std::make_unique<EngineDriver>(program_->Engine, [this](int ms, std::function<void()> call) {
    QTimer::singleShot(ms, Qt::PreciseTimer, &signalContext_, std::move(call));
  });
  // Replies are taken as they arrive, not on the next tick.
  port_.SetArrivalHandler([this] {
    if (!shutDown_) driver_->Arrived();
  });

  tmrAfhandel_.setTimerType(Qt::PreciseTimer);
  tmrAfhandel_.setInterval(25);
  tmrUpdateVensters_.setInterval(100);
  ledTimer_.setInterval(250);
  timerStartRefresh_.setInterval(300);
  timerStartRefresh_.setSingleShot(true);
  ConnectControls();
  FitToScreen();
}

void MainWindow::FitToScreen() {
  ReservePageWidths();
  QSize size = QSize(780, 700).expandedTo(minimumSizeHint());
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    // Room for the title bar and borders the window manager adds.
    const QSize room = screen->availableGeometry().size() - QSize(16, 48);
    size = size.boundedTo(room);
    resize(size);
    move(screen->availableGeometry().center() - rect().center());
    return;
  }
  resize(size);
}

// Each page scrolls down but never across: its area is as wide as the page
// with its scroll bar beside it. Layouts of widgets not yet shown, or on a tab
// not in front, do not hear of new texts and keep the sizes they first
// measured, so every widget and layout measures afresh here, and once more
// after the areas have their widths.
void MainWindow::ReservePageWidths() {
  const auto remeasure = [this] {
    for (QWidget* widget : findChildren<QWidget*>()) widget->updateGeometry();
    for (QLayout* layout : findChildren<QLayout*>()) layout->invalidate();
  };
  remeasure();
  for (QScrollArea* area : widgets_.PageScrolls) {
    const int scrollBar = area->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, area->verticalScrollBar()) +
                          area->style()->pixelMetric(QStyle::PM_ScrollView_ScrollBarSpacing, nullptr, area);
    area->setMinimumWidth(area->widget()->minimumSizeHint().width() + 2 * area->frameWidth() + scrollBar);
  }
  remeasure();
}

MainWindow::~MainWindow() { ShutDown(); }

void MainWindow::Form_Load(const std::string& commandLine) {
  program_->StartProgram(commandLine, *this);
  FitToScreen();
}

void MainWindow::StartTimers() {
  if (shutDown_) return;
  tmrAfhandel_.start();
  tmrUpdateVensters_.start();
  ledTimer_.start();
  timerStartRefresh_.start();
}

void MainWindow::ConnectControls() {
  QObject* context = &signalContext_;
  connect(&tmrAfhandel_, &QTimer::timeout, context, [this] { TmrAfhandel_Timer(); });
  connect(&tmrUpdateVensters_, &QTimer::timeout, context, [this] { TmrUpdateVensters_Timer(); });
  connect(&ledTimer_, &QTimer::timeout, context, [this] { LedTimer_Timer(); });
  connect(&timerStartRefresh_, &QTimer::timeout, context, [this] { TimerStartRefresh_Timer(); });

  connect(widgets_.Setup, &QAction::triggered, context, [this] { Setup_Click(); });
  connect(widgets_.Quit, &QAction::triggered, context, [this] { Quit_Click(); });
  connect(widgets_.About, &QAction::triggered, context, [this] { About_Click(); });

  const auto onClick = [this, context](QPushButton* button, auto handler) {
    connect(button, &QPushButton::clicked, context, [this, handler] { (this->*handler)(); });
  };
  onClick(widgets_.CmdInstellingenOpslaan, &MainWindow::CmdInstellingenOpslaan_Click);
  onClick(widgets_.CmdInstellingenLezen, &MainWindow::CmdInstellingenLezen_Click);
  onClick(widgets_.CmdOpslaanUnitGegevens, &MainWindow::CmdOpslaanUnitGegevens_Click);
  onClick(widgets_.CmdLezenUnitgegevens, &MainWindow::CmdLezenUnitgegevens_Click);
  onClick(widgets_.CmdLeesAlles, &MainWindow::CmdLeesAlles_Click);
  onClick(widgets_.CmdSchrijfAlles, &MainWindow::CmdSchrijfAlles_Click);
  onClick(widgets_.CmdCancelReadWrite, &MainWindow::CmdCancelReadWrite_Click);
  onClick(widgets_.CmdWisLogVenster, &MainWindow::CmdWisLogVenster_Click);
  onClick(widgets_.CmdReadIPdiagnose, &MainWindow::CmdReadIPdiagnose_Click);
  onClick(widgets_.CmdResetUnit, &MainWindow::CmdResetUnit_Click);
  onClick(widgets_.CmdTestOproepPager, &MainWindow::CmdTestOproepPager_Click);

  // A tab change, by click or by keyboard, leaves no combo text highlighted.
  for (QTabWidget* tabs : {widgets_.SSTab1, widgets_.SSTab2}) {
    connect(tabs, &QTabWidget::tabBarClicked, context, [this] { SSTab_Click(); });
    connect(tabs, &QTabWidget::currentChanged, context, [this] { SSTab_Click(); });
  }
  ConnectSettingsControls();
  ConnectShortcuts();
}

QKeySequence MainWindow::ReadAllKey() { return QKeySequence(Qt::CTRL | Qt::Key_R); }

QKeySequence MainWindow::WriteAllKey() { return QKeySequence(Qt::CTRL | Qt::Key_W); }

// From any tab: the Unit tab comes to the front, where the progress shows.
void MainWindow::ConnectShortcuts() {
  const auto bind = [this](const QKeySequence& key, QPushButton* button) {
    auto* shortcut = new QShortcut(key, this);
    connect(shortcut, &QShortcut::activated, &signalContext_, [this, button] {
      widgets_.SSTab1->setCurrentIndex(UnitTab);
      if (button->isEnabled() && button->isVisibleTo(this)) button->click();
    });
  };
  bind(ReadAllKey(), widgets_.CmdLeesAlles);
  bind(WriteAllKey(), widgets_.CmdSchrijfAlles);
}

void MainWindow::ConnectSettingsControls() {
  QObject* context = &signalContext_;
  for (const auto& [index, button] : widgets_.CmdReadSingleSetting) {
    connect(button, &QPushButton::clicked, context, [this, index = index] { CmdReadSingleSetting_Click(index); });
  }
  for (const auto& [index, button] : widgets_.CmdWriteSingleSetting) {
    connect(button, &QPushButton::clicked, context, [this, index = index] { CmdWriteSingleSetting_Click(index); });
  }
  for (const auto& [index, button] : widgets_.CmdReadSingleTekstSetting) {
    connect(button, &QPushButton::clicked, context,
            [this, index = index] { CmdReadSingleTekstSetting_Click(index); });
  }
  for (int16_t item : PortNumberGroup().Items()) {
    connect(widgets_.TxtCharInput.at(item), &QLineEdit::textChanged, context, [this] { ShowPortNumber(); });
  }
}

// ---- MainWindowView

void MainWindow::UpdateMessageWindow() { scrollback_->Show(program_->Log.MessageLines()); }

void MainWindow::HideSettingsTab(int index) { widgets_.SSTab2->setTabVisible(index, false); }

void MainWindow::ShowMainTab(int index) { widgets_.SSTab1->setTabVisible(index, true); }

void MainWindow::SelectSettingsTab(int index) { widgets_.SSTab2->setCurrentIndex(index); }

void MainWindow::SelectMainTab(int index) { widgets_.SSTab1->setCurrentIndex(index); }

void MainWindow::SetDebugFramesVisible(bool visible) {
  widgets_.FrameDebugCmdButtonsAlgemeen->setVisible(visible);
  widgets_.FrameDebugCmdButtonsPaging->setVisible(visible);
  widgets_.FrameDebugCmdButtonsIPdiagnose->setVisible(visible);
  widgets_.FrameDebugCmdButtonsIPSet->setVisible(visible);
  widgets_.CmdInstellingenOpslaan->setEnabled(visible);
}

// ---- EngineScreen

void MainWindow::AppendProgress(const std::string& text) {
  QPlainTextEdit& box = *widgets_.TxtProgress;
  box.moveCursor(QTextCursor::End);
  box.insertPlainText(ProgressLines(text));
  box.moveCursor(QTextCursor::End);
  box.ensureCursorVisible();
}

void MainWindow::SetProgressBar(bool visible, int minimum, int maximum, int value) {
  QProgressBar& bar = *widgets_.ProgressBarProgrammeren;
  bar.setRange(minimum, std::max(minimum, maximum));
  bar.setValue(std::clamp(value, bar.minimum(), bar.maximum()));
  bar.setVisible(visible);
}

bool MainWindow::HasVisibleRow(int16_t item) { return program_->Screen.HasVisibleRow(item); }

std::string MainWindow::Legend(int16_t item) { return program_->Screen.Legend(item); }

std::string MainWindow::ShownText(int16_t item) { return program_->Screen.ShownText(item); }

std::string MainWindow::TestPagerAddress() { return FromQString(widgets_.TxtTestPagerAdres->text()); }

std::string MainWindow::TestPagerDisplayInfo() {
  return FromQString(widgets_.TxtTestPagerDisplayInfo->text());
}

int16_t MainWindow::TestBleepCode() {
  return static_cast<int16_t>(widgets_.ComboTestBleepCode->currentIndex());
}

void MainWindow::SetCommunicationCaption(const std::string& caption) {
  portLine_ = caption;
  widgets_.FrmCommunicatie->setTitle(CaptionText(caption));
}

// A language change rewrites the frame's caption; while the port is open it
// keeps saying which port, and how it is set.
std::string MainWindow::CommunicationCaption() const {
  if (!portLine_.empty() && program_->Link.PortIsOpen() > 0) return portLine_;
  return program_->Texts.Text(slot::ComPort) + ": ";
}

// ---- timers

void MainWindow::TmrAfhandel_Timer() { driver_->Tick(); }

void MainWindow::TmrUpdateVensters_Timer() { program_->Screen.UpdateItemColours(); }

void MainWindow::LedTimer_Timer() {
  if (program_->Settings.Logfile > 0) UpdateMessageWindow();
  FadePortBack();

  Datacom& link = program_->Link;
  // Each burst lights the LED for one tick and darkens it on the next.
  const auto step = [](bool& activity, bool& lit, LedShape& led, const QColor& dark, const QColor& light) {
    if (!activity) return;
    if (lit) {
      lit = false;
      activity = false;
      led.SetFillColour(dark);
    } else {
      lit = true;
      led.SetFillColour(light);
    }
  };
  step(link.TxActivity, txLedLit_, *widgets_.ShpTx, TxDark, TxLight);
  step(link.RxActivity, rxLedLit_, *widgets_.ShpRx, RxDark, RxLight);
}

void MainWindow::PortLost() {
  portBackTicks_ = 0;
  ShowPortStateText(PortState::Lost);
}

void MainWindow::PortBack() {
  portBackTicks_ = PortBackTicks;
  ShowPortStateText(PortState::Back);
}

void MainWindow::FadePortBack() {
  if (portBackTicks_ > 0 && --portBackTicks_ == 0) ShowPortStateText(PortState::Steady);
}

// Also run on a language change, so the words follow the language.
void MainWindow::ShowPortStateText(PortState state) {
  portState_ = state;
  QLabel& label = *widgets_.LabelPortState;
  QPalette palette = label.palette();
  palette.setColor(QPalette::WindowText, state == PortState::Lost ? PortLostColour : PortBackColour);
  label.setPalette(palette);
  label.setText(PortStateText(state, program_->Settings.Taal));
}

bool MainWindow::EngineReady() {
  if (program_->Engine.Started()) return true;
  if (program_->OpenPortAndStartEngine() >= 0) return true;
  const LanguageTexts& texts = program_->Texts;
  AppendProgress(texts.Text(slot::ErrorOpeningComport) + ":  " + IntText(program_->Settings.Compoort + 1) + " -> " + texts.Text(slot::Settings) +
                 ": " + texts.Text(slot::ComPort) + LineBreak);
  return false;
}

void MainWindow::TimerStartRefresh_Timer() {
  timerStartRefresh_.stop();
  AllItemsToScreen(program_->Screen);
}

// ---- menu entries

void MainWindow::Setup_Click() { OpenSetupWindow(); }

void MainWindow::About_Click() { OpenAboutWindow(); }

void MainWindow::Quit_Click() {
  if (!Confirm(program_->Texts.Text(slot::SureToLeave))) return;
  ShutDown();
  QCoreApplication::exit(0);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  ShutDown();
  event->accept();
  // Secondary windows must not keep the program alive without its main window.
  QCoreApplication::exit(0);
}

void MainWindow::ShutDown() {
  if (shutDown_) return;
  shutDown_ = true;
  tmrAfhandel_.stop();
  tmrUpdateVensters_.stop();
  ledTimer_.stop();
  timerStartRefresh_.stop();
  port_.SetArrivalHandler({});
  program_->Engine.SetEvents(nullptr);
  program_->Link.CloseComPort();
}

// ---- file tab

void MainWindow::CmdInstellingenOpslaan_Click() {
  const LanguageTexts& texts = program_->Texts;
  if (!Confirm(texts.Text(slot::WriteDefaultsToFile) + LineBreak + texts.Text(slot::OldDefaultsOverwritten) + LineBreak + texts.Text(slot::AreYouSure) + "?")) return;
  program_->Files.WriteDefaultSettings();
}

void MainWindow::CmdInstellingenLezen_Click() {
  const LanguageTexts& texts = program_->Texts;
  if (!Confirm(texts.Text(slot::ReadDefaultsFromFile) + LineBreak + texts.Text(slot::ChangesWillBeLost) + LineBreak + texts.Text(slot::AreYouSure) + "?")) return;
  // A refused file loads nothing; the screen keeps its values.
  if (const auto refused = program_->Files.ReadDefaultSettings()) {
    dialogs_.ShowCriticalError(refused->message, texts.Text(slot::ProgramTitle));
  }
}

std::filesystem::path MainWindow::SettingsFileFolder() const {
  const std::string& setPath = program_->Settings.SetPath;
  if (!setPath.empty()) return PathFromQString(ToQString(setPath));
  return programFolder_ / "Instellingen";
}

void MainWindow::CmdOpslaanUnitGegevens_Click() {
  const std::filesystem::path folder = PrepareSettingsFileFolder();
  // A name typed without an extension gets ".cfg", so the open dialog lists it.
  const FileDialogRequest request{QStringLiteral("NieuweInstellingen"), QStringFromPath(folder),
                                  QStringLiteral("cfg (*.cfg)"), QStringLiteral("cfg")};
  const std::optional<QString> name = prompts_.SaveFileName(request);
  if (!name || name->isEmpty()) {
    prompts_.Beep();
    return;
  }
  program_->Files.WriteSettingsFile(PathFromQString(*name));
}

void MainWindow::CmdLezenUnitgegevens_Click() {
  const std::filesystem::path folder = PrepareSettingsFileFolder();
  const QString pattern = QStringLiteral("*.cfg");
  const FileDialogRequest request{pattern, QStringFromPath(folder), QStringLiteral("cfg (*.cfg)"), QString()};
  const std::optional<QString> name = prompts_.OpenFileName(request);
  // The pattern itself names no file; loading it would empty every setting.
  if (!name || name->isEmpty() || *name == pattern ||
      PathFromQString(*name).filename() == PathFromQString(pattern)) {
    prompts_.Beep();
    return;
  }
  if (const auto refused = program_->Files.ReadSettingsFile(PathFromQString(*name))) {
    dialogs_.ShowCriticalError(refused->message, program_->Texts.Text(slot::ProgramTitle));
  }
}

std::filesystem::path MainWindow::PrepareSettingsFileFolder() const {
  const std::filesystem::path folder = SettingsFileFolder();
  // The offered default folder is made on first use so that a save under the
  // offered name can succeed; a folder the user chose is left as it is.
  if (program_->Settings.SetPath.empty()) {
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
  }
  return folder;
}

// ---- unit tab

void MainWindow::CmdLeesAlles_Click() {
  widgets_.TxtProgress->clear();
  if (!EngineReady()) return;
  program_->Engine.ReadAll();
}

void MainWindow::CmdSchrijfAlles_Click() {
  const LanguageTexts& texts = program_->Texts;
  if (!Confirm(texts.Text(slot::WriteAllSettings) + "!" + LineBreak + texts.Text(slot::AreYouSure) + "?")) return;
  ScreenToAllItems(program_->Screen);
  std::vector<int16_t> writable;
  for (int16_t item = 0; item <= LastUnitItem; ++item) {
    if (IsWritableItem(item) >= 0) writable.push_back(item);
  }
  if (RefusedOutOfRange(writable)) return;
  widgets_.TxtProgress->clear();
  if (!EngineReady()) return;
  // Written as they are now, whatever the backup read before them shows.
  program_->Engine.WriteAll({program_->Store.ItemValues, true});
}

void MainWindow::CmdCancelReadWrite_Click() { program_->Engine.Cancel(); }

void MainWindow::CmdWisLogVenster_Click() { widgets_.TxtProgress->clear(); }

// ---- settings tabs

void MainWindow::CmdReadSingleSetting_Click(int index) {
  program_->Engine.ReadItem(static_cast<int16_t>(index));
}

void MainWindow::CmdWriteSingleSetting_Click(int index) {
  program_->Screen.ScreenToItem(static_cast<int16_t>(index));
  if (RefusedOutOfRange({static_cast<int16_t>(index)})) return;
  program_->Engine.WriteItem(static_cast<int16_t>(index));
}

void MainWindow::CmdReadSingleTekstSetting_Click(int index) {
  program_->Engine.ReadItem(static_cast<int16_t>(FirstTekstItem + index));
}

void MainWindow::CmdReadIPdiagnose_Click() {
  for (int16_t item : DiagnosticItems()) program_->Engine.ReadItem(item);
}

void MainWindow::CmdResetUnit_Click() {
  if (!Confirm(FromQString(ResetText(ResetWord::Question, program_->Settings.Taal)))) return;
  program_->Engine.Reset();
}

void MainWindow::ShowPortNumber() {
  const WholeValueGroup& group = PortNumberGroup();
  std::vector<double> bytes;
  for (int16_t item : group.Items()) {
    bytes.push_back(NumberValueOfText(FromQString(widgets_.TxtCharInput.at(item)->text())));
  }
  // Worked out wide: a high byte of 128 or more gives a port above 32767,
  // which is shown as the unsigned number it is.
  const double port = std::nearbyint(WholeNumberOf(bytes));
  const std::string number =
      std::fabs(port) <= 2147483647.0 ? IntText(static_cast<int>(port)) : TextOfNumber(port);
  // The tooltip is on the row's label.
  TextBoxControl* legend = arrays_.TxtLegendaCharInput(RowOfItem(group.Items().front())->LegendItems().front());
  legend->SetToolTip(program_->Texts.Text(slot::PortNumber) + " is: " + number);
}

// ---- service tab

void MainWindow::CmdTestOproepPager_Click() {
  if (!IsPagerNumber(TestPagerAddress())) {
    dialogs_.ShowCriticalError(program_->Texts.Text(slot::EnterValidPagerNumber), program_->Texts.Text(slot::ProgramTitle));
    return;
  }
  program_->Engine.TestCall();
}

void MainWindow::SSTab_Click() {
  if (program_) program_->Screen.ClearComboSelections();
}

// ---- helpers

bool MainWindow::RefusedOutOfRange(const std::vector<int16_t>& items) {
  const std::vector<int16_t> outside = WritableItemsOutOfRange(program_->Store, items);
  if (outside.empty()) return false;
  dialogs_.ShowCriticalError(OutOfRangeReport(program_->Texts, program_->Screen, program_->Store, outside),
                             program_->Texts.Text(slot::ProgramTitle));
  return true;
}

bool MainWindow::Confirm(const std::string& text) {
  return prompts_.Confirm(ToQString(program_->Texts.Text(slot::ProgramTitle)), ToQString(text));
}

QString MainWindow::Title() const { return windowTitle().trimmed(); }

}  // namespace tessaro

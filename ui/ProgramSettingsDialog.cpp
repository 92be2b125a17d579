#include "ui/ProgramSettingsDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStringList>
#include <QVBoxLayout>

#include "core/SettingsScreen.h"
#include "files/PortBindingsFile.h"
#include "presentation/SettingsLayout.h"
#include "program/TessaroProgram.h"
#include "messages/TextFormat.h"
#include "ui/LockableCombo.h"
#include "ui/PortTexts.h"
#include "ui/ProgramIcon.h"
#include "ui/QtText.h"
#include "serial/SystemPort.h"

namespace tessaro {
namespace {

const QColor LockedTextColour(0xC0, 0xC0, 0xC0);

// In the order of the text table's languages.
const char* const LanguageNames[] = {"English", "Nederlands", "Deutsch", "Française"};

// What the setting rows show goes into the store, so that rebuilding the
// lists in another language shows the same positions and texts again. The
// diagnostic boxes keep what the unit last told them: taken from the screen
// as a setting, they would be emptied.
void KeepScreenValues(TessaroProgram& program) {
  for (const SettingsRow& row : SettingsRows()) {
    for (int16_t item : row.Items()) {
      if (row.control == RowControl::TekstBox) {
        program.Store.ItemValues[static_cast<std::size_t>(item)] = ItemValue(program.Screen.ShownText(item));
      } else {
        program.Screen.ScreenToItem(item);
      }
    }
  }
}

void SetTextColour(QWidget& widget, const QColor& colour) {
  QPalette palette = widget.palette();
  palette.setColor(QPalette::Text, colour);
  widget.setPalette(palette);
}

QLabel* FieldLabel(const char* name, QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setTextFormat(Qt::PlainText);
  return label;
}

QString LocalText(const std::string& text) { return QFile::decodeName(text.c_str()); }

// "usb-FTDI_...-if00-port0  (/dev/ttyUSB0, FT232R USB UART, FTDI, A1B2C3)":
// the stable name without its folder, which is the same for them all.
QString PresentPortEntry(const PresentPort& port) {
  QStringList details;
  if (!port.stableName.empty()) details << LocalText(port.device);
  for (const std::string* detail : {&port.description, &port.manufacturer, &port.serialNumber}) {
    if (!detail->empty()) details << QString::fromStdString(*detail);
  }
  const QString name = port.stableName.empty()
                           ? LocalText(port.device)
                           : LocalText(std::filesystem::path(port.stableName).filename().string());
  return details.isEmpty() ? name : name + QStringLiteral("  (") + details.join(QStringLiteral(", ")) + QLatin1Char(')');
}

QPushButton* Button(const char* name, QWidget* parent) {
  auto* button = new QPushButton(parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setAutoDefault(false);
  return button;
}

}  // namespace

ProgramSettingsDialog::ProgramSettingsDialog(const Environment& environment, QWidget& owner)
    : SecondaryWindow(owner, environment.prompts),
      program_(environment.program),
      mainWindow_(environment.mainWindow),
      lookup_(environment.lookup),
      presentPorts_(environment.presentPorts) {
  if (!lookup_) lookup_ = ProcessEnvironment();
  if (!presentPorts_) presentPorts_ = [] { return ListPresentPorts(); };
  setObjectName(QStringLiteral("frmInstellingen"));
  setWindowIcon(ProgramIcon());
  BuildControls();
  Form_Load();
  CentreOnScreen();
}

QString ProgramSettingsDialog::PortEntry(int portNumber, const EnvironmentLookup& lookup) {
  return PortEntry(portNumber, lookup, {});
}

QString ProgramSettingsDialog::PortEntry(int portNumber, const EnvironmentLookup& lookup,
                                         const PortBindings& bindings) {
  const QString name = QStringLiteral("Com") + ToQString(IntText(portNumber));
#ifdef _WIN32
  (void)lookup;
  (void)bindings;
  return name;
#else
  const PortDevice chosen = ResolvePortDevice(portNumber, lookup ? lookup : ProcessEnvironment(), bindings);
  return name + QStringLiteral("  (") + LocalText(chosen.device) + QLatin1Char(')');
#endif
}

std::filesystem::path ProgramSettingsDialog::ProgramFolder() const {
  return program_.Files.ProgramSettingsPath().parent_path();
}

void ProgramSettingsDialog::LoadBindings() {
  // A bad file has been reported at start-up; it binds nothing.
  bindings_ = ReadPortBindings(ProgramFolder()).bindings;
}

QString ProgramSettingsDialog::EntryOfPort(int portNumber) const {
#ifdef _WIN32
  return ComPortEntry(portNumber, present_, program_.Settings.Taal);
#else
  return PortEntry(portNumber, lookup_, bindings_);
#endif
}

void ProgramSettingsDialog::RefreshPortEntries() {
  for (int port = 1; port <= ComPortEntries && port <= w_.ComboCom->count(); ++port) {
    w_.ComboCom->setItemText(port - 1, EntryOfPort(port));
  }
}

// No binding, the ports present, and a bound device that is not present.
void ProgramSettingsDialog::FillDeviceCombo() {
  if (w_.ComboDevice == nullptr) return;
  QSignalBlocker quiet(w_.ComboDevice);
  w_.ComboDevice->clear();
  const int port = w_.ComboCom->currentIndex() + 1;
  if (port < 1) return;
  const PortDevice chosen = ResolvePortDevice(port, lookup_, {});
  if (chosen.source == PortSource::Environment) {
    // The variable wins; the picker shows why and cannot change it.
    w_.ComboDevice->addItem(ToQString(PortVariableName(port)) + QStringLiteral(": ") + LocalText(chosen.device));
    w_.ComboDevice->setEnabled(false);
    return;
  }
  w_.ComboDevice->setEnabled(true);
  const int16_t taal = program_.Settings.Taal;
  w_.ComboDevice->addItem(PortTextIn(PortText::Standard, taal) + QStringLiteral(": ") +
                              LocalText(StandardPortDevice(port)),
                          QString());
  for (const PresentPort& present : present_) {
    w_.ComboDevice->addItem(PresentPortEntry(present), LocalText(present.BindName()));
  }
  const auto bound = bindings_.find(port);
  if (bound == bindings_.end()) {
    w_.ComboDevice->setCurrentIndex(0);
    ShowDeviceTip();
    return;
  }
  const PresentPort* present = FindPresentPort(present_, bound->second);
  if (present == nullptr) {
    // Not among the serial ports: a pulled adapter, or a device the system
    // does not list (a pseudo-terminal) that is there all the same.
    QString entry = LocalText(bound->second);
    if (!DeviceExists(bound->second)) entry += QStringLiteral("  (") + PortTextIn(PortText::Absent, taal) + QLatin1Char(')');
    w_.ComboDevice->addItem(entry, LocalText(bound->second));
    w_.ComboDevice->setCurrentIndex(w_.ComboDevice->count() - 1);
    ShowDeviceTip();
    return;
  }
  // A binding to the plain device name shows on its port's entry.
  const int index = static_cast<int>(present - present_.data()) + 1;
  if (present->BindName() != bound->second) w_.ComboDevice->setItemData(index, LocalText(bound->second));
  w_.ComboDevice->setCurrentIndex(index);
  ShowDeviceTip();
}

void ProgramSettingsDialog::ShowDeviceTip() {
  w_.ComboDevice->setToolTip(w_.ComboDevice->currentData().toString());
}

void ProgramSettingsDialog::ComboDevice_Click(int index) {
  const int port = w_.ComboCom->currentIndex() + 1;
  if (port < 1 || index < 0) return;
  const std::string device = QFile::encodeName(w_.ComboDevice->itemData(index).toString()).toStdString();
  if (device.empty()) {
    bindings_.erase(port);
  } else {
    bindings_[port] = device;
  }
  ShowDeviceTip();
  RefreshPortEntries();
}

void ProgramSettingsDialog::BuildControls() {
  auto* layout = new QVBoxLayout(this);
  auto* fields = new QGridLayout;
  layout->addLayout(fields);

  w_.LabelCompoort = FieldLabel("LabelCompoort", this);
  w_.ComboCom = new LockableCombo(this);
  w_.ComboCom->setObjectName(QStringLiteral("ComboCom"));
  // Room for the device name after the port.
  w_.ComboCom->setMinimumContentsLength(44);
#ifndef _WIN32
  w_.LabelDevice = FieldLabel("LabelDevice", this);
  w_.ComboDevice = new LockableCombo(this);
  w_.ComboDevice->setObjectName(QStringLiteral("ComboDevice"));
  w_.ComboDevice->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  w_.ComboDevice->setMinimumContentsLength(44);
#endif
  w_.LabelMapInstellingen = FieldLabel("LabelMapInstellingen", this);
  w_.TxtSetPath = new QLineEdit(this);
  w_.TxtSetPath->setObjectName(QStringLiteral("TxtSetPath"));
  w_.TxtSetPath->setMinimumWidth(w_.TxtSetPath->fontMetrics().horizontalAdvance(QLatin1Char('M')) * 28);
  w_.LabelTaal = FieldLabel("LabelTaal", this);
  w_.ComboTaal = new LockableCombo(this);
  w_.ComboTaal->setObjectName(QStringLiteral("ComboTaal"));
  w_.LabelOpeningTheUnit = FieldLabel("LabelOpeningTheUnit", this);
  w_.CheckOpeningUnit = new QCheckBox(this);
  w_.CheckOpeningUnit->setObjectName(QStringLiteral("CheckOpeningUnit"));

  fields->addWidget(w_.LabelCompoort, 0, 0);
  fields->addWidget(w_.ComboCom, 0, 1, Qt::AlignLeft);
  int row = 1;
  if (w_.ComboDevice != nullptr) {
    fields->addWidget(w_.LabelDevice, row, 0);
    fields->addWidget(w_.ComboDevice, row++, 1);
  }
  fields->addWidget(w_.LabelMapInstellingen, row, 0);
  fields->addWidget(w_.TxtSetPath, row++, 1);
  fields->addWidget(w_.LabelTaal, row, 0);
  fields->addWidget(w_.ComboTaal, row++, 1, Qt::AlignLeft);
  fields->addWidget(w_.LabelOpeningTheUnit, row, 0);
  fields->addWidget(w_.CheckOpeningUnit, row, 1);
  fields->setColumnStretch(1, 1);
  fields->setHorizontalSpacing(16);
  layout->addStretch(1);

  w_.CmdCancel = Button("CmdCancel", this);
  w_.CmdWijzigen = Button("CmdWijzigen", this);
  w_.CmdSave = Button("CmdSave", this);
  w_.CmdClose = Button("CmdClose", this);
  auto* buttons = new QGridLayout;
  buttons->addWidget(w_.CmdCancel, 0, 0);
  buttons->addWidget(w_.CmdWijzigen, 0, 1);
  buttons->addWidget(w_.CmdSave, 1, 0);
  buttons->addWidget(w_.CmdClose, 1, 1);
  for (QPushButton* button : {w_.CmdCancel, w_.CmdWijzigen, w_.CmdSave, w_.CmdClose}) {
    button->setMinimumWidth(110);
  }
  w_.CmdCancel->setEnabled(false);
  w_.CmdSave->setEnabled(false);
  auto* bottom = new QHBoxLayout;
  bottom->addStretch(1);
  bottom->addLayout(buttons);
  layout->addLayout(bottom);

  if (w_.ComboDevice != nullptr) {
    QWidget::setTabOrder(w_.ComboCom, w_.ComboDevice);
    QWidget::setTabOrder(w_.ComboDevice, w_.TxtSetPath);
    connect(w_.ComboCom, &QComboBox::currentIndexChanged, this, [this] { FillDeviceCombo(); });
    connect(w_.ComboDevice, &QComboBox::activated, this, [this](int index) { ComboDevice_Click(index); });
  } else {
    QWidget::setTabOrder(w_.ComboCom, w_.TxtSetPath);
  }
  QWidget::setTabOrder(w_.TxtSetPath, w_.ComboTaal);
  QWidget::setTabOrder(w_.ComboTaal, w_.CheckOpeningUnit);
  QWidget::setTabOrder(w_.CheckOpeningUnit, w_.CmdWijzigen);
  QWidget::setTabOrder(w_.CmdWijzigen, w_.CmdClose);
  QWidget::setTabOrder(w_.CmdClose, w_.CmdCancel);
  QWidget::setTabOrder(w_.CmdCancel, w_.CmdSave);

  connect(w_.CmdWijzigen, &QPushButton::clicked, this, [this] { CmdWijzigen_Click(); });
  connect(w_.CmdCancel, &QPushButton::clicked, this, [this] { CmdCancel_Click(); });
  connect(w_.CmdSave, &QPushButton::clicked, this, [this] { CmdSave_Click(); });
  connect(w_.CmdClose, &QPushButton::clicked, this, [this] { CmdClose_Click(); });
  resize(w_.ComboDevice != nullptr ? 640 : 533, 233);
}

// Only texts change here, so that it can run again after a language change.
void ProgramSettingsDialog::SetTeksten() {
  const LanguageTexts& taal = program_.Texts;
  w_.CmdCancel->setText(CaptionText(taal.Text(slot::Cancel)));
  w_.CmdWijzigen->setText(CaptionText(taal.Text(slot::Edit)));
  w_.CmdClose->setText(CaptionText(taal.Text(slot::Close)));
  w_.CmdSave->setText(CaptionText(taal.Text(slot::Save)));
  setWindowTitle(ToQString(taal.Text(slot::Settings)));
  w_.LabelCompoort->setText(ToQString(taal.Text(slot::ComPort) + ": "));
  if (w_.LabelDevice != nullptr) w_.LabelDevice->setText(PortTextIn(PortText::Device, program_.Settings.Taal) + QStringLiteral(": "));
  w_.LabelMapInstellingen->setText(ToQString(taal.Text(slot::SettingsFolder)));
  w_.LabelTaal->setText(ToQString(taal.Text(slot::Language)));
  w_.LabelOpeningTheUnit->setText(ToQString(taal.Text(slot::OpeningTheCover)));
  w_.CheckOpeningUnit->setText(CaptionText(taal.Text(slot::DontShowAgain)));
}

void ProgramSettingsDialog::LockCombo() {
  if (w_.ComboDevice != nullptr) {
    w_.ComboDevice->SetLocked(true);
    SetTextColour(*w_.ComboDevice, LockedTextColour);
  }
  w_.ComboCom->SetLocked(true);
  w_.ComboTaal->SetLocked(true);
  w_.TxtSetPath->setReadOnly(true);
  for (QWidget* field : {static_cast<QWidget*>(w_.ComboCom), static_cast<QWidget*>(w_.ComboTaal),
                         static_cast<QWidget*>(w_.TxtSetPath)}) {
    SetTextColour(*field, LockedTextColour);
  }
  w_.CheckOpeningUnit->setEnabled(false);
}

void ProgramSettingsDialog::UnlockCombo() {
  if (w_.ComboDevice != nullptr) {
    w_.ComboDevice->SetLocked(false);
    SetTextColour(*w_.ComboDevice, QApplication::palette().color(QPalette::Text));
  }
  w_.ComboCom->SetLocked(false);
  w_.ComboTaal->SetLocked(false);
  w_.TxtSetPath->setReadOnly(false);
  const QColor windowText = QApplication::palette().color(QPalette::Text);
  for (QWidget* field : {static_cast<QWidget*>(w_.ComboCom), static_cast<QWidget*>(w_.ComboTaal),
                         static_cast<QWidget*>(w_.TxtSetPath)}) {
    SetTextColour(*field, windowText);
  }
  w_.CheckOpeningUnit->setEnabled(true);
}

void ProgramSettingsDialog::UpdateCombo() {
  const ProgramSettings& settings = program_.Settings;
  // Out of the list's range: above it shows the first entry, below it none.
  const auto listIndex = [](int16_t value, int last) { return value > last ? 0 : (value < 0 ? -1 : value); };
  w_.ComboCom->setCurrentIndex(listIndex(settings.Compoort, ComPortEntries - 1));
  w_.ComboTaal->setCurrentIndex(listIndex(settings.Taal, 3));
  w_.TxtSetPath->setText(ToQString(settings.SetPath));
  w_.CheckOpeningUnit->setChecked(settings.Case > 0);
}

void ProgramSettingsDialog::ComboToSettings() {
  ProgramSettings& settings = program_.Settings;
  settings.Compoort = static_cast<int16_t>(w_.ComboCom->currentIndex());
  settings.Taal = static_cast<int16_t>(w_.ComboTaal->currentIndex());
  settings.SetPath = FromQString(w_.TxtSetPath->text());
  settings.Case = w_.CheckOpeningUnit->isChecked() ? 1 : 0;
}

void ProgramSettingsDialog::Form_Load() {
  SetTeksten();
  w_.ComboCom->clear();
  LockCombo();
  LoadBindings();
  present_ = presentPorts_();
  for (int port = 1; port <= ComPortEntries; ++port) w_.ComboCom->addItem(EntryOfPort(port));
  w_.ComboTaal->clear();
  for (const char* language : LanguageNames) w_.ComboTaal->addItem(QString::fromUtf8(language));
  UpdateCombo();
  FillDeviceCombo();
  SetDefaultButton(w_.CmdClose);
  SetEscapeButton(w_.CmdClose);
}

void ProgramSettingsDialog::EnterViewing() {
  w_.CmdCancel->setEnabled(false);
  w_.CmdSave->setEnabled(false);
  w_.CmdClose->setEnabled(true);
  w_.CmdWijzigen->setEnabled(true);
  LockCombo();
  SetDefaultButton(w_.CmdClose);
  SetEscapeButton(w_.CmdClose);
}

void ProgramSettingsDialog::CmdWijzigen_Click() {
  // An adapter plugged in since the dialog opened is offered too.
  present_ = presentPorts_();
  FillDeviceCombo();
  RefreshPortEntries();
  w_.CmdCancel->setEnabled(true);
  w_.CmdSave->setEnabled(true);
  w_.CmdClose->setEnabled(false);
  w_.CmdWijzigen->setEnabled(false);
  UnlockCombo();
  SetDefaultButton(w_.CmdSave);
  SetEscapeButton(w_.CmdCancel);
  w_.ComboCom->setFocus();
}

void ProgramSettingsDialog::CmdCancel_Click() {
  EnterViewing();
  LoadBindings();
  RefreshPortEntries();
  UpdateCombo();
  FillDeviceCombo();
  w_.CmdWijzigen->setFocus();
}

void ProgramSettingsDialog::CmdSave_Click() {
  EnterViewing();
  ApplySettings();
  w_.CmdWijzigen->setFocus();
}

void ProgramSettingsDialog::CmdClose_Click() { close(); }

// The order matters: the new language must be in the table before the port
// lines are written and any window takes its texts, and the screen is
// rebuilt last in that language. The screen is rebuilt from the store, not
// from default.set: the unit's values and any edit not yet written stay on
// screen.
void ProgramSettingsDialog::ApplySettings() {
  TessaroProgram& program = program_;
  ComboToSettings();
  program.Files.WriteProgramSettings();
  program.Texts.FillTextTable(program.Settings.Taal);
  // Before the port opens again, so that it opens the device just chosen.
  if (w_.ComboDevice != nullptr && ReadPortBindings(ProgramFolder()).bindings != bindings_ &&
      !WritePortBindings(ProgramFolder(), bindings_)) {
    program.Log.LogMessage(program.Texts.Text(slot::Error) + ": the port bindings could not be saved to " +
                           PortBindingsPath(ProgramFolder()).string());
  }
  KeepScreenValues(program);
  program.Link.CloseComPort();
  program.OpenPortAndStartEngine();
  mainWindow_.SetTeksten();
  SetTeksten();
  FillDeviceCombo();
  program.Screen.InitSettingsScreen();
  AllItemsToScreen(program.Screen);
}

}  // namespace tessaro

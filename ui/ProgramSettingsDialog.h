#pragma once

#include <filesystem>
#include <functional>
#include <vector>

#include "core/PortBindings.h"
#include "serial/PortNames.h"
#include "serial/PresentPorts.h"
#include "ui/SecondaryWindow.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tessaro {

class LockableCombo;
class MainWindowView;
class TessaroProgram;
class UserPrompts;

inline constexpr int ComPortEntries = 30;

// The program settings dialog: COM port, settings folder, language and the
// cover-opening guide. Viewing (fields write-protected, Edit and Close) and
// editing (fields open, Cancel and Save); Save applies everything at once.
class ProgramSettingsDialog final : public SecondaryWindow {
  Q_OBJECT

 public:
  struct Environment {
    TessaroProgram& program;
    MainWindowView& mainWindow;  // its texts follow a language change
    UserPrompts& prompts;
    // Where the device names of the port list come from; the process
    // environment when empty.
    EnvironmentLookup lookup;
    // The serial ports present, for the device picker; the system's list
    // when empty.
    std::function<std::vector<PresentPort>()> presentPorts;
  };

  struct Controls {
    QLabel* LabelCompoort = nullptr;
    QLabel* LabelMapInstellingen = nullptr;
    QLabel* LabelTaal = nullptr;
    QLabel* LabelOpeningTheUnit = nullptr;
    LockableCombo* ComboCom = nullptr;
    // The device bound to the chosen port; only where ports have no COM names.
    QLabel* LabelDevice = nullptr;
    LockableCombo* ComboDevice = nullptr;
    QLineEdit* TxtSetPath = nullptr;
    LockableCombo* ComboTaal = nullptr;
    QCheckBox* CheckOpeningUnit = nullptr;
    QPushButton* CmdCancel = nullptr;
    QPushButton* CmdWijzigen = nullptr;
    QPushButton* CmdSave = nullptr;
    QPushButton* CmdClose = nullptr;
  };

  // Builds the controls and runs the load event.
  ProgramSettingsDialog(const Environment& environment, QWidget& owner);

  void SetTeksten();
  void LockCombo();
  void UnlockCombo();
  void UpdateCombo();
  void ComboToSettings();

  const Controls& Widgets() const { return w_; }

  // The entry of port number n (1 = Com1) in the port list: on systems
  // without COM names it also names the device the number stands for.
  static QString PortEntry(int portNumber, const EnvironmentLookup& lookup);
  static QString PortEntry(int portNumber, const EnvironmentLookup& lookup, const PortBindings& bindings);

  // The bindings as edited, saved with the other settings.
  const PortBindings& Bindings() const { return bindings_; }

 private:
  void BuildControls();
  void Form_Load();
  void CmdWijzigen_Click();
  void CmdCancel_Click();
  void CmdSave_Click();
  void CmdClose_Click();
  // Both ends of an edit: the button states and the write-protection.
  void EnterViewing();
  void ApplySettings();
  // The device picker follows the chosen port; the user's pick changes its binding.
  void FillDeviceCombo();
  void ComboDevice_Click(int index);
  void ShowDeviceTip();
  // PortEntry, or where ports have COM names, the port with its friendly name.
  QString EntryOfPort(int portNumber) const;
  void RefreshPortEntries();
  void LoadBindings();
  std::filesystem::path ProgramFolder() const;

  TessaroProgram& program_;
  MainWindowView& mainWindow_;
  EnvironmentLookup lookup_;
  std::function<std::vector<PresentPort>()> presentPorts_;
  std::vector<PresentPort> present_;
  PortBindings bindings_;
  Controls w_;
};

}  // namespace tessaro

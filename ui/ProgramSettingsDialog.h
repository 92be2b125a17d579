#pragma once

#include "serial/PortNames.h"
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
  };

  struct Controls {
    QLabel* LabelCompoort = nullptr;
    QLabel* LabelMapInstellingen = nullptr;
    QLabel* LabelTaal = nullptr;
    QLabel* LabelOpeningTheUnit = nullptr;
    LockableCombo* ComboCom = nullptr;
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

  TessaroProgram& program_;
  MainWindowView& mainWindow_;
  EnvironmentLookup lookup_;
  Controls w_;
};

}  // namespace tessaro

#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "core/Clock.h"
#include "core/Dialogs.h"
#include "core/ProgramSettings.h"
#include "core/SettingsStore.h"
#include "files/SettingsFiles.h"
#include "files/UnitBackupFolder.h"
#include "lang/LanguageTexts.h"
#include "messages/MessageLog.h"
#include "presentation/Controls.h"
#include "presentation/SettingsTransfer.h"
#include "protocol/EngineScreen.h"
#include "protocol/ProtocolEngine.h"
#include "serial/Datacom.h"

namespace tessaro {

// What start-up needs of the main window.
class MainWindowView {
 public:
  virtual ~MainWindowView() = default;
  virtual void UpdateMessageWindow() = 0;
  virtual void SetTeksten() = 0;
  virtual void HideSettingsTab(int index) = 0;  // SSTab2
  virtual void ShowMainTab(int index) = 0;      // SSTab1
  virtual void SelectSettingsTab(int index) = 0;
  virtual void SelectMainTab(int index) = 0;
  // The four debug frames, and "Save as default" enabled with them.
  virtual void SetDebugFramesVisible(bool visible) = 0;
  // The cover-opening guide, shown without being modal.
  virtual void ShowCoverGuide() = 0;
};

// Everything the program is made of, wired together once. The window (or a
// console front end) owns one and hands in the world it lives in.
class TessaroProgram {
 public:
  struct World {
    std::filesystem::path programFolder;
    const Clock& clock;
    BytePort& port;
    Dialogs& dialogs;
    SettingsControls& controls;
    EngineScreen& engineScreen;
    CommunicationFrame* communicationFrame = nullptr;
  };

  explicit TessaroProgram(const World& world);
  TessaroProgram(const TessaroProgram&) = delete;
  TessaroProgram& operator=(const TessaroProgram&) = delete;

  // Adjusts the program settings for this run only, once the settings file
  // has been read and before anything uses it (a console front end's --port
  // and --lang). Nothing of it reaches the file.
  using SettingsOverride = std::function<void(ProgramSettings&)>;

  // Brings every part into its initial state in the fixed order, opens the
  // port and starts the engine.
  void StartProgram(const std::string& commandLine, MainWindowView& window,
                    const SettingsOverride& adjustSettings = {});
  // The same without a window: only the settings legends are written (the
  // engine's reports quote them).
  void StartProgram(const std::string& commandLine, const SettingsOverride& adjustSettings = {});
  void ArrangeTabs(MainWindowView& window);
  // The port opened by the engine's standard line settings (9600,N,8,1).
  // What the unit gave so far is forgotten: another may be on the port now.
  int16_t OpenConfiguredPort();
  // Opens the configured port and, on success, starts an engine that has not
  // started yet: a port that failed at start-up and is chosen again later
  // must not leave every request unserved until the next run.
  int16_t OpenPortAndStartEngine();
  // A bad port bindings file is a message line; the ports then open their
  // standard devices (the port naming reads the file itself).
  void ReportPortBindingsProblem();

  SettingsStore Store;
  ProgramSettings Settings;

  LanguageTexts Texts;
  MessageLog Log;
  Datacom Link;
  SettingsTransfer Screen;
  SettingsFiles Files;
  UnitBackupFolder Backups;
  ProtocolEngine Engine;

 private:
  void Start(const std::string& commandLine, MainWindowView* window, const SettingsOverride& adjustSettings);

  SettingsControls& controls_;
  Dialogs& dialogs_;
};

}  // namespace tessaro

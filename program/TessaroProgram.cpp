#include "program/TessaroProgram.h"

#include "files/PortBindingsFile.h"
#include "presentation/SettingsLegends.h"

namespace tessaro {

TessaroProgram::TessaroProgram(const World& world)
    : Log(world.programFolder, world.clock, Settings),
      Link(world.port, Log, Texts, world.communicationFrame),
      Screen(Store, Texts, world.controls, world.dialogs),
      Files(world.programFolder, Store, Settings, Screen),
      Backups(world.programFolder, world.clock),
      Engine(Store, Settings, Link, Log, Texts, world.engineScreen, Screen, world.dialogs),
      controls_(world.controls),
      dialogs_(world.dialogs) {
  Engine.SetBackup(&Backups);
}

int16_t TessaroProgram::OpenConfiguredPort() {
  ClearUnitSinceOpen(Store);
  return Link.OpenUnitPort(Settings.Compoort);
}

int16_t TessaroProgram::OpenPortAndStartEngine() {
  const int16_t result = OpenConfiguredPort();
  if (result >= 0 && Engine.EngineState == engine_state::Initial) Engine.EngineTick(StartCodeStartUp);
  return result;
}

void TessaroProgram::StartProgram(const std::string& commandLine, MainWindowView& window,
                                  const SettingsOverride& adjustSettings) {
  Start(commandLine, &window, adjustSettings);
}

void TessaroProgram::StartProgram(const std::string& commandLine, const SettingsOverride& adjustSettings) {
  Start(commandLine, nullptr, adjustSettings);
}

void TessaroProgram::Start(const std::string& commandLine, MainWindowView* window,
                           const SettingsOverride& adjustSettings) {
  // Exact, case-sensitive substring tests; both switches give 2.
  if (commandLine.find("/LOG") != std::string::npos) Store.DebugLevel = 1;
  if (commandLine.find("/DEBUG") != std::string::npos) Store.DebugLevel = 2;

  Log.ClearMessageLines();
  ClearItemValues(Store);
  if (window) window->UpdateMessageWindow();

  Files.ReadProgramSettings();
  Settings.UnitType = TessaroUnitType;
  if (adjustSettings) adjustSettings(Settings);
  Texts.FillTextTable(Settings.Taal);
  Screen.InitSettingsScreen();
  // A refused default.set is reported; the run then starts as without one,
  // not with the -1 of the cleared store that a save would write out.
  if (const auto refused = Files.ReadDefaultSettings()) {
    dialogs_.ShowCriticalError(refused->message, Texts.Text(slot::ProgramTitle));
    Files.LoadEmptySettings();
  }
  if (window) {
    window->SetTeksten();
  } else {
    WriteSettingsLegends(controls_, Texts);
  }

  OpenPortAndStartEngine();

  ClearUnitValues(Store);
  ClearItemStatus(Store);
  if (window) ArrangeTabs(*window);
  // From here on every message line is stored and logged.
  Settings.Logfile = 2;
  ReportPortBindingsProblem();
  if (window && Settings.Case == 0) window->ShowCoverGuide();
}

void TessaroProgram::ReportPortBindingsProblem() {
  const PortBindingsRead read = ReadPortBindings(Files.ProgramSettingsPath().parent_path());
  if (read.problem.empty()) return;
  Log.LogMessage(Texts.Text(slot::Error) + ": " + read.problem + "; the ports open their standard devices");
}

void TessaroProgram::ArrangeTabs(MainWindowView& window) {
  for (int tab = 3; tab <= 8; ++tab) window.HideSettingsTab(tab);
  window.SetDebugFramesVisible(Store.DebugLevel == 2);
  window.ShowMainTab(4);
  window.SelectSettingsTab(0);
  window.SelectMainTab(0);
}

}  // namespace tessaro

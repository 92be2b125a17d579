#pragma once

#include <cstdint>
#include <fstream>
#include <string>

#include "files/SettingsFiles.h"
#include "program/TessaroProgram.h"
#include "tests/support/FakeBytePort.h"
#include "tests/support/FakeSettingsControls.h"
#include "tests/support/FixedClock.h"
#include "tests/support/RecordingDialogs.h"
#include "tests/support/TempFolder.h"

namespace tessaro::testing {

class NoEngineScreen final : public EngineScreen {
 public:
  void AppendProgress(const std::string&) override {}
  void SetProgressBar(bool, int, int, int) override {}
  bool HasVisibleRow(int16_t) override { return false; }
  std::string Legend(int16_t) override { return {}; }
  std::string ShownText(int16_t) override { return {}; }
  std::string TestPagerAddress() override { return {}; }
  std::string TestPagerDisplayInfo() override { return {}; }
  int16_t TestBleepCode() override { return -1; }
};

class NoWindow final : public MainWindowView {
 public:
  void UpdateMessageWindow() override {}
  void SetTeksten() override {}
  void HideSettingsTab(int) override {}
  void ShowMainTab(int) override {}
  void SelectSettingsTab(int) override {}
  void SelectMainTab(int) override {}
  void SetDebugFramesVisible(bool) override {}
  void ShowCoverGuide() override {}
};

// One program started in its own folder, with or without a default.set.
struct StartedProgram {
  explicit StartedProgram(const std::string* defaults) {
    if (defaults != nullptr) std::ofstream(folder.Path() / DefaultSettingsFileName, std::ios::binary) << *defaults;
    program.StartProgram("", window);
  }

  TempFolder folder;
  FixedClock clock{{2024, 3, 5, 14, 3, 7}};
  FakeBytePort port;
  RecordingDialogs dialogs;
  FakeSettingsControls controls;
  NoEngineScreen screen;
  NoWindow window;
  TessaroProgram program{TessaroProgram::World{folder.Path(), clock, port, dialogs, controls, screen, nullptr}};
};

}  // namespace tessaro::testing

#pragma once

#include <cstdint>
#include <string>

namespace tessaro {

// What the protocol engine needs of the window, besides ItemToScreen and
// ScreenToItem (SettingsScreen) and the error box (Dialogs). All texts are
// 8-bit Windows-1252.
class EngineScreen {
 public:
  virtual ~EngineScreen() = default;

  // Progress box TxtProgress: old text + new text, caret at the end.
  virtual void AppendProgress(const std::string& text) = 0;
  // Progress bar ProgressBarProgrammeren.
  virtual void SetProgressBar(bool visible, int minimum, int maximum, int value) = 0;

  // An item has a visible row when its legend box is visible.
  virtual bool HasVisibleRow(int16_t item) = 0;
  // The legend box's text.
  virtual std::string Legend(int16_t item) = 0;
  // The text of the item's value control (combo text or text box text).
  virtual std::string ShownText(int16_t item) = 0;

  // Test-call inputs: TxtTestPagerAdres, TxtTestPagerDisplayInfo and the
  // selected position of ComboTestBleepCode (-1 when nothing is selected).
  virtual std::string TestPagerAddress() = 0;
  virtual std::string TestPagerDisplayInfo() = 0;
  virtual int16_t TestBleepCode() = 0;
};

}  // namespace tessaro

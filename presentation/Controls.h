#pragma once

#include <string>

namespace tessaro {

// Colours the settings screen draws values in: value matches the unit,
// differs from it, or is one the unit cannot take.
enum class ValueColour { MatchesUnit, DiffersFromUnit, OutOfRange };

// The narrow seams to the window's controls. The Qt window implements them
// around its widgets; tests use in-memory fakes. Texts are Windows-1252.

class TextBoxControl {
 public:
  virtual ~TextBoxControl() = default;
  virtual bool Visible() const = 0;
  virtual void SetVisible(bool visible) = 0;
  virtual std::string Text() const = 0;
  virtual void SetText(const std::string& text) = 0;
  virtual void SetTextColour(ValueColour colour) = 0;
  virtual void SetToolTip(const std::string& text) = 0;
};

// A drop-down combo: an edit field with a list below it.
class ComboControl {
 public:
  virtual ~ComboControl() = default;
  virtual bool Visible() const = 0;
  virtual void SetVisible(bool visible) = 0;
  virtual void ClearEntries() = 0;  // also removes the selection
  virtual void AddEntry(const std::string& text) = 0;
  virtual int EntryCount() const = 0;
  virtual int SelectedIndex() const = 0;  // -1 when nothing is selected
  // -1 clears the selection; the caller keeps index within -1..EntryCount()-1.
  virtual void SetSelectedIndex(int index) = 0;
  virtual std::string Text() const = 0;  // what the edit field shows
  virtual void SetTextColour(ValueColour colour) = 0;
  virtual void SetToolTip(const std::string& text) = 0;
  // Removes the highlight of the edit field's text (selection length 0).
  virtual void ClearTextHighlight() = 0;
};

class ButtonControl {
 public:
  virtual ~ButtonControl() = default;
  virtual bool Visible() const = 0;
  virtual void SetVisible(bool visible) = 0;
  virtual void SetCaption(const std::string& caption) = 0;
};

// The control arrays of the settings screen, indexed as on the window: item
// number for Char items, item - FirstTekstItem for Tekst items. A lookup gives nullptr
// for an index the array does not hold.
class SettingsControls {
 public:
  virtual ~SettingsControls() = default;
  virtual ComboControl* ComboInstellingen(int index) = 0;
  virtual TextBoxControl* TxtCharInput(int index) = 0;
  virtual TextBoxControl* TxtTekstInput(int index) = 0;
  virtual TextBoxControl* TxtLegendaCharInput(int index) = 0;
  virtual TextBoxControl* TxtLegendaTekstInput(int index) = 0;
  virtual ButtonControl* CmdReadSingleSetting(int index) = 0;
  virtual ButtonControl* CmdWriteSingleSetting(int index) = 0;
  virtual ComboControl* ComboTestBleepCode() = 0;
};

}  // namespace tessaro

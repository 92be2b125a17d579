#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "presentation/Controls.h"

namespace tessaro {

// Setting controls kept in memory only, for a front end without a window
// (and for members of the window's arrays that no page shows). They behave
// like the window's controls: a combo shows its selected entry, a cleared
// list loses its selection, colours and tooltips have nowhere to go.

class MemoryTextBox final : public TextBoxControl {
 public:
  explicit MemoryTextBox(bool visible, std::string text = {}) : visible_(visible), text_(std::move(text)) {}
  bool Visible() const override { return visible_; }
  void SetVisible(bool visible) override { visible_ = visible; }
  std::string Text() const override { return text_; }
  void SetText(const std::string& text) override { text_ = text; }
  void SetTextColour(ValueColour /*colour*/) override {}
  void SetToolTip(const std::string& /*text*/) override {}

 private:
  bool visible_;
  std::string text_;
};

class MemoryCombo final : public ComboControl {
 public:
  explicit MemoryCombo(bool visible) : visible_(visible) {}
  bool Visible() const override { return visible_; }
  void SetVisible(bool visible) override { visible_ = visible; }
  void ClearEntries() override;
  void AddEntry(const std::string& text) override { entries_.push_back(text); }
  int EntryCount() const override { return static_cast<int>(entries_.size()); }
  int SelectedIndex() const override { return selected_; }
  // An index outside -1..EntryCount()-1 leaves the selection as it was.
  void SetSelectedIndex(int index) override;
  std::string Text() const override;
  void SetTextColour(ValueColour /*colour*/) override {}
  void SetToolTip(const std::string& /*text*/) override {}
  void ClearTextHighlight() override {}

 private:
  bool visible_;
  std::vector<std::string> entries_;
  int selected_ = -1;
};

class MemoryButton final : public ButtonControl {
 public:
  explicit MemoryButton(bool visible) : visible_(visible) {}
  bool Visible() const override { return visible_; }
  void SetVisible(bool visible) override { visible_ = visible; }
  void SetCaption(const std::string& /*caption*/) override {}

 private:
  bool visible_;
};

// The main window's setting control arrays with the members and the
// visibility they have when the window is created, so that the settings
// routines (set-up, ItemToScreen, ScreenToItem, the engine's row reports)
// act on them exactly as on the window.
class MemoryControls final : public SettingsControls {
 public:
  MemoryControls();

  ComboControl* ComboInstellingen(int index) override { return Find(combos_, index); }
  TextBoxControl* TxtCharInput(int index) override { return Find(charInputs_, index); }
  TextBoxControl* TxtTekstInput(int index) override { return Find(tekstInputs_, index); }
  TextBoxControl* TxtLegendaCharInput(int index) override { return Find(charLegends_, index); }
  TextBoxControl* TxtLegendaTekstInput(int index) override { return Find(tekstLegends_, index); }
  ButtonControl* CmdReadSingleSetting(int index) override { return Find(readButtons_, index); }
  ButtonControl* CmdWriteSingleSetting(int index) override { return Find(writeButtons_, index); }
  ComboControl* ComboTestBleepCode() override { return &bleepCode_; }

 private:
  template <class Control>
  using Array = std::map<int, std::unique_ptr<Control>>;

  template <class Control>
  static Control* Find(const Array<Control>& array, int index) {
    const auto found = array.find(index);
    return found == array.end() ? nullptr : found->second.get();
  }

  Array<MemoryCombo> combos_;
  Array<MemoryTextBox> charInputs_;
  Array<MemoryTextBox> tekstInputs_;
  Array<MemoryTextBox> charLegends_;
  Array<MemoryTextBox> tekstLegends_;
  Array<MemoryButton> readButtons_;
  Array<MemoryButton> writeButtons_;
  MemoryCombo bleepCode_{false};
};

}  // namespace tessaro

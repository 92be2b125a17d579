#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "presentation/Controls.h"

namespace tessaro::testing {

class FakeTextBox : public TextBoxControl {
 public:
  explicit FakeTextBox(bool visibleAtLoad) : visible(visibleAtLoad) {}
  bool Visible() const override { return visible; }
  void SetVisible(bool value) override { visible = value; }
  std::string Text() const override { return text; }
  void SetText(const std::string& value) override { text = value; }
  void SetTextColour(ValueColour value) override { colour = value; }
  void SetToolTip(const std::string& value) override { toolTip = value; }

  bool visible;
  std::string text;
  std::optional<ValueColour> colour;  // nullopt until first coloured
  std::string toolTip;
};

// A drop-down combo: the edit field shows the selected entry, and keeps its
// text when the selection is cleared only if the user typed it.
class FakeCombo : public ComboControl {
 public:
  explicit FakeCombo(bool visibleAtLoad) : visible(visibleAtLoad) {}
  bool Visible() const override { return visible; }
  void SetVisible(bool value) override { visible = value; }
  void ClearEntries() override {
    entries.clear();
    selected = -1;
    editText.clear();
  }
  void AddEntry(const std::string& text) override { entries.push_back(text); }
  int EntryCount() const override { return static_cast<int>(entries.size()); }
  int SelectedIndex() const override { return selected; }
  void SetSelectedIndex(int index) override {
    if (index < -1 || index >= EntryCount()) {
      ADD_FAILURE() << "selection " << index << " outside -1.." << EntryCount() - 1;
      return;
    }
    selected = index;
    editText = index >= 0 ? entries[static_cast<std::size_t>(index)] : std::string();
  }
  std::string Text() const override { return editText; }
  void SetTextColour(ValueColour value) override { colour = value; }
  void SetToolTip(const std::string& value) override { toolTip = value; }
  void ClearTextHighlight() override { ++highlightClears; }

  // Helpers for tests: what a user does with the list.
  void Fill(int count) {
    ClearEntries();
    for (int n = 0; n < count; ++n) AddEntry("entry " + std::to_string(n));
  }

  bool visible;
  std::vector<std::string> entries;
  int selected = -1;
  std::string editText;
  std::optional<ValueColour> colour;
  std::string toolTip;
  int highlightClears = 0;
};

class FakeButton : public ButtonControl {
 public:
  explicit FakeButton(bool visibleAtLoad) : visible(visibleAtLoad) {}
  bool Visible() const override { return visible; }
  void SetVisible(bool value) override { visible = value; }
  void SetCaption(const std::string& value) override { caption = value; }

  bool visible;
  std::string caption;
};

// The setting control arrays of the main window with their design-time
// members and visibility; an index the window does not hold gives nullptr.
class FakeSettingsControls : public SettingsControls {
 public:
  struct Span {
    int first;
    int last;
  };
  using Spans = std::initializer_list<Span>;

  FakeSettingsControls() {
    Build(combos, {{0, 22}, {24, 41}}, {{0, 4}, {6, 6}, {8, 9}, {16, 16}, {22, 22}, {24, 24}, {26, 41}});
    Build(charInputs, {{23, 23}, {31, 40}}, {});
    Build(charLegends, {{0, 78}}, {{1, 4}, {6, 6}, {8, 9}, {16, 16}, {24, 24}, {26, 29}});
    const Spans hiddenButtons = {{0, 0}, {2, 4}, {6, 6}, {8, 9}, {16, 16}, {22, 24}, {26, 30}, {42, 65}};
    Build(readButtons, {{0, 65}}, hiddenButtons);
    Build(writeButtons, {{0, 65}}, hiddenButtons);
    Build(tekstInputs, {{0, 4}}, {});
    Build(tekstLegends, {{0, 4}, {6, 40}, {42, 43}, {45, 82}}, {});
  }

  ComboControl* ComboInstellingen(int index) override { return Find(combos, index); }
  TextBoxControl* TxtCharInput(int index) override { return Find(charInputs, index); }
  TextBoxControl* TxtTekstInput(int index) override { return Find(tekstInputs, index); }
  TextBoxControl* TxtLegendaCharInput(int index) override { return Find(charLegends, index); }
  TextBoxControl* TxtLegendaTekstInput(int index) override { return Find(tekstLegends, index); }
  ButtonControl* CmdReadSingleSetting(int index) override { return Find(readButtons, index); }
  ButtonControl* CmdWriteSingleSetting(int index) override { return Find(writeButtons, index); }
  ComboControl* ComboTestBleepCode() override { return &bleepCode; }

  // Typed access for tests; throws for an index the window lacks.
  FakeCombo& Combo(int index) { return Must(combos, index); }
  FakeTextBox& CharBox(int index) { return Must(charInputs, index); }
  FakeTextBox& TekstBox(int index) { return Must(tekstInputs, index); }
  FakeTextBox& CharLegend(int index) { return Must(charLegends, index); }
  FakeTextBox& TekstLegend(int index) { return Must(tekstLegends, index); }
  FakeButton& ReadButton(int index) { return Must(readButtons, index); }
  FakeButton& WriteButton(int index) { return Must(writeButtons, index); }

  template <class T>
  using Array = std::map<int, std::unique_ptr<T>>;

  Array<FakeCombo> combos;
  Array<FakeTextBox> charInputs;
  Array<FakeTextBox> tekstInputs;
  Array<FakeTextBox> charLegends;
  Array<FakeTextBox> tekstLegends;
  Array<FakeButton> readButtons;
  Array<FakeButton> writeButtons;
  FakeCombo bleepCode{false};

 private:
  static bool In(Spans spans, int index) {
    for (const Span& span : spans) {
      if (index >= span.first && index <= span.last) return true;
    }
    return false;
  }

  template <class T>
  static void Build(Array<T>& array, Spans present, Spans hidden) {
    for (const Span& span : present) {
      for (int index = span.first; index <= span.last; ++index) {
        array.emplace(index, std::make_unique<T>(!In(hidden, index)));
      }
    }
  }

  template <class T>
  static T* Find(Array<T>& array, int index) {
    const auto found = array.find(index);
    return found == array.end() ? nullptr : found->second.get();
  }

  template <class T>
  static T& Must(Array<T>& array, int index) {
    T* control = Find(array, index);
    if (control == nullptr) throw std::out_of_range("no control with index " + std::to_string(index));
    return *control;
  }
};

}  // namespace tessaro::testing

#pragma once

#include <QColor>
#include <QPalette>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "presentation/Controls.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace tessaro {

class InputBox;

// Value colours on this toolkit: a value that matches the unit is drawn in a
// settled green, one that differs in the normal text colour; both stand out
// from disabled grey and keep 4.5:1 against the field in light and dark.
QColor ColourOf(ValueColour colour, const QPalette& palette);
// The colour a field's value is drawn in: the green against the field's own
// background, or the plain colour of the role in the palette the field
// inherits (never the one its last value colour left in its own palette).
QColor ValueColourOf(ValueColour colour, const QWidget& field, QPalette::ColorRole role = QPalette::Text);
// WCAG contrast ratio of two colours, 1 to 21.
double ContrastRatio(const QColor& a, const QColor& b);

// Each adapter keeps the control's own visible flag: a control inside a
// hidden frame or on a tab that is not in front still counts as visible.

class LineEditControl final : public TextBoxControl {
 public:
  LineEditControl(InputBox& box, bool visible);
  bool Visible() const override { return visible_; }
  void SetVisible(bool visible) override;
  std::string Text() const override;
  void SetText(const std::string& text) override;
  void SetTextColour(ValueColour colour) override;
  void SetToolTip(const std::string& text) override;

 private:
  InputBox& box_;
  bool visible_;
  std::optional<ValueColour> colour_;
};

// A legend: a caption field the program writes.
class LegendControl final : public TextBoxControl {
 public:
  LegendControl(QLabel& label, bool visible);
  bool Visible() const override { return visible_; }
  void SetVisible(bool visible) override;
  std::string Text() const override;
  void SetText(const std::string& text) override;
  void SetTextColour(ValueColour colour) override;
  void SetToolTip(const std::string& text) override;

 private:
  QLabel& label_;
  bool visible_;
  std::optional<ValueColour> colour_;
};

class ComboBoxControl final : public ComboControl {
 public:
  ComboBoxControl(QComboBox& combo, bool visible);
  bool Visible() const override { return visible_; }
  void SetVisible(bool visible) override;
  void ClearEntries() override;
  void AddEntry(const std::string& text) override;
  int EntryCount() const override;
  int SelectedIndex() const override;
  void SetSelectedIndex(int index) override;
  std::string Text() const override;
  void SetTextColour(ValueColour colour) override;
  void SetToolTip(const std::string& text) override;
  void ClearTextHighlight() override;

 private:
  QComboBox& combo_;
  bool visible_;
  std::optional<ValueColour> colour_;
};

class PushButtonControl final : public ButtonControl {
 public:
  PushButtonControl(QPushButton& button, bool visible);
  bool Visible() const override { return visible_; }
  void SetVisible(bool visible) override;
  void SetCaption(const std::string& caption) override;

 private:
  QPushButton& button_;
  bool visible_;
};

// One control array: members by index, gaps where the design has none.
template <class Control>
class ControlArray {
 public:
  explicit ControlArray(int size) : members_(static_cast<std::size_t>(size)) {}

  Control* operator()(int index) const {
    if (index < 0 || index >= Size()) return nullptr;
    return members_[static_cast<std::size_t>(index)].get();
  }
  void Put(int index, std::unique_ptr<Control> member) {
    members_.at(static_cast<std::size_t>(index)) = std::move(member);
  }
  int Size() const { return static_cast<int>(members_.size()); }

 private:
  std::vector<std::unique_ptr<Control>> members_;
};

// The main window's control arrays, indexed as the window numbers them.
class ControlArrays final : public SettingsControls {
 public:
  ComboControl* ComboInstellingen(int index) override { return comboInstellingen(index); }
  TextBoxControl* TxtCharInput(int index) override { return txtCharInput(index); }
  TextBoxControl* TxtTekstInput(int index) override { return txtTekstInput(index); }
  TextBoxControl* TxtLegendaCharInput(int index) override { return txtLegendaCharInput(index); }
  TextBoxControl* TxtLegendaTekstInput(int index) override { return txtLegendaTekstInput(index); }
  ButtonControl* CmdReadSingleSetting(int index) override { return cmdReadSingleSetting(index); }
  ButtonControl* CmdWriteSingleSetting(int index) override { return cmdWriteSingleSetting(index); }
  ComboControl* ComboTestBleepCode() override { return comboTestBleepCode.get(); }

  // Arrays no routine of the settings screen uses.
  TextBoxControl* TxtIntInput(int index) { return txtIntInput(index); }
  TextBoxControl* TxtLegendaIntInput(int index) { return txtLegendaIntInput(index); }
  ButtonControl* CmdReadSingleTekstSetting(int index) { return cmdReadSingleTekstSetting(index); }

  ControlArray<ComboControl> comboInstellingen{42};
  ControlArray<TextBoxControl> txtCharInput{41};
  ControlArray<TextBoxControl> txtTekstInput{5};
  ControlArray<TextBoxControl> txtLegendaCharInput{79};
  ControlArray<TextBoxControl> txtLegendaTekstInput{83};
  ControlArray<ButtonControl> cmdReadSingleSetting{66};
  ControlArray<ButtonControl> cmdWriteSingleSetting{66};
  ControlArray<ButtonControl> cmdReadSingleTekstSetting{5};
  ControlArray<TextBoxControl> txtIntInput{5};
  ControlArray<TextBoxControl> txtLegendaIntInput{44};
  std::unique_ptr<ComboControl> comboTestBleepCode;
};

}  // namespace tessaro

#include "ui/QtControls.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <cmath>

#include "ui/InputBox.h"
#include "ui/QtText.h"

namespace tessaro {
namespace {

double Luminance(const QColor& colour) {
  const auto channel = [](double value) {
    return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) + 0.0722 * channel(colour.blueF());
}

// A green that reads as "settled": dark on a light field, light on a dark
// one, each well clear of 4.5:1 and of the grey of disabled text.
QColor SettledGreen(const QColor& background) {
  return Luminance(background) > 0.18 ? QColor(0x00, 0x6B, 0x1E) : QColor(0x7D, 0xDB, 0x8F);
}

// The palette a field would have without a value colour: its parent's, or
// the application's for a field without one.
QPalette InheritedPalette(const QWidget& field) {
  return field.parentWidget() != nullptr ? field.parentWidget()->palette() : QApplication::palette(&field);
}

// Repainting thirty controls ten times a second for nothing would show, so
// the palette is only touched on a change. The plain colour is taken afresh
// from what the field inherits: read back from the field's own palette it
// would be the green set the time before, and green would never go again.
void ApplyTextColour(QWidget& widget, QPalette::ColorRole role, ValueColour colour,
                     std::optional<ValueColour>& current) {
  if (current == colour) return;
  current = colour;
  QPalette palette = widget.palette();
  const QPalette inherited = InheritedPalette(widget);
  const QColor shown = ValueColourOf(colour, widget, role);
  for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) palette.setColor(group, role, shown);
  palette.setColor(QPalette::Disabled, role, inherited.color(QPalette::Disabled, role));
  widget.setPalette(palette);
}

}  // namespace

double ContrastRatio(const QColor& a, const QColor& b) {
  const double first = Luminance(a) + 0.05;
  const double second = Luminance(b) + 0.05;
  return first > second ? first / second : second / first;
}

// A value that matches the unit is settled: green. One that differs has been
// changed here and not yet written (or not yet read): the plain text colour,
// the strongest the field has.
QColor ColourOf(ValueColour colour, const QPalette& palette) {
  if (colour == ValueColour::DiffersFromUnit) return palette.color(QPalette::Active, QPalette::Text);
  if (colour == ValueColour::OutOfRange) {
    return Luminance(palette.color(QPalette::Active, QPalette::Base)) > 0.18 ? QColor(0xC0, 0x00, 0x00)
                                                                            : QColor(0xFF, 0x80, 0x80);
  }
  return SettledGreen(palette.color(QPalette::Active, QPalette::Base));
}

QColor ValueColourOf(ValueColour colour, const QWidget& field, QPalette::ColorRole role) {
  if (colour == ValueColour::DiffersFromUnit) return InheritedPalette(field).color(QPalette::Active, role);
  return ColourOf(colour, field.palette());
}

LineEditControl::LineEditControl(InputBox& box, bool visible) : box_(box), visible_(visible) {
  box_.setVisible(visible);
}

void LineEditControl::SetVisible(bool visible) {
  visible_ = visible;
  box_.setVisible(visible);
}

std::string LineEditControl::Text() const { return FromQString(box_.text()); }

void LineEditControl::SetText(const std::string& text) { box_.ShowText(ToQString(text)); }

void LineEditControl::SetTextColour(ValueColour colour) {
  ApplyTextColour(box_, QPalette::Text, colour, colour_);
}

void LineEditControl::SetToolTip(const std::string& text) { box_.setToolTip(ToQString(text)); }

LegendControl::LegendControl(QLabel& label, bool visible) : label_(label), visible_(visible) {
  label_.setTextFormat(Qt::PlainText);
  label_.setVisible(visible);
}

void LegendControl::SetVisible(bool visible) {
  visible_ = visible;
  label_.setVisible(visible);
}

std::string LegendControl::Text() const { return FromQString(label_.text()); }

void LegendControl::SetText(const std::string& text) { label_.setText(ToQString(text)); }

void LegendControl::SetTextColour(ValueColour colour) {
  ApplyTextColour(label_, QPalette::WindowText, colour, colour_);
}

void LegendControl::SetToolTip(const std::string& text) { label_.setToolTip(ToQString(text)); }

ComboBoxControl::ComboBoxControl(QComboBox& combo, bool visible) : combo_(combo), visible_(visible) {
  combo_.setVisible(visible);
}

void ComboBoxControl::SetVisible(bool visible) {
  visible_ = visible;
  combo_.setVisible(visible);
}

void ComboBoxControl::ClearEntries() {
  combo_.clear();
  combo_.setCurrentIndex(-1);
}

void ComboBoxControl::AddEntry(const std::string& text) {
  // Adding to an empty list must not select the new entry.
  const int selected = combo_.currentIndex();
  combo_.addItem(ToQString(text));
  if (combo_.currentIndex() != selected) combo_.setCurrentIndex(selected);
}

int ComboBoxControl::EntryCount() const { return combo_.count(); }

int ComboBoxControl::SelectedIndex() const { return combo_.currentIndex(); }

void ComboBoxControl::SetSelectedIndex(int index) {
  if (index < -1 || index >= combo_.count()) return;
  combo_.setCurrentIndex(index);
}

std::string ComboBoxControl::Text() const { return FromQString(combo_.currentText()); }

void ComboBoxControl::SetTextColour(ValueColour colour) {
  QWidget* field = combo_.lineEdit();
  ApplyTextColour(field != nullptr ? *field : static_cast<QWidget&>(combo_),
                  field != nullptr ? QPalette::Text : QPalette::ButtonText, colour, colour_);
}

void ComboBoxControl::SetToolTip(const std::string& text) { combo_.setToolTip(ToQString(text)); }

void ComboBoxControl::ClearTextHighlight() {
  if (QLineEdit* field = combo_.lineEdit()) field->deselect();
}

PushButtonControl::PushButtonControl(QPushButton& button, bool visible) : button_(button), visible_(visible) {
  button_.setVisible(visible);
}

void PushButtonControl::SetVisible(bool visible) {
  visible_ = visible;
  button_.setVisible(visible);
}

void PushButtonControl::SetCaption(const std::string& caption) { button_.setText(CaptionText(caption)); }

}  // namespace tessaro

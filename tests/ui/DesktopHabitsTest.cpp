// What a user of desktop tools expects of the window: a click on a combo's
// text opens it, the wheel leaves closed combos alone, readable colours, a
// progress bar that counts items, one box per kind, read-only message lines,
// keys and shortcuts.
#include <QAbstractItemView>
#include <QCheckBox>
#include <QFileDialog>
#include <QShortcut>
#include <QStyle>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

#include "presentation/SettingsLayout.h"
#include "tests/ui/SecondaryWindowFixture.h"
#include "ui/LockableCombo.h"
#include "ui/QtControls.h"
#include "ui/QtDialogs.h"

namespace tessaro::testing {
namespace {

class DesktopHabitsTest : public SecondaryWindowTest {
 protected:
  void ShowActive() {
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  }

  static void Wheel(QWidget* widget, int steps) {
    const QPointF inside(widget->width() / 2.0, widget->height() / 2.0);
    QWheelEvent event(inside, widget->mapToGlobal(inside), QPoint(), QPoint(0, 120 * steps), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &event);
  }

  static bool ListOpen(QComboBox* combo) { return combo->view()->isVisible(); }
};

// A click on the text of a combo opens its list, and it stays open.
TEST_F(DesktopHabitsTest, ClickOnComboTextOpensItsList) {
  Start();
  ShowActive();
  struct Case {
    const char* name;
    int mainTab;
    int settingsTab;
    std::function<ListCombo*()> combo;
  };
  const Case cases[] = {
      {"ESPA parity", 1, 2, [this] { return W().ComboInstellingen.at(13); }},
      {"diagnostic info", 1, 0, [this] { return W().ComboInstellingen.at(0); }},
      {"bleep code", 4, 0, [this] { return W().ComboTestBleepCode; }},
  };
  for (const Case& c : cases) {
    W().SSTab1->setCurrentIndex(c.mainTab);
    W().SSTab2->setCurrentIndex(c.settingsTab);
    QCoreApplication::processEvents();
    ListCombo* combo = c.combo();
    ASSERT_TRUE(combo->isVisible()) << c.name;
    QTest::mouseClick(combo->lineEdit(), Qt::LeftButton, Qt::NoModifier, QPoint(10, combo->lineEdit()->height() / 2));
    QCoreApplication::processEvents();
    EXPECT_TRUE(ListOpen(combo)) << c.name;
    combo->hidePopup();
    QCoreApplication::processEvents();
  }
}

TEST_F(DesktopHabitsTest, ClickOnDialogComboTextOpensItsListOnlyWhileEditing) {
  Start();
  ShowActive();
  ProgramSettingsDialog* dialog = OpenSetup();
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
  for (LockableCombo* combo : {dialog->Widgets().ComboCom, dialog->Widgets().ComboTaal}) {
    QTest::mouseClick(combo->lineEdit(), Qt::LeftButton, Qt::NoModifier, QPoint(10, 5));
    QCoreApplication::processEvents();
    EXPECT_FALSE(ListOpen(combo)) << combo->objectName().toStdString() << " locked";
  }
  QTest::mouseClick(dialog->Widgets().CmdWijzigen, Qt::LeftButton);
  for (LockableCombo* combo : {dialog->Widgets().ComboCom, dialog->Widgets().ComboTaal}) {
    QTest::mouseClick(combo->lineEdit(), Qt::LeftButton, Qt::NoModifier, QPoint(10, 5));
    QCoreApplication::processEvents();
    EXPECT_TRUE(ListOpen(combo)) << combo->objectName().toStdString();
    combo->hidePopup();
    QCoreApplication::processEvents();
  }
}

// The wheel over a closed combo without the focus changes nothing; with the
// focus it steps through the list as usual.
TEST_F(DesktopHabitsTest, WheelChangesAComboOnlyWithTheFocus) {
  Start();
  ShowActive();
  W().SSTab1->setCurrentIndex(1);
  W().SSTab2->setCurrentIndex(2);
  QCoreApplication::processEvents();
  ListCombo* parity = W().ComboInstellingen.at(13);
  parity->setCurrentIndex(0);
  W().CmdLeesAlles->setFocus();
  for (QWidget* target : {static_cast<QWidget*>(parity->lineEdit()), static_cast<QWidget*>(parity)}) {
    Wheel(target, -1);
    QCoreApplication::processEvents();
    EXPECT_EQ(parity->currentIndex(), 0) << target->metaObject()->className();
    EXPECT_FALSE(parity->hasFocus());
  }
  parity->setFocus(Qt::TabFocusReason);
  ASSERT_TRUE(parity->hasFocus());
  Wheel(parity, -1);
  EXPECT_EQ(parity->currentIndex(), 1);
}

// Both value colours stand 4.5:1 against the field, apart from disabled
// text and from each other, on a light and on a dark palette.
TEST_F(DesktopHabitsTest, ValueColoursAreReadableAndNotDisabledGrey) {
  QPalette light = QApplication::style()->standardPalette();
  QPalette dark = light;
  for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
    dark.setColor(group, QPalette::Base, QColor(0x2A, 0x2A, 0x2A));
    dark.setColor(group, QPalette::Window, QColor(0x35, 0x35, 0x35));
    dark.setColor(group, QPalette::Text, QColor(0xF0, 0xF0, 0xF0));
    dark.setColor(group, QPalette::WindowText, QColor(0xF0, 0xF0, 0xF0));
  }
  dark.setColor(QPalette::Disabled, QPalette::Text, QColor(0x80, 0x80, 0x80));
  const std::pair<const char*, QPalette> palettes[] = {{"light", light}, {"dark", dark}};
  for (const auto& [name, palette] : palettes) {
    const QColor base = palette.color(QPalette::Active, QPalette::Base);
    const QColor disabled = palette.color(QPalette::Disabled, QPalette::Text);
    const QColor settled = ColourOf(ValueColour::MatchesUnit, palette);
    const QColor changed = ColourOf(ValueColour::DiffersFromUnit, palette);
    EXPECT_GE(ContrastRatio(settled, base), 4.5) << name;
    EXPECT_GE(ContrastRatio(changed, base), 4.5) << name;
    EXPECT_NE(settled, changed) << name;
    EXPECT_NE(settled, disabled) << name;
    EXPECT_NE(changed, disabled) << name;
    // Not a shade of grey like disabled text: it has a hue of its own.
    EXPECT_GE(settled.hsvSaturation(), 100) << name;
  }
}

// The bar says which item it is at, not a share of 250.
TEST_F(DesktopHabitsTest, ProgressBarCountsItems) {
  Start();
  window->SetProgressBar(true, 0, 250, 21);
  EXPECT_EQ(W().ProgressBarProgrammeren->text(), QStringLiteral("Item 21"));
  window->SetProgressBar(true, 0, 250, 4);
  EXPECT_EQ(W().ProgressBarProgrammeren->text(), QStringLiteral("Item 4"));
}

// Repeated clicks on "Sent" with no address show one box, not a pile.
TEST_F(DesktopHabitsTest, OneErrorBoxOfAKindAtATime) {
  Start();
  ShowActive();
  W().SSTab1->setCurrentIndex(4);
  for (int click = 0; click < 3; ++click) QTest::mouseClick(W().CmdTestOproepPager, Qt::LeftButton);
  EXPECT_EQ(OpenBoxes().size(), 1u);
  // A different message is a box of its own.
  QtDialogs dialogs(*window, [] { return QStringLiteral("Tessaro"); });
  dialogs.ShowCriticalError("ERROR reading settings from unit", "");
  dialogs.ShowCriticalError("ERROR reading settings from unit", "");
  EXPECT_EQ(OpenBoxes().size(), 2u);
  for (QMessageBox* box : OpenBoxes()) box->close();
  Settle();
  dialogs.ShowCriticalError("ERROR reading settings from unit", "");
  EXPECT_EQ(OpenBoxes().size(), 1u);
}

TEST_F(DesktopHabitsTest, StatusLinesTakeNoTyping) {
  Start();
  ShowActive();
  QLineEdit* line = W().Text2[0];
  const QString before = line->text();
  QTest::mouseClick(line, Qt::LeftButton);
  QTest::keyClicks(line, "typed");
  EXPECT_EQ(line->text(), before);
  EXPECT_TRUE(line->isReadOnly());
}

// Esc works as Close, Enter clicks the default button.
TEST_F(DesktopHabitsTest, EscCloseTheSecondaryWindows) {
  Start();
  ShowActive();
  AboutBox* about = OpenAbout();
  ASSERT_NE(about, nullptr);
  QTest::keyClick(about, Qt::Key_Escape);
  Settle();
  EXPECT_EQ(OpenWindow<AboutBox>(), nullptr);

  about = OpenAbout();
  ASSERT_NE(about, nullptr);
  EXPECT_TRUE(about->Widgets().CmdSluit->isDefault());
  QTest::keyClick(about, Qt::Key_Return);
  Settle();
  EXPECT_EQ(OpenWindow<AboutBox>(), nullptr);

  window->ShowCoverGuide();
  Settle();
  CoverGuide* guide = OpenWindow<CoverGuide>();
  ASSERT_NE(guide, nullptr);
  EXPECT_TRUE(guide->Widgets().CmdVolgende->isDefault());
  QTest::keyClick(guide, Qt::Key_Return);
  EXPECT_EQ(guide->Page(), 2);
  QTest::keyClick(guide, Qt::Key_Escape);
  Settle();
  EXPECT_EQ(OpenWindow<CoverGuide>(), nullptr);

  ProgramSettingsDialog* dialog = OpenSetup();
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(dialog->Widgets().CmdClose->isDefault());
  QTest::keyClick(dialog, Qt::Key_Escape);
  Settle();
  EXPECT_EQ(OpenWindow<ProgramSettingsDialog>(), nullptr);
}

// While editing, Esc cancels the edit (Close is off then) and Enter saves.
TEST_F(DesktopHabitsTest, SettingsDialogKeysWhileEditing) {
  Start();
  ShowActive();
  ProgramSettingsDialog* dialog = OpenSetup();
  ASSERT_NE(dialog, nullptr);
  const ProgramSettingsDialog::Controls& d = dialog->Widgets();
  QTest::mouseClick(d.CmdWijzigen, Qt::LeftButton);
  EXPECT_TRUE(d.CmdSave->isDefault());
  d.CheckOpeningUnit->setChecked(!d.CheckOpeningUnit->isChecked());
  QTest::keyClick(dialog, Qt::Key_Escape);
  EXPECT_TRUE(d.CmdWijzigen->isEnabled());
  EXPECT_EQ(d.CheckOpeningUnit->isChecked(), Program().Settings.Case > 0);
  EXPECT_NE(OpenWindow<ProgramSettingsDialog>(), nullptr);
}

// Viewing: the write-protected combos take no focus, by key or by click.
TEST_F(DesktopHabitsTest, LockedCombosTakeNoFocus) {
  Start();
  ShowActive();
  ProgramSettingsDialog* dialog = OpenSetup();
  ASSERT_NE(dialog, nullptr);
  const ProgramSettingsDialog::Controls& d = dialog->Widgets();
  for (LockableCombo* combo : {d.ComboCom, d.ComboTaal}) {
    EXPECT_EQ(combo->focusPolicy(), Qt::NoFocus) << combo->objectName().toStdString();
    QTest::mouseClick(combo->lineEdit(), Qt::LeftButton, Qt::NoModifier, QPoint(10, 5));
    EXPECT_NE(QApplication::focusWidget(), combo) << combo->objectName().toStdString();
  }
  QTest::mouseClick(d.CmdWijzigen, Qt::LeftButton);
  for (LockableCombo* combo : {d.ComboCom, d.ComboTaal}) {
    EXPECT_EQ(combo->focusPolicy(), Qt::StrongFocus) << combo->objectName().toStdString();
  }
}

// Ctrl+R and Ctrl+W from any tab bring the Unit tab forward and start the
// bulk request; the tooltips name the keys.
TEST_F(DesktopHabitsTest, BulkButtonsHaveShortcuts) {
  Start();
  ShowActive();
  EXPECT_TRUE(W().CmdLeesAlles->toolTip().endsWith(QStringLiteral("(Ctrl+R)"))) << W().CmdLeesAlles->toolTip().toStdString();
  EXPECT_TRUE(W().CmdSchrijfAlles->toolTip().endsWith(QStringLiteral("(Ctrl+W)")))
      << W().CmdSchrijfAlles->toolTip().toStdString();

  W().SSTab1->setCurrentIndex(1);
  QTest::keyClick(window.get(), Qt::Key_R, Qt::ControlModifier);
  EXPECT_EQ(W().SSTab1->currentIndex(), 3);
  EXPECT_TRUE(Program().Engine.ReadAllRequest);

  W().SSTab1->setCurrentIndex(0);
  QTest::keyClick(window.get(), Qt::Key_W, Qt::ControlModifier);
  EXPECT_EQ(W().SSTab1->currentIndex(), 3);
  EXPECT_EQ(prompts.questions.size(), 1u);  // write all still asks first
  EXPECT_TRUE(Program().Engine.WriteAllRequest);
}

// A name typed without an extension gets .cfg from the save dialog itself.
TEST_F(DesktopHabitsTest, SaveButtonAsksForTheCfgSuffix) {
  Start();
  W().CmdOpslaanUnitGegevens->click();
  ASSERT_EQ(prompts.saveRequests.size(), 1u);
  EXPECT_EQ(prompts.saveRequests[0].defaultSuffix, QStringLiteral("cfg"));
}

// Saving in the program settings dialog keeps the unit's values and the
// edits on screen; default.set is not read again.
TEST_F(DesktopHabitsTest, LanguageChangeKeepsTheValuesOnScreen) {
  Start();
  ShowActive();
  for (int item : {10, 13, 21}) {
    Value(item) = ItemValue(2);
    Program().Store.UnitValues[static_cast<std::size_t>(item)] = ItemValue(2);
    Program().Screen.ItemToScreen(static_cast<int16_t>(item));
  }
  Value(23) = ItemValue(std::string("17"));
  Program().Screen.ItemToScreen(23);
  W().ComboInstellingen.at(13)->setCurrentIndex(1);  // edited, not yet written
  W().TxtCharInput.at(23)->setText(QStringLiteral("42"));

  ProgramSettingsDialog* dialog = OpenSetup();
  ASSERT_NE(dialog, nullptr);
  const ProgramSettingsDialog::Controls& d = dialog->Widgets();
  QTest::mouseClick(d.CmdWijzigen, Qt::LeftButton);
  d.ComboTaal->setCurrentIndex(2);
  QTest::mouseClick(d.CmdSave, Qt::LeftButton);

  EXPECT_EQ(Program().Settings.Taal, 2);
  EXPECT_EQ(W().ComboInstellingen.at(10)->currentIndex(), 2);
  EXPECT_EQ(W().ComboInstellingen.at(21)->currentIndex(), 2);
  EXPECT_EQ(W().ComboInstellingen.at(13)->currentIndex(), 1);
  EXPECT_EQ(W().ComboInstellingen.at(13)->currentText(), ToQString(ChoiceText(13, 1, Program().Texts)));
  EXPECT_EQ(W().TxtCharInput.at(23)->text(), QStringLiteral("42"));
  EXPECT_EQ(Program().Store.UnitValues[10].NumberValue(), 2);
}

}  // namespace
}  // namespace tessaro::testing

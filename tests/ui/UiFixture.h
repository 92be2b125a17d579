#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <fstream>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "tests/support/FakeBytePort.h"
#include "tests/support/ItemValueAssertions.h"
#include "tests/support/FixedClock.h"
#include "tests/support/TestFolder.h"
#include "tests/ui/ScriptedPrompts.h"
#include "ui/InputBox.h"
#include "ui/LedShape.h"
#include "ui/ListCombo.h"
#include "ui/QtText.h"
#include "ui/MainWindow.h"

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }
inline void PrintTo(const QRect& rect, std::ostream* out) {
  *out << rect.width() << 'x' << rect.height() << '+' << rect.x() << '+' << rect.y();
}
inline void PrintTo(const QSize& size, std::ostream* out) { *out << size.width() << 'x' << size.height(); }
QT_END_NAMESPACE

namespace tessaro::testing {

// What goes into the program settings file before start-up.
struct ProgramFile {
  int logfile = 1;
  int taal = 0;
  int caseShown = 1;  // not 0: no cover-opening guide
  std::string setPath;
};

// A main window on a fake port in a fresh program folder, with scripted
// answers to its questions. Nothing runs by wall-clock time: the timer
// handlers are called by the tests.
class MainWindowTest : public ::testing::Test {
 protected:
  void WriteProgramFile(const ProgramFile& file) {
    std::ofstream out(folder.Path() / "TessaroIP.set", std::ios::binary);
    out << "0        Compoort ->0\r\n"
        << "1      Logfile ->" << file.logfile << "\r\n"
        << "2       SetPath ->" << file.setPath << "\r\n"
        << "3       UnitType ->3\r\n"
        << "4       Taal ->" << file.taal << "\r\n"
        << "5       Case ->" << file.caseShown << "\r\n";
  }

  // Creates the window without loading it: the design state.
  MainWindow& Create() {
    window = std::make_unique<MainWindow>(
        MainWindow::Environment{folder.Path(), clock, port, prompts});
    return *window;
  }

  MainWindow& Start(const std::string& commandLine = "", const ProgramFile& file = {}) {
    WriteProgramFile(file);
    Create();
    window->Form_Load(commandLine);
    return *window;
  }

  TessaroProgram& Program() { return window->Program(); }
  const MainWindowWidgets& W() const { return window->Widgets(); }
  const std::string& Text(TextSlot slot) { return Program().Texts.Text(slot); }
  QString QText(TextSlot slot) { return ToQString(Text(slot)); }
  QString Title() { return QText(slot::ProgramTitle); }

  ItemValue& Value(int item) { return Program().Store.ItemValues[static_cast<std::size_t>(item)]; }
  int16_t& Status(int item) { return Program().Store.ItemStatus[static_cast<std::size_t>(item)]; }
  QString Progress() const { return W().TxtProgress->toPlainText(); }

  std::vector<QMessageBox*> OpenBoxes() const {
    std::vector<QMessageBox*> boxes;
    for (QMessageBox* box : window->findChildren<QMessageBox*>()) {
      if (box->isVisible()) boxes.push_back(box);
    }
    return boxes;
  }

  static void TypeInto(QWidget* widget, const QString& text) {
    for (QChar character : text) {
      const int key = character.toUpper().unicode();
      QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(character));
      QApplication::sendEvent(widget, &press);
      QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(character));
      QApplication::sendEvent(widget, &release);
    }
  }

  static void PressKey(QWidget* widget, Qt::Key key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
  }

  TestFolder folder;  // the program folder
  FixedClock clock{{2024, 3, 14, 9, 26, 53}};
  FakeBytePort port;
  ScriptedPrompts prompts;
  std::unique_ptr<MainWindow> window;
};

}  // namespace tessaro::testing

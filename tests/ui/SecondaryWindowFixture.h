#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QTest>
#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/FileBytes.h"
#include "tests/ui/UiFixture.h"
#include "ui/AboutBox.h"
#include "ui/ProgramSettingsDialog.h"
#include "ui/CoverGuide.h"
#include "ui/LockableCombo.h"

namespace tessaro::testing {

// The main window with its secondary windows: opened the way the user opens
// them, found among the main window's children.
class SecondaryWindowTest : public MainWindowTest {
 protected:
  // The open (not hidden) window of that kind, or nullptr.
  template <class Window>
  Window* OpenWindow() const {
    for (Window* found : window->findChildren<Window*>(Qt::FindDirectChildrenOnly)) {
      if (!found->isHidden()) return found;
    }
    return nullptr;
  }
  template <class Window>
  int WindowCount() const {
    return static_cast<int>(window->findChildren<Window*>(Qt::FindDirectChildrenOnly).size());
  }

  ProgramSettingsDialog* OpenSetup() {
    W().Setup->trigger();
    return OpenWindow<ProgramSettingsDialog>();
  }
  // Picks the language in the program settings dialog and saves, as the user does.
  void SaveLanguageInSetup(int language) {
    ProgramSettingsDialog* dialog = OpenSetup();
    ASSERT_NE(dialog, nullptr);
    const ProgramSettingsDialog::Controls& d = dialog->Widgets();
    QTest::mouseClick(d.CmdWijzigen, Qt::LeftButton);
    d.ComboTaal->setCurrentIndex(language);
    QTest::mouseClick(d.CmdSave, Qt::LeftButton);
  }
  AboutBox* OpenAbout() {
    W().About->trigger();
    return OpenWindow<AboutBox>();
  }

  // Runs what is queued, closed windows going away included. A few rounds,
  // as handling one event may queue the next (a focus change, then the
  // focus given back).
  static void Settle() {
    for (int round = 0; round < 3; ++round) {
      QCoreApplication::processEvents();
      QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
  }

  // A second run of the program in the same folder.
  void Restart(const std::string& commandLine = "") {
    window.reset();
    Create();
    window->Form_Load(commandLine);
    Settle();
  }

  std::string ProgramFileBytes() const {
    return ReadBytes(folder.Path() / "TessaroIP.set");
  }
  std::vector<std::string> ProgramFileLines() const {
    std::vector<std::string> lines;
    const std::string bytes = ProgramFileBytes();
    std::size_t start = 0;
    for (std::size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2) {
      lines.push_back(bytes.substr(start, end - start));
    }
    if (start < bytes.size()) lines.push_back(bytes.substr(start));
    return lines;
  }

  // A whole defaults file: the given values, 0 or the empty text elsewhere.
  void WriteDefaults(const std::vector<std::pair<int, std::string>>& values) {
    std::ofstream out(folder.Path() / "default.set", std::ios::binary);
    for (int item = 0; item <= 249; ++item) {
      const auto given = std::find_if(values.begin(), values.end(), [item](const auto& value) { return value.first == item; });
      out << item << "    ->" << (given != values.end() ? given->second : item < 150 ? "0" : "") << "\r\n";
    }
  }
};

}  // namespace tessaro::testing

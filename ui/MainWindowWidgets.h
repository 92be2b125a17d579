#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <vector>

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMainWindow;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QScrollArea;
class QScrollBar;
class QTabWidget;
class QWidget;

namespace tessaro {

class ControlArrays;
class InputBox;
class LedShape;
class ListCombo;

inline constexpr int MessageBoxCount = 25;

// The widgets of the main window, named as the window's design names them.
// Qt owns them (through the window); these are plain pointers for access.
struct MainWindowWidgets {
  QAction* Setup = nullptr;
  QAction* Quit = nullptr;
  QAction* About = nullptr;

  QGroupBox* FrmCommunicatie = nullptr;
  LedShape* ShpTx = nullptr;
  LedShape* ShpRx = nullptr;
  std::map<int, QLabel*> Label4;  // 1 "TxD", 2 "RxD"
  QLabel* LabelPortState = nullptr;  // says when the port is lost and back

  QTabWidget* SSTab1 = nullptr;
  QTabWidget* SSTab2 = nullptr;

  // Status tab.
  std::array<QLineEdit*, MessageBoxCount> Text2{};
  QScrollBar* Text2ScrollBar = nullptr;  // back through the lines of this run

  // File tab.
  QGroupBox* FrameUnitInstellingen = nullptr;
  QPushButton* CmdInstellingenOpslaan = nullptr;
  QPushButton* CmdInstellingenLezen = nullptr;
  QGroupBox* FrameAlleInstellingen = nullptr;
  QPushButton* CmdOpslaanUnitGegevens = nullptr;
  QPushButton* CmdLezenUnitgegevens = nullptr;

  // Unit tab.
  QPlainTextEdit* TxtProgress = nullptr;
  QProgressBar* ProgressBarProgrammeren = nullptr;
  QPushButton* CmdWisLogVenster = nullptr;
  QPushButton* CmdLeesAlles = nullptr;
  QPushButton* CmdCancelReadWrite = nullptr;
  QPushButton* CmdSchrijfAlles = nullptr;

  // Service tab.
  QGroupBox* FramePagerOproepen = nullptr;
  QLabel* TxtLegendaTestOproepAdres = nullptr;
  QLabel* TxtLegendaTestOproepBleepcode = nullptr;
  QLabel* TxtLegendaTestOproepBericht = nullptr;
  InputBox* TxtTestPagerAdres = nullptr;
  ListCombo* ComboTestBleepCode = nullptr;
  InputBox* TxtTestPagerDisplayInfo = nullptr;
  QPushButton* CmdTestOproepPager = nullptr;

  // Settings tabs.
  QGroupBox* FrameDebugCmdButtonsAlgemeen = nullptr;
  QPushButton* CmdResetUnit = nullptr;  // in FrameDebugCmdButtonsAlgemeen
  QGroupBox* FrameDebugCmdButtonsIPSet = nullptr;
  QGroupBox* FrameDebugCmdButtonsIPdiagnose = nullptr;
  QGroupBox* FrameDebugCmdButtonsPaging = nullptr;
  QGroupBox* FrameDiagnostischeIPinfo = nullptr;
  QPushButton* CmdReadIPdiagnose = nullptr;
  // Where a debug frame lists the items of rows with several boxes, each
  // group of lines is headed by its row's legend, keyed by the legend's item.
  std::map<int16_t, QLabel*> DebugHeadings;

  // Members of the control arrays that are real widgets, by array index.
  std::map<int, QLabel*> TxtLegendaCharInput;
  std::map<int, QLabel*> TxtLegendaTekstInput;
  std::map<int, ListCombo*> ComboInstellingen;
  std::map<int, InputBox*> TxtCharInput;
  std::map<int, InputBox*> TxtTekstInput;
  std::map<int, QPushButton*> CmdReadSingleSetting;
  std::map<int, QPushButton*> CmdWriteSingleSetting;
  std::map<int, QPushButton*> CmdReadSingleTekstSetting;

  // The scroll area around each page of SSTab1.
  std::vector<QScrollArea*> PageScrolls;
};

// Creates every control of the main window in its design state, lays them
// out, and fills the control arrays (spare members included).
MainWindowWidgets BuildMainWindowWidgets(QMainWindow& window, ControlArrays& arrays);

}  // namespace tessaro

#pragma once

#include <QKeySequence>
#include <QMainWindow>
#include <QTimer>
#include <filesystem>
#include <memory>
#include <vector>
#include <string>

#include "program/TessaroProgram.h"
#include "protocol/EngineDriver.h"
#include "ui/MainWindowWidgets.h"
#include "ui/ProgramWords.h"
#include "ui/QtControls.h"
#include "ui/QtDialogs.h"
#include "ui/UserPrompts.h"

namespace tessaro {

class MessageScrollback;

// The program's main window. It owns the program (TessaroProgram) and shows
// it: the settings rows, the message lines, the progress box and bar, the
// test-call inputs and the activity LEDs. Its four timers drive everything.
class MainWindow : public QMainWindow,
                       public MainWindowView,
                       public EngineScreen,
                       public EngineEvents,
                       public CommunicationFrame {
  Q_OBJECT

 public:
  struct Environment {
    std::filesystem::path programFolder;
    const Clock& clock;
    BytePort& port;
    UserPrompts& prompts;
  };

  explicit MainWindow(const Environment& environment, QWidget* parent = nullptr);
  ~MainWindow() override;

  // The load event: the whole start-up sequence. The timers are started
  // separately, once start-up has returned.
  void Form_Load(const std::string& commandLine);
  void StartTimers();

  TessaroProgram& Program() { return *program_; }
  const MainWindowWidgets& Widgets() const { return widgets_; }
  ControlArrays& Arrays() { return arrays_; }

  // MainWindowView.
  void UpdateMessageWindow() override;
  void SetTeksten() override;
  void HideSettingsTab(int index) override;
  void ShowMainTab(int index) override;
  void SelectSettingsTab(int index) override;
  void SelectMainTab(int index) override;
  void SetDebugFramesVisible(bool visible) override;
  void ShowCoverGuide() override;

  // EngineScreen.
  void AppendProgress(const std::string& text) override;
  void SetProgressBar(bool visible, int minimum, int maximum, int value) override;
  bool HasVisibleRow(int16_t item) override;
  std::string Legend(int16_t item) override;
  std::string ShownText(int16_t item) override;
  std::string TestPagerAddress() override;
  std::string TestPagerDisplayInfo() override;
  int16_t TestBleepCode() override;

  // CommunicationFrame.
  void SetCommunicationCaption(const std::string& caption) override;

  // Timer handlers, public so that they can be stepped by count.
  void TmrAfhandel_Timer();
  void TmrUpdateVensters_Timer();
  void LedTimer_Timer();
  void TimerStartRefresh_Timer();

  QTimer& TmrAfhandel() { return tmrAfhandel_; }
  QTimer& TmrUpdateVensters() { return tmrUpdateVensters_; }
  QTimer& LedTimer() { return ledTimer_; }
  QTimer& TimerStartRefresh() { return timerStartRefresh_; }

  // Where the unit settings file dialogs open.
  std::filesystem::path SettingsFileFolder() const;

  // Keys of the two bulk buttons on the Unit tab.
  static QKeySequence ReadAllKey();
  static QKeySequence WriteAllKey();

 protected:
  // The terminate event.
  void closeEvent(QCloseEvent* event) override;

 private:
  void ConnectControls();
  void ConnectSettingsControls();
  void ConnectShortcuts();
  // The window's size: the design size, widened to what the pages need at
  // every debug level, within the screen (the pages scroll if they must).
  void FitToScreen();
  void ReservePageWidths();
  // The frame's word on the port: lost and reconnecting, or back again,
  // as the engine reports it; "back" fades after a while.
  void PortLost() override;
  void PortBack() override;
  void FadePortBack();
  void ShowPortStateText(PortState state);
  // The frame's caption: the open port's line, else the bare "ComPort: ".
  std::string CommunicationCaption() const;
  // A port that failed at start-up leaves the engine unstarted; a bulk
  // request then tries the port once more and, failing, says why nothing
  // happens.
  bool EngineReady();

  // Menu entries.
  void Setup_Click();
  void Quit_Click();
  void About_Click();

  // File tab.
  void CmdInstellingenOpslaan_Click();
  void CmdInstellingenLezen_Click();
  void CmdOpslaanUnitGegevens_Click();
  void CmdLezenUnitgegevens_Click();

  // Unit tab.
  void CmdLeesAlles_Click();
  void CmdSchrijfAlles_Click();
  void CmdCancelReadWrite_Click();
  void CmdWisLogVenster_Click();

  // Settings tabs.
  void CmdReadSingleSetting_Click(int index);
  void CmdWriteSingleSetting_Click(int index);
  void CmdReadSingleTekstSetting_Click(int index);
  void CmdReadIPdiagnose_Click();
  void CmdResetUnit_Click();
  void ShowPortNumber();

  // Service tab.
  void CmdTestOproepPager_Click();

  void SSTab_Click();

  // Secondary windows, each shown without being modal.
  void OpenSetupWindow();
  void OpenAboutWindow();

  std::filesystem::path PrepareSettingsFileFolder() const;

  bool Confirm(const std::string& text);
  // Values the unit cannot take are never sent: a box names them.
  bool RefusedOutOfRange(const std::vector<int16_t>& items);
  QString Title() const;
  // Closes the port once, however the program ends.
  void ShutDown();

  std::filesystem::path programFolder_;
  UserPrompts& prompts_;
  ControlArrays arrays_;
  MainWindowWidgets widgets_;
  // Hears every line the program's log stores, so it goes before the program.
  std::unique_ptr<MessageScrollback> scrollback_;
  QtDialogs dialogs_;
  std::unique_ptr<TessaroProgram> program_;
  BytePort& port_;
  std::unique_ptr<EngineDriver> driver_;

  PortState portState_ = PortState::Steady;
  std::string portLine_;  // as the port last opened
  int portBackTicks_ = 0;
  bool txLedLit_ = false;
  bool rxLedLit_ = false;
  bool shutDown_ = false;

  QTimer tmrAfhandel_;
  QTimer tmrUpdateVensters_;
  QTimer ledTimer_;
  QTimer timerStartRefresh_;
  // Context of every signal connection. Declared last so that it goes first:
  // no handler can run once the window has started to come down.
  QObject signalContext_;
};

}  // namespace tessaro

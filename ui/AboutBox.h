#pragma once

#include "ui/SecondaryWindow.h"

class QFrame;
class QLabel;
class QPushButton;

namespace tessaro {

class MainWindowView;
class TessaroProgram;
class UserPrompts;

// The about box: logo, maker, web site and version. A double-click on the
// logo area is the hidden service switch that cycles the debug level.
class AboutBox final : public SecondaryWindow {
  Q_OBJECT

 public:
  struct Controls {
    QFrame* FrameLogo = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* Label3 = nullptr;  // notice line
    QLabel* Label6 = nullptr;  // web site
    QLabel* Label4 = nullptr;  // version line
    QLabel* LabelProgramFolder = nullptr;  // where settings, bindings and log are kept
    QPushButton* CmdSluit = nullptr;
  };

  // Builds the controls and runs the load event.
  AboutBox(TessaroProgram& program, MainWindowView& mainWindow, UserPrompts& prompts, QWidget& owner);

  // The debug switch: 0, 1, 2, 0, ...; the main window's debug view follows.
  void FrameLogo_DblClick();

  const Controls& Widgets() const { return w_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildControls();
  void Form_Load();

  TessaroProgram& program_;
  MainWindowView& mainWindow_;
  Controls w_;
};

}  // namespace tessaro

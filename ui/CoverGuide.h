#pragma once

#include <array>

#include "ui/SecondaryWindow.h"

class QCheckBox;
class QLabel;
class QPushButton;

namespace tessaro {

class TessaroProgram;
class UserPrompts;

// The cover-opening guide: three pages, each a picture and a line of text,
// showing how to reach the unit's diagnostic port. Its check box switches
// it off for later starts.
class CoverGuide final : public SecondaryWindow {
  Q_OBJECT

 public:
  struct Controls {
    std::array<QLabel*, 3> Image{};  // Image1, Image2, Image3
    QLabel* LabelBeschrijving = nullptr;
    QPushButton* CmdVorige = nullptr;
    QPushButton* CmdVolgende = nullptr;
    QCheckBox* CheckDontShow = nullptr;
    QPushButton* CmdClose = nullptr;
  };

  // Builds the controls and runs the load event.
  CoverGuide(TessaroProgram& program, UserPrompts& prompts, QWidget& owner);

  void SetTeksten();
  // 1, 2 or 3: the page whose picture is visible.
  int Page() const;

  const Controls& Widgets() const { return w_; }

 protected:
  // Closing by the title bar counts as the Close button.
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildControls();
  void ShowPage(int page);
  void CmdVolgende_Click();
  void CmdVorige_Click();

  TessaroProgram& program_;
  Controls w_;
};

}  // namespace tessaro

#include <QTimer>

#include "ui/AboutBox.h"
#include "ui/MainWindow.h"
#include "ui/ProgramSettingsDialog.h"
#include "ui/CoverGuide.h"

namespace tessaro {
namespace {

// A window already open is brought to the front; a closed one is made anew,
// so that it shows the state of the program as it is now.
template <class Window, class Create>
void ShowOnce(QWidget& owner, Create create) {
  for (Window* open : owner.findChildren<Window*>(Qt::FindDirectChildrenOnly)) {
    if (!open->isHidden()) {
      open->ShowInFront();
      return;
    }
  }
  create()->ShowInFront();
}

}  // namespace

void MainWindow::OpenSetupWindow() {
  ShowOnce<ProgramSettingsDialog>(*this, [this] {
    return new ProgramSettingsDialog(ProgramSettingsDialog::Environment{*program_, *this, prompts_, {}, {}}, *this);
  });
}

void MainWindow::OpenAboutWindow() {
  ShowOnce<AboutBox>(*this, [this] { return new AboutBox(*program_, *this, prompts_, *this); });
}

void MainWindow::ShowCoverGuide() {
  auto* guide = new CoverGuide(*program_, prompts_, *this);
  // Start-up calls this before the main window is shown; shown after it, the
  // guide comes up in front.
  QTimer::singleShot(0, guide, &CoverGuide::ShowInFront);
}

}  // namespace tessaro

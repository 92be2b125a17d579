#include <QTimer>

#include "ui/frmAbout.h"
#include "ui/frmHoofdscherm.h"
#include "ui/frmInstellingen.h"
#include "ui/frmOpenenBehuizing.h"

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

void frmHoofdscherm::OpenSetupWindow() {
  ShowOnce<frmInstellingen>(*this, [this] {
    return new frmInstellingen(frmInstellingen::Environment{*program_, *this, prompts_, {}}, *this);
  });
}

void frmHoofdscherm::OpenAboutWindow() {
  ShowOnce<frmAbout>(*this, [this] { return new frmAbout(*program_, *this, prompts_, *this); });
}

void frmHoofdscherm::ShowCoverGuide() {
  auto* guide = new frmOpenenBehuizing(*program_, prompts_, *this);
  // Start-up calls this before the main window is shown; shown after it, the
  // guide comes up in front.
  QTimer::singleShot(0, guide, &frmOpenenBehuizing::ShowInFront);
}

}  // namespace tessaro

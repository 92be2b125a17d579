#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

#include "ui/QtText.h"
#include "ui/frmHoofdscherm.h"

namespace tessaro {
namespace {

// Stands in for a secondary window that is not built yet: modeless, gone
// when closed.
void ShowStandInWindow(QWidget& owner, const QString& caption, const QString& text) {
  auto* window = new QWidget(&owner, Qt::Window);
  window->setAttribute(Qt::WA_DeleteOnClose);
  window->setWindowTitle(caption);
  auto* layout = new QVBoxLayout(window);
  auto* label = new QLabel(text, window);
  label->setTextFormat(Qt::PlainText);
  layout->addWidget(label);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, window);
  QObject::connect(buttons, &QDialogButtonBox::rejected, window, &QWidget::close);
  layout->addWidget(buttons);
  window->show();
}

}  // namespace

void frmHoofdscherm::OpenSetupWindow() {
  ShowStandInWindow(*this, CaptionText(program_->Texts.Text(8)), Title());
}

void frmHoofdscherm::OpenAboutWindow() {
  ShowStandInWindow(*this, CaptionText(program_->Texts.Text(4)), Title());
}

void frmHoofdscherm::ShowCoverGuide() { ShowStandInWindow(*this, Title(), Title()); }

}  // namespace tessaro

#include "ui/QtDialogs.h"

#include <QMessageBox>

#include "ui/QtText.h"

namespace tessaro {

QtDialogs::QtDialogs(QWidget& owner, std::function<QString()> defaultCaption)
    : owner_(owner), defaultCaption_(std::move(defaultCaption)) {}

void QtDialogs::ShowCriticalError(const std::string& text, const std::string& caption) {
  QString title = ToQString(caption);
  if (title.trimmed().isEmpty() && defaultCaption_) title = defaultCaption_();
  QString shown = ToQString(text);
  shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  QPointer<QMessageBox>& open = open_[{title, shown}];
  if (open != nullptr && open->isVisible()) {
    open->raise();
    open->activateWindow();
    return;
  }
  auto* box = new QMessageBox(QMessageBox::Critical, title, shown, QMessageBox::Ok, &owner_);
  box->setTextFormat(Qt::PlainText);
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->setWindowModality(Qt::NonModal);
  open = box;
  box->show();
}

}  // namespace tessaro

#include "ui/UserPrompts.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

namespace tessaro {

bool QtUserPrompts::Confirm(const QString& title, const QString& text) {
  QString shown = text;
  shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  QMessageBox box(QMessageBox::NoIcon, title, shown, QMessageBox::Ok | QMessageBox::Cancel,
                  QApplication::activeWindow());
  box.setTextFormat(Qt::PlainText);
  box.setEscapeButton(QMessageBox::Cancel);
  return box.exec() != QMessageBox::Cancel;
}

std::optional<QString> QtUserPrompts::SaveFileName(const FileDialogRequest& request) {
  const QString offered = QDir(request.initialFolder).filePath(request.initialName);
  // A dialog object rather than getSaveFileName: only it takes a default suffix.
  QFileDialog dialog(QApplication::activeWindow(), QString(), offered, request.filter);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setDefaultSuffix(request.defaultSuffix);
  dialog.selectFile(offered);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  const QString name = dialog.selectedFiles().front();
  if (name.isEmpty()) return std::nullopt;
  return name;
}

std::optional<QString> QtUserPrompts::OpenFileName(const FileDialogRequest& request) {
  // The offered name is a pattern; the dialog shows it as its filter.
  const QString name = QFileDialog::getOpenFileName(QApplication::activeWindow(), QString(),
                                                    request.initialFolder, request.filter);
  if (name.isEmpty()) return std::nullopt;
  return name;
}

void QtUserPrompts::Beep() { QApplication::beep(); }

}  // namespace tessaro

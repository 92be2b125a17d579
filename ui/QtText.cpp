#include "ui/QtText.h"

#include "core/Cp1252.h"

namespace tessaro {

QString ToQString(const std::string& cp1252) { return QString::fromStdString(Cp1252ToUtf8(cp1252)); }

std::string FromQString(const QString& text) { return Utf8ToCp1252(text.toStdString()); }

std::filesystem::path PathFromQString(const QString& name) {
  return std::filesystem::path(name.toStdU16String());
}

QString QStringFromPath(const std::filesystem::path& path) {
  return QString::fromStdU16String(path.u16string());
}

QString CaptionText(const std::string& cp1252) {
  QString caption = ToQString(cp1252);
  caption.replace(QLatin1Char('&'), QLatin1String("&&"));
  return caption;
}

}  // namespace tessaro

#include "serial/QtPresentPorts.h"

#include <QFile>
#include <QSerialPortInfo>

namespace tessaro {
namespace {

std::string Local(const QString& text) { return QFile::encodeName(text).toStdString(); }

}  // namespace

std::vector<PresentPort> ListPresentPorts(const std::filesystem::path& stableNames) {
  std::vector<PresentPort> ports;
  for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
    ports.push_back(PresentPort{Local(info.systemLocation()), {}, info.description().toStdString(),
                                info.manufacturer().toStdString(), info.serialNumber().toStdString()});
  }
  return WithStableNames(std::move(ports), stableNames);
}

std::vector<PresentPort> ListPresentPorts() {
  const QByteArray chosen = qgetenv("TESSARO_SERIAL_BY_ID");
  return ListPresentPorts(chosen.isEmpty() ? std::filesystem::path(StableNamesFolder)
                                           : std::filesystem::path(chosen.toStdString()));
}

}  // namespace tessaro

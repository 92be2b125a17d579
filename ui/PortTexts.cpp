#include "ui/PortTexts.h"

#include <array>
#include <string>

namespace tessaro {
namespace {

// English, Dutch, German, French: the text table's order.
using Row = std::array<const char*, 4>;
constexpr Row Device = {"Device", "Apparaat", "Gerät", "Périphérique"};
constexpr Row Standard = {"standard", "standaard", "Standard", "standard"};
constexpr Row Absent = {"absent", "afwezig", "nicht vorhanden", "absent"};
constexpr Row Present = {"present", "aanwezig", "vorhanden", "présent"};
constexpr Row ProgramFolder = {"Program folder", "Programmamap", "Programmordner", "Dossier du programme"};

const Row& RowOf(PortText text) {
  switch (text) {
    case PortText::Device: return Device;
    case PortText::Standard: return Standard;
    case PortText::Absent: return Absent;
    case PortText::Present: return Present;
    case PortText::ProgramFolder: return ProgramFolder;
  }
  return Device;
}

}  // namespace

QString PortTextIn(PortText text, int16_t taal) {
  const Row& row = RowOf(text);
  return QString::fromUtf8(row[taal >= 0 && taal < 4 ? static_cast<std::size_t>(taal) : 0]);
}

QString ComPortEntry(int portNumber, const std::vector<PresentPort>& present, int16_t taal) {
  const QString name = QStringLiteral("Com") + QString::number(portNumber);
  const PresentPort* port = FindPresentPort(present, "COM" + std::to_string(portNumber));
  if (port == nullptr) return name;
  if (port->description.empty()) return name + QStringLiteral("  (") + PortTextIn(PortText::Present, taal) + QLatin1Char(')');
  return name + QStringLiteral("  ") + QString::fromStdString(port->description);
}

}  // namespace tessaro

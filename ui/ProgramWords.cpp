#include "ui/ProgramWords.h"

#include <array>

namespace tessaro {
namespace {

struct Words {
  const char* portLost;
  const char* portBack;
  const char* resetButton;
  const char* resetQuestion;
};

// UTF-8, in the order of the language numbers.
constexpr std::array<Words, 4> Table{{
    {"Port lost, reconnecting...", "Port back", "Reset unit", "Reset the unit now?"},
    {"Poort verloren, opnieuw verbinden...", "Poort weer verbonden", "Unit resetten", "De unit nu resetten?"},
    {"Port getrennt, neuer Verbindungsversuch...", "Port wieder verbunden", "Unit zur\xC3\xBC" "cksetzen",
     "Die Unit jetzt zur\xC3\xBC" "cksetzen?"},
    {"Port perdu, reconnexion...", "Port r\xC3\xA9tabli", "R\xC3\xA9initialiser l'unit\xC3\xA9",
     "R\xC3\xA9initialiser l'unit\xC3\xA9 maintenant ?"},
}};

const Words& InLanguage(int language) {
  return Table[language >= 0 && language < static_cast<int>(Table.size()) ? static_cast<std::size_t>(language) : 0];
}

}  // namespace

QString PortStateText(PortState state, int language) {
  const Words& words = InLanguage(language);
  switch (state) {
    case PortState::Lost: return QString::fromUtf8(words.portLost);
    case PortState::Back: return QString::fromUtf8(words.portBack);
    case PortState::Steady: break;
  }
  return QString();
}

QString ResetText(ResetWord word, int language) {
  const Words& words = InLanguage(language);
  return QString::fromUtf8(word == ResetWord::Button ? words.resetButton : words.resetQuestion);
}

}  // namespace tessaro

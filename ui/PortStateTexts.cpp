#include "ui/PortStateTexts.h"

#include <array>

namespace tessaro {
namespace {

struct PortStateWords {
  const char* lost;
  const char* back;
};

// UTF-8, in the order of the language numbers.
constexpr std::array<PortStateWords, 4> Words{{
    {"Port lost, reconnecting...", "Port back"},
    {"Poort verloren, opnieuw verbinden...", "Poort weer verbonden"},
    {"Port getrennt, neuer Verbindungsversuch...", "Port wieder verbunden"},
    {"Port perdu, reconnexion...", "Port r\xC3\xA9tabli"},
}};

}  // namespace

QString PortStateText(PortState state, int language) {
  const PortStateWords& words =
      Words[language >= 0 && language < static_cast<int>(Words.size()) ? static_cast<std::size_t>(language) : 0];
  switch (state) {
    case PortState::Lost: return QString::fromUtf8(words.lost);
    case PortState::Back: return QString::fromUtf8(words.back);
    case PortState::Steady: break;
  }
  return QString();
}

}  // namespace tessaro

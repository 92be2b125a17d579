#include "lang/ProgramTexts.h"

namespace tessaro {
namespace {

constexpr std::array<std::array<const char*, 4>, ProgramTextCount> kRows{{
    {"The port is not open: nothing was sent to the unit",
     "De poort is niet open: er is niets naar de unit verzonden",
     "Der Port ist nicht offen: nichts wurde an die Unit gesendet",
     "Le port n'est pas ouvert : rien n'a \xC3\xA9t\xC3\xA9 envoy\xC3\xA9 \xC3\xA0 l'unit\xC3\xA9"},
    {"Reading of all settings failed for item", "Lezen van alle instellingen mislukt voor item",
     "Lesen aller Einstellungen fehlgeschlagen f\xC3\xBCr Item",
     "Lecture de tous les param\xC3\xA8tres \xC3\xA9" "chou\xC3\xA9" "e pour l'item"},
    {"Writing of all settings failed for item", "Schrijven van alle instellingen mislukt voor item",
     "Schreiben aller Einstellungen fehlgeschlagen f\xC3\xBCr Item",
     "\xC3\x89" "criture de tous les param\xC3\xA8tres \xC3\xA9" "chou\xC3\xA9" "e pour l'item"},
}};

}  // namespace

const std::array<const char*, 4>& ProgramTextRow(ProgramText text) {
  return kRows[static_cast<std::size_t>(text)];
}

}  // namespace tessaro

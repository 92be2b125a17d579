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
    {"Value outside what the unit takes", "Waarde buiten wat de unit aanneemt",
     "Wert au\xC3\x9F" "erhalb dessen, was die Unit annimmt", "Valeur hors de ce que l'unit\xC3\xA9 accepte"},
    {"Nothing was sent: these values are outside what the unit takes",
     "Er is niets verzonden: deze waarden liggen buiten wat de unit aanneemt",
     "Nichts wurde gesendet: diese Werte liegen au\xC3\x9F" "erhalb dessen, was die Unit annimmt",
     "Rien n'a \xC3\xA9t\xC3\xA9 envoy\xC3\xA9 : ces valeurs sont hors de ce que l'unit\xC3\xA9 accepte"},
    {"The unit takes", "De unit neemt aan", "Die Unit nimmt an", "L'unit\xC3\xA9 accepte"},
    {"Reading the unit's settings for a backup", "Instellingen van de unit lezen voor een backup",
     "Einstellungen der Unit werden f\xC3\xBCr eine Sicherung gelesen",
     "Lecture des param\xC3\xA8tres de l'unit\xC3\xA9 pour une sauvegarde"},
    {"Backup of the unit's settings saved as", "Backup van de instellingen van de unit opgeslagen als",
     "Sicherung der Einstellungen der Unit gespeichert als",
     "Sauvegarde des param\xC3\xA8tres de l'unit\xC3\xA9 enregistr\xC3\xA9" "e sous"},
    {"Cannot save the backup of the unit's settings as",
     "Kan de backup van de instellingen van de unit niet opslaan als",
     "Die Sicherung der Einstellungen der Unit kann nicht gespeichert werden als",
     "Impossible d'enregistrer la sauvegarde des param\xC3\xA8tres de l'unit\xC3\xA9 sous"},
    {"No backup: the unit's settings could not be read for item",
     "Geen backup: de instellingen van de unit konden niet gelezen worden voor item",
     "Keine Sicherung: die Einstellungen der Unit konnten nicht gelesen werden f\xC3\xBCr Item",
     "Pas de sauvegarde : les param\xC3\xA8tres de l'unit\xC3\xA9 n'ont pas pu \xC3\xAAtre lus pour l'item"},
    {"No backup of the unit's settings was made", "Er is geen backup van de instellingen van de unit gemaakt",
     "Es wurde keine Sicherung der Einstellungen der Unit angelegt",
     "Aucune sauvegarde des param\xC3\xA8tres de l'unit\xC3\xA9 n'a \xC3\xA9t\xC3\xA9 faite"},
    {"Nothing was written to the unit", "Er is niets naar de unit geschreven", "Nichts wurde in die Unit geschrieben",
     "Rien n'a \xC3\xA9t\xC3\xA9 \xC3\xA9" "crit dans l'unit\xC3\xA9"},
}};

}  // namespace

const std::array<const char*, 4>& ProgramTextRow(ProgramText text) {
  return kRows[static_cast<std::size_t>(text)];
}

}  // namespace tessaro

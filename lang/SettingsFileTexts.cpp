#include "lang/SettingsFileTexts.h"

#include <array>
#include <cstddef>

namespace tessaro {
namespace {

// In the order of the language numbers.
constexpr std::array<SettingsFileTexts, 4> Texts{{
    {
        "Cannot read the settings file {file}.",
        "{file} is not a unit settings file: line {line} is not a setting.",
        "{file} is not a unit settings file: it holds no settings.",
        "{file}, line {line}: item {item} must be a whole number from -32768 to 32767, not \"{value}\".",
        "{file}, line {line}: item {item} holds {value}, which its setting does not offer.",
        "{file} is incomplete: these items have no line: {items}.",
    },
    {
        "Kan de instellingen-file {file} niet lezen.",
        "{file} is geen instellingen-file van een unit: regel {line} is geen instelling.",
        "{file} is geen instellingen-file van een unit: er staan geen instellingen in.",
        "{file}, regel {line}: item {item} moet een geheel getal van -32768 tot 32767 zijn, niet \"{value}\".",
        "{file}, regel {line}: item {item} bevat {value}, wat de instelling niet kent.",
        "{file} is onvolledig: deze items hebben geen regel: {items}.",
    },
    {
        "Die Einstellungsdatei {file} kann nicht gelesen werden.",
        "{file} ist keine Einstellungsdatei einer Unit: Zeile {line} ist keine Einstellung.",
        "{file} ist keine Einstellungsdatei einer Unit: sie enthält keine Einstellungen.",
        "{file}, Zeile {line}: Item {item} muss eine ganze Zahl von -32768 bis 32767 sein, nicht \"{value}\".",
        "{file}, Zeile {line}: Item {item} enthält {value}, was die Einstellung nicht anbietet.",
        "{file} ist unvollständig: diese Items haben keine Zeile: {items}.",
    },
    {
        "Impossible de lire le fichier de paramètres {file}.",
        "{file} n'est pas un fichier de paramètres de l'unité : la ligne {line} n'est pas un paramètre.",
        "{file} n'est pas un fichier de paramètres de l'unité : il ne contient aucun paramètre.",
        "{file}, ligne {line} : l'item {item} doit être un nombre entier de -32768 à 32767, pas \"{value}\".",
        "{file}, ligne {line} : l'item {item} contient {value}, que le paramètre ne propose pas.",
        "{file} est incomplet : ces items n'ont pas de ligne : {items}.",
    },
}};

}  // namespace

const SettingsFileTexts& SettingsFileTextsFor(int language) {
  const bool known = language >= 0 && language < static_cast<int>(Texts.size());
  return Texts[known ? static_cast<std::size_t>(language) : 0];
}

}  // namespace tessaro

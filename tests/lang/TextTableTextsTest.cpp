#include "core/Cp1252.h"
#include "lang/LanguageTexts.h"
#include "lang/TextTableData.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tessaro {
namespace {

LanguageTexts FilledFor(int16_t language) {
  LanguageTexts taal;
  taal.FillTextTable(language);
  return taal;
}

const char* LanguageName(int16_t language) {
  static constexpr const char* kNames[] = {"English", "Dutch", "German", "French"};
  return kNames[language];
}

struct SampleText {
  int16_t language;
  int slot;
  std::string_view utf8;
};

// Slots with accents, double blanks, odd capitals and slips, as the program
// has always shown them.
std::vector<SampleText> Samples() {
  return {
      {English, 0, "Close"},
      {German, 0, "Schließen"},
      {German, 1, "Ändern"},
      {French, 4, "Propos"},
      {French, 8, "Paramétres"},
      {German, 9, "Folder für logdatei"},
      {French, 11, "Fermer le programma Tessaro-IP?"},
      {German, 26, "Diagnose über serielle Schnittstelle"},
      {French, 29, "Normale"},
      {French, 30, "Étendue"},
      {French, 32, "Expiration ëtendue mode"},
      {English, 38, "If firmware of converter  below 1.10, then set Diagnostic data to Debug MINIMUM!!"},
      {Dutch, 38, "Indien Corvane converter FirmWare versie lager dan 1.10 dan Diagnose minimaal op Debug info!!"},
      {German, 38, "Wenn Corvane Wandler FirmWare Version unter 1.10 dann Diagnose mindestens auf DEBUG info festlegen!!"},
      {French, 38, "If firmware of converter  below 1.10, then set Diagnosic data to Debug MINIMUM!!"},
      {Dutch, 47, "Time-out tussen ESPA Poll's in"},
      {Dutch, 48, "ESPA seriële snelheid"},
      {Dutch, 60, "Niet begrenst"},
      {English, 61, "No"},
      {Dutch, 61, "Geen"},
      {German, 61, "Keine"},
      {French, 61, "Pas de parité"},
      {French, 71, "ne l'utilisez pas"},
      {French, 74, "Espa 4.4.4.SORTIE silencieux"},
      {German, 76, "Port-Nnummer"},
      {French, 82, "Lu à partir de fichiers standard"},
      {German, 89, "Zeker weten"},
      {French, 89, "Etes-vous sûr"},
      {Dutch, 91, "Dit betekend dat alle wijzigingen tot nu toe gemaakt, worden overschreven."},
      {English, 99, "Error closing Comport"},
      {Dutch, 99, "Fout bij sluiten van Compoort"},
      {German, 99, "Fehler beim Schließen der Comport"},
      {French, 99, "D'erreur lors de la fermeture comporter"},
      {German, 101, "Fehler beim Öffnen der Comport"},
      {Dutch, 103, "FOUT bij schrijven instelllingen in unit"},
      {English, 107, "Reading of all settings successfull"},
      {French, 112, "ERREUR: Time-out envoyé appel à pager via Tessaro-ip"},
      {French, 117, "lecture des"},
      {Dutch, 120, "Niet geïmplementeerd type unit"},
      {French, 120, "Type d'unité d'œuvre n'est pas"},
      {English, 126, "Please enter a valid PagerNumber to send the message to"},
      {Dutch, 126, "Vergeet niet een pagernummer in te vullen voor de testoproep"},
      {German, 126, "Vergessen Sie nicht eine Adresse des Pagers ein zu füllen"},
      {French, 126, "S'il vous plaît entrer un numéro valide téléavertisseur pour envoyer le message à"},
      {English, 129, "Don't show this anymore"},
      {English, 134, "No request for status. Mark as PAGED and DELETE"},
      {Dutch, 134, "Geen status opvragen. Direkt PAGED melden en WISSEN."},
      {German, 134, "Statusbericht NICHT anfordern, sondern sofort PAGED melden und löschen."},
      {French, 134, "Ne demandent pas le statut. Marquer comme PAGED et supprimer."},
  };
}

TEST(TextTableTexts, SampledSlotsReadAsShipped) {
  for (const SampleText& sample : Samples()) {
    SCOPED_TRACE(std::string(LanguageName(sample.language)) + " slot " +
                 std::to_string(sample.slot));
    EXPECT_EQ(FilledFor(sample.language).Text(TextSlot{static_cast<int16_t>(sample.slot)}), Utf8ToCp1252(sample.utf8));
  }
}

struct ByteSample {
  const char* name;
  int16_t language;
  int slot;
  std::string bytes;
};

// Spelled out byte by byte, so that a table left in UTF-8 cannot pass.
TEST(TextTableTexts, HoldsWindows1252Bytes) {
  const std::vector<ByteSample> samples = {
      {"sharp s", German, 0, "Schlie\xDF" "en"},
      {"capital umlaut", German, 1, "\xC4ndern"},
      {"capital acute", French, 30, "\xC9tendue"},
      {"diaeresis", French, 32, "Expiration \xEBtendue mode"},
      {"oe ligature", French, 120, "Type d'unit\xE9 d'\x9Cuvre n'est pas"},
      {"i diaeresis", Dutch, 120, "Niet ge\xEFmplementeerd type unit"},
  };
  for (const ByteSample& sample : samples) {
    SCOPED_TRACE(sample.name);
    EXPECT_EQ(FilledFor(sample.language).Text(TextSlot{static_cast<int16_t>(sample.slot)}), sample.bytes);
  }
}

TEST(TextTableTexts, SharedAndDistinctSlots) {
  for (int16_t language : {English, Dutch, German, French}) {
    SCOPED_TRACE(LanguageName(language));
    const LanguageTexts taal = FilledFor(language);
    EXPECT_EQ(taal.Text(slot::Cancel), taal.Text(slot::CancelReadWrite));
    EXPECT_EQ(taal.Text(slot::NoDiagnostics), taal.Text(slot::NoneSetting));
  }
  // "No" and "Pas de parité" are parity choices, not the "None" of slot 31.
  for (int16_t language : {English, French}) {
    SCOPED_TRACE(LanguageName(language));
    const LanguageTexts taal = FilledFor(language);
    EXPECT_NE(taal.Text(slot::No), taal.Text(slot::NoDiagnostics));
  }
  EXPECT_EQ(FilledFor(English).Text(slot::Cancel), "Cancel");
  EXPECT_EQ(FilledFor(English).Text(slot::NoDiagnostics), "None");
}

TEST(TextTableTexts, MessageBoxTitleNamesProductAndAReservedDomain) {
  const std::vector<std::pair<int16_t, std::string>> prefixes = {
      {English, "Tessaro IP by "},
      {Dutch, "Tessaro IP van "},
      {German, "Tessaro IP von "},
      {French, "Tessaro IP de "},
  };
  std::string english_domain;
  for (const auto& [language, prefix] : prefixes) {
    SCOPED_TRACE(LanguageName(language));
    const std::string title = FilledFor(language).Text(slot::ProgramTitle);
    ASSERT_TRUE(title.starts_with(prefix)) << title;
    const std::string domain = title.substr(prefix.size());
    EXPECT_EQ(domain.find(' '), std::string::npos);
    EXPECT_TRUE(domain.starts_with("www.")) << domain;
    // A reserved name: it can never point at somebody's real site.
    EXPECT_TRUE(domain.ends_with(".example")) << domain;
    if (language == English) english_domain = domain;
    EXPECT_EQ(domain, english_domain);
  }
}

TEST(TextTableTexts, NoStrayBlanks) {
  for (int16_t language : {English, Dutch, German, French}) {
    const LanguageTexts taal = FilledFor(language);
    for (int slot = 0; slot < TextSlots; ++slot) {
      const std::string& text = taal.Text(TextSlot{static_cast<int16_t>(slot)});
      if (text.empty()) continue;
      SCOPED_TRACE(std::string(LanguageName(language)) + " slot " + std::to_string(slot));
      EXPECT_NE(text.front(), ' ');
      EXPECT_NE(text.back(), ' ');
      const bool double_blank_expected = slot == 38 && (language == English || language == French);
      EXPECT_EQ(text.find("  ") != std::string::npos, double_blank_expected);
    }
  }
}

std::size_t CodePointCount(std::string_view utf8) {
  return static_cast<std::size_t>(std::count_if(utf8.begin(), utf8.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  }));
}

TEST(TextTableTexts, EveryTextIsOneBytePerCharacterAndSurvivesARoundTrip) {
  for (int16_t language : {English, Dutch, German, French}) {
    const LanguageTexts taal = FilledFor(language);
    for (const TextRow& row : TextRows()) {
      SCOPED_TRACE(std::string(LanguageName(language)) + " slot " + std::to_string(static_cast<int>(row.slot)));
      const std::string_view source = row.text[static_cast<std::size_t>(language)];
      const std::string& text = taal.Text(row.slot);
      EXPECT_EQ(text.size(), CodePointCount(source));
      // No character fell back to '?' on the way into the table.
      EXPECT_EQ(std::count(text.begin(), text.end(), '?'),
                std::count(source.begin(), source.end(), '?'));
      EXPECT_EQ(Cp1252ToUtf8(text), source);
      EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(text)), text);
      for (char c : text) EXPECT_GE(static_cast<unsigned char>(c), 0x20) << "control byte";
    }
  }
}

TEST(TextTableTexts, DataListsEachSlotOnceInOrder) {
  const auto rows = TextRows();
  ASSERT_EQ(rows.size(), 127u);
  for (std::size_t i = 1; i < rows.size(); ++i) EXPECT_LT(rows[i - 1].slot, rows[i].slot);
}

}  // namespace
}  // namespace tessaro

#include <optional>

#include "core/ItemValue.h"
#include "files/SettingsFiles.h"
#include "files/SafeFileWriter.h"
#include "files/SettingsLineFormat.h"
#include "messages/TextFormat.h"

namespace tessaro {

namespace {

constexpr const char* CompoortPrefix = "0        Compoort ->";
constexpr const char* LogfilePrefix = "1      Logfile ->";
constexpr const char* SetPathPrefix = "2       SetPath ->";
constexpr const char* UnitTypePrefix = "3       UnitType ->";
constexpr const char* TaalPrefix = "4       Taal ->";
constexpr const char* CasePrefix = "5       Case ->";

// A missing line reads as 0. A number that does not fit 16 bits (possible
// only in a hand-edited file) leaves the setting as it was before the read;
// the other lines are still taken.
void TakeNumber(const SettingsFileLines& lines, int line, int16_t& setting) {
  const std::optional<int16_t> number =
      NearestInt16(NumberValueOfText(lines[line].value_or(std::string())));
  if (number) setting = *number;
}

}  // namespace

void SettingsFiles::ReadProgramSettings() {
  const SettingsFileLines lines = ReadSettingsFileLines(ProgramSettingsPath());
  TakeNumber(lines, 0, settings_.Compoort);
  TakeNumber(lines, 1, settings_.Logfile);
  settings_.SetPath = lines[2].value_or(std::string());
  TakeNumber(lines, 3, settings_.UnitType);
  TakeNumber(lines, 4, settings_.Taal);
  TakeNumber(lines, 5, settings_.Case);
}

void SettingsFiles::WriteProgramSettings() {
  std::string content;
  AppendSettingsLine(content, CompoortPrefix + IntText(settings_.Compoort));
  AppendSettingsLine(content, LogfilePrefix + IntText(settings_.Logfile));
  AppendSettingsLine(content, SetPathPrefix + OneLineValue(settings_.SetPath));
  AppendSettingsLine(content, UnitTypePrefix + IntText(settings_.UnitType));
  AppendSettingsLine(content, TaalPrefix + IntText(settings_.Taal));
  AppendSettingsLine(content, CasePrefix + IntText(settings_.Case));
  // A failed save is silent: the old file is left whole and the settings in
  // memory keep their new values.
  (void)WriteFileSafely(ProgramSettingsPath(), content);
}

}  // namespace tessaro

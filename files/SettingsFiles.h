#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/ProgramSettings.h"
#include "core/SettingsScreen.h"
#include "core/SettingsStore.h"
#include "files/UnitSettingsFile.h"

namespace tessaro {

inline constexpr int SettingsFileLineSlots = 300;
inline constexpr const char* ProgramSettingsFileName = "TessaroIP.set";
inline constexpr const char* DefaultSettingsFileName = "default.set";

// The value texts of one settings file, by line number 0..298; an entry is
// empty (nullopt) when the file had no line for it.
using SettingsFileLines = std::array<std::optional<std::string>, SettingsFileLineSlots>;

// The line reader shared by both kinds of settings file. A missing or
// unreadable file reads as an empty one. CR LF, LF and a lone CR all end a
// line; a line without "->" stores nothing.
SettingsFileLines ReadSettingsFileLines(const std::filesystem::path& path);

// The program settings file and the unit settings files.
class SettingsFiles {
 public:
  SettingsFiles(std::filesystem::path programFolder, SettingsStore& store, ProgramSettings& settings,
                SettingsScreen& screen);

  // A missing file gives 0 and an empty SetPath; a number beyond 16 bits
  // leaves that one setting as it was.
  void ReadProgramSettings();
  void WriteProgramSettings();

  // Saves take the screen into the store first, then replace the file whole or
  // not at all; a failed save is silent. An empty path does nothing.
  void WriteSettingsFile(const std::filesystem::path& path);
  // Loads a unit settings file (ReadUnitSettingsFile) into FileValues,
  // ItemValues and the screen. A file that is refused loads nothing; the
  // error says why, in the language of the program settings, and the caller
  // shows it. An empty path does nothing.
  [[nodiscard]] std::optional<UnitFileError> ReadSettingsFile(const std::filesystem::path& path);
  void WriteDefaultSettings();
  // As ReadSettingsFile, except that a missing default.set loads as
  // LoadEmptySettings does, without an error.
  [[nodiscard]] std::optional<UnitFileError> ReadDefaultSettings();
  // Loads what a missing defaults file gives: every number 0, every text empty.
  void LoadEmptySettings();

  std::filesystem::path ProgramSettingsPath() const;
  std::filesystem::path DefaultSettingsPath() const;

 private:
  void LoadValues(UnitFileValues values);
  void SaveSettingsFile(const std::filesystem::path& path);

  std::filesystem::path programFolder_;
  SettingsStore& store_;
  ProgramSettings& settings_;
  SettingsScreen& screen_;
};

}  // namespace tessaro

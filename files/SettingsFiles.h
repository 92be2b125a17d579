#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/Dialogs.h"
#include "core/ProgramSettings.h"
#include "core/SettingsScreen.h"
#include "core/SettingsStore.h"

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
              SettingsScreen& screen, Dialogs& dialogs);

  // A missing file gives 0 and an empty SetPath; a number beyond 16 bits
  // leaves that one setting as it was.
  void ReadProgramSettings();
  void WriteProgramSettings();

  // Saves take the screen into the store first, then replace the file whole or
  // not at all; a failed save is silent. An empty path does nothing.
  void WriteSettingsFile(const std::filesystem::path& path);
  // Loads into FileValues, ItemValues and the screen; a missing file loads as
  // empty. A number beyond 16 bits in items 0..149 shows the critical error box
  // and loads nothing. An empty path does nothing.
  void ReadSettingsFile(const std::filesystem::path& path);
  void WriteDefaultSettings();
  // False when the file was refused (its box has shown).
  bool ReadDefaultSettings();
  // Loads what a missing settings file gives: every number 0, every text empty.
  void LoadEmptySettings();

  std::filesystem::path ProgramSettingsPath() const;
  std::filesystem::path DefaultSettingsPath() const;

 private:
  bool LoadSettingsFile(const std::filesystem::path& path);
  bool LoadSettingsLines(SettingsFileLines lines);
  void SaveSettingsFile(const std::filesystem::path& path);

  std::filesystem::path programFolder_;
  SettingsStore& store_;
  ProgramSettings& settings_;
  SettingsScreen& screen_;
  Dialogs& dialogs_;
};

}  // namespace tessaro

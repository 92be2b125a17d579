#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "core/SettingsStore.h"

namespace tessaro::cli {

// Why the file cannot be read; nothing when it can. A settings file that is
// missing would load as all zeros, which must never reach a unit.
std::optional<std::string> CannotRead(const std::filesystem::path& path);
// Why a settings file cannot be saved there; nothing when it can.
std::optional<std::string> CannotSave(const std::filesystem::path& path);
// True when the file holds, line by line, what the last save meant to write
// (FileValues): the saver itself is silent about failures.
bool SavedAsExpected(const std::filesystem::path& path, const SettingsStore& store);

}  // namespace tessaro::cli

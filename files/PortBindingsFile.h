#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "core/PortBindings.h"

namespace tessaro {

// Lives beside TessaroIP.set, so that file keeps its format on every system.
inline constexpr const char* PortBindingsFileName = "TessaroPorts.set";
// A device path longer than this is a damaged line, not a device.
inline constexpr std::size_t LongestBoundDevice = 512;
// A bindings file this large is no bindings file.
inline constexpr std::uintmax_t LargestBindingsFile = 64 * 1024;

struct PortBindingsRead {
  PortBindings bindings;
  // Empty when the file was good or missing; otherwise one line saying what
  // is wrong, and `bindings` is empty so every port falls back to its default.
  std::string problem;
};

// "  1            Com1 ->/dev/serial/by-id/..." per bound port, Windows-1252, CR LF.
std::string PortBindingsContent(const PortBindings& bindings);
PortBindingsRead ParsePortBindings(std::string_view content);

std::filesystem::path PortBindingsPath(const std::filesystem::path& programFolder);
// A missing file is no bindings and no problem.
PortBindingsRead ReadPortBindings(const std::filesystem::path& programFolder);
// Saved the safe way; false when the save failed (the old file is whole).
// A device with a character Windows-1252 cannot hold is refused before.
bool WritePortBindings(const std::filesystem::path& programFolder, const PortBindings& bindings);
// Empty when `device` can be bound; otherwise why not.
std::string BindableDeviceProblem(const std::string& device);

}  // namespace tessaro

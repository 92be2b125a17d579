#pragma once

#include <filesystem>
#include <string_view>

namespace tessaro {

// Replaces the file `target` by `content` so that a failed or interrupted save
// never leaves it half written: the bytes go to a new file beside it, which is
// synced and then renamed over the target. Returns false when anything fails
// (missing folder, no permission, disk full); the old target is then whole and
// no temporary file is left behind.
bool WriteFileSafely(const std::filesystem::path& target, std::string_view content);

enum class NewFileWrite { Written, Exists, Failed };

// As WriteFileSafely, but an existing `target` is never replaced: Exists, and
// nothing changed.
NewFileWrite WriteNewFileSafely(const std::filesystem::path& target, std::string_view content);

}  // namespace tessaro

#include "program/ProgramFolder.h"

#include <fstream>
#include <system_error>

#include "files/SettingsFiles.h"

namespace tessaro {

namespace fs = std::filesystem;

bool FolderWritable(const fs::path& folder) {
  std::error_code error;
  if (!fs::is_directory(folder, error)) return false;
  // Permission bits do not tell the whole story (read-only mounts, ACLs): try it.
  const fs::path probe = folder / ".tessaro-write-probe";
  bool made = false;
  {
    std::ofstream out(probe, std::ios::binary | std::ios::trunc);
    made = static_cast<bool>(out);
  }
  if (made) fs::remove(probe, error);
  return made;
}

ProgramFolderChoice ChooseProgramFolder(const FolderCandidates& candidates,
                                        const std::function<bool(const fs::path&)>& writable) {
  if (!candidates.chosen.empty()) return {fs::path(candidates.chosen), FolderOrigin::Chosen};
  if (candidates.userDataFolder.empty() || writable(candidates.executableFolder)) {
    return {candidates.executableFolder, FolderOrigin::ProgramFolder};
  }
  return {candidates.userDataFolder, FolderOrigin::UserData};
}

fs::path ShippedDefaultsPath(const fs::path& executableFolder) {
#ifdef _WIN32
  // A Windows program keeps everything it ships in its own folder.
  return executableFolder / DefaultSettingsFileName;
#else
  return executableFolder.parent_path() / "share" / "tessaro-ip" / DefaultSettingsFileName;
#endif
}

void PrepareProgramFolder(const ProgramFolderChoice& choice, const fs::path& shippedDefaults) {
  std::error_code error;
  fs::create_directories(choice.folder, error);
  if (choice.origin != FolderOrigin::UserData) return;
  const fs::path defaults = choice.folder / DefaultSettingsFileName;
  if (fs::exists(choice.folder / ProgramSettingsFileName, error) || fs::exists(defaults, error)) return;
  if (!fs::is_regular_file(shippedDefaults, error)) return;
  fs::copy_file(shippedDefaults, defaults, error);
}

}  // namespace tessaro

#pragma once

#include <filesystem>
#include <functional>
#include <string>

namespace tessaro {

// Where the program keeps TessaroIP.set, default.set, the port bindings, Log/
// and Instellingen/.
enum class FolderOrigin {
  Chosen,         // TESSARO_PROGRAM_FOLDER
  ProgramFolder,  // beside the executable, as an unpacked copy has it
  UserData,       // the user's data folder, for an installed program
};

struct ProgramFolderChoice {
  std::filesystem::path folder;
  FolderOrigin origin = FolderOrigin::ProgramFolder;
};

struct FolderCandidates {
  std::string chosen;  // TESSARO_PROGRAM_FOLDER; empty when unset
  std::filesystem::path executableFolder;
  std::filesystem::path userDataFolder;
};

// True when a file can be made in `folder`.
bool FolderWritable(const std::filesystem::path& folder);

ProgramFolderChoice ChooseProgramFolder(const FolderCandidates& candidates,
                                        const std::function<bool(const std::filesystem::path&)>& writable =
                                            FolderWritable);

// Where a package puts its default.set: <prefix>/share/tessaro-ip beside
// <prefix>/bin; on Windows the program's own folder.
std::filesystem::path ShippedDefaultsPath(const std::filesystem::path& executableFolder);

// Makes the folder. On the first use of the user's data folder (neither
// TessaroIP.set nor default.set there yet) the shipped default.set is copied
// in, when the package has one. Failures are left to the readers, which take
// a missing file as an empty one.
void PrepareProgramFolder(const ProgramFolderChoice& choice, const std::filesystem::path& shippedDefaults);

}  // namespace tessaro

// Feeds arbitrary bytes as a unit settings file, as the defaults file and as
// the program settings file, then saves and reads back what was loaded.
// Besides not crashing: a file is refused by both readers alike, and a save
// of what was loaded must load back unchanged.

#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <system_error>

#include "tests/support/ItemValueAssertions.h"
#include "core/Items.h"
#include "core/ProgramSettings.h"
#include "core/SettingsScreen.h"
#include "core/SettingsStore.h"
#include "files/SettingsFiles.h"
#include "tests/support/FileBytes.h"

namespace {

namespace fs = std::filesystem;
using namespace tessaro;
using testing::ReadBytes;

// The screen shows exactly the store, so a save writes what was loaded.
class MirrorScreen final : public SettingsScreen {
 public:
  void ItemToScreen(int16_t) override {}
  void ScreenToItem(int16_t) override {}
};

// One folder per process, in memory where possible so the syncs of the
// safe writer cost nothing; removed when the run ends.
class ScratchFolder {
 public:
  ScratchFolder() {
    const fs::path base = fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
    path_ = base / ("tessaro-fuzz-settings-" + std::to_string(::getpid()));
    fs::create_directories(path_);
  }
  ~ScratchFolder() {
    std::error_code error;
    fs::remove_all(path_, error);
  }
  const fs::path& Path() const { return path_; }

 private:
  fs::path path_;
};

void Check(bool condition) {
  if (!condition) std::abort();
}

void WriteBytes(const fs::path& file, const uint8_t* data, size_t size) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

// Only CR LF pairs, and exactly `lines` of them.
bool HasCleanLines(const std::string& bytes, size_t lines) {
  size_t pairs = 0;
  for (size_t pos = 0; pos < bytes.size(); ++pos) {
    if (bytes[pos] == '\r') {
      if (pos + 1 >= bytes.size() || bytes[pos + 1] != '\n') return false;
      ++pairs;
      ++pos;
    } else if (bytes[pos] == '\n') {
      return false;
    }
  }
  return pairs == lines && bytes.ends_with("\r\n");
}

void UnitSettingsFiles(const fs::path& folder, const uint8_t* data, size_t size) {
  SettingsStore store;
  ProgramSettings settings;
  MirrorScreen screen;
  SettingsFiles files(folder, store, settings, screen);
  const fs::path input = files.DefaultSettingsPath();
  const fs::path saved = folder / "saved.cfg";
  WriteBytes(input, data, size);

  const auto refused = files.ReadSettingsFile(input);
  // A brace in the message is a placeholder left unfilled, unless the
  // message quotes it from the file.
  const bool bracesInFile = std::find(data, data + size, uint8_t{'{'}) != data + size;
  Check(!refused || (!refused->message.empty() && (bracesInFile || refused->message.find('{') == std::string::npos)));
  const auto loaded = store.ItemValues;

  // The defaults file loads the same, or is refused the same.
  store.ItemValues[0] = ItemValue("not loaded");
  const auto defaultsRefused = files.ReadDefaultSettings();
  Check(defaultsRefused.has_value() == refused.has_value());
  if (refused) {
    Check(defaultsRefused->fault == refused->fault && defaultsRefused->line == refused->line &&
          defaultsRefused->items == refused->items);
    Check(store.ItemValues[0] == ItemValue("not loaded"));
    return;
  }
  Check(store.ItemValues == loaded);

  // A save of what was loaded loads back unchanged.
  files.WriteSettingsFile(saved);
  Check(HasCleanLines(ReadBytes(saved), 250));
  Check(!files.ReadSettingsFile(saved));
  Check(store.ItemValues == loaded);
}

void ProgramSettingsFile(const fs::path& folder, const uint8_t* data, size_t size) {
  SettingsStore store;
  ProgramSettings settings;
  MirrorScreen screen;
  SettingsFiles files(folder, store, settings, screen);
  WriteBytes(files.ProgramSettingsPath(), data, size);

  files.ReadProgramSettings();
  const ProgramSettings read = settings;
  files.WriteProgramSettings();
  Check(HasCleanLines(ReadBytes(files.ProgramSettingsPath()), 6));

  settings = ProgramSettings{};
  files.ReadProgramSettings();
  Check(settings.Compoort == read.Compoort && settings.Logfile == read.Logfile &&
        settings.SetPath == read.SetPath && settings.UnitType == read.UnitType &&
        settings.Taal == read.Taal && settings.Case == read.Case);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const ScratchFolder folder;
  UnitSettingsFiles(folder.Path(), data, size);
  ProgramSettingsFile(folder.Path(), data, size);
  return 0;
}

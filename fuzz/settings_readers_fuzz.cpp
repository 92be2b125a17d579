// Feeds arbitrary bytes as a unit settings file, as the defaults file and as
// the program settings file, then saves and reads back what was loaded.
// Besides not crashing, a save of what was loaded must read back unchanged.

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

#include "core/Dialogs.h"
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

class CountingDialogs final : public Dialogs {
 public:
  void ShowCriticalError(const std::string&, const std::string&) override { ++errors; }
  int errors = 0;
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
  CountingDialogs dialogs;
  SettingsFiles files(folder, store, settings, screen, dialogs);
  const fs::path input = files.DefaultSettingsPath();
  const fs::path saved = folder / "saved.cfg";
  WriteBytes(input, data, size);

  files.ReadSettingsFile(input);
  const bool refused = dialogs.errors > 0;
  Check(dialogs.errors <= 1);
  const auto loaded = store.ItemValues;

  // The defaults file loads the same, or is refused the same.
  store.ItemValues[0] = ItemValue("not loaded");
  dialogs.errors = 0;
  files.ReadDefaultSettings();
  Check((dialogs.errors > 0) == refused);
  if (refused) return;
  Check(store.ItemValues == loaded);

  // A save of what was loaded reads back as its nearest integers and its texts.
  files.WriteSettingsFile(saved);
  Check(HasCleanLines(ReadBytes(saved), 250));
  files.ReadSettingsFile(saved);
  Check(dialogs.errors == 0);
  for (int item = 0; item <= LastUnitItem; ++item) {
    if (item < 150) {
      const std::optional<int16_t> number = loaded[item].NearestInteger();
      Check(number && store.ItemValues[item] == ItemValue(static_cast<int>(*number)));
    } else {
      Check(store.ItemValues[item] == loaded[item]);
    }
  }
}

void ProgramSettingsFile(const fs::path& folder, const uint8_t* data, size_t size) {
  SettingsStore store;
  ProgramSettings settings;
  MirrorScreen screen;
  CountingDialogs dialogs;
  SettingsFiles files(folder, store, settings, screen, dialogs);
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
  Check(dialogs.errors == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const ScratchFolder folder;
  UnitSettingsFiles(folder.Path(), data, size);
  ProgramSettingsFile(folder.Path(), data, size);
  return 0;
}

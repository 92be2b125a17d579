#pragma once

// A fresh folder below the system temporary folder, removed with everything
// in it. Path() is empty when none could be made. Free of the test framework,
// so the benchmarks can use it too.

#include <filesystem>
#include <random>
#include <string>
#include <system_error>

namespace tessaro::testing {

class TempFolder {
 public:
  explicit TempFolder(const std::string& prefix = "tessaro-test-") {
    std::random_device random;
    const auto base = std::filesystem::temp_directory_path();
    for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
      auto candidate = base / (prefix + std::to_string(random()));
      std::error_code error;
      if (std::filesystem::create_directory(candidate, error)) path_ = candidate;
    }
  }
  ~TempFolder() {
    if (path_.empty()) return;
    std::error_code error;
    // Read-only leftovers must not keep the folder alive.
    for (const auto& entry : std::filesystem::recursive_directory_iterator(path_, error)) {
      std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                   std::filesystem::perm_options::add, error);
    }
    std::filesystem::remove_all(path_, error);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace tessaro::testing

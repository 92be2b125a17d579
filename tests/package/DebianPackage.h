#pragma once

// The Debian package as a user gets it: made by cpack from the built
// programs and unpacked with dpkg-deb into a scratch folder, once for all the
// package's tests.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "tests/cli/CliProcesses.h"
#include "tests/support/TempFolder.h"

namespace tessaro::cli::testing {

inline std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

inline bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

class DebianPackage : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    scratch_ = std::make_unique<tessaro::testing::TempFolder>("tessaro-package-");
    problem_.clear();
    if (scratch_->Path().empty()) {
      problem_ = "no scratch folder";
      return;
    }
    const Finished made = RunToEnd({TESSARO_CPACK, "-G", "DEB", "--config", TESSARO_CPACK_CONFIG, "-B",
                                    (scratch_->Path() / "out").string()},
                                   {}, std::chrono::seconds(240));
    if (made.status != 0) {
      problem_ = "cpack failed:\n" + made.out + made.err;
      return;
    }
    std::vector<std::filesystem::path> packages;
    for (const auto& entry : std::filesystem::directory_iterator(scratch_->Path() / "out")) {
      if (entry.path().extension() == ".deb") packages.push_back(entry.path());
    }
    if (packages.size() != 1) {
      problem_ = "expected one .deb, found " + std::to_string(packages.size()) + ":\n" + made.out;
      return;
    }
    package_ = packages.front();
    const Finished unpacked = RunToEnd({TESSARO_DPKG_DEB, "-x", package_.string(), Root().string()}, {});
    if (unpacked.status != 0) problem_ = "dpkg-deb -x failed:\n" + unpacked.err;
  }
  static void TearDownTestSuite() { scratch_.reset(); }

  void SetUp() override { ASSERT_EQ(problem_, "") << "the package could not be made and unpacked"; }

  static std::filesystem::path Root() { return scratch_->Path() / "root"; }
  // A folder of the test's own beside the unpacked package.
  static std::filesystem::path Scratch() { return scratch_->Path(); }

  static Finished DpkgDeb(const std::string& option, const std::string& field = {}) {
    std::vector<std::string> args{TESSARO_DPKG_DEB, option, package_.string()};
    if (!field.empty()) args.push_back(field);
    return RunToEnd(args, {});
  }

  static inline std::unique_ptr<tessaro::testing::TempFolder> scratch_;
  static inline std::filesystem::path package_;
  static inline std::string problem_;
};

}  // namespace tessaro::cli::testing

// The Debian package as a user gets it: made by cpack from the built
// programs, unpacked with dpkg-deb into a scratch folder and run from there.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "tests/cli/CliProcesses.h"
#include "tests/support/FileBytes.h"
#include "tests/support/PseudoTerminal.h"
#include "tests/support/TempFolder.h"
#include "tests/support/UnitSimProcess.h"

namespace tessaro::cli::testing {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// The package, made and unpacked once for all cases.
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
    std::vector<fs::path> packages;
    for (const auto& entry : fs::directory_iterator(scratch_->Path() / "out")) {
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

  static fs::path Root() { return scratch_->Path() / "root"; }

  static Finished DpkgDeb(const std::string& option, const std::string& field = {}) {
    std::vector<std::string> args{TESSARO_DPKG_DEB, option, package_.string()};
    if (!field.empty()) args.push_back(field);
    return RunToEnd(args, {});
  }

  static std::unique_ptr<tessaro::testing::TempFolder> scratch_;
  static fs::path package_;
  static std::string problem_;
};

std::unique_ptr<tessaro::testing::TempFolder> DebianPackage::scratch_;
fs::path DebianPackage::package_;
std::string DebianPackage::problem_;

TEST_F(DebianPackage, HoldsTheProgramsTheMenuEntryAndTheIconsAndNothingElse) {
  EXPECT_EQ(package_.filename().string(), "tessaro-ip_" TESSARO_VERSION "_amd64.deb");

  const Finished listing = DpkgDeb("--contents");
  ASSERT_EQ(listing.status, 0) << listing.err;
  std::map<std::string, std::string> files;  // path -> mode
  for (const std::string& line : SplitLines(listing.out)) {
    std::istringstream in(line);
    std::string mode, owner, size, date, time, path;
    in >> mode >> owner >> size >> date >> time >> path;
    if (!mode.empty() && mode[0] == '-') files[path] = mode;
  }

  std::set<std::string> expected = {"./usr/bin/tessaro-ip", "./usr/bin/tessaro-cli", "./usr/bin/tessaro-unit-sim",
                                    "./usr/share/applications/tessaro-ip.desktop"};
  for (int size : {16, 24, 32, 48, 64, 128, 256}) {
    const std::string folder = std::to_string(size) + "x" + std::to_string(size);
    expected.insert("./usr/share/icons/hicolor/" + folder + "/apps/tessaro-ip.png");
  }
  std::set<std::string> found;
  for (const auto& [path, mode] : files) found.insert(path);
  EXPECT_EQ(found, expected) << listing.out;

  for (const char* program : {"tessaro-ip", "tessaro-cli", "tessaro-unit-sim"}) {
    EXPECT_EQ(files[std::string("./usr/bin/") + program], "-rwxr-xr-x") << program;
  }
  EXPECT_EQ(files["./usr/share/applications/tessaro-ip.desktop"], "-rw-r--r--");
}

TEST_F(DebianPackage, DependsOnWhatTheProgramsAreLinkedWith) {
  const Finished control = DpkgDeb("--field");
  ASSERT_EQ(control.status, 0) << control.err;
  EXPECT_TRUE(Has(control.out, "Package: tessaro-ip\n")) << control.out;
  EXPECT_TRUE(Has(control.out, "Version: " TESSARO_VERSION "\n")) << control.out;
  EXPECT_TRUE(Has(control.out, "Architecture: amd64\n")) << control.out;
  EXPECT_TRUE(Has(control.out, "\n Reads, edits and writes the settings of a Tessaro-IP unit over its serial "
                               "diagnostic port, keeps settings files,"))
      << "one paragraph: " << control.out;

  const Finished depends = DpkgDeb("--field", "Depends");
  ASSERT_EQ(depends.status, 0) << depends.err;
  // Worked out from the binaries, each with the lowest version they need.
  for (const char* library : {"libc6 (>= ", "libstdc++6 (>= ", "libqt6core6 (>= ", "libqt6gui6 (>= ",
                              "libqt6widgets6 (>= ", "libqt6serialport6 (>= "}) {
    EXPECT_TRUE(Has(depends.out, library)) << library << " missing from: " << depends.out;
  }
  // Build-time packages must not leak in.
  for (const char* unwanted : {"-dev", "libgtest", "libasan", "libubsan"}) {
    EXPECT_FALSE(Has(depends.out, unwanted)) << unwanted << " in: " << depends.out;
  }
}

TEST_F(DebianPackage, MenuEntryStartsTheInstalledWindowProgramWithItsIcon) {
  const fs::path entry = Root() / "usr/share/applications/tessaro-ip.desktop";
  const Finished validated = RunToEnd({TESSARO_DESKTOP_FILE_VALIDATE, entry.string()}, {});
  EXPECT_EQ(validated.status, 0) << validated.out << validated.err;
  EXPECT_EQ(validated.out + validated.err, "") << "no warnings either";

  const std::vector<std::string> lines = SplitLines(tessaro::testing::ReadBytes(entry));
  const std::set<std::string> keys(lines.begin(), lines.end());
  EXPECT_TRUE(keys.count("Exec=tessaro-ip")) << "started by name from the PATH";
  EXPECT_TRUE(keys.count("Icon=tessaro-ip")) << "found by name in the icon theme";
  EXPECT_TRUE(keys.count("Terminal=false"));
  EXPECT_TRUE(fs::is_regular_file(Root() / "usr/bin/tessaro-ip"));
  EXPECT_TRUE(fs::is_regular_file(Root() / "usr/share/icons/hicolor/48x48/apps/tessaro-ip.png"));
}

TEST_F(DebianPackage, UnpackedCliPrintsItsHelp) {
  const Finished help = RunToEnd({(Root() / "usr/bin/tessaro-cli").string(), "--help"}, {});
  EXPECT_EQ(help.status, 0) << help.err;
  EXPECT_EQ(help.out.rfind("Usage: tessaro-cli", 0), 0u) << help.out;
  EXPECT_TRUE(Has(help.out, "read-all")) << help.out;
}

TEST_F(DebianPackage, UnpackedCliReadsAllFromTheUnpackedSimulatorOnCom1) {
  if (const auto why = tessaro::testing::WhyNoPseudoTerminal()) {
    GTEST_SKIP() << "no pseudo-terminal available here: " << *why;
  }
  tessaro::testing::UnitSimProcess unit((Root() / "usr/bin/tessaro-unit-sim").string());
  const std::string port = unit.Launch({"--quit-after", "120", "--no-pace"}, kUnitWait);
  ASSERT_FALSE(port.empty()) << unit.Seen();

  const Finished read = RunToEnd({(Root() / "usr/bin/tessaro-cli").string(), "--port", "1", "read-all"},
                                 {{"TESSARO_COM1", port}});
  ASSERT_EQ(read.status, 0) << read.err;
  EXPECT_EQ(SplitLines(read.out).size(), 32u) << read.out;
  EXPECT_TRUE(Has(read.out, "00:1E:C0:4A:21:7F")) << read.out;
  EXPECT_TRUE(Has(read.err, "Reading of all settings successfull.")) << read.err;
}

}  // namespace
}  // namespace tessaro::cli::testing

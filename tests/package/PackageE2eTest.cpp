// The Debian package as a user gets it: its files, its control fields,
// Debian's own checkers on it, and the unpacked programs run from there.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "tests/package/DebianPackage.h"
#include "tests/support/FileBytes.h"
#include "tests/support/PseudoTerminal.h"
#include "tests/support/UnitSimProcess.h"

namespace tessaro::cli::testing {
namespace {

namespace fs = std::filesystem;

TEST_F(DebianPackage, HoldsTheProgramsTheirDocumentationTheMenuEntryAndTheIconsAndNothingElse) {
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

  std::set<std::string> expected = {"./usr/bin/tessaro-ip",
                                    "./usr/bin/tessaro-cli",
                                    "./usr/bin/tessaro-unit-sim",
                                    "./usr/share/applications/tessaro-ip.desktop",
                                    "./usr/share/man/man1/tessaro-ip.1.gz",
                                    "./usr/share/man/man1/tessaro-cli.1.gz",
                                    "./usr/share/man/man1/tessaro-unit-sim.1.gz",
                                    "./usr/share/metainfo/org.example.tessaro_ip.metainfo.xml",
                                    "./usr/share/bash-completion/completions/tessaro-cli",
                                    "./usr/share/doc/tessaro-ip/changelog.gz",
                                    "./usr/share/doc/tessaro-ip/copyright"};
  for (int size : {16, 24, 32, 48, 64, 128, 256}) {
    const std::string folder = std::to_string(size) + "x" + std::to_string(size);
    expected.insert("./usr/share/icons/hicolor/" + folder + "/apps/tessaro-ip.png");
  }
  std::set<std::string> found;
  for (const auto& [path, mode] : files) found.insert(path);
  EXPECT_EQ(found, expected) << listing.out;

  for (const auto& [path, mode] : files) {
    EXPECT_EQ(mode, path.rfind("./usr/bin/", 0) == 0 ? "-rwxr-xr-x" : "-rw-r--r--") << path;
  }
}

TEST_F(DebianPackage, DependsOnWhatTheProgramsAreLinkedWith) {
  const Finished control = DpkgDeb("--field");
  ASSERT_EQ(control.status, 0) << control.err;
  EXPECT_TRUE(Has(control.out, "Package: tessaro-ip\n")) << control.out;
  EXPECT_TRUE(Has(control.out, "Version: " TESSARO_VERSION "\n")) << control.out;
  EXPECT_TRUE(Has(control.out, "Architecture: amd64\n")) << control.out;
  EXPECT_TRUE(Has(control.out, "Maintainer: Tessaro-IP developers <tessaro-ip@example.org>\n")) << control.out;
  EXPECT_TRUE(Has(control.out, "\n Reads, edits and writes the settings of a Tessaro-IP unit over its serial\n "
                               "diagnostic port, keeps settings files,"))
      << "one paragraph, wrapped for a terminal: " << control.out;

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

TEST_F(DebianPackage, LintianFindsNothingToReport) {
  const Finished checked =
      RunToEnd({TESSARO_LINTIAN, "--fail-on", "error,warning", package_.string()}, {}, std::chrono::seconds(240));
  EXPECT_EQ(checked.status, 0) << checked.out << checked.err;
  EXPECT_EQ(checked.out, "") << "no error or warning, and nothing else shown by default";

  // An override claims that a finding does not apply here; each says why.
  std::string previous;
  const fs::path overrides = Root() / "usr/share/lintian/overrides/tessaro-ip";
  for (const std::string& line : SplitLines(tessaro::testing::ReadBytes(overrides))) {
    if (!line.empty() && line[0] != '#') {
      EXPECT_EQ(previous.rfind('#', 0), 0u) << "override without a reason: " << line;
    }
    previous = line;
  }
}

TEST_F(DebianPackage, SoftwareCentreDescriptionValidatesAndNamesTheMenuEntryAndTheRelease) {
  const fs::path metainfo = Root() / "usr/share/metainfo/org.example.tessaro_ip.metainfo.xml";
  const Finished validated =
      RunToEnd({TESSARO_APPSTREAMCLI, "validate", "--no-net", "--pedantic", metainfo.string()}, {});
  EXPECT_EQ(validated.status, 0) << validated.out << validated.err;
  for (const std::string& line : SplitLines(validated.out)) {
    EXPECT_FALSE(line.size() > 2 && line[1] == ':' && line[2] == ' ') << "a finding, even a pedantic one: " << line;
  }

  const std::string text = tessaro::testing::ReadBytes(metainfo);
  EXPECT_TRUE(Has(text, "<launchable type=\"desktop-id\">tessaro-ip.desktop</launchable>")) << text;
  EXPECT_TRUE(fs::is_regular_file(Root() / "usr/share/applications/tessaro-ip.desktop"));
  EXPECT_TRUE(Has(text, "<release version=\"" TESSARO_VERSION "\" date=\"")) << text;
  EXPECT_TRUE(Has(text, "<screenshot type=\"default\">")) << text;
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

#include "program/ProgramFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <set>
#include <string>

#include "files/PortBindingsFile.h"
#include "program/PortChoice.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TestFolder.h"

namespace tessaro::testing {
namespace {

namespace fs = std::filesystem;

struct ChoiceCase {
  const char* name;
  const char* chosen;
  bool executableWritable;
  bool haveUserData;
  const char* folder;
  FolderOrigin origin;
};
void PrintTo(const ChoiceCase& c, std::ostream* out) { *out << c.name; }

class ChooseProgramFolderTest : public ::testing::TestWithParam<ChoiceCase> {};

TEST_P(ChooseProgramFolderTest, VariableThenWritableProgramFolderThenUserData) {
  const ChoiceCase& c = GetParam();
  std::set<fs::path> asked;
  const ProgramFolderChoice choice = ChooseProgramFolder(
      {c.chosen, "/opt/tessaro/bin", c.haveUserData ? "/home/eng/.local/share/Tessaro-IP" : ""},
      [&](const fs::path& folder) {
        asked.insert(folder);
        return c.executableWritable;
      });
  EXPECT_EQ(choice.folder, fs::path(c.folder));
  EXPECT_EQ(choice.origin, c.origin);
  // Only the executable's folder is probed, and not when the variable decides.
  EXPECT_TRUE(asked.empty() || asked == std::set<fs::path>{"/opt/tessaro/bin"});
  if (c.origin == FolderOrigin::Chosen) {
    EXPECT_TRUE(asked.empty());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Choices, ChooseProgramFolderTest,
    ::testing::Values(
        ChoiceCase{"unpackedCopy", "", true, true, "/opt/tessaro/bin", FolderOrigin::ProgramFolder},
        ChoiceCase{"installed", "", false, true, "/home/eng/.local/share/Tessaro-IP", FolderOrigin::UserData},
        ChoiceCase{"variableWinsOverWritable", "/srv/t", true, true, "/srv/t", FolderOrigin::Chosen},
        ChoiceCase{"variableWinsOverUserData", "/srv/t", false, true, "/srv/t", FolderOrigin::Chosen},
        ChoiceCase{"noUserDataKeepsProgramFolder", "", false, false, "/opt/tessaro/bin", FolderOrigin::ProgramFolder}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ProgramFolderTest, AWritableFolderIsSeenAsOneAndAMissingOneIsNot) {
  TestFolder folder;
  EXPECT_TRUE(FolderWritable(folder.Path()));
  EXPECT_TRUE(fs::is_empty(folder.Path()));  // the probe is gone again
  EXPECT_FALSE(FolderWritable(folder.Path() / "missing"));
}

#ifdef _WIN32
TEST(ProgramFolderTest, ShippedDefaultsSitInTheProgramsOwnFolder) {
  EXPECT_EQ(ShippedDefaultsPath("C:\\Program Files\\Tessaro-IP"),
            fs::path("C:\\Program Files\\Tessaro-IP\\default.set"));
}
#else
TEST(ProgramFolderTest, ShippedDefaultsSitBesideTheProgramsFolder) {
  EXPECT_EQ(ShippedDefaultsPath("/usr/bin"), fs::path("/usr/share/tessaro-ip/default.set"));
}
#endif

class PrepareProgramFolderTest : public ::testing::Test {
 protected:
  void SetUp() override { WriteBytes(shipped, "0    ->3\r\n"); }
  TestFolder root;
  fs::path shipped = root.Path() / "default.set";
  fs::path data = root.Path() / "data" / "Tessaro-IP";
};

TEST_F(PrepareProgramFolderTest, FirstUseOfUserDataGetsTheShippedDefaults) {
  PrepareProgramFolder({data, FolderOrigin::UserData}, shipped);
  EXPECT_EQ(ReadBytes(data / "default.set"), "0    ->3\r\n");
}

TEST_F(PrepareProgramFolderTest, LaterUseKeepsTheUsersOwnFiles) {
  fs::create_directories(data);
  WriteBytes(data / "TessaroIP.set", "0        Compoort ->2\r\n");
  PrepareProgramFolder({data, FolderOrigin::UserData}, shipped);
  EXPECT_FALSE(fs::exists(data / "default.set"));  // removed by the user: stays removed

  WriteBytes(data / "default.set", "0    ->7\r\n");
  PrepareProgramFolder({data, FolderOrigin::UserData}, shipped);
  EXPECT_EQ(ReadBytes(data / "default.set"), "0    ->7\r\n");
}

TEST_F(PrepareProgramFolderTest, OtherFoldersAndPackagesWithoutDefaultsGetNothing) {
  PrepareProgramFolder({data, FolderOrigin::ProgramFolder}, shipped);
  EXPECT_TRUE(fs::is_directory(data));
  EXPECT_FALSE(fs::exists(data / "default.set"));
  const fs::path other = root.Path() / "other";
  PrepareProgramFolder({other, FolderOrigin::UserData}, root.Path() / "none.set");
  EXPECT_TRUE(fs::is_directory(other));
  EXPECT_FALSE(fs::exists(other / "default.set"));
}

#ifndef _WIN32
// The naming a port is given reads the file at each open, so a binding saved
// meanwhile counts, and a damaged file falls back to the standard device.
TEST(PortChoiceTest, NamingFollowsTheBindingsFileAndTheVariable) {
  TestFolder folder;
  const char* variable = nullptr;
  const auto naming = BoundPortNaming(folder.Path(), [&](const char* name) {
    return std::string(name) == "TESSARO_COM1" ? variable : nullptr;
  });
  EXPECT_EQ(naming(1), "/dev/ttyS0");
  ASSERT_TRUE(WritePortBindings(folder.Path(), {{1, "/dev/serial/by-id/usb-A"}}));
  EXPECT_EQ(naming(1), "/dev/serial/by-id/usb-A");
  EXPECT_EQ(naming(2), "/dev/ttyS1");
  variable = "/dev/pts/7";
  EXPECT_EQ(naming(1), "/dev/pts/7");
  variable = nullptr;
  WriteBytes(folder.Path() / PortBindingsFileName, "rubbish\r\n");
  EXPECT_EQ(naming(1), "/dev/ttyS0");
}
#endif

}  // namespace
}  // namespace tessaro::testing

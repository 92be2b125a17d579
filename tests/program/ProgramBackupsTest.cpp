#include <gtest/gtest.h>

#include <set>
#include <string>

#include "core/Items.h"
#include "tests/program/StartedProgram.h"
#include "tests/protocol/ProtocolTestSupport.h"
#include "tests/support/FileBytes.h"

namespace tessaro::testing {
namespace {

std::set<std::string> BackupNames(const std::filesystem::path& programFolder) {
  std::set<std::string> names;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(programFolder / "Backup", error)) {
    names.insert(entry.path().filename().string());
  }
  return names;
}

// The program keeps its backups below its own folder, named by its clock. A
// port opened again, as the settings dialog's Save does, may lead to another
// unit: what the old one gave is forgotten and read anew.
TEST(ProgramBackups, KeptBelowTheProgramFolderAndReadAgainAfterThePortIsReopened) {
  StartedProgram started(nullptr);
  TessaroProgram& program = started.program;
  FakeUnit unit(started.port);
  unit.charValue = 2;
  const auto writeAll = [&] {
    unit.seen.clear();
    ScreenToAllItems(program.Screen);
    program.Engine.WriteAll({program.Store.ItemValues, true});
    for (int tick = 0; tick < 5000 && !program.Engine.Quiet(); ++tick) {
      unit.Respond();
      program.Engine.EngineTick(0);
    }
    int reads = 0;
    for (const auto& [kind, item] : unit.seen) reads += kind == 'w' ? 1 : 0;
    return reads;
  };

  EXPECT_EQ(writeAll(), 27);
  const std::string first = ReadBytes(started.folder.Path() / "Backup" / "2024-03-05_14-03-07.cfg");
  EXPECT_NE(first.find("\r\n21    ->2\r\n"), std::string::npos) << first;
  EXPECT_NE(first.find("\r\n41    ->2\r\n"), std::string::npos) << first;

  EXPECT_EQ(writeAll(), 0) << "every writable item was confirmed since the port opened";
  program.Link.CloseComPort();
  ASSERT_GE(program.OpenPortAndStartEngine(), 0);
  EXPECT_EQ(writeAll(), 27);

  EXPECT_EQ(BackupNames(started.folder.Path()),
            (std::set<std::string>{"2024-03-05_14-03-07.cfg", "2024-03-05_14-03-07_2.cfg",
                                   "2024-03-05_14-03-07_3.cfg"}));
  const std::string second = ReadBytes(started.folder.Path() / "Backup" / "2024-03-05_14-03-07_2.cfg");
  EXPECT_NE(second.find("\r\n21    ->0\r\n"), std::string::npos) << "the values the first write left";
}

}  // namespace
}  // namespace tessaro::testing

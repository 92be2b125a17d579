#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "core/Items.h"
#include "tests/support/ItemValueAssertions.h"
#include "files/SettingsFiles.h"
#include "program/TessaroProgram.h"
#include "tests/program/StartedProgram.h"
#include "tests/support/FileBytes.h"

namespace tessaro::testing {
namespace {

// A default.set the program refuses (a number beyond 16 bits) is reported
// and then treated like a missing one: every setting 0 or empty, never the
// -1 of the cleared store that "Save to file" and write-all would pass on.
TEST(StartupDefaults, RefusedDefaultsFileStartsLikeAMissingOne) {
  const std::string refused = "5    ->70000\r\n21   ->2\r\n150  ->abc\r\n";
  StartedProgram missing(nullptr);
  StartedProgram bad(&refused);

  ASSERT_TRUE(missing.dialogs.criticalErrors.empty());
  ASSERT_EQ(bad.dialogs.criticalErrors.size(), 1u);
  EXPECT_EQ(ReadBytes(bad.folder.Path() / DefaultSettingsFileName), refused) << "the file itself is kept";

  // Items 0..149 are numbers in a settings file, 150..249 texts.
  for (int item = 0; item <= LastUnitItem; ++item) {
    SCOPED_TRACE(item);
    const ItemValue expected = item < 150 ? ItemValue(0) : ItemValue(std::string());
    EXPECT_EQ(missing.program.Store.ItemValues[item], expected);
    EXPECT_EQ(bad.program.Store.ItemValues[item], expected);
    EXPECT_EQ(bad.program.Store.UnitValues[item], ItemValue(-1));
  }
  EXPECT_EQ(bad.controls.Combo(21).SelectedIndex(), missing.controls.Combo(21).SelectedIndex());
  EXPECT_EQ(bad.controls.Combo(21).SelectedIndex(), 0);

  const std::filesystem::path missingSave = missing.folder.Path() / "unit.cfg";
  const std::filesystem::path badSave = bad.folder.Path() / "unit.cfg";
  missing.program.Files.WriteSettingsFile(missingSave);
  bad.program.Files.WriteSettingsFile(badSave);
  const std::string saved = ReadBytes(badSave);
  EXPECT_FALSE(saved.empty());
  EXPECT_EQ(saved.find("->-1"), std::string::npos);
  EXPECT_EQ(saved, ReadBytes(missingSave));
}

}  // namespace
}  // namespace tessaro::testing

// Saving and loading unit settings files through the file dialogs.
#include <QPushButton>

#include "tests/ui/UiFixture.h"
#include "ui/ListCombo.h"

namespace tessaro::testing {
namespace {

class SettingsFilesTest : public MainWindowTest {
 protected:
  std::filesystem::path DefaultFolder() const { return folder.Path() / "Instellingen"; }
};

TEST_F(SettingsFilesTest, SaveUnderTheOfferedNameWritesItInTheInitialFolder) {
  Start();
  prompts.saveAnswer = ScriptedPrompts::AcceptOffered;
  W().CmdOpslaanUnitGegevens->click();

  ASSERT_EQ(prompts.saveRequests.size(), 1u);
  const FileDialogRequest& request = prompts.saveRequests[0];
  EXPECT_EQ(request.initialName, QStringLiteral("NieuweInstellingen"));
  EXPECT_EQ(PathFromQString(request.initialFolder), DefaultFolder());
  EXPECT_EQ(request.filter, QStringLiteral("cfg (*.cfg)"));
  EXPECT_TRUE(std::filesystem::is_regular_file(DefaultFolder() / "NieuweInstellingen.cfg"));
  EXPECT_EQ(prompts.beeps, 0);
}

TEST_F(SettingsFilesTest, TheSettingsFolderOfTheProgramSettingsIsWhereTheDialogsOpen) {
  const std::filesystem::path chosen = folder.Path() / "Sets";
  std::filesystem::create_directory(chosen);
  ProgramFile file;
  file.setPath = chosen.string();
  Start("", file);
  W().CmdOpslaanUnitGegevens->click();
  W().CmdLezenUnitgegevens->click();
  ASSERT_EQ(prompts.saveRequests.size(), 1u);
  ASSERT_EQ(prompts.openRequests.size(), 1u);
  EXPECT_EQ(PathFromQString(prompts.saveRequests[0].initialFolder), chosen);
  EXPECT_EQ(PathFromQString(prompts.openRequests[0].initialFolder), chosen);
  EXPECT_EQ(prompts.openRequests[0].initialName, QStringLiteral("*.cfg"));
  EXPECT_EQ(prompts.openRequests[0].filter, QStringLiteral("cfg (*.cfg)"));
  // A folder of the user's choosing is not made on their behalf.
  EXPECT_FALSE(std::filesystem::exists(DefaultFolder()));
}

struct BeepCase {
  const char* name;
  bool save;
  std::optional<QString> answer;
  friend void PrintTo(const BeepCase& row, std::ostream* out) { *out << row.name; }
};

class DialogBeepTest : public SettingsFilesTest, public ::testing::WithParamInterface<BeepCase> {};

TEST_P(DialogBeepTest, OnlyBeeps) {
  Start();
  const auto valuesBefore = Program().Store.ItemValues;
  const auto answer = GetParam().answer;
  prompts.saveAnswer = [answer](const FileDialogRequest&) { return answer; };
  prompts.openAnswer = [answer](const FileDialogRequest&) { return answer; };
  (GetParam().save ? W().CmdOpslaanUnitGegevens : W().CmdLezenUnitgegevens)->click();

  EXPECT_EQ(prompts.beeps, 1);
  EXPECT_EQ(Program().Store.ItemValues, valuesBefore);
  EXPECT_TRUE(std::filesystem::is_empty(DefaultFolder()));
  EXPECT_TRUE(OpenBoxes().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Answers, DialogBeepTest,
    ::testing::Values(BeepCase{"saveEmptyName", true, QString()}, BeepCase{"saveCancelled", true, std::nullopt},
                      BeepCase{"openPattern", false, QStringLiteral("*.cfg")},
                      BeepCase{"openCancelled", false, std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SettingsFilesTest, OpenPatternInAFolderLoadsNothingEither) {
  Start();
  Value(23) = ItemValue(12);
  prompts.openAnswer = [](const FileDialogRequest& request) {
    return request.initialFolder + QStringLiteral("/*.cfg");
  };
  W().CmdLezenUnitgegevens->click();
  EXPECT_EQ(prompts.beeps, 1);
  EXPECT_EQ(Value(23), ItemValue(12));
}

TEST_F(SettingsFilesTest, ASavedFileLoadsBackIntoTheScreen) {
  Start();
  W().ComboInstellingen.at(10)->setCurrentIndex(3);
  W().TxtCharInput.at(31)->setText(QStringLiteral("192"));
  prompts.saveAnswer = [](const FileDialogRequest& request) {
    return request.initialFolder + QStringLiteral("/site.cfg");
  };
  W().CmdOpslaanUnitGegevens->click();

  W().ComboInstellingen.at(10)->setCurrentIndex(0);
  W().TxtCharInput.at(31)->setText(QStringLiteral("10"));
  Program().Store.UnitValues[31] = ItemValue(10);
  prompts.openAnswer = [](const FileDialogRequest& request) {
    return request.initialFolder + QStringLiteral("/site.cfg");
  };
  W().CmdLezenUnitgegevens->click();

  EXPECT_EQ(prompts.beeps, 0);
  EXPECT_EQ(W().ComboInstellingen.at(10)->currentIndex(), 3);
  EXPECT_EQ(W().TxtCharInput.at(31)->text(), QStringLiteral("192"));
  EXPECT_EQ(Program().Store.UnitValues[31], ItemValue(-1));
}

}  // namespace
}  // namespace tessaro::testing

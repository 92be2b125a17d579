// Saving and loading unit settings files through the file dialogs.
#include <QPushButton>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

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

struct RefusedFile {
  const char* name;
  std::string bytes;
  QString says;  // after the file's path
};

// Read from file with something that is not a unit settings file: one
// error box naming the file and what is wrong, and the screen and the store
// keep what they held.
TEST_F(SettingsFilesTest, WhatIsNotASettingsFileIsRefusedWithABox) {
  Start();
  W().ComboInstellingen.at(10)->setCurrentIndex(3);
  W().TxtCharInput.at(31)->setText(QStringLiteral("192"));
  prompts.saveAnswer = [](const FileDialogRequest& request) { return request.initialFolder + QStringLiteral("/site.cfg"); };
  W().CmdOpslaanUnitGegevens->click();
  std::ifstream in(DefaultFolder() / "site.cfg", std::ios::binary);
  const std::string saved((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::string binary;
  for (int byte = 0; byte < 2048; ++byte) binary.push_back(static_cast<char>(byte * 7));

  const std::vector<RefusedFile> rows = {
      {"garbage.cfg", "hello\nworld\n", QStringLiteral(" is not a unit settings file: line 1 is not a setting.")},
      {"empty.cfg", "", QStringLiteral(" is not a unit settings file: it holds no settings.")},
      {"binary.cfg", binary, QStringLiteral(" is not a unit settings file: line 1 is not a setting.")},
      {"cut.cfg", saved.substr(0, saved.find("\r\n22    ->") + 2),
       QStringLiteral(" is incomplete: these items have no line: 22-23, 31-41.")},
  };
  for (const RefusedFile& row : rows) {
    const std::filesystem::path file = DefaultFolder() / row.name;
    std::ofstream(file, std::ios::binary) << row.bytes;
    const auto storeBefore = Program().Store;
    prompts.openAnswer = [&file](const FileDialogRequest&) { return QStringFromPath(file); };
    W().CmdLezenUnitgegevens->click();

    const auto boxes = OpenBoxes();
    ASSERT_EQ(boxes.size(), 1u) << row.name;
    EXPECT_EQ(boxes[0]->text(), QStringFromPath(file) + row.says);
    EXPECT_EQ(boxes[0]->icon(), QMessageBox::Critical);
    EXPECT_EQ(boxes[0]->windowTitle(), Title());
    boxes[0]->close();
    EXPECT_EQ(W().ComboInstellingen.at(10)->currentIndex(), 3) << row.name;
    EXPECT_EQ(W().TxtCharInput.at(31)->text(), QStringLiteral("192")) << row.name;
    EXPECT_EQ(Program().Store.ItemValues, storeBefore.ItemValues) << row.name;
    EXPECT_EQ(Program().Store.UnitValues, storeBefore.UnitValues) << row.name;
    EXPECT_EQ(Program().Store.FileValues, storeBefore.FileValues) << row.name;
  }
}

// The box speaks the program's language; so does a refused default.set.
TEST_F(SettingsFilesTest, ARefusedDefaultsFileIsSaidInTheProgramsLanguage) {
  ProgramFile file;
  file.taal = 2;
  std::ofstream(folder.Path() / "default.set", std::ios::binary) << "hallo\r\n";
  Start("", file);
  const auto boxes = OpenBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0]->text(), QStringFromPath(folder.Path() / "default.set") +
                                  QStringLiteral(" ist keine Einstellungsdatei einer Unit: Zeile 1 ist keine Einstellung."));
  boxes[0]->close();
  EXPECT_EQ(Value(21), ItemValue(0)) << "started as without a default.set";

  W().TxtCharInput.at(23)->setText(QStringLiteral("77"));
  W().CmdInstellingenLezen->click();
  ASSERT_EQ(OpenBoxes().size(), 1u);
  EXPECT_EQ(W().TxtCharInput.at(23)->text(), QStringLiteral("77"));
}

}  // namespace
}  // namespace tessaro::testing
